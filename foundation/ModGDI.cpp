#include "foundation/ModGDI.h"

#include <cstddef>

#include "foundation/CDIB.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"
#include "platform/gdiplus/Graphics.h"

namespace ModGDI {

int GetEncoderClsid(const QString& MimeType, QUuid& Clsid) {
  const auto encoders = Gdip::GetImageEncoders();
  for (std::size_t i = 0; i < encoders.size(); ++i) {
    if (encoders[i].MimeType.compare(MimeType, Qt::CaseInsensitive) == 0) {
      Clsid = encoders[i].Clsid;
      return static_cast<int>(i) + 1;
    }
  }
  return -1;
}

QUuid StringToClsid(const QString& text) { return QUuid(text); }

QString WidePtrToString(const char16_t* text) { return text ? QString::fromUtf16(text) : QString(); }

namespace {

// Both bridges move W x 4 bytes per row and walk the DIB from its last stored row down,
// which is only sound for a non-empty 32-bit DIB; anything else is refused.
bool IsBridgeable(const CDIB& dib) { return dib.hDIB() && dib.BPP() == 32 && dib.Width() > 0 && dib.Height() > 0; }

// The DIB's top picture row (its last stored row) and the negative stride that walks
// the rest of the picture downwards through its bottom-up storage.
std::ptrdiff_t UprightStride(const CDIB& dib) { return -std::ptrdiff_t{dib.BytesPerScanline()}; }
std::size_t TopRowOffset(const CDIB& dib) { return std::size_t(dib.Height() - 1) * std::size_t(dib.BytesPerScanline()); }

}  // namespace

bool GdipImageToDIB(CDIB& dib, const Gdip::Bitmap& image) {
  if (!IsBridgeable(dib)) {
    return false;
  }
  const QRect whole(0, 0, dib.Width(), dib.Height());
  auto scratch = Gdip::Bitmap::Create(whole.width(), whole.height(), Gdip::PixelFormat32bppARGB);
  if (!scratch) {
    return false;
  }
  if (auto graphics = Gdip::Graphics::FromImage(*scratch)) {
    graphics->DrawImage(image, QRectF(whole));
  }
  auto* top = reinterpret_cast<std::byte*>(dib.lpBits()) + TopRowOffset(dib);
  return scratch->ReadPixels(whole, top, UprightStride(dib)) == Gdip::Status::Ok;
}

std::unique_ptr<Gdip::Bitmap> DIBToGdipBitmap(const CDIB& dib) {
  if (!IsBridgeable(dib)) {
    return nullptr;
  }
  const QRect whole(0, 0, dib.Width(), dib.Height());
  auto bitmap = Gdip::Bitmap::Create(whole.width(), whole.height(), Gdip::PixelFormat32bppARGB);
  if (!bitmap) {
    return nullptr;
  }
  const auto* top = reinterpret_cast<const std::byte*>(dib.lpBits()) + TopRowOffset(dib);
  if (bitmap->WritePixels(whole, top, UprightStride(dib)) != Gdip::Status::Ok) {
    return nullptr;
  }
  return bitmap;
}

}  // namespace ModGDI
