#pragma once
// The canvas's picture as the desktop wallpaper: drawn to the screen's size, saved as
// "Datas/LorvaPaper.bmp" and handed to the desktop. A picture smaller than the screen
// both ways stands in the middle of the theme colour with faint stripes; any other fills
// the screen.

#include <cstdint>

#include <QRect>
#include <QSize>
#include <QString>

class QImage;

namespace Wallpaper {

// What the desktop is told to show; tests put a fake in place.
using DesktopSetter = bool (*)(const QString& path);

// Where the picture lands: centred across the screen and in its height less 40 pixels
// when smaller on both axes, else stretched over the whole screen.
QRect Placement(QSize picture, QSize screen);

// The wallpaper for a screen as an opaque RGB32 picture, the background in the theme
// colour given as ARGB.
QImage Render(const QImage& picture, QSize screen, std::uint32_t theme);

// Writes the wallpaper for a screen as a BMP file, the background in the theme colour;
// false when the file could not be written.
bool WriteWallpaper(const QImage& picture, QSize screen, const QString& path);

// Asks first; then writes the wallpaper file for the screen and hands it to the desktop,
// telling the user when the desktop could not be told (the file stays). Nothing happens
// without a picture or after No. The file's path, or empty when none was written.
QString SetAsWallpaper(const QImage& picture, QSize screen, const QString& dataFolder, DesktopSetter setter);

}  // namespace Wallpaper
