#pragma once

#include <memory>

#include <QString>

namespace Gdip {
class Bitmap;
enum class LoadFailure;
}

// Holds one image loaded from a file, with its size, and fits sizes into boxes.
// The holder owns its image: Import and Destroy dispose of it.
class GdiDIB {
 public:
  GdiDIB();
  ~GdiDIB();
  GdiDIB(GdiDIB&&) noexcept;
  GdiDIB& operator=(GdiDIB&&) noexcept;

  // The image; null when the holder is empty.
  Gdip::Bitmap* DIB() const { return m_image.get(); }
  // Hands an image over to the holder (its size is taken from it).
  void SetDIB(std::unique_ptr<Gdip::Bitmap> image);

  float Width() const { return static_cast<float>(m_width); }
  void SetWidth(float value);
  float Height() const { return static_cast<float>(m_height); }
  void SetHeight(float value);

  // Loads the first frame of a file by its content. A file that cannot be decoded leaves
  // the holder empty with a size of 0 x 0, and Failure says why. Always returns 0.
  int Import(const QString& Filename);
  // Why the last Import gave no picture; None after a load or a handed-over image.
  Gdip::LoadFailure Failure() const { return m_failure; }

  // Places a source into a box keeping its aspect ratio, never enlarging; the offsets are
  // whole numbers and an odd leftover pixel goes to the right and bottom.
  static void GetBestFitInfo(float SrcW, float SrcH, float DstW, float DstH, float& bfx, float& bfy, float& bfw,
                             float& bfh);

  void Destroy();

 private:
  std::unique_ptr<Gdip::Bitmap> m_image;
  int m_width = 0;
  int m_height = 0;
  Gdip::LoadFailure m_failure{};  // None
};
