#pragma once
// What the screensaver reads and writes in the settings store it shares with the main
// program, and where its pictures are.

#include <cstdint>

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

namespace ScrSettings {

// The seconds between pictures as stored; 0 when missing.
std::int32_t IntervalSeconds();
void SaveIntervalSeconds(std::int32_t seconds);
// The wait between pictures in milliseconds: a negative setting waits not at all, and the
// product is taken in 64 bits so no stored number overflows it.
std::int64_t WaitMs(std::int32_t seconds);

// The folder of the picture set: "ScrDatas" in the program folder the export wrote as
// "Apppath", or beside the screensaver itself when the main program never exported.
QString PictureFolder(const QString& screensaverFolder);
// The pictures of the set, "*.dat" in any case, in the order of their names
// (Scrdata0, Scrdata1, Scrdata10, Scrdata11, Scrdata2 ...).
QStringList ListPictures(const QString& folder);

// Where a picture sits on the screen: fitted, never enlarged, 3 px below the centre.
QRect ScreenFit(QSize picture, QSize screen);
// Whether the pointer moved far enough from where the show started to end it.
bool PointerEndsShow(QPoint start, QPoint now);

}  // namespace ScrSettings
