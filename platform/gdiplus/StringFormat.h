#pragma once

#include "platform/gdiplus/GdipTypes.h"

namespace Gdip {

// How text is laid out in its rectangle. The generic default format pads each line by
// a sixth of the em size on the left and on the right; the typographic one does not.
class StringFormat {
 public:
  static StringFormat GenericDefault() { return StringFormat(false); }
  static StringFormat GenericTypographic() { return StringFormat(true); }

  void SetTrimming(StringTrimming trimming) { m_trimming = trimming; }
  StringTrimming GetTrimming() const { return m_trimming; }
  void SetFormatFlags(int flags) { m_flags = flags; }
  int GetFormatFlags() const { return m_flags; }
  void SetAlignment(StringAlignment alignment) { m_alignment = alignment; }
  StringAlignment GetAlignment() const { return m_alignment; }
  void SetLineAlignment(StringAlignment alignment) { m_lineAlignment = alignment; }
  StringAlignment GetLineAlignment() const { return m_lineAlignment; }
  bool IsTypographic() const { return m_typographic; }

 private:
  explicit StringFormat(bool typographic)
      : m_typographic(typographic), m_trimming(typographic ? StringTrimming::None : StringTrimming::Character) {}

  bool m_typographic;
  StringTrimming m_trimming;
  int m_flags = 0;
  StringAlignment m_alignment = StringAlignment::Near;
  StringAlignment m_lineAlignment = StringAlignment::Near;
};

}  // namespace Gdip
