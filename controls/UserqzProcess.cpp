#include "controls/UserqzProcess.h"

#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>

#include "browse/ZzQFiterControl.h"
#include "browse/scrollVControl.h"
#include "controls/ToolGrid.h"
#include "controls/UserCalender.h"
#include "controls/ZpYLibMenu.h"
#include "foundation/DIBsave.h"
#include "foundation/ModDraw.h"
#include "foundation/ModGDI.h"
#include "foundation/ModPublic.h"
#include "foundation/ShortcutKeys.h"
#include "platform/forms/Input.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/Codecs.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/LinearGradientBrush.h"
#include "platform/gdiplus/Path.h"
#include "platform/gdiplus/Pen.h"

namespace {

using ModGDI::MakeARGB;

const QColor kBackColour(238, 238, 238);
constexpr Gdip::ARGB kFrameFill = MakeARGB(150, 179, 179, 179);
constexpr Gdip::ARGB kContentFill = MakeARGB(255, 238, 238, 238);
constexpr Gdip::ARGB kWhitePen = MakeARGB(255, 255, 255, 255);
constexpr Gdip::ARGB kFaintPen = MakeARGB(50, 255, 255, 255);
constexpr Gdip::ARGB kTabShadeTop = MakeARGB(150, 255, 255, 255);
constexpr Gdip::ARGB kTabShadeBottom = MakeARGB(100, 0, 0, 0);
constexpr Gdip::ARGB kTabText = MakeARGB(200, 0, 0, 0);
constexpr Gdip::ARGB kToolMark = MakeARGB(150, 179, 179, 179);
constexpr float kArc = 10;
constexpr float kTabGrowth = 20;  // a tab's corner arcs make it this much wider than its rectangle
constexpr int kSectionLeft = 6;
constexpr int kSectionTop = 31;
constexpr int kBmpFormat = 0;

}  // namespace

const std::array<const char*, 12>& UserqzProcess::ToolCaptions() {
  static const std::array<const char*, 12> kCaptions{"Browse...",   "Crop Image", "Straighten", "Irradiation",
                                                     "Add Text...", "Card",       "Colorize",   "Gamma",
                                                     "Grey",        "Red Eye",    "Calendar",   "Contrast"};
  return kCaptions;
}

const std::array<const char*, UserqzProcess::TabCount>& UserqzProcess::TabCaptions() {
  static const std::array<const char*, TabCount> kCaptions{" Tools", "  Stamp", "Patten", "Keyword", " Calender"};
  return kCaptions;
}

std::array<QRectF, UserqzProcess::TabCount> UserqzProcess::TabRects() {
  constexpr std::array<float, 4> kWidths{30, 40, 40, 45};
  constexpr float kGap = 22;
  std::array<QRectF, TabCount> rects{};
  float x = 5;
  for (std::size_t i = 0; i < kWidths.size(); ++i) {
    rects[i] = QRectF(x, 14, kWidths[i], 15);
    x += kWidths[i] + kGap;
  }
  return rects;
}

std::optional<int> UserqzProcess::TabAt(QPointF point) {
  const auto rects = TabRects();
  for (int i = 0; i < TabCount; ++i) {
    const QRectF tab = rects[std::size_t(i)];
    if (!tab.isEmpty() && SkinShapes::HitRect(tab.adjusted(0, 0, kTabGrowth, 0), point)) {
      return i;
    }
  }
  return std::nullopt;
}

QString UserqzProcess::EffectPanelCache() { return ModPublic::ProgramFolder() + QStringLiteral("Datas/effectpanel.dat"); }

UserqzProcess::UserqzProcess(QWidget* parent)
    : SkinSurface(parent),
      m_toolPanel(new QWidget(this)),
      m_toolOle(new SkinSurface(m_toolPanel)),
      m_toolVscroll(new scrollVControl(this)),
      m_zzQFiter(new ZzQFiterControl(this)),
      m_stampMenu(new ZpYLibMenu(this)),
      m_calenderSee(new UserCalender(this)) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPointSizeF(8.25);
  setFont(font);
  setFocusPolicy(Qt::ClickFocus);
  m_toolPanel->setAutoFillBackground(true);
  QPalette palette = m_toolPanel->palette();
  palette.setColor(QPalette::Window, kBackColour);
  m_toolPanel->setPalette(palette);
  m_toolOle->ClearBackBuffer(kBackColour);
  m_toolOle->installEventFilter(this);
  m_toolVscroll->resize(scrollVControl::ThumbHitWidth, m_toolVscroll->height());
  m_stampMenu->hide();
  m_zzQFiter->hide();
  m_calenderSee->hide();
  ConnectSections();
}

UserqzProcess::~UserqzProcess() { QFile::remove(EffectPanelCache()); }

void UserqzProcess::ConnectSections() {
  connect(m_toolVscroll, &scrollVControl::ValueChanged, this, [this] {
    m_toolOle->move(m_toolOle->x(), -m_toolVscroll->Value());
  });
  // The thumbnail sheet lists only the formats left switched on, at once.
  connect(m_zzQFiter, &ZzQFiterControl::FormatToggled, this, [this] { emit FormatsChosen(m_zzQFiter->ImageFormats()); });
  connect(m_stampMenu, &ZpYLibMenu::MouseUp, this, &UserqzProcess::MouseUPstamp);
  connect(m_stampMenu, &ZpYLibMenu::DblClick, this, &UserqzProcess::Stampdbclick);
  connect(m_calenderSee, &UserCalender::MouseUp, this, [this](int Button, int Shift, float X, float Y) {
    emit CalenderSeeMouseUP(Button, Shift, X, Y, m_calenderSee->DayUp());
  });
}

void UserqzProcess::RefreshFav() { m_stampMenu->RefreshPaint(); }

void UserqzProcess::Import(const QString& Path, const QString& NewItem) { m_stampMenu->AddnewItem(Path, NewItem); }

void UserqzProcess::RefreshCalender() { m_calenderSee->Painting(); }

void UserqzProcess::EnabledDays(int Index, bool Enabled) { m_calenderSee->EnabledDays(Index, Enabled); }

int UserqzProcess::CalenderDay() const { return m_calenderSee->SelectedDay(); }

int UserqzProcess::CalenderMonth() const { return m_calenderSee->SelectedMonth(); }

int UserqzProcess::CalenderYear() const { return m_calenderSee->SelectedYear(); }

QString UserqzProcess::StampFilename() const { return m_stampMenu->Filename(); }

int UserqzProcess::StampEnter() const { return m_stampMenu->ButtonType(); }

void UserqzProcess::SetToolselect(int section) {
  m_toolselect = section;
  PaintTabs();
  ShowSection();
}

void UserqzProcess::StartPaint() {
  // A hidden panel hears of its size only when shown; the strip is built for it now.
  PlaceSections();
  PaintTabs();
  CreateToolStrip();
  // The list is filled once: filling it again would show every format switched on while
  // the sheet still lists only the ones the user left on.
  if (!m_formatsFilled) {
    m_zzQFiter->IniaData();
    m_formatsFilled = true;
  }
  m_zzQFiter->StartPaint();
}

void UserqzProcess::ResizePaint() {
  PaintTabs();
  ResizeToolScroll();
}

void UserqzProcess::PaintTabs() {
  ClearBackBuffer(Qt::transparent);
  const std::unique_ptr<Gdip::Graphics> g = Gdip::Graphics::FromSurface(BackBuffer());
  g->SetSmoothingMode(Gdip::SmoothingMode::AntiAlias);
  PaintFrame(*g);
  for (int slot = 0; slot < TabCount; ++slot) {
    PaintTab(*g, slot);
  }
  RefreshBackBuffer();
}

// The outer rounded frame and the light content area below the tab row.
void UserqzProcess::PaintFrame(Gdip::Graphics& g) {
  const auto W = float(width());
  const auto H = float(height());
  const Gdip::Path frame = SkinShapes::RoundedBoxPath(2, 2, W - 23, H - 15, kArc, kArc);
  g.FillPath(Gdip::SolidBrush(kFrameFill), frame);
  const Gdip::Pen white(kWhitePen, 1);
  g.DrawPath(white, frame);
  const QRectF content(5, 30, W - 9, H - 45);
  g.DrawRectangle(white, content);
  g.FillRectangle(Gdip::SolidBrush(kContentFill), content);
}

void UserqzProcess::PaintTab(Gdip::Graphics& g, int slot) {
  const QRectF rect = TabRects()[std::size_t(slot)];
  if (rect.isEmpty()) {
    // The fifth slot has no tab of its own; it only brings the calendar up to date.
    m_calenderSee->Painting();
    return;
  }
  const Gdip::Path tab =
      SkinShapes::RoundedTabPath(float(rect.x()), float(rect.y()), float(rect.width()), float(rect.height()), kArc, kArc);
  const bool selected = slot == m_toolselect || (slot == StampSection && m_toolselect == 4);
  if (selected) {
    g.FillPath(Gdip::SolidBrush(kContentFill), tab);
    g.DrawPath(Gdip::Pen(kWhitePen, 1), tab);
  } else {
    Gdip::LinearGradientBrush shade(QPointF(0, 0), QPointF(0, 50), kTabShadeTop, kTabShadeBottom);
    shade.SetWrapMode(Gdip::WrapMode::TileFlipXY);
    g.FillPath(shade, tab);
    g.DrawPath(Gdip::Pen(kFaintPen, 1), tab);
  }
  ModGDI::DrawTextGdip(g, QString::fromLatin1(TabCaptions()[std::size_t(slot)]), float(rect.x()) + 5,
                       float(rect.y()) + 2, QStringLiteral("Tahoma"), 8, kTabText, 0, false, 200);
}

void UserqzProcess::ResizeToolScroll() { m_toolVscroll->FitContent(m_toolOle->height(), height()); }

void UserqzProcess::CreateToolStrip() {
  m_toolOle->resize(m_toolOle->width(), StripHeight);
  ResizeToolScroll();
  DIBsave strip;
  strip.CreateBlankMemory(StripHeight, std::max(1, m_toolOle->width()), nullptr, false);
  strip.ClearScreen(kContentFill);
  const ToolGrid::Icons icons = ToolGrid::LoadIcons();
  for (int i = 0; i < ToolGrid::ToolCount; ++i) {
    ToolGrid::DrawTool(*strip.MemGraphics, i, icons[std::size_t(i)].get(),
                       QString::fromLatin1(ToolCaptions()[std::size_t(i)]));
  }
  strip.Save(EffectPanelCache(), kBmpFormat);
  // The strip comes back from its file; when it could not be written, from memory.
  const auto stored = Gdip::LoadImageFromFile(EffectPanelCache());
  m_strip = stored ? stored->Image().convertToFormat(QImage::Format_ARGB32) : strip.new_Img->Image().copy();
  ResetPaint();
}

void UserqzProcess::ResetPaint() {
  QImage& surface = m_toolOle->BackBuffer();
  surface.fill(kBackColour);
  if (!m_strip.isNull()) {
    QPainter(&surface).drawImage(0, 0, m_strip);
  }
  PaintToolSelect();
  m_toolOle->RefreshBackBuffer();
}

void UserqzProcess::PaintToolSelect() {
  // A tool number outside the grid marks nothing.
  if (m_selEffect < 0 || m_selEffect >= ToolGrid::ToolCount) {
    return;
  }
  const std::unique_ptr<Gdip::Graphics> g = Gdip::Graphics::FromSurface(m_toolOle->BackBuffer());
  ToolGrid::DrawMark(*g, m_selEffect, kToolMark);
  const auto icon = Gdip::LoadImageFromFile(ToolGrid::IconPath(m_selEffect));
  ToolGrid::DrawTool(*g, m_selEffect, icon.get(), QString::fromLatin1(ToolCaptions()[std::size_t(m_selEffect)]));
}

void UserqzProcess::ShowSection() {
  if (m_toolselect < ToolsSection || m_toolselect > CalendarSection) {
    return;
  }
  if (m_toolselect == FilterSection) {
    m_zzQFiter->SetStyle(ZzQFiterControl::FormatFilter);
  }
  m_toolVscroll->setVisible(m_toolselect == ToolsSection);
  m_toolPanel->setVisible(m_toolselect == ToolsSection);
  m_stampMenu->setVisible(m_toolselect == StampSection);
  m_zzQFiter->setVisible(m_toolselect == FilterSection);
  m_calenderSee->setVisible(m_toolselect == CalendarSection);
  if (m_toolselect == StampSection) {
    m_stampMenu->RefreshPaint();
  }
}

void UserqzProcess::resizeEvent(QResizeEvent* event) {
  SkinSurface::resizeEvent(event);
  PlaceSections();
}

void UserqzProcess::PlaceSections() {
  const int W = width();
  const int H = height();
  if (W < LayoutMinWidth) {
    return;
  }
  for (QWidget* section : {static_cast<QWidget*>(m_stampMenu), static_cast<QWidget*>(m_zzQFiter),
                           static_cast<QWidget*>(m_calenderSee)}) {
    section->setGeometry(kSectionLeft, kSectionTop, W - 10, H - 46);
  }
  m_toolPanel->setGeometry(kSectionLeft, kSectionTop, W - m_toolVscroll->width() - 4, H - 46);
  if (!m_loadOver) {
    m_toolOle->setGeometry(0, 0, m_toolPanel->width(), m_toolPanel->height());
  }
  m_toolVscroll->setGeometry(m_toolPanel->width(), m_toolPanel->y(), m_toolVscroll->width(), m_toolPanel->height());
  if (!m_loadOver && ModPublic::GdiplusToken != 0) {
    m_stampMenu->Painting();
  }
  m_loadOver = true;
}

void UserqzProcess::mousePressEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  // Outside the tools grid: no tool was hit.
  m_lngVisible = 0;
  if (const std::optional<int> tab = TabAt(at)) {
    SetToolselect(*tab);
  }
  emit MouseDown(Forms::ButtonFromQt(event->button()), Forms::ShiftFromQt(event->modifiers()), float(at.x()),
                 float(at.y()));
}

void UserqzProcess::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  emit MouseUP(Forms::ButtonFromQt(event->button()), Forms::ShiftFromQt(event->modifiers()), float(at.x()),
               float(at.y()));
}

// Keys on the sections reach the panel as their parent.
void UserqzProcess::keyPressEvent(QKeyEvent* event) {
  if (const std::optional<ShortcutKeys::Code> key = ShortcutKeys::CodeOf(*event)) {
    emit ShortcutKeyPressed(key->keyCode, key->shift);
  }
}

bool UserqzProcess::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_toolOle && event->type() == QEvent::MouseButtonPress) {
    StripPressed(*static_cast<QMouseEvent*>(event));
    return true;
  }
  return SkinSurface::eventFilter(watched, event);
}

void UserqzProcess::StripPressed(QMouseEvent& event) {
  const QPointF at = event.position();
  const int hit = ToolGrid::ToolAt(at);
  m_lngVisible = hit >= 0 ? 1 : 0;
  if (hit >= 0) {
    m_selEffect = hit;
    ResetPaint();
  }
  emit MouseDown(Forms::ButtonFromQt(event.button()), Forms::ShiftFromQt(event.modifiers()), float(at.x()),
                 float(at.y()));
}
