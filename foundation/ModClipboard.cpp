#include "foundation/ModClipboard.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include "foundation/GdiDIB.h"
#include "foundation/ModPublic.h"
#include "foundation/Numbers.h"
#include "platform/Clipboard.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"
#include "platform/gdiplus/Graphics.h"

namespace ModGDI {

namespace {

QUuid PngEncoder() {
  for (const Gdip::ImageCodecInfo& codec : Gdip::GetImageEncoders()) {
    if (codec.MimeType == QLatin1String("image/png")) {
      return codec.Clsid;
    }
  }
  return {};
}

}  // namespace

GdiDIB& ClipboardImage() {
  static GdiDIB holder;
  return holder;
}

QString StampTempPath() { return ModPublic::ProgramFolder() + QStringLiteral("Librarians/Stamptemp.tmp"); }

bool CopyImageToClipboard(const Gdip::Bitmap& img, int X, int Y, int W, int H) {
  if (W <= 0 || H <= 0) {
    return false;
  }
  // A screen-depth bitmap has no alpha: the picture is laid over black.
  QImage screen(W, H, QImage::Format_RGB32);
  if (screen.isNull()) {
    return false;
  }
  screen.fill(Qt::black);
  if (auto g = Gdip::Graphics::FromSurface(screen)) {
    g->DrawImage(img, QRectF(X, Y, W, H));
  }
  return Clipboard::SetImage(screen);
}

bool PasteImageFromClipboard(int& Width, int& Height) {
  GdiDIB& holder = ClipboardImage();
  holder.Destroy();
  if (!Clipboard::HasImage()) {
    return false;
  }
  auto picture = Gdip::Bitmap::FromImage(Clipboard::GetImage().convertToFormat(QImage::Format_ARGB32),
                                         Gdip::PixelFormat32bppARGB);
  if (picture == nullptr) {
    return false;
  }
  Width = picture->Width();
  Height = picture->Height();
  holder.SetDIB(std::move(picture));
  return true;
}

bool SaveClipboardStamp(bool FromClipboard, const Gdip::Bitmap* img, int W, int H) {
  if (FromClipboard) {
    img = ClipboardImage().DIB();
    W = Numbers::RoundToInt(ClipboardImage().Width());
    H = Numbers::RoundToInt(ClipboardImage().Height());
  }
  if (img == nullptr) {
    return false;
  }
  auto canvas = Gdip::Bitmap::Create(W, H);
  if (canvas == nullptr) {
    return false;
  }
  if (auto g = Gdip::Graphics::FromImage(*canvas)) {
    g->SetInterpolationMode(Gdip::InterpolationMode::HighQualityBicubic);
    g->DrawImage(*img, QRectF(0, 0, W, H));
  }
  const QString path = StampTempPath();
  QDir().mkpath(QFileInfo(path).absolutePath());
  return Gdip::SaveImageToFile(*canvas, path, PngEncoder()) == Gdip::Status::Ok;
}

}  // namespace ModGDI
