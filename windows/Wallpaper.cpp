#include "windows/Wallpaper.h"

#include <QDir>
#include <QImage>

#include "foundation/DIBsave.h"
#include "foundation/ModDraw.h"
#include "foundation/ModPublic.h"
#include "platform/forms/HourglassCursor.h"
#include "platform/forms/MsgBox.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/PictureMemory.h"

namespace Wallpaper {
namespace {

// Room left for a taskbar under a centred picture.
constexpr int kTaskbarRoom = 40;
// The stripes: invisible thin lines and faint white bands.
constexpr std::uint32_t kThinStripe = 0x00FFFFFF;
constexpr std::uint32_t kBandStripe = 0x32FFFFFF;
constexpr int kBmpFormat = 0;

bool Confirmed() {
  return Forms::MsgBox(QStringLiteral("This will replace your current desktop background with the current image.\n"
                                      "Are you sure you want to proceed?"),
                       Forms::vbYesNo + Forms::vbQuestion, QStringLiteral("Confirm")) == Forms::vbYes;
}

}  // namespace

QRect Placement(QSize picture, QSize screen) {
  if (picture.width() < screen.width() && picture.height() < screen.height()) {
    return QRect((screen.width() - picture.width()) / 2, (screen.height() - kTaskbarRoom - picture.height()) / 2,
                 picture.width(), picture.height());
  }
  return QRect(QPoint(0, 0), screen);
}

QImage Render(const QImage& picture, QSize screen, std::uint32_t theme) {
  // Opaque, as the file is written: a picture that covers the screen may still be partly
  // transparent, and whatever shows through is the theme colour.
  QImage wallpaper = Gdip::NewPicture(screen.width(), screen.height(), QImage::Format_RGB32);
  if (wallpaper.isNull()) {
    return {};
  }
  wallpaper.fill(QColor::fromRgba(theme));
  const QRect place = Placement(picture.size(), screen);
  if (place.size() != screen) {
    ModGDI::DrawStripes(wallpaper, kThinStripe, kBandStripe, 0, float(screen.width()), float(screen.height()));
  }
  const auto bitmap = Gdip::Bitmap::FromImage(picture, Gdip::PixelFormat32bppARGB);
  if (bitmap) {
    const auto graphics = Gdip::Graphics::FromSurface(wallpaper);
    graphics->SetInterpolationMode(Gdip::InterpolationMode::HighQualityBilinear);
    graphics->DrawImage(*bitmap, QRectF(place));
  }
  return wallpaper;
}

bool WriteWallpaper(const QImage& picture, QSize screen, const QString& path) {
  const std::uint32_t theme = qRgba(ModPublic::ThemeColorRed, ModPublic::ThemeColorGreen, ModPublic::ThemeColorBlue, 255);
  const QImage wallpaper = Render(picture, screen, theme);
  DIBsave file;
  file.new_Img = Gdip::Bitmap::FromImage(wallpaper, Gdip::PixelFormat24bppRGB);
  return file.new_Img && file.Save(path, kBmpFormat, 90);
}

QString SetAsWallpaper(const QImage& picture, QSize screen, const QString& dataFolder, DesktopSetter setter) {
  if (picture.isNull() || screen.isEmpty() || !Confirmed()) {
    return {};
  }
  const QString path = QDir(dataFolder).filePath(QStringLiteral("LorvaPaper.bmp"));
  {
    const Forms::HourglassCursor hourglass;
    if (!WriteWallpaper(picture, screen, path)) {
      Forms::MsgBox(QStringLiteral("The wallpaper could not be written to %1.").arg(path), Forms::vbExclamation);
      return {};
    }
    if (setter(path)) {
      return path;
    }
  }
  Forms::MsgBox(QStringLiteral("The wallpaper was saved as %1, but the desktop could not be told to show it.").arg(path),
                Forms::vbExclamation);
  return path;
}

}  // namespace Wallpaper
