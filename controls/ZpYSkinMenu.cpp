#include "controls/ZpYSkinMenu.h"

#include <QMouseEvent>

#include "controls/FolderHistory.h"
#include "controls/MenuLayout.h"
#include "controls/SkinText.h"
#include "foundation/ModGDI.h"
#include "foundation/ShortcutKeys.h"
#include "platform/forms/Input.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/Codecs.h"
#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/LinearGradientBrush.h"
#include "platform/gdiplus/Pen.h"
#include "platform/gdiplus/StringFormat.h"

namespace {

using ModGDI::MakeARGB;

constexpr Gdip::ARGB kBlackText = MakeARGB(255, 0, 0, 0);
constexpr Gdip::ARGB kGreyText = MakeARGB(255, 170, 170, 170);
constexpr float kCheckSize = 16;
constexpr float kShortcutInset = 40;
constexpr float kHighlightCorner = 5;

// The highlight: the rounded box spanning W + 2 * CW by H + CH, filled with a soft blue
// gradient and outlined.
void DrawMenuHighlight(Gdip::Graphics& g, float X, float Y, float W, float H, float CW, float CH) {
  g.SetSmoothingMode(Gdip::SmoothingMode::AntiAlias);
  const Gdip::Path path = SkinShapes::RoundedBoxPath(X, Y, W, H, CW, CH);
  Gdip::LinearGradientBrush fill(QPointF(0, Y), QPointF(0, Y + 50), MakeARGB(50, 100, 140, 255),
                                 MakeARGB(100, 100, 140, 255));
  fill.SetWrapMode(Gdip::WrapMode::TileFlipXY);
  g.FillPath(fill, path);
  g.DrawPath(Gdip::Pen(MakeARGB(100, 0, 43, 168), 1), path);
}

}  // namespace

struct ZpYSkinMenu::Kit {
  Gdip::Pen separator{MakeARGB(50, 104, 142, 255), 1};
  Gdip::Pen border{MakeARGB(100, 113, 113, 113), 1};
  Gdip::SolidBrush white{MakeARGB(255, 255, 255, 255)};
  Gdip::Font font{Gdip::FontFamily(QStringLiteral("Tahoma")), 8};
  Gdip::StringFormat format = Ellipsis();

  static Gdip::StringFormat Ellipsis() {
    Gdip::StringFormat format = Gdip::StringFormat::GenericDefault();
    format.SetTrimming(Gdip::StringTrimming::EllipsisCharacter);
    return format;
  }
};

ZpYSkinMenu::ZpYSkinMenu(MainWindowServices* host, const QString& dataFolder, QWidget* parent)
    : SkinSurface(parent),
      m_host(host),
      m_historyFile(dataFolder.isEmpty() ? QString() : FolderHistory::HistoryFile(dataFolder)),
      m_check(Gdip::LoadImageFromFile(dataFolder + QStringLiteral("MenuSeled.png"))),
      m_kit(std::make_unique<const Kit>()) {
  setMouseTracking(true);
  if (!m_historyFile.isEmpty()) {
    FolderHistory::UpdateHistory(m_state.Model(), FolderHistory::ReadHistoryFile(m_historyFile));
  }
}

ZpYSkinMenu::~ZpYSkinMenu() {
  // Without a data folder no history is kept; an unwritable one loses this run's
  // history and keeps the old file.
  if (!m_historyFile.isEmpty()) {
    (void)FolderHistory::WriteHistoryFile(m_historyFile, m_state.Model());
  }
}

void ZpYSkinMenu::HistoryCreate(const QString& path) { FolderHistory::HistoryCreate(m_state.Model(), path); }

void ZpYSkinMenu::SetVisible(bool visible) {
  setVisible(visible);
  if (visible) {
    raise();
  }
}

void ZpYSkinMenu::MenuPainting(bool isMove) {
  if (isMove) {
    PaintHighlightMove();
  } else {
    PaintAll();
  }
  RefreshBackBuffer();
}

void ZpYSkinMenu::PaintRowText(Gdip::Graphics& g, int row) const {
  const Kit& kit = *m_kit;
  const MenuRow& item = m_state.OpenRows()[std::size_t(row)];
  const QRectF rect = m_state.RowRects()[std::size_t(row)];
  if (item.checked && m_check) {
    g.DrawImage(*m_check, QRectF(MenuLayout::CheckColumn, rect.y(), kCheckSize, kCheckSize));
  }
  const Gdip::ARGB colour = item.disabled ? kGreyText : kBlackText;
  const QRectF caption(rect.x() + MenuLayout::TextIndent + 3, rect.y(), rect.width(), rect.height());
  SkinText::Draw(g, item.caption, kit.font, caption, kit.format, colour);
  const QRectF shortcut(rect.width() - kShortcutInset, rect.y(), rect.width(), rect.height());
  SkinText::Draw(g, item.shortcut, kit.font, shortcut, kit.format, colour);
}

void ZpYSkinMenu::PaintAll() {
  const std::unique_ptr<Gdip::Graphics> g = Gdip::Graphics::FromSurface(BackBuffer());
  g->Clear(MakeARGB(255, 255, 255, 255));
  g->SetTextRenderingHint(Gdip::TextRenderingHint::ClearTypeGridFit);
  const std::span<const MenuRow> rows = m_state.OpenRows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const QRectF rect = m_state.RowRects()[i];
    if (rows[i].IsSeparator()) {
      g->DrawLine(m_kit->separator, QPointF(rect.x() + 3, rect.y() + 8), QPointF(rect.width() + 13, rect.y() + 8));
    } else {
      PaintRowText(*g, int(i));
    }
  }
  g->DrawRectangle(m_kit->border, QRectF(0, 0, width() - 1, height() - 1));
}

void ZpYSkinMenu::PaintHighlightMove() {
  const int hovered = m_state.HoveredRow();
  const int previous = m_state.PreviousRow();
  const int count = int(m_state.OpenRows().size());
  if (!m_state.HighlightMoves() || hovered >= count) {
    return;
  }
  const std::unique_ptr<Gdip::Graphics> g = Gdip::Graphics::FromSurface(BackBuffer());
  g->SetTextRenderingHint(Gdip::TextRenderingHint::ClearTypeGridFit);
  const QRectF rect = m_state.RowRects()[std::size_t(hovered)];
  g->FillRectangle(m_kit->white, rect);
  DrawMenuHighlight(*g, float(rect.x()) + MenuLayout::CheckColumn, float(rect.y()) - 2, float(rect.width()),
                    float(rect.height()) - 7, kHighlightCorner, kHighlightCorner);
  PaintRowText(*g, hovered);
  if (previous >= 0 && previous < count) {
    const QRectF old = m_state.RowRects()[std::size_t(previous)];
    g->FillRectangle(m_kit->white, QRectF(old.x(), old.y() - 2, width() - 6, old.height()));
    PaintRowText(*g, previous);
  }
  m_state.SetPreviousRow(hovered);
}

void ZpYSkinMenu::mousePressEvent(QMouseEvent* event) {
  emit MouseDown(Forms::ButtonFromQt(event->button()), Forms::ShiftFromQt(event->modifiers()),
                 float(event->position().x()), float(event->position().y()));
}

void ZpYSkinMenu::mouseMoveEvent(QMouseEvent* event) {
  const bool overRow = m_state.Move(event->position());
  if (overRow) {
    MenuPainting(true);
  }
  ShowMoused(overRow);
  emit MouseMove(Forms::ButtonFromQt(event->buttons()), Forms::ShiftFromQt(event->modifiers()),
                 float(event->position().x()), float(event->position().y()));
}

void ZpYSkinMenu::mouseReleaseEvent(QMouseEvent* event) {
  m_state.Release();
  emit MouseUP(Forms::ButtonFromQt(event->button()), Forms::ShiftFromQt(event->modifiers()),
               float(event->position().x()), float(event->position().y()));
}

void ZpYSkinMenu::keyPressEvent(QKeyEvent* event) {
  ShortcutKeys::Forward(m_host, *event);
}
