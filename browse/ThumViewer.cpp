#include "browse/ThumViewer.h"

#include <algorithm>

#include <QDateTime>
#include <QKeyEvent>

#include "browse/StarList.h"
#include "browse/ThumSurface.h"
#include "browse/scrollVControl.h"
#include "foundation/ModPublic.h"
#include "foundation/SelectedFiles.h"
#include "foundation/ShortcutKeys.h"

using ModFileinfo::FileRow;

namespace {

QColor FromOleColor(std::uint32_t ole) { return QColor(ole & 0xFF, (ole >> 8) & 0xFF, (ole >> 16) & 0xFF); }

QDate LocalDay(std::int64_t secondsSinceEpoch) { return QDateTime::fromSecsSinceEpoch(secondsSinceEpoch).date(); }

}  // namespace

QString ThumViewer::DefaultImageFormats() {
  return QStringLiteral("*.png;*.gif;*.wmf;*.emf;*.bmp;*.tif;*.tiff;*.jpg;*.jpeg");
}

ThumViewer::ThumViewer(QWidget* parent)
    : QWidget(parent),
      m_surface(new ThumSurface(*this)),
      m_scroll(new scrollVControl(this)),
      m_pattern(DefaultImageFormats()),
      m_loader(new ThumbnailLoader(this)),
      m_selectedFiles(&SelectedFiles::Program()) {
  setFocusPolicy(Qt::StrongFocus);
  m_surface->resize(0, 0);
  SetBackColor(m_backColor);
  connect(m_scroll, &scrollVControl::ValueChanged, this, &ThumViewer::OnScrollValueChanged);
  connect(m_loader, &ThumbnailLoader::Delivered, this, &ThumViewer::PlaceThumbnail);
  connect(m_loader, &ThumbnailLoader::Finished, this, &ThumViewer::FinishSheet);
}

ThumViewer::~ThumViewer() = default;

QWidget* ThumViewer::Surface() const { return m_surface; }

void ThumViewer::Path(const QString& NewPath) {
  if (!m_hasCaptionKit) {
    CreateCaptionKit();
  }
  emit PictureDaysListed({});
  m_filterKind = NoFilter;
  OldPress = 0;
  // No folder lists nothing; AddBackslash would make it the root folder.
  m_folderPath = NewPath.isEmpty() ? QString() : ModPublic::AddBackslash(NewPath);
  FillFileTable();
}

void ThumViewer::RefreshThumbnail(bool isReAdd) {
  if (isReAdd) {
    FillFileTable();
  }
  CreateThumbnail(0, false, true);
}

void ThumViewer::ZoomThumbnail(int ZoomV) { CreateThumbnail(ZoomV, true, false); }

void ThumViewer::SearchThumbnaillGO(const QString& KeyWords, bool isSearch) {
  if (!isSearch) {
    if (m_searchFolder != m_folderPath) {
      m_searchRows = m_rows;
      m_searchFolder = m_folderPath;
    }
    return;
  }
  m_rows = ModFileinfo::SearchFileTable(m_searchRows, KeyWords);
  ListCount = static_cast<int>(m_rows.size());
  // The current row is the current file's place in the new table; with the file left
  // out there is none, and Next starts at the first listed row.
  const auto current = std::find_if(m_rows.begin(), m_rows.end(),
                                    [&](const ModFileinfo::FileRow& row) { return row.Path == SelectFile; });
  OldPress = current == m_rows.end() ? -1 : static_cast<int>(current - m_rows.begin());
  ClearSheet();
  PublishSelection();
  emit Listed();
  CreateThumbnail(0, false, false);
}

void ThumViewer::FillFileTable() {
  QrFileRead();
  m_rows = ModFileinfo::ListImageFiles(m_folderPath, m_pattern);
  StarList::MarkRows(m_rows, m_starNames);
  // Every refill comes out in the chosen order, compared on the typed facts.
  ModFileinfo::SortFileTable(m_rows, m_sort);
  ListCount = static_cast<int>(m_rows.size());
  // The rows the running drawing was made for are gone.
  ClearSheet();
  NoOpen = ListCount != 0;
  // The search copy follows every refill, so a search never brings back a file that
  // was deleted or renamed since the folder was first listed.
  m_searchRows = m_rows;
  m_searchFolder = m_folderPath;
  // A new table has nothing selected, and the shared list must not go on naming files
  // of the old one: Delete or Move would act on files no longer shown as selected.
  PublishSelection();
  emit Listed();
}

void ThumViewer::CreateCaptionKit() {
  m_captions.Font = QFont(font().family());
  m_captions.Font.setPointSizeF(8);
  // Missing art leaves a null image; stars are then not drawn.
  m_captions.Star = QImage(ModPublic::DataFolderPath + QStringLiteral("Favorties.png"));
  m_hasCaptionKit = true;
}

bool ThumViewer::PassesFilter(const FileRow& row) const {
  switch (m_filterKind) {
    case ExtensionFilter: return MatchImageFormat(row);
    case DateFilter: return MatchDateWatch(row);
    default: return true;
  }
}

// Every listed row counts, whatever the filter hides: a date filter is chosen from them.
QList<QDate> ThumViewer::PictureDays() const {
  QList<QDate> days;
  days.reserve(static_cast<qsizetype>(m_rows.size()));
  for (const FileRow& row : m_rows) {
    days.push_back(LocalDay(row.Created));
  }
  std::sort(days.begin(), days.end());
  days.erase(std::unique(days.begin(), days.end()), days.end());
  return days;
}

bool ThumViewer::MatchImageFormat(const FileRow& row) const {
  return m_formatFilter.contains(row.Extname, Qt::CaseInsensitive);
}

bool ThumViewer::MatchDateWatch(const FileRow& row) const {
  const QDate day = LocalDay(row.Created);
  const std::array<int, 3> file{day.year(), day.month(), day.day()};
  return file <= m_dateFilter;
}

void ThumViewer::SetBackColor(std::uint32_t value) {
  m_backColor = value;
  QPalette palette = m_surface->palette();
  palette.setColor(QPalette::Window, FromOleColor(value));
  m_surface->setPalette(palette);
}

void ThumViewer::SetThumWidth(int value) { m_thumWidth = value < 1 ? DefaultThumSize : value; }

void ThumViewer::SetThumHeight(int value) { m_thumHeight = value < 1 ? DefaultThumSize : value; }

void ThumViewer::SetThumbnaillSort(int value) {
  m_sort = value;
  RefreshThumbnail(true);
}

void ThumViewer::SetImageFormats(const QString& value) {
  m_formatFilter = value.toLower().remove(QStringLiteral("*.")).split(u';', Qt::SkipEmptyParts);
  m_filterKind = ExtensionFilter;
  emit Listed();
}

void ThumViewer::SetDateWatch(const QString& value) {
  // The host writes day, month and year, each followed by "-".
  const QStringList parts = value.split(u'-');
  const auto field = [&parts](qsizetype i) { return i < parts.size() ? parts[i].trimmed().toInt() : 0; };
  m_dateFilter = {field(2), field(1), field(0)};
  m_filterKind = DateFilter;
  emit Listed();
}

int ThumViewer::ShownCount() const {
  const auto count = [this](auto matches) {
    return int(std::count_if(m_rows.begin(), m_rows.end(), [&](const FileRow& row) { return (this->*matches)(row); }));
  };
  switch (m_filterKind) {
    case ExtensionFilter:
      return count(&ThumViewer::MatchImageFormat);
    case DateFilter:
      return count(&ThumViewer::MatchDateWatch);
    default:
      return ListCount;
  }
}

const FileRow* ThumViewer::CurrentRow() const {
  if (OldPress < 0 || OldPress >= static_cast<int>(m_rows.size())) {
    return nullptr;
  }
  const FileRow& row = m_rows[static_cast<std::size_t>(OldPress)];
  return row.Selected ? &row : nullptr;
}

QString ThumViewer::CurrentFact(QString FileRow::*column) const {
  const FileRow* row = CurrentRow();
  return row != nullptr ? row->*column : QString();
}

QString ThumViewer::ShowFormat() const { return CurrentFact(&FileRow::Extname); }
QString ThumViewer::ShowSize() const { return CurrentFact(&FileRow::SizeText); }
QString ThumViewer::ShowFilename() const { return CurrentFact(&FileRow::Name); }
QString ThumViewer::ShowCreateData() const { return CurrentFact(&FileRow::CDate); }
QString ThumViewer::ShowModiData() const { return CurrentFact(&FileRow::MDate); }

void ThumViewer::resizeEvent(QResizeEvent*) {
  const int topSlot = TopSlot();
  LayoutChildren();
  ReflowSheet(topSlot);
}

void ThumViewer::keyPressEvent(QKeyEvent* event) {
  if (const std::optional<ShortcutKeys::Code> key = ShortcutKeys::CodeOf(*event)) {
    emit ShortcutKeyPressed(key->keyCode, key->shift);
  }
}

void ThumViewer::LayoutChildren() {
  const int w = width();
  const int h = height();
  m_surface->setGeometry(SurfaceMargin, SurfaceMargin, w - ScrollBarWidth - SurfaceMargin, m_surface->height());
  m_scroll->setGeometry(m_surface->x() + m_surface->width(), 0, ScrollBarWidth, h);
  UpdateScrollRange();
}

int ThumViewer::TopSlot() const {
  if (!m_geometry.CanLayOut()) {
    return 0;
  }
  // The row whose top lies nearest the view's top.
  const int line = std::max(0, (m_scroll->Value() + m_geometry.RowStep / 2) / m_geometry.RowStep);
  return line * m_geometry.PerRow();
}

void ThumViewer::ReflowSheet(int topSlot) {
  if (!m_geometry.CanLayOut()) {
    return;
  }
  const SheetGeometry next =
      SheetGeometry::For(width(), ScrollBarWidth, m_geometry.Zoom, m_geometry.ThumWidth, m_geometry.ThumHeight);
  if (next.Columns == m_geometry.Columns) {
    return;
  }
  m_geometry = next;
  for (int row : m_slotRows) {
    PlaceCell(row);
  }
  // A band drawn on the old grid would select by rectangles that have moved.
  m_bandActive = false;
  m_buttonDown = false;
  m_bandRect = QRect();
  SetupThumbScroll();
  ScrollToSlot(topSlot);
  DecodeReleasedInView();
  m_surface->update();
}

void ThumViewer::ScrollToSlot(int slot) {
  if (!m_scroll->Enabled() || slot <= 0 || slot >= static_cast<int>(m_slotRows.size())) {
    return;
  }
  const int line = slot / m_geometry.PerRow();
  m_scroll->ShowValue(line * m_geometry.RowStep);
  OnScrollValueChanged();
}

void ThumViewer::UpdateScrollRange() {
  // A sheet that now fits must not stay scrolled behind a disabled bar.
  m_scroll->FitContent(m_surface->height(), height());
}

void ThumViewer::OnScrollValueChanged() {
  m_surface->move(m_surface->x(), -m_scroll->Value());
  m_surface->update();
  DecodeReleasedInView();
  // The rows that scrolled into view are drawn before the rest. The queue is only
  // rebuilt when a row comes into view, not for every pixel of a drag.
  if (m_loader->Busy()) {
    std::vector<int> onScreen = VisibleRequests();
    if (onScreen != m_prioritized) {
      m_loader->Prioritize(onScreen);
      m_prioritized = std::move(onScreen);
    }
  }
}
