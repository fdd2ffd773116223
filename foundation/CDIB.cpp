#include "foundation/CDIB.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/DibSection.h"

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

void CDIB::Destroy() {
  m_dc.reset();
  m_dib.reset();
}

void CDIB::Reset() {
  if (m_dib) {
    std::fill_n(m_dib->Bits(), m_dib->SizeBytes(), std::uint8_t{0});
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

Gdi::DC* CDIB::HDC() { return m_dc.get(); }
std::uint8_t* CDIB::lpBits() { return m_dib ? m_dib->Bits() : nullptr; }
const std::uint8_t* CDIB::lpBits() const { return m_dib ? m_dib->Bits() : nullptr; }
int CDIB::Width() const { return m_dib ? m_dib->Width() : 0; }
int CDIB::Height() const { return m_dib ? m_dib->Height() : 0; }
int CDIB::BPP() const { return m_dib ? m_dib->BitsPerPixel() : 0; }
int CDIB::BytesPerScanline() const { return m_dib ? m_dib->Stride() : 0; }
int CDIB::Size() const { return m_dib ? m_dib->SizeBytes() : 0; }
