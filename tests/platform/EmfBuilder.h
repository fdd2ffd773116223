#pragma once
// Enhanced metafiles built record by record for the metafile tests.

#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <string_view>
#include <vector>

#include <QByteArray>
#include <QImage>
#include <QRect>

#include "platform/gdiplus/LittleEndian.h"
#include "platform/gdiplus/MetafileFormat.h"

namespace CodecTestFiles {

using Gdip::LeWriter;

// Builds an enhanced metafile record by record; the header and end record are added by
// Finish().
class EmfBuilder {
 public:
  // A frame of the given size in pixels at 96 dpi, on a reference device of `deviceDpi`.
  EmfBuilder(int width, int height, int deviceDpi) : m_width(width), m_height(height), m_dpi(deviceDpi) {}

  void Record(std::uint32_t type, const std::function<void(LeWriter&)>& fields) {
    QByteArray body;
    LeWriter w(body);
    fields(w);
    LeWriter out(m_records);
    out.U32(type);
    out.U32(std::uint32_t(8 + body.size()));
    m_records.append(body);
    ++m_count;
  }
  void Ints(std::uint32_t type, std::initializer_list<std::int32_t> values) {
    Record(type, [&](LeWriter& w) {
      for (auto v : values) {
        w.I32(v);
      }
    });
  }

  // A font of that em height (logical units) in slot 1, selected.
  void Font(int height) {
    Record(Gdip::Emf::kExtCreateFontIndirectW, [height](LeWriter& w) {
      w.U32(1);
      w.I32(-height);
      w.Zeros(12);
      w.I32(400);
      w.Zeros(8);
      for (char16_t c : std::u16string_view(u"DejaVu Sans")) {
        w.U16(c);
      }
      w.Zeros(64 - 22);
    });
    Ints(Gdip::Emf::kSelectObject, {1});
  }
  // A line of text at (x, y), with one advance per character if any are given.
  void Text(int x, int y, std::u16string_view text, const std::vector<int>& advances) {
    Record(Gdip::Emf::kExtTextOutW, [&](LeWriter& w) {
      w.Zeros(16 + 12);
      w.I32(x);
      w.I32(y);
      w.U32(std::uint32_t(text.size()));
      w.U32(76);  // the string follows the fixed fields
      w.U32(0);
      w.Zeros(16);
      w.U32(advances.empty() ? 0 : std::uint32_t(76 + text.size() * 2));
      for (char16_t c : text) {
        w.U16(c);
      }
      for (int a : advances) {
        w.I32(a);
      }
    });
  }
  // The world transform: the six matrix entries as GDI orders them.
  void WorldTransform(std::initializer_list<float> matrix) {
    Record(Gdip::Emf::kSetWorldTransform, [&](LeWriter& w) {
      for (float v : matrix) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        w.U32(bits);
      }
    });
  }

  QByteArray Finish() {
    Ints(Gdip::Emf::kEof, {0, 16, 20});
    QByteArray out;
    LeWriter w(out);
    w.U32(Gdip::Emf::kHeader);
    w.U32(88);
    for (int v : {0, 0, m_width - 1, m_height - 1}) {
      w.I32(v);
    }
    for (int v : {0, 0, m_width * 2540 / 96, m_height * 2540 / 96}) {
      w.I32(v);
    }
    w.U32(Gdip::Emf::kSignature);
    w.U32(0x10000);
    w.U32(std::uint32_t(88 + m_records.size()));
    w.U32(std::uint32_t(m_count + 1));
    w.U16(8);
    w.U16(0);
    w.U32(0);
    w.U32(0);
    w.U32(0);
    w.I32(1920 * m_dpi / 96);  // device pixels for 508 x 381 millimetres
    w.I32(1440 * m_dpi / 96);
    w.I32(508);
    w.I32(381);
    out.append(m_records);
    return out;
  }

 private:
  int m_width, m_height, m_dpi;
  QByteArray m_records;
  int m_count = 0;
};

// Dark, visible pixels in an area.
inline int InkIn(const QImage& image, const QRect& area) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb p = image.pixel(x, y);
      count += qAlpha(p) > 128 && qRed(p) < 80 && qGreen(p) < 80 && qBlue(p) < 80 ? 1 : 0;
    }
  }
  return count;
}

}  // namespace CodecTestFiles
