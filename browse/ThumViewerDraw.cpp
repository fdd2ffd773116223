// Drawing the thumbnail sheet: the grid, the thumbnails as they are decoded, captions,
// star marks, frames and the rubber band.
#include <algorithm>

#include <QFontMetrics>
#include <QPainter>

#include "browse/ThumSurface.h"
#include "browse/ThumViewer.h"
#include "browse/scrollVControl.h"
#include "foundation/GdiDIB.h"
#include "foundation/ModGDI.h"
#include "foundation/ModPublic.h"

using ModFileinfo::FileRow;

namespace {

constexpr int kStarSize = 16;
constexpr int kStarInset = 18;

QColor FromARGB(std::uint32_t argb) {
  return QColor((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF, argb >> 24);
}

const QColor kGreyFrame = FromARGB(ModGDI::MakeARGB(255, 235, 235, 235));
const QColor kBlueFrame = FromARGB(ModGDI::MakeARGB(255, 47, 99, 255));
const QColor kBandFill = FromARGB(ModGDI::MakeARGB(50, 51, 84, 128));
const QColor kBandOutline = FromARGB(ModGDI::MakeARGB(200, 255, 255, 255));

// Where a picture of this size sits inside a box: fitted, centred, portraits lifted.
QRectF FitInto(QSize source, double boxWidth, double boxHeight) {
  float x = 0;
  float y = 0;
  float w = 0;
  float h = 0;
  GdiDIB::GetBestFitInfo(static_cast<float>(source.width()), static_cast<float>(source.height()),
                         static_cast<float>(boxWidth), static_cast<float>(boxHeight), x, y, w, h);
  if (h > w) {
    y -= SheetGeometry::PortraitLift;
  }
  return {x, y, w, h};
}

// Where a row's picture sits in its box. A file that gave no picture takes its whole
// box, so its broken mark can be seen, clicked and framed like any thumbnail.
QRectF PictureRect(const ThumbPicture& picture, double boxWidth, double boxHeight) {
  return picture.Thumb.isNull() ? QRectF(0, 0, boxWidth, boxHeight) : FitInto(picture.Source, boxWidth, boxHeight);
}

// A torn page, drawn where a file gave no picture.
void PaintBrokenMark(QPainter& painter, const QRectF& box) {
  constexpr double kWidth = 24;
  constexpr double kHeight = 30;
  const QRectF page(box.center().x() - kWidth / 2, box.center().y() - kHeight / 2, kWidth, kHeight);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(120, 120, 120), 1.5));
  painter.setBrush(QColor(245, 245, 245));
  painter.drawRect(page);
  const double y = page.center().y();
  const QPointF crack[] = {{page.left(), y - 2}, {page.left() + 6, y + 4}, {page.left() + 12, y - 4},
                           {page.left() + 18, y + 4}, {page.right(), y - 2}};
  painter.setPen(QPen(QColor(200, 40, 40), 2));
  painter.drawPolyline(crack, 5);
  painter.restore();
}

// The frame around a thumbnail: its rectangle grown by 2 on every side.
QRectF FrameOf(const QRectF& hit) { return hit.adjusted(-2, -2, 2, 2); }

}  // namespace

bool ThumViewer::CreateThumbnail(int Zoom, bool, bool) {
  m_geometry = SheetGeometry::For(width(), ScrollBarWidth, Zoom, m_thumWidth, m_thumHeight);
  ClearSheet();
  m_sheetReady = false;
  if (ModPublic::GdiplusToken != 0 && m_geometry.CanLayOut()) {
    LayOutRows();
  }
  SetupThumbScroll();
  m_surface->move(m_surface->x(), 0);
  m_surface->update();
  StartDecoding();
  return false;
}

void ThumViewer::ClearSheet() {
  m_loader->Cancel();
  const std::size_t rows = m_rows.size();
  m_slotRows.clear();
  m_rowSlots.assign(rows, -1);
  m_fitRects.assign(rows + 1, QRectF());
  m_imageRects.assign(rows + 1, QRectF());
  m_pictures.assign(rows, ThumbPicture());
  m_heldBytes = 0;
  m_drawn.assign(rows, false);
  m_requestOfRow.assign(rows, -1);
  m_framedRow = -1;
  m_reviewRows.clear();
  m_bandActive = false;
  m_buttonDown = false;
  m_bandRect = QRect();
}

void ThumViewer::LayOutRows() {
  bool deselected = false;
  for (int i = 0; i < ListCount; ++i) {
    FileRow& row = m_rows[i];
    if (!PassesFilter(row)) {
      // A hidden row cannot stay selected: nobody could see that it is.
      deselected = deselected || row.Selected;
      row.Selected = false;
      continue;
    }
    m_rowSlots[i] = static_cast<int>(m_slotRows.size());
    m_slotRows.push_back(i);
  }
  if (deselected) {
    PublishSelection();
  }
  emit PictureDaysListed(PictureDays());
}

void ThumViewer::SetupThumbScroll() {
  m_surface->resize(m_surface->width(), m_geometry.SurfaceHeight(static_cast<int>(m_slotRows.size())));
  UpdateScrollRange();
}

void ThumViewer::StartDecoding() {
  std::vector<ThumbRequest> requests;
  m_requestOfRow.assign(m_rows.size(), -1);
  const QSize box(m_geometry.CellWidth, m_geometry.CellHeight);
  for (int slot = 0; slot < static_cast<int>(m_slotRows.size()); ++slot) {
    const int row = m_slotRows[slot];
    // Rows let go far from the view wait until the view comes near them again.
    if (m_drawn[row] && !(Released(row) && InWindow(slot))) {
      continue;
    }
    const FileRow& file = m_rows[row];
    const ThumbRequest request{row, file.Path, box, file.Bytes, file.Modified};
    if (const ThumbPicture* cached = m_loader->Cached(request)) {
      PlaceThumbnail(row, *cached);
    } else {
      m_requestOfRow[row] = static_cast<int>(requests.size());
      requests.push_back(request);
    }
  }
  // Finished follows at once when every picture came from memory.
  m_prioritized = VisibleRequests();
  m_loader->Start(std::move(requests), m_prioritized);
}

void ThumViewer::DecodeReleasedInView() {
  int first = 0;
  int last = -1;
  VisibleSlots(first, last);
  for (int slot = first; slot <= last; ++slot) {
    const int row = m_slotRows[slot];
    if (Released(row) && m_requestOfRow[row] < 0) {
      StartDecoding();
      return;
    }
  }
}

void ThumViewer::VisibleSlots(int& first, int& last) const {
  const double top = -m_surface->y();
  m_geometry.SlotsIn(top, top + height(), static_cast<int>(m_slotRows.size()), first, last);
}

bool ThumViewer::InWindow(int slot) const {
  int first = 0;
  int last = -1;
  VisibleSlots(first, last);
  const int margin = MemoryBudgets::kSheetMarginRows * m_geometry.PerRow();
  return slot >= first - margin && slot <= last + margin;
}

bool ThumViewer::Released(int row) const {
  const ThumbPicture& picture = m_pictures[row];
  return m_drawn[row] && picture.Thumb.isNull() && picture.Failure == Gdip::LoadFailure::None;
}

void ThumViewer::Release(int row) {
  if (!m_pictures[row].Thumb.isNull()) {
    m_heldBytes -= m_pictures[row].Thumb.sizeInBytes();
    // The size stays for the caption and the layout; only the pixels go.
    m_pictures[row].Thumb = QImage();
    m_requestOfRow[row] = -1;
  }
}

void ThumViewer::KeepWithinBudget() {
  if (m_heldBytes <= m_budget) {
    return;
  }
  int first = 0;
  int last = -1;
  VisibleSlots(first, last);
  // Down to nine tenths, so that letting go happens now and then, not on every picture.
  const qint64 target = m_budget - m_budget / 10;
  int low = 0;
  int high = static_cast<int>(m_slotRows.size()) - 1;
  while (m_heldBytes > target && (low < first || high > last)) {
    const bool lowIsFarther = low < first && (high <= last || first - low >= high - last);
    Release(m_slotRows[lowIsFarther ? low++ : high--]);
  }
}
std::vector<int> ThumViewer::VisibleRequests() const {
  int first = 0;
  int last = -1;
  VisibleSlots(first, last);
  std::vector<int> requests;
  for (int slot = first; slot <= last; ++slot) {
    const int request = m_requestOfRow[m_slotRows[slot]];
    if (request >= 0) {
      requests.push_back(request);
    }
  }
  return requests;
}

void ThumViewer::PlaceThumbnail(int row, const ThumbPicture& picture) {
  if (!ValidRow(row) || m_rowSlots[row] < 0 || (m_drawn[row] && !Released(row))) {
    return;
  }
  m_fitRects[row] = PictureRect(picture, m_geometry.CellWidth, m_geometry.CellHeight);
  SetPicture(row, picture);
  PlaceCell(row);
  UpdateRow(row);
  KeepWithinBudget();
}

void ThumViewer::SetPicture(int row, const ThumbPicture& picture) {
  m_heldBytes += picture.Thumb.sizeInBytes() - m_pictures[row].Thumb.sizeInBytes();
  m_pictures[row] = picture;
  m_drawn[row] = true;
}

void ThumViewer::PlaceCell(int row) {
  if (m_drawn[row]) {
    m_imageRects[row] = m_fitRects[row].translated(m_geometry.SlotOrigin(m_rowSlots[row]));
  }
}

void ThumViewer::FinishSheet() {
  // Pictures decoded again after the sheet was done leave its frame where it was.
  if (!m_sheetReady) {
    m_framedRow = OldPress;
  }
  m_sheetReady = true;
  m_surface->update();
}

void ThumViewer::UpdateRow(int row) {
  const int slot = m_rowSlots[row];
  const QPointF origin = m_geometry.SlotOrigin(slot);
  // The cell with its captions, lifted portraits and frames.
  const QRectF area(origin.x() - 4, origin.y() - SheetGeometry::PortraitLift - 4, m_geometry.ColumnStep,
                    m_geometry.RowStep + SheetGeometry::PortraitLift);
  m_surface->update(area.toAlignedRect());
}

void ThumViewer::RefreshThumSave() {
  if (!ValidRow(OldPress) || m_rowSlots[OldPress] < 0) {
    return;
  }
  const int row = OldPress;
  // The saved file is shown at the plain thumbnail size, without the zoom margin.
  const ThumbPicture picture = ThumbnailLoader::Decode(SelectFile, QSize(m_thumWidth, m_thumHeight));
  m_fitRects[row] = PictureRect(picture, m_thumWidth, m_thumHeight);
  SetPicture(row, picture);
  PlaceCell(row);
  // Pictures made of the file before it changed must not come back on a later drawing.
  m_loader->Forget(SelectFile);
  if (m_framedRow == row) {
    m_framedRow = -1;
  }
  UpdateRow(row);
}

void ThumViewer::Refresh() { m_surface->update(); }

void ThumViewer::DrawSelect() {
  const int dx = m_bandCurrent.x() - m_bandStart.x();
  const int dy = m_bandCurrent.y() - m_bandStart.y();
  if (dx != 0) {
    m_bandRect = QRect(std::min(m_bandStart.x(), m_bandCurrent.x()), std::min(m_bandStart.y(), m_bandCurrent.y()),
                       std::abs(dx), std::abs(dy));
  }
  m_surface->update();
}

QRectF ThumViewer::FitRect(int row) const {
  return row >= 0 && row < static_cast<int>(m_fitRects.size()) ? m_fitRects[row] : QRectF();
}

QRectF ThumViewer::HitRect(int row) const {
  return row >= 0 && row < static_cast<int>(m_imageRects.size()) ? m_imageRects[row] : QRectF();
}

QString ThumViewer::Caption(int row, int line) const {
  if (!ValidRow(row) || m_rowSlots[row] < 0) {
    return {};
  }
  const FileRow& file = m_rows[row];
  if (line == 0) {
    return file.Name;
  }
  switch (m_sort) {
    case 0: {
      if (!m_drawn[row]) {
        return {};
      }
      const ThumbPicture& picture = m_pictures[row];
      if (picture.Failure != Gdip::LoadFailure::None) {
        return Gdip::FailureShortForm(picture.Failure);
      }
      return QStringLiteral("%1 x %2 pixels").arg(picture.Source.width()).arg(picture.Source.height());
    }
    case 1:
    case 5: return file.Extname.toUpper();
    case 2: return file.SizeText;
    case 3: return file.CDate;
    case 4: return file.MDate;
    default: return {};
  }
}

void ThumViewer::PaintSurface(QPainter& painter, const QRect& exposed) {
  int first = 0;
  int last = -1;
  m_geometry.SlotsIn(exposed.top(), exposed.bottom() + 1.0, static_cast<int>(m_slotRows.size()), first, last);
  painter.setFont(m_captions.Font);
  for (int slot = first; slot <= last; ++slot) {
    PaintCell(painter, slot);
  }
  PaintMarks(painter, first, last);
}

void ThumViewer::PaintCell(QPainter& painter, int slot) const {
  const int row = m_slotRows[slot];
  const FileRow& file = m_rows[row];
  const QFontMetrics metrics(m_captions.Font);
  painter.setPen(m_captions.Black);
  for (int line = 0; line < 2; ++line) {
    const QString text = Caption(row, line);
    if (!text.isEmpty()) {
      painter.drawText(m_geometry.CaptionBox(slot, line), static_cast<int>(m_captions.Format | Qt::AlignTop),
                       metrics.elidedText(text, Qt::ElideRight, m_geometry.ThumWidth));
    }
  }
  const QImage& thumb = m_pictures[row].Thumb;
  const QRectF& image = m_imageRects[row];
  if (thumb.isNull()) {
    if (m_drawn[row] && m_pictures[row].Failure != Gdip::LoadFailure::None) {
      PaintBrokenMark(painter, image);
    }
    return;
  }
  painter.drawImage(image, thumb);
  if (file.Review == QLatin1String("T") && !m_captions.Star.isNull()) {
    painter.drawImage(QRectF(image.right() - kStarInset, image.bottom() - kStarInset, kStarSize, kStarSize),
                      m_captions.Star);
  }
}

void ThumViewer::PaintMarks(QPainter& painter, int firstSlot, int lastSlot) const {
  painter.setBrush(Qt::NoBrush);
  if (m_sheetReady && ValidRow(m_framedRow) && m_drawn[m_framedRow]) {
    painter.setPen(QPen(kGreyFrame, 2));
    painter.drawRect(FrameOf(m_imageRects[m_framedRow]));
  }
  PaintReviewFrames(painter, false);
  painter.setPen(QPen(kBlueFrame, 2));
  for (int slot = firstSlot; slot <= lastSlot; ++slot) {
    const int row = m_slotRows[slot];
    if (m_rows[row].Selected && m_drawn[row]) {
      painter.drawRect(FrameOf(m_imageRects[row]));
    }
  }
  PaintReviewFrames(painter, true);
  if (m_bandActive && m_buttonDown && !m_bandRect.isNull()) {
    painter.fillRect(m_bandRect, kBandFill);
    painter.setPen(QPen(kBandOutline, 1));
    painter.drawRect(QRectF(m_bandRect.x(), m_bandRect.y(), m_bandRect.width(), m_bandRect.height()));
  }
}

void ThumViewer::PaintReviewFrames(QPainter& painter, bool onTop) const {
  if (onTop != m_reviewOnTop) {
    return;
  }
  painter.setPen(QPen(kGreyFrame, 2));
  for (const int row : m_reviewRows) {
    if (ValidRow(row) && m_drawn[row]) {
      painter.drawRect(FrameOf(m_imageRects[row]));
    }
  }
}
