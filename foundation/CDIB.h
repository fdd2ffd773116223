#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include <QImage>
#include <QString>

#include "platform/gdi/DC.h"

namespace Gdi {
class DibSection;
}

// A device-independent bitmap with its own memory device context: pixels that can be
// drawn on through HDC() and read and written in place through lpBits(). Rows are
// stored bottom-up. An empty object (no bitmap) does nothing and returns 0 or false.
class CDIB {
 public:
  CDIB();
  ~CDIB();
  CDIB(CDIB&&) noexcept;
  CDIB& operator=(CDIB&&) noexcept;
  CDIB(const CDIB&) = delete;
  CDIB& operator=(const CDIB&) = delete;

  // Replaces the bitmap; false for a depth other than 1, 4, 8, 24, 32 or a size that is
  // empty or overflows. Indexed depths start with an all-black colour table.
  bool Create(int NewWidth, int NewHeight, int NewBPP);
  // Makes the other object an exact copy of this one; does nothing when this one is
  // empty or is the other object.
  void CloneTo(CDIB& oDIB) const;
  // Writes a BMP file; false when empty or when the file cannot be written.
  bool Save(const QString& Filename) const;
  void Destroy();

  int LoadBlt(const Gdi::DC& hSrcDC, int X = 0, int Y = 0, int nWidth = 0, int nHeight = 0);
  void LoadDIBBlt(CDIB& DIB);
  int Stretch(Gdi::DC& hDestDC, int X, int Y, int nWidth, int nHeight, int xSrc = 0, int ySrc = 0,
              int nSrcWidth = 0, int nSrcHeight = 0, std::uint32_t ROP = Gdi::SRCCOPY,
              int StretchBltMode = Gdi::COLORONCOLOR);
  void Cls(Gdi::COLORREF ColorRef = 0);
  void Reset();

  // Entries of 4 bytes (blue, green, red, 0) from entry 0; extra bytes are ignored.
  void SetPalette(std::span<const std::uint8_t> Palette);
  // Copies the colour table, at most as many bytes as the array holds.
  void GetPalette(std::span<std::uint8_t> Palette) const;

  static void GetBestFitInfo(int SrcW, int SrcH, int DstW, int DstH, int& bfx, int& bfy, int& bfw, int& bfh,
                             bool StretchFit = false);

  Gdi::DC* HDC();
  bool hDIB() const { return m_dib != nullptr; }
  std::uint8_t* lpBits();
  const std::uint8_t* lpBits() const;
  int Width() const;
  int Height() const;
  int BPP() const;
  int BytesPerScanline() const;
  int Size() const;
  // An upright snapshot of the picture.
  QImage image() const;

 private:
  std::unique_ptr<Gdi::DibSection> m_dib;
  std::unique_ptr<Gdi::DibDC> m_dc;
};
