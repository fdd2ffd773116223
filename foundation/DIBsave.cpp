#include "foundation/DIBsave.h"

#include <algorithm>
#include <array>

#include "foundation/ModGDI.h"
#include "foundation/Numbers.h"
#include "platform/gdiplus/Codecs.h"

namespace {

// The MIME type of each format index.
constexpr std::array<const char*, 7> kFormatMimeTypes = {
    "image/bmp", "image/jpeg", "image/gif", "image/x-emf", "image/x-wmf", "image/tiff", "image/png",
};
constexpr int kJpegIndex = 1;

// Indexes 3 and 4 write metafiles, which the image encoder list does not hold.
bool FindMetafileEncoder(const QString& mime, QUuid& clsid) {
  for (const auto& encoder : Gdip::GetMetafileEncoders()) {
    if (encoder.MimeType.compare(mime, Qt::CaseInsensitive) == 0) {
      clsid = encoder.Clsid;
      return true;
    }
  }
  return false;
}

}  // namespace

DIBsave::DIBsave() = default;
DIBsave::~DIBsave() { Destroy(); }
DIBsave::DIBsave(DIBsave&&) noexcept = default;

DIBsave& DIBsave::operator=(DIBsave&& other) noexcept {
  if (this != &other) {
    Destroy();
    new_Img = std::move(other.new_Img);
    MemGraphics = std::move(other.MemGraphics);
    NewWidth = other.NewWidth;
    NewHeight = other.NewHeight;
    m_width = other.m_width;
    m_height = other.m_height;
    m_encoderClsid = other.m_encoderClsid;
  }
  return *this;
}

void DIBsave::SetWidth(float value) { m_width = Numbers::RoundToInt(value); }
void DIBsave::SetHeight(float value) { m_height = Numbers::RoundToInt(value); }

void DIBsave::CreateBlankMemory(int lngHeight, int lngWidth, const Gdip::Bitmap* Img, bool isExport,
                                Gdip::ARGB /*BgColor*/, bool Quality) {
  Destroy();
  NewWidth = lngWidth;
  NewHeight = lngHeight;
  const Gdip::PixelFormat format =
      isExport && Img != nullptr ? Img->GetPixelFormat() : Gdip::PixelFormat32bppARGB;
  new_Img = Gdip::Bitmap::Create(NewWidth, NewHeight, format);
  if (new_Img) {
    MemGraphics = Gdip::Graphics::FromImage(*new_Img);
  }
  if (new_Img && !MemGraphics) {
    // A palette bitmap takes no drawing context, and a blank export would then be saved
    // over the user's picture. It is drawn in 32 bits but keeps the source's palette
    // format and table, so the encoder writes it back at that depth when it still fits.
    auto blank = Gdip::Bitmap::Create(NewWidth, NewHeight, Gdip::PixelFormat32bppARGB);
    new_Img = blank ? Gdip::Bitmap::FromImage(std::move(blank->Image()), format) : nullptr;
    if (new_Img) {
      new_Img->SetSourcePalette(Img != nullptr ? Img->SourcePalette() : QList<QRgb>());
      MemGraphics = Gdip::Graphics::FromSurface(new_Img->Image());
    }
  }
  if (!MemGraphics) {
    return;
  }
  MemGraphics->SetSmoothingMode(Gdip::SmoothingMode::AntiAlias);
  if (isExport) {
    MemGraphics->SetInterpolationMode(Gdip::InterpolationMode::Default);
    MemGraphics->SetCompositingQuality(Gdip::CompositingQuality::GammaCorrected);
  } else if (!Quality) {
    MemGraphics->SetInterpolationMode(Gdip::InterpolationMode::LowQuality);
    MemGraphics->SetPixelOffsetMode(Gdip::PixelOffsetMode::HighSpeed);
  } else {
    MemGraphics->SetInterpolationMode(Gdip::InterpolationMode::HighQualityBilinear);
  }
}

void DIBsave::ClearScreen(Gdip::ARGB Color) {
  if (MemGraphics) {
    MemGraphics->Clear(Color);
  }
}

bool DIBsave::Save(const QString& Filename, int FileTypes, int lngQuality) {
  if (!new_Img || FileTypes < 0 || FileTypes >= int(kFormatMimeTypes.size())) {
    return false;
  }
  // A failed lookup writes nothing, rather than writing with the previous save's encoder.
  const QString mime = QString::fromLatin1(kFormatMimeTypes[std::size_t(FileTypes)]);
  QUuid clsid;
  if (ModGDI::GetEncoderClsid(mime, clsid) < 0 && !FindMetafileEncoder(mime, clsid)) {
    return false;
  }
  m_encoderClsid = clsid;
  Gdip::EncoderParameters parameters;
  if (FileTypes == kJpegIndex) {
    // Callers pass the quality setting times ten, which can exceed the scale.
    parameters.Quality = std::clamp(lngQuality, 0, 100);
  }
  return Gdip::SaveImageToFile(*new_Img, Filename, m_encoderClsid, parameters) == Gdip::Status::Ok;
}

void DIBsave::ClearIMG() {
  // The context paints on the bitmap and cannot outlive it.
  MemGraphics.reset();
  new_Img.reset();
}

void DIBsave::Destroy() { ClearIMG(); }
