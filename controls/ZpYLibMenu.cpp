#include "controls/ZpYLibMenu.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <map>
#include <memory>
#include <system_error>

#include <QDir>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

#include "browse/scrollVControl.h"
#include "controls/SkinText.h"
#include "foundation/GdiDIB.h"
#include "foundation/ModDraw.h"
#include "foundation/ModGDI.h"
#include "foundation/ModPublic.h"
#include "foundation/SkinSurface.h"
#include "platform/forms/Input.h"
#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/Codecs.h"
#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/StringFormat.h"

namespace {

using ModGDI::MakeARGB;

constexpr int kFirstTileTop = 10;
constexpr float kTileBand = 30;
constexpr float kButtonSide = 16;
constexpr float kTextLeft = 70;
constexpr int kTextWidth = 100;
constexpr int kJpegFormat = 1;
constexpr int kJpegQuality = 100;
constexpr Gdip::ARGB kSheetColour = MakeARGB(255, 238, 238, 238);
constexpr Gdip::ARGB kTextColour = MakeARGB(255, 0, 0, 0);
const QColor kBackColour(238, 238, 238);

std::int64_t ModifiedNanoseconds(const QString& path) {
  std::error_code error;
  const auto stamp = std::filesystem::last_write_time(path.toStdString(), error);
  return error ? 0 : std::int64_t(stamp.time_since_epoch().count());
}

// A line of a tile, laid out as the interface's text routine lays it out (cut with an
// ellipsis past the width) but drawn through the glyph cache: a sheet holds hundreds.
void TileText(Gdip::Graphics& g, const QString& text, float x, float y) {
  const Gdip::Font font(Gdip::FontFamily(QStringLiteral("Tahoma")), 8);
  Gdip::StringFormat format = Gdip::StringFormat::GenericDefault();
  format.SetTrimming(Gdip::StringTrimming::EllipsisCharacter);
  g.SetTextRenderingHint(Gdip::TextRenderingHint::ClearTypeGridFit);
  QRectF box = g.MeasureString(text, font, QRectF(x, y, 0, 0), format);
  box.setWidth(kTextWidth);
  SkinText::Draw(g, text, font, box, format, kTextColour);
}

// The band of the sheet that tile i alone draws on: from above its highlight down to its
// separator.
QRectF Band(int index, int sheetWidth) {
  return {0, double(kFirstTileTop + ZpYLibMenu::TilePitch * index - 5), double(sheetWidth), double(ZpYLibMenu::TilePitch - 1)};
}

LibraryRow RowFor(const QString& folder, const QString& name) {
  // A name without a dot is shown whole.
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  return {folder, name, dot < 0 ? name : name.left(dot)};
}

}  // namespace

// The tile column inside the viewport: it shows the composed sheet, draws the chosen
// tile's highlight over it and hands the pointer to the library.
class LibrarySheet final : public QWidget {
 public:
  explicit LibrarySheet(ZpYLibMenu& owner, QWidget* parent) : QWidget(parent), m_owner(owner) {
    setMouseTracking(true);
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    const QRect area = event->rect();
    painter.fillRect(area, kBackColour);
    painter.drawImage(area, m_owner.Sheet(), area);
    m_owner.DrawHighlight(painter);
  }
  void mouseMoveEvent(QMouseEvent* event) override { m_owner.HoverAt(event->position()); }
  void mousePressEvent(QMouseEvent* event) override {
    m_owner.SheetPressed(event->position(), event->button() == Qt::LeftButton);
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    m_owner.SheetReleased(event->position(), Forms::ButtonFromQt(event->button()),
                          Forms::ShiftFromQt(event->modifiers()));
  }
  void mouseDoubleClickEvent(QMouseEvent*) override { m_owner.SheetDoubleClicked(); }

 private:
  ZpYLibMenu& m_owner;
};

ZpYLibMenu::TileRects ZpYLibMenu::TileGeometry(int index, int sheetWidth) {
  const auto y = float(kFirstTileTop + TilePitch * index);
  const auto w = float(sheetWidth);
  return {QRectF(2, y, w, kTileBand), QRectF(w - 30, y + 15, kButtonSide, kButtonSide),
          QRectF(w - 50, y + 15, kButtonSide, kButtonSide)};
}

std::vector<LibraryRow> ZpYLibMenu::ListLibrary(const QString& folder) {
  const QString withSeparator = ModPublic::AddBackslash(folder);
  // Without QDir::Hidden: dot files are left out.
  const QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
  std::vector<LibraryRow> rows;
  rows.reserve(std::size_t(names.size()));
  for (auto name = names.crbegin(); name != names.crend(); ++name) {
    // Every file is a tile, whatever it holds: one that gives no picture shows an empty
    // thumbnail and a size of 0 x 0.
    if (*name != QLatin1String(TemporaryStamp)) {
      rows.push_back(RowFor(withSeparator, *name));
    }
  }
  return rows;
}

std::vector<LibraryRow> ZpYLibMenu::KeepOrder(const std::vector<LibraryRow>& shown, std::vector<LibraryRow> listed) {
  const auto named = [](const std::vector<LibraryRow>& rows, const QString& name) {
    return std::any_of(rows.begin(), rows.end(), [&](const LibraryRow& row) { return row.Name == name; });
  };
  std::vector<LibraryRow> kept;
  kept.reserve(listed.size());
  std::copy_if(listed.begin(), listed.end(), std::back_inserter(kept),
               [&](const LibraryRow& row) { return !named(shown, row.Name); });
  std::copy_if(shown.begin(), shown.end(), std::back_inserter(kept),
               [&](const LibraryRow& row) { return named(listed, row.Name); });
  return kept;
}

QString ZpYLibMenu::LibraryFolder() { return ModPublic::ProgramFolder() + QStringLiteral("Librarians"); }

QString ZpYLibMenu::CacheFile() { return ModPublic::ProgramFolder() + QStringLiteral("Datas/libtemplorvne.dat"); }

ZpYLibMenu::ZpYLibMenu(QWidget* parent)
    : QWidget(parent),
      m_scroll(new scrollVControl(this)),
      m_oleBg(new QWidget(this)),
      m_libOle(new LibrarySheet(*this, m_oleBg)) {
  for (QWidget* surface : {static_cast<QWidget*>(this), m_oleBg}) {
    surface->setAutoFillBackground(true);
    QPalette palette = surface->palette();
    palette.setColor(QPalette::Window, kBackColour);
    surface->setPalette(palette);
  }
  m_libOle->setCursor(Qt::ArrowCursor);
  m_scroll->resize(scrollVControl::ThumbHitWidth, height());
  connect(m_scroll, &scrollVControl::ValueChanged, this, [this] { ScrollTo(m_scroll->Value()); });
  connect(&m_loader, &ThumbnailLoader::Delivered, this, &ZpYLibMenu::OnDelivered);
  connect(&m_loader, &ThumbnailLoader::Finished, this, &ZpYLibMenu::WriteCache);
}

ZpYLibMenu::~ZpYLibMenu() { m_loader.Cancel(); }

const QImage& ZpYLibMenu::Sheet() const {
  static const QImage kNone;
  return m_sheetCanvas.new_Img ? m_sheetCanvas.new_Img->Image() : kNone;
}

QWidget& ZpYLibMenu::LibOLE() { return *m_libOle; }

bool ZpYLibMenu::ScrollEnabled() const { return m_scroll->Enabled(); }

int ZpYLibMenu::ScrollMax() const { return m_scroll->Max(); }

void ZpYLibMenu::ScrollTo(int value) {
  m_scroll->ShowValue(value);
  m_libOle->move(0, -m_scroll->Value());
}

int ZpYLibMenu::ButtonType() const {
  if (m_overDelete) {
    return 1;
  }
  return m_overEnter ? 2 : 0;
}

void ZpYLibMenu::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceChildren();
}

void ZpYLibMenu::PlaceChildren() {
  const int w = width();
  const int h = height();
  m_scroll->setGeometry(w - m_scroll->width(), 0, m_scroll->width(), h);
  m_oleBg->setGeometry(1, 2, std::max(1, m_scroll->x() - 2), h);
  m_libOle->setGeometry(0, m_libOle->y(), m_oleBg->width(), std::max(1, m_libOle->height()));
}

void ZpYLibMenu::Painting() { Rebuild(); }

void ZpYLibMenu::RefreshPaint() { Rebuild(); }

void ZpYLibMenu::AddnewItem(const QString&, const QString& NewItem) {
  m_rows.insert(m_rows.begin(), RowFor(ModPublic::AddBackslash(LibraryFolder()), NewItem));
}

ThumbRequest ZpYLibMenu::RequestFor(int index) const {
  const QString path = m_rows[std::size_t(index)].Path();
  return {index, path, QSize(ThumbnailSide, ThumbnailSide), QFileInfo(path).size(), ModifiedNanoseconds(path)};
}

void ZpYLibMenu::Rebuild() {
  m_loader.Cancel();
  // A hidden control hears of its size only when shown; the sheet is built for it now.
  PlaceChildren();
  m_rows = KeepOrder(m_rows, ListLibrary(LibraryFolder()));
  const int n = int(m_rows.size());
  const int sheetWidth = std::max(1, m_oleBg->width());
  m_rects.clear();
  for (int i = 0; i < n; ++i) {
    m_rects.push_back(TileGeometry(i, sheetWidth));
  }
  // The chosen tile stays on its file; a file gone takes its highlight with it.
  const auto chosen = std::find_if(m_rows.begin(), m_rows.end(),
                                   [this](const LibraryRow& row) { return row.Path() == m_filename; });
  m_selectedIndex = chosen == m_rows.end() ? -1 : int(chosen - m_rows.begin());
  m_highlighted = m_highlighted && m_selectedIndex >= 0;
  m_libOle->setGeometry(0, 0, sheetWidth, SheetHeight(n));
  m_scroll->FitContent(SheetHeight(n), m_oleBg->height());
  DrawSheet();
}

void ZpYLibMenu::DrawSheet() {
  const int n = int(m_rows.size());
  const int sheetWidth = m_libOle->width();
  // Tiles of files that did not change are copied from the previous sheet, not drawn again.
  DIBsave previous = std::move(m_sheetCanvas);
  previous.MemGraphics.reset();
  const std::vector<ThumbRequest> previousRequests = std::move(m_requests);
  const std::vector<bool> previousDone = std::move(m_tileDone);
  std::map<QString, int> previousTiles;
  if (previous.new_Img && previous.new_Img->Width() == sheetWidth) {
    for (int j = 0; j < int(previousRequests.size()); ++j) {
      previousTiles[previousRequests[std::size_t(j)].Path] = j;
    }
  }
  m_sheetCanvas.CreateBlankMemory(SheetHeight(n), sheetWidth, nullptr, false);
  m_sheetCanvas.ClearScreen(kSheetColour);
  const QString data = ModPublic::ProgramFolder() + QStringLiteral("Datas/");
  m_enterImage = Gdip::LoadImageFromFile(data + QStringLiteral("Stampenter.png"));
  m_deleteImage = Gdip::LoadImageFromFile(data + QStringLiteral("DelStamp.png"));
  std::vector<ThumbRequest> missing;
  m_requests.clear();
  m_tileDone.assign(std::size_t(n), false);
  for (int i = 0; i < n; ++i) {
    const ThumbRequest& request = m_requests.emplace_back(RequestFor(i));
    const auto before = previousTiles.find(request.Path);
    const auto j = before == previousTiles.end() ? std::size_t(0) : std::size_t(before->second);
    if (before != previousTiles.end() && previousDone[j] && previousRequests[j].Bytes == request.Bytes &&
        previousRequests[j].Modified == request.Modified) {
      m_sheetCanvas.MemGraphics->DrawImage(*previous.new_Img, Band(i, sheetWidth), Band(int(j), sheetWidth));
      m_tileDone[std::size_t(i)] = true;
      continue;
    }
    const ThumbPicture* known = m_loader.Cached(request);
    DrawTile(i, known);
    if (known == nullptr) {
      missing.push_back(request);
    }
  }
  m_libOle->update();
  m_loader.Start(std::move(missing));
}

void ZpYLibMenu::OnDelivered(int Row, const ThumbPicture& picture) {
  if (Row >= 0 && Row < int(m_rows.size())) {
    DrawTile(Row, &picture);
    m_libOle->update(0, kFirstTileTop + TilePitch * Row - 5, m_libOle->width(), TilePitch);
  }
}

void ZpYLibMenu::DrawTile(int index, const ThumbPicture* picture) {
  Gdip::Graphics* g = m_sheetCanvas.MemGraphics.get();
  if (g == nullptr) {
    return;
  }
  const TileRects& rects = m_rects[std::size_t(index)];
  const auto y = float(rects.Tile.y());
  const auto sheetWidth = float(m_libOle->width());
  g->FillRectangle(Gdip::SolidBrush(kSheetColour), Band(index, m_libOle->width()));
  m_tileDone[std::size_t(index)] = picture != nullptr;
  const QSize source = picture != nullptr ? picture->Source : QSize(0, 0);
  if (picture != nullptr && !picture->Thumb.isNull()) {
    float fx = 0, fy = 0, fw = 0, fh = 0;
    GdiDIB::GetBestFitInfo(float(source.width()), float(source.height()), ThumbnailSide, ThumbnailSide, fx, fy, fw,
                           fh);
    const auto thumb = Gdip::Bitmap::FromImage(picture->Thumb, Gdip::PixelFormat32bppARGB);
    g->DrawImage(*thumb, QRectF(15 + fx, y - 2 + fy, fw, fh));
  }
  const QString& title = m_rows[std::size_t(index)].Title;
  TileText(*g, QStringLiteral(" ") + title, kTextLeft, y + 5);
  if (picture != nullptr) {
    const QString size = QStringLiteral(" %1 x %2 pixels").arg(source.width()).arg(source.height());
    TileText(*g, size, kTextLeft, y + 20);
  }
  // A missing button picture leaves its square empty; the button still reacts.
  if (m_enterImage) {
    g->DrawImage(*m_enterImage, rects.Enter);
  }
  if (m_deleteImage) {
    g->DrawImage(*m_deleteImage, rects.Delete);
  }
  const float separator = y + TilePitch - 5;
  ModGDI::DrawLineGdip(*g, 3, separator, sheetWidth - 5, separator, 1, 1, 0, 0);
}

void ZpYLibMenu::WriteCache() {
  m_sheetCanvas.Save(CacheFile(), kJpegFormat, kJpegQuality);
  m_enterImage.reset();
  m_deleteImage.reset();
}

void ZpYLibMenu::Choose(int index) {
  m_selectedIndex = index;
  m_highlighted = true;
  m_filename = m_rows[std::size_t(index)].Path();
}

void ZpYLibMenu::HoverAt(QPointF point) {
  m_overEnter = false;
  m_overDelete = false;
  m_hoverIndex = 0;
  for (std::size_t i = 0; i < m_rects.size(); ++i) {
    m_overEnter = SkinShapes::HitRect(m_rects[i].Enter, point);
    m_overDelete = !m_overEnter && SkinShapes::HitRect(m_rects[i].Delete, point);
    if (m_overEnter || m_overDelete) {
      m_hoverIndex = int(i);
      break;
    }
  }
  m_libOle->setCursor(m_overEnter || m_overDelete ? SkinShapes::MousedCursor() : QCursor(Qt::ArrowCursor));
}

void ZpYLibMenu::SheetPressed(QPointF point, bool left) {
  m_leftDown = left;
  m_highlighted = false;
  for (std::size_t i = 0; i < m_rects.size(); ++i) {
    const QRectF tile = m_rects[i].Tile.adjusted(0, 0, 0, 10);
    if (SkinShapes::HitRect(tile, point)) {
      Choose(int(i));
      break;
    }
  }
  m_libOle->update();
}

void ZpYLibMenu::SheetReleased(QPointF point, int Button, int Shift) {
  HoverAt(point);
  if (m_overEnter || m_overDelete) {
    Choose(m_hoverIndex);
  }
  m_libOle->update();
  m_leftDown = false;
  emit MouseUp(Button, Shift, float(point.x()), float(point.y()));
}

void ZpYLibMenu::SheetDoubleClicked() {
  if (m_selectedIndex >= 0 && m_selectedIndex < int(m_rows.size())) {
    m_filename = m_rows[std::size_t(m_selectedIndex)].Path();
  }
  emit DblClick();
}

void ZpYLibMenu::DrawHighlight(QPainter& painter) const {
  if (!m_highlighted || m_selectedIndex < 0 || m_selectedIndex >= int(m_rects.size())) {
    return;
  }
  const QRectF tile = m_rects[std::size_t(m_selectedIndex)].Tile;
  const double top = tile.y() - 4;
  constexpr float kArc = 5;
  const auto box = SkinShapes::RoundedBoxPath(float(tile.x()), float(top), float(tile.width()) - 15 - 2 * kArc,
                                              float(tile.height()) + 10 - kArc, kArc, kArc);
  QLinearGradient shade(QPointF(0, top), QPointF(0, top + TilePitch));
  shade.setColorAt(0, QColor(0, 0, 0, 0));
  shade.setColorAt(1, QColor(0, 0, 0, 20));
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillPath(box.Qt(), shade);
  painter.setPen(QPen(Qt::white, 1));
  painter.drawPath(box.Qt());
}
