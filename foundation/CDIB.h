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

  // Copies a block of a context to (0, 0) of this bitmap; a width or height of 0 means
  // this bitmap's own. Non-zero on success, 0 when empty.
  int LoadBlt(const Gdi::DC& hSrcDC, int X = 0, int Y = 0, int nWidth = 0, int nHeight = 0);
  // Stretches the whole of another DIB onto the whole of this one.
  void LoadDIBBlt(CDIB& DIB);
  // Copies to a context with scaling, always smoothly; a source width or height of 0
  // means this bitmap's own. The mode argument has no effect and the context keeps its
  // own mode. Non-zero on success, 0 when empty.
  int Stretch(Gdi::DC& hDestDC, int X, int Y, int nWidth, int nHeight, int xSrc = 0, int ySrc = 0,
              int nSrcWidth = 0, int nSrcHeight = 0, std::uint32_t ROP = Gdi::SRCCOPY,
              int StretchBltMode = Gdi::COLORONCOLOR);
  // Fills the bitmap with an RGB colour. At 32 bits the fourth byte becomes 255 (GDI
  // leaves it 0); nothing bridges a cleared DIB to an image, so the difference is harmless.
  void Cls(Gdi::COLORREF ColorRef = 0);
  // Sets every byte of the pixels to 0.
  void Reset();

  // Entries of 4 bytes (blue, green, red, 0) from entry 0; extra bytes are ignored.
  void SetPalette(std::span<const std::uint8_t> Palette);
  // Copies the colour table, at most as many bytes as the array holds.
  void GetPalette(std::span<std::uint8_t> Palette) const;

  // Fits a source into a box keeping its shape, in whole pixels: never enlarged unless
  // StretchFit, centred with 4 pixels added to both offsets.
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
  // An upright ARGB32 snapshot of the picture (the fourth byte of 32-bit pixels as alpha).
  QImage image() const;

 private:
  std::unique_ptr<Gdi::DibSection> m_dib;
  std::unique_ptr<Gdi::DibDC> m_dc;
};
