#include "controls/ToolGrid.h"

#include "controls/SkinText.h"
#include "foundation/ModGDI.h"
#include "foundation/ModPublic.h"
#include "foundation/Numbers.h"
#include "foundation/SkinSurface.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/Codecs.h"
#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/Pen.h"
#include "platform/gdiplus/StringFormat.h"

namespace ToolGrid {

namespace {

constexpr float kCellSide = 50;
constexpr float kFirstLeft = 15;
constexpr float kFirstTop = 20;
constexpr float kColumnStep = 80;
constexpr float kRowStep = 70;
constexpr int kColumns = 3;
constexpr float kIconWidth = 44;
constexpr float kIconHeight = 34;
constexpr float kCaptionDrop = 40;
constexpr float kCaptionLayoutWidth = 90;
constexpr Gdip::ARGB kCaptionColour = ModGDI::MakeARGB(150, 0, 0, 0);
constexpr Gdip::ARGB kMarkOutline = ModGDI::MakeARGB(255, 255, 255, 255);

}  // namespace

std::array<QRectF, ToolCount> Cells() {
  std::array<QRectF, ToolCount> cells{};
  for (int i = 0; i < ToolCount; ++i) {
    cells[std::size_t(i)] = QRectF(kFirstLeft + kColumnStep * float(i % kColumns),
                                   kFirstTop + kRowStep * float(i / kColumns), kCellSide, kCellSide);
  }
  return cells;
}

int ToolAt(QPointF point) {
  const auto cells = Cells();
  for (int i = 0; i < ToolCount; ++i) {
    if (SkinShapes::HitRect(cells[std::size_t(i)], point)) {
      return i;
    }
  }
  return -1;
}

QString IconPath(int index) {
  return ModPublic::ProgramFolder() + QStringLiteral("Datas/Icon%1.png").arg(index, 3, 10, QLatin1Char('0'));
}

Icons LoadIcons() {
  Icons icons;
  for (int i = 0; i < ToolCount; ++i) {
    icons[std::size_t(i)] = Gdip::LoadImageFromFile(IconPath(i));
  }
  return icons;
}

void DrawTool(Gdip::Graphics& g, int index, const Gdip::Bitmap* icon, const QString& caption) {
  const QRectF cell = Cells()[std::size_t(index)];
  if (icon != nullptr) {
    g.DrawImage(*icon, QRectF(cell.x(), cell.y(), kIconWidth, kIconHeight));
  }
  g.SetTextRenderingHint(Gdip::TextRenderingHint::ClearTypeGridFit);
  const Gdip::Font font(Gdip::FontFamily(QStringLiteral("Tahoma")), 8);
  const Gdip::StringFormat format = Gdip::StringFormat::GenericDefault();
  const float top = float(cell.y()) + kCaptionDrop;
  const QRectF measured = g.MeasureString(caption, font, QRectF(cell.x(), top, kCaptionLayoutWidth, 0), format);
  const int slack = Numbers::RoundToInt(kIconWidth - measured.width());
  const QRectF box(cell.x() + slack / 2 - 1, top, measured.width(), measured.height());
  SkinText::Draw(g, caption, font, box, format, kCaptionColour);
}

void DrawMark(Gdip::Graphics& g, int index, Gdip::ARGB fill) {
  if (index < 0 || index >= ToolCount) {
    return;
  }
  const QRectF cell = Cells()[std::size_t(index)];
  constexpr float kArc = 5;
  g.SetSmoothingMode(Gdip::SmoothingMode::AntiAlias);
  const Gdip::Path mark =
      SkinShapes::RoundedBoxPath(float(cell.x()) - 8, float(cell.y()) - 8, kCellSide, 60, kArc, kArc);
  g.FillPath(Gdip::SolidBrush(fill), mark);
  g.DrawPath(Gdip::Pen(kMarkOutline, 1), mark);
}

}  // namespace ToolGrid
