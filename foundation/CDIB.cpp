#include "foundation/CDIB.h"

#include <algorithm>
#include <cstring>

#include <QIODevice>

#include "foundation/Numbers.h"
#include "platform/gdi/DibSection.h"
#include "platform/gdiplus/AtomicFile.h"
#include "platform/gdiplus/BmpCodec.h"

CDIB::CDIB() = default;
CDIB::~CDIB() = default;
CDIB::CDIB(CDIB&&) noexcept = default;
CDIB& CDIB::operator=(CDIB&&) noexcept = default;

bool CDIB::Create(int NewWidth, int NewHeight, int NewBPP) {
  Destroy();
  m_dib = Gdi::DibSection::Create(NewWidth, NewHeight, NewBPP);
  if (!m_dib) {
    return false;
  }
  m_dc = std::make_unique<Gdi::DibDC>(*m_dib);
  return true;
}

void CDIB::CloneTo(CDIB& oDIB) const {
  if (!m_dib || &oDIB == this) {
    return;
  }
  if (!oDIB.Create(Width(), Height(), BPP())) {
    return;
  }
  std::copy(m_dib->ColorTable().begin(), m_dib->ColorTable().end(), oDIB.m_dib->ColorTable().begin());
  std::memcpy(oDIB.lpBits(), lpBits(), std::size_t(Size()));
}

bool CDIB::Save(const QString& Filename) const {
  if (!m_dib) {
    return false;
  }
  const auto table = m_dib->ColorTable();
  Gdip::BmpCodec::DibRows rows;
  rows.Width = Width();
  rows.Height = Height();
  rows.BitsPerPixel = BPP();
  rows.FirstStoredRow = m_dib->Bits();
  rows.Stride = BytesPerScanline();
  rows.Palette = std::span(reinterpret_cast<const std::uint32_t*>(table.data()), table.size() / 4);
  const QByteArray file = Gdip::BmpCodec::EncodeBmpFile(rows);
  // Written beside the target and renamed over it, so a failed write leaves an older
  // file of that name as it was.
  return !file.isEmpty() && Gdip::WriteFileAtomically(Filename, [&file](QIODevice& out) {
    return out.write(file) == file.size();
  });
}

void CDIB::Destroy() {
  m_dc.reset();
  m_dib.reset();
}

void CDIB::Reset() {
  if (m_dib) {
    std::fill_n(m_dib->Bits(), m_dib->SizeBytes(), std::uint8_t{0});
  }
}

int CDIB::LoadBlt(const Gdi::DC& hSrcDC, int X, int Y, int nWidth, int nHeight) {
  if (!m_dib) {
    return 0;
  }
  return Gdi::BitBlt(*m_dc, 0, 0, nWidth == 0 ? Width() : nWidth, nHeight == 0 ? Height() : nHeight, hSrcDC, X, Y,
                     Gdi::SRCCOPY);
}

void CDIB::LoadDIBBlt(CDIB& DIB) {
  if (!m_dib || !DIB.m_dib) {
    return;
  }
  DIB.Stretch(*m_dc, 0, 0, Width(), Height(), 0, 0, DIB.Width(), DIB.Height(), Gdi::SRCCOPY, Gdi::COLORONCOLOR);
}

// The copy always scales smoothly (halftone); the mode argument is accepted for the
// callers' sake and has no effect. The destination's own mode is left as it was.
int CDIB::Stretch(Gdi::DC& hDestDC, int X, int Y, int nWidth, int nHeight, int xSrc, int ySrc, int nSrcWidth,
                  int nSrcHeight, std::uint32_t ROP, int /*StretchBltMode*/) {
  if (!m_dib) {
    return 0;
  }
  const int previous = hDestDC.GetStretchBltMode();
  hDestDC.SetStretchBltMode(Gdi::HALFTONE);
  const int result = Gdi::StretchBlt(hDestDC, X, Y, nWidth, nHeight, *m_dc, xSrc, ySrc,
                                    nSrcWidth == 0 ? Width() : nSrcWidth, nSrcHeight == 0 ? Height() : nSrcHeight, ROP);
  hDestDC.SetStretchBltMode(previous);
  return result;
}

void CDIB::Cls(Gdi::COLORREF ColorRef) {
  if (m_dib) {
    Gdi::FillRect(*m_dc, QRect(0, 0, Width(), Height()), ColorRef);
  }
}

void CDIB::SetPalette(std::span<const std::uint8_t> Palette) {
  if (!m_dib) {
    return;
  }
  auto table = m_dib->ColorTable();
  const std::size_t bytes = std::min(table.size(), Palette.size() / 4 * 4);
  for (std::size_t i = 0; i < bytes; ++i) {
    table[i] = (i % 4 == 3) ? 0 : Palette[i];
  }
}

void CDIB::GetPalette(std::span<std::uint8_t> Palette) const {
  if (!m_dib) {
    return;
  }
  const auto table = m_dib->ColorTable();
  std::copy_n(table.begin(), std::min(table.size(), Palette.size()), Palette.begin());
}

void CDIB::GetBestFitInfo(int SrcW, int SrcH, int DstW, int DstH, int& bfx, int& bfy, int& bfw, int& bfh,
                          bool StretchFit) {
  if (SrcW <= 0 || SrcH <= 0) {
    // Nothing to place: an empty fit in the middle of the box.
    bfw = 0;
    bfh = 0;
  } else if (!StretchFit && SrcW <= DstW && SrcH <= DstH) {
    bfw = SrcW;
    bfh = SrcH;
  } else {
    const float rw = static_cast<float>(double(DstW) / SrcW);
    const float rh = static_cast<float>(double(DstH) / SrcH);
    if (rw < rh) {
      bfw = DstW;
      bfh = Numbers::RoundToInt(double(rw) * SrcH);
    } else {
      bfh = DstH;
      bfw = Numbers::RoundToInt(double(rh) * SrcW);
    }
  }
  bfx = (DstW - bfw) / 2 + 4;
  bfy = (DstH - bfh) / 2 + 4;
}

QImage CDIB::image() const { return m_dib ? m_dc->Read(QRect(0, 0, Width(), Height())) : QImage(); }

Gdi::DC* CDIB::HDC() { return m_dc.get(); }
std::uint8_t* CDIB::lpBits() { return m_dib ? m_dib->Bits() : nullptr; }
const std::uint8_t* CDIB::lpBits() const { return m_dib ? m_dib->Bits() : nullptr; }
int CDIB::Width() const { return m_dib ? m_dib->Width() : 0; }
int CDIB::Height() const { return m_dib ? m_dib->Height() : 0; }
int CDIB::BPP() const { return m_dib ? m_dib->BitsPerPixel() : 0; }
int CDIB::BytesPerScanline() const { return m_dib ? m_dib->Stride() : 0; }
int CDIB::Size() const { return m_dib ? m_dib->SizeBytes() : 0; }
