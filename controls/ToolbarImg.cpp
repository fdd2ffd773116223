#include "controls/ToolbarImg.h"

#include <utility>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "controls/SkinText.h"
#include "foundation/MainWindowServices.h"
#include "foundation/ModGDI.h"
#include "foundation/Numbers.h"
#include "foundation/ShortcutKeys.h"
#include "platform/forms/Input.h"
#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/LinearGradientBrush.h"
#include "platform/gdiplus/Pen.h"
#include "platform/gdiplus/StringFormat.h"

namespace {

using ModGDI::MakeARGB;

constexpr Gdip::ARGB kBlack = MakeARGB(255, 0, 0, 0);
constexpr Gdip::ARGB kWhite = MakeARGB(255, 255, 255, 255);
constexpr Gdip::ARGB kShade = MakeARGB(50, 0, 0, 0);
constexpr Gdip::ARGB kFaceLight = MakeARGB(255, 251, 250, 247);
constexpr Gdip::ARGB kFaceDark = MakeARGB(255, 244, 242, 233);
constexpr Gdip::ARGB kFaceOutline = MakeARGB(255, 235, 232, 214);
constexpr Gdip::ARGB kSearchOn = MakeARGB(255, 83, 166, 0);
constexpr Gdip::ARGB kSearchOff = MakeARGB(255, 208, 208, 208);
constexpr int kIconSide = 27;
constexpr float kFirstLeft = 8;
constexpr float kSearchWidth = 120;

const QColor kBackColour(236, 233, 216);

int Whole(double value) { return Numbers::RoundToInt(value); }

// The icon's top: the row of buttons is centred on the toolbar's height.
float IconTop(int height) { return float(Whole(height - 24) / 2); }

bool InRange(int id) { return id >= 0 && id < ToolbarImg::SlotCount; }

const Gdip::Font& CaptionFont() {
  static const Gdip::Font font(Gdip::FontFamily(QStringLiteral("Tahoma")), 8);
  return font;
}

// The top-left 27 x 27 pixels of a picture at an opacity, ready to be copied as they are.
QImage Faded(const QImage& picture, double opacity) {
  if (picture.isNull()) {
    return {};
  }
  QImage faded(kIconSide, kIconSide, QImage::Format_ARGB32_Premultiplied);
  faded.fill(Qt::transparent);
  QPainter p(&faded);
  p.setOpacity(opacity);
  p.drawImage(QPointF(0, 0), picture, QRectF(0, 0, kIconSide, kIconSide));
  return faded;
}

}  // namespace

SearchBox::SearchBox(QWidget* parent) : QLineEdit(parent) {
  // Only a click gives it the keys: a window coming to the front hands them elsewhere.
  setFocusPolicy(Qt::ClickFocus);
  setFrame(false);
  setMouseTracking(true);
}

void SearchBox::keyPressEvent(QKeyEvent* event) {
  // Passed on to the toolbar, which hands it to the shortcut table.
  if (ShortcutKeys::PassedOnByTextBoxes(*event)) {
    event->ignore();
    return;
  }
  QLineEdit::keyPressEvent(event);
  event->accept();
}

void SearchBox::keyReleaseEvent(QKeyEvent* event) {
  QLineEdit::keyReleaseEvent(event);
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    emit EnterReleased();
  }
  event->accept();
}

void SearchBox::mousePressEvent(QMouseEvent* event) {
  QLineEdit::mousePressEvent(event);
  emit Clicked();
}

const std::array<ToolbarImg::Button, ToolbarImg::SlotCount>& ToolbarImg::Buttons() {
  static const std::array<Button, SlotCount> buttons{{{"New.png", "", true, true},
                                                      {"Open.png", "Open", false, true},
                                                      {"Convert.png", "Save As...", false, false},
                                                      {"Import.png", "Import...", true, true},
                                                      {"Slideshow.png", "Slideshow", true, false},
                                                      {"Fitmode.png", "Fit Image", false, false},
                                                      {"Zoomout.png", "Previous", false, false},
                                                      {"Zoomin.png", "Next", true, false},
                                                      {"Undo.png", "", false, false},
                                                      {"Redo.png", "", false, false},
                                                      {},
                                                      {}}};
  return buttons;
}

ToolbarImg::Layout ToolbarImg::LayoutButtons(int height, const std::array<float, SlotCount>& captionWidths) {
  Layout layout;
  const float top = IconTop(height);
  float x = kFirstLeft;
  for (int i = 0; i < SlotCount; ++i) {
    const float width = 24 + captionWidths[std::size_t(i)];
    layout.Rects[std::size_t(i)] = QRectF(x, top, width, 20);
    if (Buttons()[std::size_t(i)].SeparatorAfter) {
      layout.Separators.push_back(float(Whole(x + width + 15)));
      x = float(Whole(x + width + 30));
    } else {
      x = float(Whole(x + width + 15));
    }
  }
  return layout;
}

QRectF ToolbarImg::SearchRect(QSize size) {
  return QRectF(size.width() - 150, Whole(size.height() - 25) / 2, kSearchWidth, 10);
}

ToolbarImg::ToolbarImg(MainWindowServices* host, const QString& dataFolder, QWidget* parent)
    : SkinSurface(parent), m_host(host), m_searchText(new SearchBox(this)) {
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
  for (int i = 0; i < SlotCount; ++i) {
    const Button& button = Buttons()[std::size_t(i)];
    m_enabled[std::size_t(i)] = button.EnabledAtStart;
    // A missing picture leaves its slot empty; the button keeps its place and caption.
    const QImage picture = button.Icon.isEmpty() ? QImage() : QImage(dataFolder + button.Icon);
    m_bright[std::size_t(i)] = Faded(picture, 0.8);
    m_faded[std::size_t(i)] = Faded(picture, 0.2);
  }
  connect(m_searchText, &SearchBox::Clicked, this, [this] { Search({}, false); });
  connect(m_searchText, &SearchBox::EnterReleased, this, [this] {
    Search(m_searchText->text(), true);
    emit Searched();
  });
}

void ToolbarImg::PressDownID(int new_PressID, bool new_Press) {
  if (InRange(new_PressID)) {
    m_pressed[std::size_t(new_PressID)] = new_Press;
    ImagePaint(false, QPointF(-1, -1));
  }
}

void ToolbarImg::EnabledID(int ID, bool Enabled) {
  if (InRange(ID)) {
    m_enabled[std::size_t(ID)] = Enabled;
  }
}

bool ToolbarImg::Rpressdown(int ID) const { return InRange(ID) && m_pressed[std::size_t(ID)]; }

bool ToolbarImg::Enabled(int ID) const { return InRange(ID) && m_enabled[std::size_t(ID)]; }

void ToolbarImg::StartPaint() { ImagePaint(false, QPointF(-1, -1)); }

QRectF ToolbarImg::GoArea() const { return QRectF(SearchRect(size()).left() + kSearchWidth, 2, 20, 20); }

void ToolbarImg::Search(const QString& text, bool isSearch) {
  ThumbnailSheetServices* sheet = m_host != nullptr ? m_host->ThumqzViewer() : nullptr;
  if (sheet != nullptr) {
    sheet->SearchThumbnaillGO(text, isSearch);
  }
}

void ToolbarImg::ImagePaint(bool Press, QPointF pointer) {
  const std::unique_ptr<Gdip::Graphics> g = Gdip::Graphics::FromSurface(BackBuffer());
  g->Clear(kBackColour.rgba());
  g->SetTextRenderingHint(Gdip::TextRenderingHint::ClearTypeGridFit);
  PaintBackground(*g);
  PaintButtons(*g, Press, pointer);
  PaintSearchBox(*g, false);
  const float w = float(width());
  const float h = float(height());
  g->DrawLine(Gdip::Pen(kShade), QPointF(0, h - 2), QPointF(w, h - 2));
  g->DrawLine(Gdip::Pen(kWhite), QPointF(0, h - 1), QPointF(w, h - 1));
  RefreshBackBuffer();
}

void ToolbarImg::PaintBackground(Gdip::Graphics& g) const {
  const QRectF all(0, 0, width(), height());
  Gdip::LinearGradientBrush glow(QPointF(0, 0), QPointF(0, Whole(height())), kWhite, MakeARGB(50, 255, 255, 255));
  glow.SetWrapMode(Gdip::WrapMode::TileFlipXY);
  g.FillRectangle(glow, all);
  Gdip::LinearGradientBrush sheen(QPointF(0, 0), QPointF(0, height() - 10), MakeARGB(100, 255, 255, 255),
                                  MakeARGB(0, 255, 255, 255));
  sheen.SetWrapMode(Gdip::WrapMode::TileFlipXY);
  g.FillRectangle(sheen, all);
}

std::array<float, ToolbarImg::SlotCount> ToolbarImg::CaptionWidths(Gdip::Graphics& g) const {
  std::array<float, SlotCount> widths{};
  const Gdip::StringFormat format = Gdip::StringFormat::GenericDefault();
  for (int i = 0; i < SlotCount; ++i) {
    const QString& caption = Buttons()[std::size_t(i)].Caption;
    if (!caption.isEmpty()) {
      widths[std::size_t(i)] = float(g.MeasureString(caption, CaptionFont(), QRectF(0, 0, 90, 24), format).width());
    }
  }
  return widths;
}

void ToolbarImg::PaintButtons(Gdip::Graphics& g, bool Press, QPointF pointer) {
  // The captions never change: they are measured once.
  if (m_layout.Rects[0].isNull() || m_layout.Rects[0].top() != IconTop(height())) {
    m_layout = LayoutButtons(height(), CaptionWidths(g));
  }
  const Gdip::StringFormat format = Gdip::StringFormat::GenericDefault();
  QPainter& painter = g.Painter();
  for (int i = 0; i < SlotCount; ++i) {
    const std::size_t slot = std::size_t(i);
    const QRectF& rect = m_layout.Rects[slot];
    const float x = float(rect.left());
    if (m_enabled[slot] && SkinShapes::HitRect(rect, pointer)) {
      m_hoveredLeft = x;
      m_pressID = i;
      PaintButtonFace(g, x, float(rect.width()), Press, m_pressed[slot]);
    } else if (m_enabled[slot] && m_pressed[slot]) {
      PaintButtonFace(g, x, float(rect.width()), false, true);
    }
    const QImage& icon = m_enabled[slot] ? m_bright[slot] : m_faded[slot];
    if (!icon.isNull()) {
      painter.drawImage(QPointF(x + 1, rect.top() + 1), icon);
    }
    const QString& caption = Buttons()[slot].Caption;
    if (!caption.isEmpty()) {
      SkinText::Draw(g, caption, CaptionFont(), QRectF(x + 27, rect.top() + 6, rect.width() - 24, 24), format,
                     kBlack);
    }
  }
  for (const float left : m_layout.Separators) {
    PaintSplit(g, left);
  }
}

void ToolbarImg::PaintButtonFace(Gdip::Graphics& g, float x, float width, bool hover, bool pressed) const {
  g.SetSmoothingMode(Gdip::SmoothingMode::AntiAlias);
  const Gdip::Path face = SkinShapes::RoundedBoxPath(x - 5, 4, width - 8, 20, 10, 10);
  Gdip::ARGB from = kFaceLight;
  Gdip::ARGB to = kFaceDark;
  if (pressed) {
    from = to = kWhite;
  } else if (hover) {
    std::swap(from, to);
  }
  Gdip::LinearGradientBrush fill(QPointF(0, 0), QPointF(width, 30), from, to);
  fill.SetWrapMode(Gdip::WrapMode::TileFlipXY);
  g.FillPath(fill, face);
  g.DrawPath(Gdip::Pen(kFaceOutline), face);
  g.SetSmoothingMode(Gdip::SmoothingMode::None);
}

void ToolbarImg::PaintSplit(Gdip::Graphics& g, float left) const {
  const float bottom = float(height() - 5);
  g.DrawLine(Gdip::Pen(kShade), QPointF(left, 5), QPointF(left, bottom));
  g.DrawLine(Gdip::Pen(kWhite), QPointF(left + 1, 5), QPointF(left + 1, bottom));
}

void ToolbarImg::PaintSearchBox(Gdip::Graphics& g, bool isSearch) const {
  const QRectF search = SearchRect(size());
  const float left = float(search.left());
  const float top = float(search.top()) + 2;
  g.SetSmoothingMode(Gdip::SmoothingMode::AntiAlias);
  const Gdip::Path box = SkinShapes::RoundedBoxPath(left, top, kSearchWidth, 10, 10, 10);
  g.FillPath(Gdip::SolidBrush(kWhite), box);
  g.DrawPath(Gdip::Pen(isSearch ? kSearchOn : kSearchOff, 2), box);
  g.SetSmoothingMode(Gdip::SmoothingMode::None);
  const Gdip::StringFormat format = Gdip::StringFormat::GenericDefault();
  SkinText::Draw(g, QStringLiteral("Search:"), CaptionFont(), QRectF(left - 50, IconTop(height()) + 6, 50, 17),
                 format, kBlack);
  SkinText::Draw(g, QStringLiteral("GO"), CaptionFont(), QRectF(left + kSearchWidth - 3, top + 3, 30, 17), format,
                 kBlack);
}

void ToolbarImg::resizeEvent(QResizeEvent* event) {
  SkinSurface::resizeEvent(event);
  const QRectF search = SearchRect(size());
  m_searchText->setGeometry(int(search.left()) + 5, int(search.top()) + 6, int(kSearchWidth) - 10, 14);
  // The back buffer keeps the old width's picture: the bar is drawn again at its new one,
  // unless it was drawn at that size already.
  if (!DrawnAtSize()) {
    StartPaint();
  }
}

void ToolbarImg::mouseMoveEvent(QMouseEvent* event) {
  m_overGo = SkinShapes::HitRect(GoArea(), event->position());
  ShowMoused(m_overGo);
  ImagePaint(false, event->position());
}

void ToolbarImg::mousePressEvent(QMouseEvent* event) {
  m_pressID = NoButton;
  if (m_overGo) {
    Search(m_searchText->text(), true);
  } else {
    ImagePaint(true, event->position());
  }
  emit MouseDown(Forms::ButtonFromQt(event->button()), Forms::ShiftFromQt(event->modifiers()), m_hoveredLeft,
                 float(event->position().y()));
}

void ToolbarImg::mouseReleaseEvent(QMouseEvent* event) {
  emit MouseUP(Forms::ButtonFromQt(event->button()), Forms::ShiftFromQt(event->modifiers()), m_hoveredLeft,
               float(event->position().y()));
}

void ToolbarImg::keyPressEvent(QKeyEvent* event) {
  ShortcutKeys::Forward(m_host, *event);
  event->accept();
}
