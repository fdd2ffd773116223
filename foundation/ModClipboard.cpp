#include "foundation/ModClipboard.h"

#include <utility>

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

ClipboardPaste::ClipboardPaste(std::function<void()> arrived) : m_arrived(std::move(arrived)) {
  // One decode at a time, and one more for a paste that replaces it: a third paste drops
  // the one still waiting.
  m_workers.setMaxThreadCount(2);
}

ClipboardPaste::~ClipboardPaste() {
  m_workers.clear();
  m_workers.waitForDone();
}

bool ClipboardPaste::Start() {
  ClipboardImage().Destroy();
  Clipboard::Offer offer = Clipboard::TakeOffer();
  if (offer.IsEmpty()) {
    return false;
  }
  const std::uint64_t paste = ++m_latest;
  if (!m_busy) {
    m_busy.emplace();
  }
  m_workers.clear();
  m_workers.start([this, paste, offer = std::move(offer)] {
    if (paste != m_latest) {
      return;  // a later paste replaced this one before it began
    }
    QImage picture = Clipboard::Decode(offer);
    QMetaObject::invokeMethod(
        &m_receiver, [this, paste, picture = std::move(picture)] { Arrive(paste, picture); },
        Qt::QueuedConnection);
  });
  return true;
}

void ClipboardPaste::Arrive(std::uint64_t paste, const QImage& picture) {
  if (paste != m_latest) {
    return;
  }
  m_busy.reset();
  auto bitmap = Gdip::Bitmap::FromImage(picture, Gdip::PixelFormat32bppARGB);
  if (bitmap == nullptr) {
    return;
  }
  ClipboardImage().SetDIB(std::move(bitmap));
  m_arrived();
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
