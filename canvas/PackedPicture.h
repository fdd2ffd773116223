#pragma once
// A picture held compressed in memory, for undo snapshots beyond the memory budget.
// Compressing and restoring take a fraction of a PNG encode or decode: the rows are cut
// into bands, each compressed on its own core with a fast zstd level, so a snapshot
// comes back in well under the time a user waits between two undo presses.

#include <vector>

#include <QImage>
#include <QList>
#include <QSize>

class PackedPicture {
 public:
  // Empty when the picture is null or cannot be compressed.
  static PackedPicture Pack(const QImage& picture);
  // The picture exactly as it was packed; null when memory for it cannot be had.
  QImage Unpack() const;
  bool IsNull() const { return m_bands.empty(); }
  // The memory the compressed bands take.
  qint64 SizeInBytes() const;

 private:
  struct Band {
    int firstRow = 0;
    int rows = 0;
    std::vector<char> bytes;
  };

  QSize m_size;
  QImage::Format m_format = QImage::Format_Invalid;
  QList<QRgb> m_colorTable;
  int m_dotsPerMeterX = 0;
  int m_dotsPerMeterY = 0;
  std::vector<Band> m_bands;
};
