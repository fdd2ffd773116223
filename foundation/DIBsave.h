#pragma once

#include <cstdint>
#include <memory>

#include <QString>
#include <QUuid>

#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Graphics.h"

// An off-screen 32-bit bitmap with a drawing context, saved to files by format number:
// 0 BMP, 1 JPEG (with quality), 2 GIF, 3 EMF, 4 WMF, 5 TIFF, 6 PNG. Every image file
// the program writes goes through Save.
class DIBsave {
 public:
  DIBsave();
  ~DIBsave();
  DIBsave(DIBsave&&) noexcept;
  DIBsave& operator=(DIBsave&&) noexcept;

  // Callers draw on MemGraphics and hand new_Img to drawing calls; the object owns both.
  // The context is declared after the bitmap it paints on, so it always ends first.
  std::unique_ptr<Gdip::Bitmap> new_Img;
  std::unique_ptr<Gdip::Graphics> MemGraphics;
  int NewWidth = 0;
  int NewHeight = 0;

  // A size the caller keeps with the object; nothing here reads it.
  float Width() const { return static_cast<float>(m_width); }
  void SetWidth(float value);
  float Height() const { return static_cast<float>(m_height); }
  void SetHeight(float value);

  // Makes a transparent lngWidth x lngHeight bitmap (height comes first) with a drawing
  // context, releasing any earlier one. An export canvas takes the pixel format of Img so
  // the picture is re-encoded in its own format; a format that cannot be drawn on (a
  // palette) is drawn in 32-bit ARGB but keeps reporting the palette format and Img's
  // colour table, for the encoder. BgColor is not used: callers clear explicitly.
  void CreateBlankMemory(int lngHeight, int lngWidth, const Gdip::Bitmap* Img, bool isExport,
                         Gdip::ARGB BgColor = 0, bool Quality = false);
  // Replaces every pixel, alpha included.
  void ClearScreen(Gdip::ARGB Color);
  // Writes the bitmap in the format of that index; lngQuality (JPEG only) is clamped to
  // 0..100. The file is replaced only when the whole picture was written; false when
  // there is no bitmap, the index or its encoder is unknown, or writing failed.
  bool Save(const QString& Filename, int FileTypes, int lngQuality = 0);
  void BitmapArray() {}
  // Releases the bitmap and its drawing context.
  void ClearIMG();
  void Destroy();

 private:
  int m_width = 0;
  int m_height = 0;
  QUuid m_encoderClsid;  // the encoder of the last successful lookup
};
