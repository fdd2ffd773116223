#include "foundation/GdiDIB.h"

#include "foundation/Numbers.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"

GdiDIB::GdiDIB() = default;
GdiDIB::~GdiDIB() = default;
GdiDIB::GdiDIB(GdiDIB&&) noexcept = default;
GdiDIB& GdiDIB::operator=(GdiDIB&&) noexcept = default;

void GdiDIB::SetDIB(std::unique_ptr<Gdip::Bitmap> image) {
  m_image = std::move(image);
  m_failure = Gdip::LoadFailure::None;
  m_width = m_image ? m_image->Width() : 0;
  m_height = m_image ? m_image->Height() : 0;
}

void GdiDIB::SetWidth(float value) { m_width = Numbers::RoundToInt(value); }
void GdiDIB::SetHeight(float value) { m_height = Numbers::RoundToInt(value); }

int GdiDIB::Import(const QString& Filename) {
  Destroy();
  Gdip::LoadResult loaded = Gdip::LoadImageWithReason(Filename);
  SetDIB(std::move(loaded.Image));
  m_failure = loaded.Failure;
  return 0;
}

void GdiDIB::GetBestFitInfo(float SrcW, float SrcH, float DstW, float DstH, float& bfx, float& bfy, float& bfw,
                            float& bfh) {
  if (SrcW <= DstW && SrcH <= DstH) {
    bfw = SrcW;
    bfh = SrcH;
  } else if (SrcW <= 0.0f || SrcH <= 0.0f) {
    // A source with no area has nothing to show: an empty box in the middle.
    bfw = 0.0f;
    bfh = 0.0f;
  } else {
    const float rw = DstW / SrcW;
    const float rh = DstH / SrcH;
    if (rw < rh) {
      bfw = DstW;
      bfh = rw * SrcH;
    } else {
      bfh = DstH;
      bfw = rh * SrcW;
    }
  }
  bfx = static_cast<float>(Numbers::RoundHalfEven(DstW - bfw) / 2);
  bfy = static_cast<float>(Numbers::RoundHalfEven(DstH - bfh) / 2);
}

void GdiDIB::Destroy() { SetDIB(nullptr); }
