#include "controls/SkinMenuState.h"

#include <utility>

#include "controls/MenuLayout.h"
#include "foundation/CommandKeys.h"

SkinMenuState::SkinMenuState(MenuModel model) : m_model(std::move(model)) {}

void SkinMenuState::Initializemenu(int menu, int controlWidth) {
  m_currentlyMenu = menu;
  if (menu == MenuModel::HistoryMenu) {
    m_menuCounts = m_model.HistoryCount();
  } else if (const auto fixed = MenuModel::FixedMenuRows(menu)) {
    m_menuCounts = *fixed;
  }
  if (m_memFirst) {
    if (const auto first = m_model.FirstRowOf(menu)) {
      m_firstRow = *first;
      m_memFirst = false;
    }
  }
  MenuLayout::Layout layout = MenuLayout::LayOut(OpenRows(), controlWidth, m_subMenuHeight);
  m_rects = std::move(layout.rows);
  m_newHeight = layout.newHeight;
  // No row carries the highlight yet, so the first row hovered takes it, the last included.
  m_previousRow = NoRow;
}

std::span<const MenuRow> SkinMenuState::OpenRows() const { return m_model.Rows(m_firstRow, m_menuCounts); }

void SkinMenuState::MenuVisible(const QString& KeyName, bool Visible) {
  for (MenuRow& row : m_model.Rows(m_firstRow, m_menuCounts)) {
    if (row.key.compare(KeyName, Qt::CaseInsensitive) == 0) {
      row.disabled = !Visible;
    }
  }
}

void SkinMenuState::MenuChecked(const QString& KeyName, bool Checked) {
  for (MenuRow& row : m_model.Rows(m_firstRow, m_menuCounts)) {
    if (row.key.compare(KeyName, Qt::CaseInsensitive) == 0) {
      row.checked = Checked;
    }
  }
}

bool SkinMenuState::Move(QPointF point) {
  m_pressed = false;
  const std::span<const MenuRow> rows = OpenRows();
  const std::optional<int> hit = MenuLayout::HitTest(m_rects, rows, point);
  m_lngVisible = hit ? 1 : 0;
  if (!hit) {
    return false;
  }
  const MenuRow& row = rows[std::size_t(*hit)];
  m_hoveredKey = row.key;
  m_hoveredCaption = row.caption;
  m_hoveredRow = *hit;
  return true;
}

bool SkinMenuState::HighlightMoves() const {
  return m_hoveredRow != m_previousRow && m_hoveredKey != CommandKeyText(CommandKeys::Separator);
}
