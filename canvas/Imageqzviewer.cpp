#include "canvas/Imageqzviewer.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QScrollBar>

#include "canvas/ToolCommit.h"
#include "canvas/ToolHint.h"
#include "canvas/ToolModes.h"
#include "canvas/tools/CalendarLayer.h"
#include "canvas/tools/RegionTools.h"
#include "canvas/tools/ShapeDrawing.h"
#include "effects/ClsSelect.h"
#include "effects/ModEffectsApply.h"
#include "effects/ModEffectsLight.h"
#include "effects/ModEffectsWeather.h"
#include "foundation/DIBsave.h"
#include "foundation/ModDraw.h"
#include "foundation/ModGDI.h"
#include "foundation/CommandKeys.h"
#include "foundation/ModPublic.h"
#include "foundation/Numbers.h"
#include "foundation/SkinnedControlServices.h"
#include "platform/forms/Input.h"
#include "platform/forms/MsgBox.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/Codecs.h"
#include "platform/gdiplus/Graphics.h"

namespace {

using CanvasLayout::Cursor;
using ToolModes::Mode;

constexpr int kDotsPerMeter96Dpi = 3780;  // layouts are made for 96 dpi on every screen

const QColor kBackground(Imageqzviewer::Background, Imageqzviewer::Background, Imageqzviewer::Background);

QString DataListFolder() { return ModPublic::ProgramFolder() + QStringLiteral("Datas"); }

void RemoveIfPresent(const QString& path) {
  if (QFile::exists(path)) {
    QFile::remove(path);
  }
}

// An overlay picture from the data folder, scaled to size when one is given; a missing
// file leaves it null and its overlay undrawn.
QImage LoadOverlay(const QString& name, QSize size = {}) {
  const auto bitmap = Gdip::LoadImageFromFile(ModPublic::DataFolderPath + name);
  if (!bitmap) {
    return {};
  }
  const QImage& image = bitmap->Image();
  return size.isValid() ? image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation) : image;
}

std::uint32_t RgbReference(QRgb pixel) {
  return std::uint32_t(qRed(pixel)) | (std::uint32_t(qGreen(pixel)) << 8) | (std::uint32_t(qBlue(pixel)) << 16);
}

}  // namespace

Imageqzviewer::Imageqzviewer(QWidget* parent) : QWidget(parent), m_snapshotFolder(DataListFolder()) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
  m_select = std::make_unique<ClsSelect>();
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kBackground);
  setPalette(palette);

  m_textBackground = new QFrame(this);
  m_textBackground->setAutoFillBackground(true);
  m_textBackground->setPalette(palette);
  m_textBackground->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  m_textBackground->setLineWidth(2);
  m_text1 = new QPlainTextEdit(m_textBackground);
  m_text1->viewport()->setCursor(Qt::ArrowCursor);
  // The text layer follows the typing.
  connect(m_text1, &QPlainTextEdit::textChanged, this, [this] { Painting(); });
  HideText1();

  // Only the layout sets their ranges; they stay out of sight and move the view when set.
  m_horizontalScroll = new QScrollBar(Qt::Horizontal, this);
  m_verticalScroll = new QScrollBar(Qt::Vertical, this);
  m_horizontalScroll->hide();
  m_verticalScroll->hide();
  connect(m_horizontalScroll, &QScrollBar::valueChanged, this, &Imageqzviewer::OnHorizontalScroll);
  connect(m_verticalScroll, &QScrollBar::valueChanged, this, &Imageqzviewer::OnVerticalScroll);

  ModPublic::EraserToolKey = QString::fromLatin1(CommandKeys::Stamp_Brusheraser.data(), qsizetype(CommandKeys::Stamp_Brusheraser.size()));
  ModPublic::VectorFillStyle = QStringLiteral("Vector_Single");
  // A data folder that cannot be written keeps the undo history in memory only.
  (void)m_snapshotFolder.Ensure();
  // The history reports from its worker; the user is told on the window's thread.
  m_undoSnapshots.OnWriteFailure([this](const QString& reason) {
    QMetaObject::invokeMethod(
        this,
        [reason] {
          Forms::MsgBox(
              QStringLiteral("Undo steps could not be saved: %1. Older steps will not be kept.").arg(reason),
              Forms::vbOKOnly | Forms::vbExclamation);
        },
        Qt::QueuedConnection);
  });
}

Imageqzviewer::~Imageqzviewer() { EndOfLife(); }

void Imageqzviewer::EndOfLife() {
  m_workingCanvas.reset();
  ImgDIB.Destroy();
  // The snapshots, stamp snapshots and the copy of a deleted file all live in this
  // program's own folder, which goes as a whole.
  m_undoSnapshots.Clear();
  m_stampSnapshots.Clear();
  m_undoSnapshots.WaitForWrites();
  m_snapshotFolder.Remove();
  RemoveIfPresent(ModPublic::ProgramFolder() + QStringLiteral("Datas/bgtemp.tmp"));
}

QString Imageqzviewer::ShowImgWidth() const { return CanvasLayout::SingleText(ImgDIB.Width()); }
QString Imageqzviewer::ShowImgHeight() const { return CanvasLayout::SingleText(ImgDIB.Height()); }

double Imageqzviewer::HorizontalResolution() const {
  return hasImage() ? ImgDIB.DIB()->Image().dotsPerMeterX() * 0.0254 : 0.0;
}

void Imageqzviewer::SetFontA(const QString& value) {
  m_text.font = value;
  QFont font = m_text1->font();
  font.setFamily(value);
  m_text1->setFont(font);
  Painting();
}

void Imageqzviewer::SetFontSizeA(int value) {
  m_text.size = value;
  Painting();
}

void Imageqzviewer::SetFontStyleA(int value) {
  m_text.style = value;
  Painting();
}

void Imageqzviewer::SetFontRenderA(int value) {
  m_text.render = value;
  Painting();
}

void Imageqzviewer::SetTextColor(std::uint32_t value) {
  m_text.colour = value;
  Painting();
}

void Imageqzviewer::SetZoomFromSlider(int sliderValue) {
  m_view.zoom = CanvasLayout::ZoomFromSlider(sliderValue);
  Painting();
}

void Imageqzviewer::SetValue(int value) {
  m_hit.BarShown = false;
  m_slider.value = float(value);
  // Some tools run the value below zero (the straighten angle); the shade stays a valid alpha.
  m_kit.Shade = QColor(0, 0, 0, std::clamp(value, 0, 255));
}

bool Imageqzviewer::hasImage() const { return ImgDIB.DIB() != nullptr && !ImgDIB.DIB()->Image().isNull(); }

void Imageqzviewer::ShowHidetext(float X, float Y, float W, float H) {
  if (m_textBoxShown) {
    HideText1();
    m_textBackground->move(Numbers::RoundToInt(X), -100);
    return;
  }
  m_textBackground->show();
  m_textBackground->setGeometry(Numbers::RoundToInt(X), Numbers::RoundToInt(Y), Numbers::RoundToInt(W),
                                Numbers::RoundToInt(H));
  m_text1->setGeometry(3, 3, m_textBackground->width() - 6, m_textBackground->height() - 6);
  m_textBoxShown = true;
}

void Imageqzviewer::HideText1() {
  m_textBackground->move(0, -100);
  // Moved up, the box would still show its lower part: out of the way means hidden.
  m_textBackground->hide();
  m_textBoxShown = false;
}

void Imageqzviewer::CleanCroprect(bool isSelectAll) {
  m_ptr.press = {};
  m_ptr.current = {};
  for (std::size_t i = 0; i < 9; ++i) {
    m_rects.Handles[i] = {};
  }
  if (isSelectAll) {
    // Canvas pixels, like every tool rectangle: the picture where it is shown.
    m_rects.Handles[0] = m_view.fitRect;
  }
}

void Imageqzviewer::CreateBrush() {
  m_kit.LightPanel = QColor(236, 236, 236, 255);
  m_kit.DarkPanel = QColor(80, 80, 80, 150);
  m_kit.Shade = QColor(0, 0, 0, m_mode == Mode::Colorize ? 20 : 50);
  m_kit.WhiteTranslucent = QColor(255, 255, 255, 150);
  m_kit.Font = QFont(QStringLiteral("Tahoma"));
  m_kit.Font.setPointSize(8);
  m_kit.Font.setBold(true);
  m_kit.Knob = LoadOverlay(QStringLiteral("ScrollTop.png"));
  m_kit.Back = LoadOverlay(QStringLiteral("Back.png"), QSize(26, 26));
  m_kit.Next = LoadOverlay(QStringLiteral("Next.png"), QSize(26, 26));
  m_kit.Picker = LoadOverlay(QStringLiteral("ColorPicker.png"), QSize(125, 130));
}

bool Imageqzviewer::NewImage(float W, float H, std::uint32_t Color) {
  m_firstL = true;
  DIBsave blank;
  blank.CreateBlankMemory(Numbers::RoundToInt(H), Numbers::RoundToInt(W), nullptr, false);
  blank.ClearScreen(ModGDI::RGBToARGB(Color, 255));
  // A blank that could not be made or written must not bring back an older one.
  if (!blank.Save(ModPublic::ProgramFolder() + QStringLiteral("Tempnewimage.png"), 6, 90)) {
    return false;
  }
  return Open(ModPublic::ProgramFolder() + QStringLiteral("Tempnewimage.png"));
}

bool Imageqzviewer::Open(const QString& path) {
  const bool loaded = ReadPicture(path);
  PurgeUndo();
  // A newly opened file has nothing to save, and its first undo position is the
  // picture exactly as it was read, whatever the host's flag says.
  m_saveState = true;
  m_appliedEffect = false;
  m_snapshotDue = loaded;
  m_firstSnapshotKept = false;
  LayOut(ViewStart::ActualSize, PaintKind::Refit);
  return loaded;
}

bool Imageqzviewer::ReloadSaved(const QString& path) {
  const bool loaded = ReadPicture(path);
  LayOut(ViewStart::ActualSize, PaintKind::Refit);
  return loaded;
}

void Imageqzviewer::Relayout() { LayOut(ViewStart::Kept, PaintKind::Refit); }

bool Imageqzviewer::ReadPicture(const QString& path) {
  ImgDIB = LoadShowingPreview(path);
  CurFilename = path;
  const bool loaded = hasImage();
  m_openFailure = Gdip::CouldNotOpenText(ImgDIB.Failure());
  m_displayCache.Reset(loaded ? ImgDIB.DIB()->Image() : QImage());
  return loaded;
}

void Imageqzviewer::PurgeUndo() {
  m_undo.index = 0;
  m_undoSnapshots.Clear();
  RefreshUndoState();
}

void Imageqzviewer::LayOut(ViewStart start, PaintKind kind) {
  if (!hasImage()) {
    // Nothing to lay out; the surface must not keep showing an earlier picture.
    ClearSurface();
    update();
    return;
  }
  if (m_mode != Mode::Browse) {
    if (m_mode != Mode::Select) {
      EnsureBackBuffer();
      auto graphics = Gdip::Graphics::FromSurface(m_backBuffer);
      DrawCommandBar(*graphics, false, true);
    }
    if (ToolModes::Row(m_mode).group == ToolModes::PointerGroup::Polygon) {
      SharedSelectionPoints() = SelectionPoints{};
    }
    if (ToolModes::Row(m_mode).dropsSelection) {
      CleanCroprect(false);
    }
    // The floating stamp keeps its place on the picture, not on the canvas: its frame is
    // made again for the new fit from where it lies now, and its brush is put down.
    if (m_mode == Mode::FloatingStamp) {
      m_stamp.rectPending = true;
      PutDownStampBrush();
    }
  }
  m_view.FitInto(PictureSize(), ClientSize());
  if (m_mode != Mode::Browse) {
    RemakeWorkingCanvas();
  }
  if (start == ViewStart::ActualSize && !m_view.fit) {
    m_view.StartAtActualSize(PictureSize(), ClientSize());
    const QSize client = ClientSize();
    m_horizontalScroll->setRange(0, std::max(0, m_view.displaySize.width() - client.width()));
    m_verticalScroll->setRange(0, std::max(0, m_view.displaySize.height() - client.height()));
  }
  Painting(kind);
  if (m_snapshotDue || m_firstL) {
    // Position 0 is recorded once per opened picture, and never over later edits.
    if (m_undo.index == 0 && !m_firstSnapshotKept) {
      KeepFirstSnapshot();
    }
    m_snapshotDue = false;
    m_firstL = false;
  }
}

void Imageqzviewer::RemakeWorkingCanvas() {
  const QSize size = m_view.FittedSize();
  m_workingCanvas = std::make_unique<DIBsave>();
  m_workingCanvas->CreateBlankMemory(size.height(), size.width(), nullptr, false);
  if (m_workingCanvas->MemGraphics) {
    m_workingCanvas->MemGraphics->Painter().drawImage(QPoint(0, 0), m_displayCache.Scaled(size));
  }
}

void Imageqzviewer::KeepFirstSnapshot() {
  // Kept in memory: its file is written with the first edit's, so merely viewing a
  // picture writes nothing.
  m_undoSnapshots.Keep(0, ImgDIB.DIB()->Image());
  m_firstSnapshotKept = true;
}

void Imageqzviewer::WaitForSnapshot() { m_undoSnapshots.WaitForWrites(); }

int Imageqzviewer::UndoListCount() {
  WaitForSnapshot();
  return int(QDir(m_snapshotFolder.Path()).entryList({QStringLiteral("*.udo")}, QDir::Files).size());
}

QString Imageqzviewer::UndoFilePath(int index) {
  return SnapshotFolder::PathFor(DataListFolder()) + QStringLiteral("Undo%1.udo").arg(index);
}

void Imageqzviewer::EnsureBackBuffer() {
  if (m_backBuffer.size() != ClientSize()) {
    m_backBuffer = QImage(ClientSize(), QImage::Format_RGB32);
    m_backBuffer.setDotsPerMeterX(kDotsPerMeter96Dpi);
    m_backBuffer.setDotsPerMeterY(kDotsPerMeter96Dpi);
    m_backBuffer.fill(kBackground);
  }
}

void Imageqzviewer::ClearSurface() {
  EnsureBackBuffer();
  m_backBuffer.fill(kBackground);
  if (!m_backBuffer.isNull()) {
    auto graphics = Gdip::Graphics::FromSurface(m_backBuffer);
    DrawInsetFrame(*graphics, QRectF(1, 1, width(), height()));
    PaintOpenFailure(graphics->Painter());
  }
}

QString Imageqzviewer::OpenFailureText() const { return hasImage() ? QString() : m_openFailure; }

void Imageqzviewer::PaintOpenFailure(QPainter& painter) {
  const QString text = OpenFailureText();
  if (text.isEmpty()) {
    return;
  }
  // Dark on the light empty canvas, centred and wrapped to the window.
  QFont font(QStringLiteral("Tahoma"));
  font.setPointSize(10);
  painter.setFont(font);
  painter.setPen(QColor(60, 60, 60));
  painter.drawText(QRectF(20, 20, width() - 40, height() - 40), Qt::AlignCenter | Qt::TextWordWrap, text);
}

bool Imageqzviewer::NavigatorShown() const { return m_view.NavigatorShown(ClientSize()); }

void Imageqzviewer::Painting(PaintKind kind) {
  if (!hasImage()) {
    // An empty holder (a failed decode, a released picture) shows an empty canvas.
    ClearSurface();
    update();
    return;
  }
  const bool refit = kind == PaintKind::Refit || kind == PaintKind::RefitSmooth;
  if (!m_view.fit) {
    // While the left button pans, the mouse tools move the view themselves.
    m_view.FollowZoom(PictureSize(), ClientSize(), !m_ptr.leftDown || m_resizePress);
  }
  if (refit) {
    m_displayCache.Reset(ImgDIB.DIB()->Image());
    m_previewThumbnail = m_displayCache.Scaled(m_view.FittedSize());
  } else if (m_ptr.leftDown && m_hit.GripHit && m_hit.NavButtonIndex == 0 && NavigatorShown()) {
    m_view.offset =
        CanvasLayout::ViewOffsetFromNavigatorDrag(m_view.navigatorRect, ClientSize(), m_view.displaySize, m_pointer);
  }
  // A plain clear: the frame comes back with the command bar, and the picture may cover it.
  EnsureBackBuffer();
  m_backBuffer.fill(kBackground);
  auto graphics = Gdip::Graphics::FromSurface(m_backBuffer);
  PaintPicture(*graphics, kind == PaintKind::Smooth || kind == PaintKind::RefitSmooth);
  PaintNavigator(*graphics);
  if (ToolModes::Row(m_mode).group == ToolModes::PointerGroup::Polygon) {
    // The outline routine draws on the surface itself, so the painter steps aside.
    graphics.reset();
    PaintOpenPolygon();
    graphics = Gdip::Graphics::FromSurface(m_backBuffer);
  }
  PaintOverlays(*graphics);
  graphics.reset();
  update();
  m_view.Shown();
}

void Imageqzviewer::PaintPicture(Gdip::Graphics& graphics, bool smooth) {
  QPainter& p = graphics.Painter();
  if (m_view.fit) {
    const bool working = m_mode != Mode::Browse && m_workingCanvas && m_workingCanvas->new_Img;
    const QImage& fitted = working ? m_workingCanvas->new_Img->Image() : m_previewThumbnail;
    p.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    p.drawImage(m_view.fitRect, fitted);
    return;
  }
  m_displayCache.Draw(p, QRect(QPoint(0, 0), ClientSize()), m_view.offset, m_view.displaySize, smooth);
}

void Imageqzviewer::PaintNavigator(Gdip::Graphics& graphics) {
  if (!NavigatorShown()) {
    // Not drawn, so nothing may be hit where it was.
    m_rects.Nav[0] = {};
    return;
  }
  QPainter& p = graphics.Painter();
  const auto nav = CanvasLayout::NavigatorGeometry(ClientSize(), QSizeF(ImgDIB.Width(), ImgDIB.Height()));
  m_view.navigatorRect = nav.Thumbnail;
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(m_kit.DarkPanel);
  p.drawRoundedRect(nav.Panel, 5, 5);
  p.setRenderHint(QPainter::Antialiasing, false);
  const QSize thumbSize = nav.Thumbnail.size().toSize();
  if (m_navigatorThumbnail.size() != thumbSize || m_navigatorThumbnailKey != m_displayCache.Key()) {
    m_navigatorThumbnail = m_displayCache.Scaled(thumbSize);
    m_navigatorThumbnailKey = m_displayCache.Key();
  }
  p.drawImage(nav.Thumbnail.topLeft(), m_navigatorThumbnail);
  const QRectF outline =
      CanvasLayout::NavigatorOutline(nav.Thumbnail, ClientSize(), m_view.displaySize, m_view.offset).intersected(nav.Thumbnail);
  QPainterPath outside;
  outside.addRect(nav.Thumbnail);
  outside.addRect(outline);
  p.fillPath(outside, m_kit.DarkPanel);
  p.setPen(QPen(QColor(255, 255, 255, 100), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(outline);
  p.setFont(m_kit.Font);
  p.setPen(m_kit.WhiteTranslucent);
  p.drawText(QRectF(nav.Panel.x() + 5, nav.Panel.y() + 5, nav.Panel.width() - 5, 20), Qt::AlignLeft | Qt::AlignTop,
             QStringLiteral("   Zoom to ") + CanvasLayout::SingleText(m_view.zoom * 100) + QStringLiteral(" %"));
  m_rects.Nav[0] = m_view.navigatorRect;
}

void Imageqzviewer::PaintOverlays(Gdip::Graphics& graphics) {
  // Buttons belong to the tool that drew them last; a click must never reach another tool's.
  for (std::size_t i = 3; i <= 6; ++i) {
    m_rects.Buttons[i] = {};
  }
  const Mode mode = m_mode;
  if (mode == Mode::Text) {
    PaintTextLayer(graphics);
  } else if (RegionTools::HasOverlay(mode)) {
    PaintToolOverlay(graphics);
  } else if (mode == Mode::FloatingStamp) {
    PaintFloatingStamp(graphics);
  }
  if (mode >= Mode::Bubble && mode <= Mode::Flower) {
    PaintParticles(graphics);
  }
  if (mode == Mode::Irradiation) {
    PaintIrradiation(graphics);
  }
  if (mode == Mode::Calendar) {
    CalenderPaint(graphics);
  }
  if (const int shape = ShapeDrawing::DrawTypeOf(mode)) {
    LineDrawing(shape, false, graphics);
  }
  if (ToolModes::Row(mode).picker) {
    ColorControl(graphics);
  }
  if (mode == Mode::Resize) {
    PaintStatusText(graphics);
  }

  if (mode == Mode::FreeSelect) {
    PaintMagnifier(graphics);
    ToolHint::DrawToolHint(graphics, mode, float(width() - 4), float(height() - 4));
  }
  if (ToolModes::HasBar(mode)) {
    DrawCommandBar(graphics, true, false);
  }
}

void Imageqzviewer::PaintParticles(Gdip::Graphics& graphics) {
  ModEffects::EffectRun run;
  run.code = int(m_mode);
  run.fitRect = m_view.fitRect;
  run.Value = float(Value());
  // Kept, so that Apply burns in these very particles.
  ModEffects::DrawEffectPreview(graphics, run, m_effectClock, &m_seenParticles);
}

void Imageqzviewer::PaintIrradiation(Gdip::Graphics& graphics) {
  // The light follows the pointer until the pointer goes onto the command bar; then it
  // stays where it was left.
  if (!m_hit.BarShown) {
    m_irradiationPoint = m_pointer;
  }
  const QPointF centre = m_view.fitRect.center();
  ModEffects::DrawIrradiation(graphics, float(centre.x()), float(centre.y()), float(m_view.fitRect.width() * 0.8),
                              float(m_view.fitRect.height() * 0.8), float(m_irradiationPoint.x()),
                              float(m_irradiationPoint.y()), 0, ModGDI::RGBToARGB(m_pickColor2, 255),
                              m_slider.max - Value());
  ModGDI::FillOutsideFrame(graphics, float(m_view.fitRect.x()), float(m_view.fitRect.y()), float(m_view.fitRect.width()),
                           float(m_view.fitRect.height()), float(width()), float(height()));
}

void Imageqzviewer::PaintMagnifier(Gdip::Graphics& graphics) {
  // The magnifier enlarges what the canvas shows, so it copies the back buffer first.
  const QImage shown = m_backBuffer.copy();
  const Gdip::SolidBrush panel(m_kit.DarkPanel.rgba());
  const float x = float(m_pointer.x());
  const float y = float(m_pointer.y());
  ModGDI::DrawMagnifier(graphics, shown, x - 130, y - 130, 110, 100, 10, 10, panel, x, y, 20);
}

void Imageqzviewer::PaintOpenPolygon() {
  const SelectionPoints& points = SharedSelectionPoints();
  if (points.SelectPointCount <= 0 || m_ptr.rightPress) {
    return;
  }
  const auto last = std::min(std::size_t(points.SelectPointCount), points.SelectPoints.size()) - 1;
  const QPointF from = points.SelectPoints[last];
  m_select->FreeSelect(m_backBuffer, float(from.x()), float(from.y()), float(m_ptr.polygonCursor.x()),
                       float(m_ptr.polygonCursor.y()), nullptr, 0, 0, true, false, 0, 0, 1, 1, false, 0);
}

void Imageqzviewer::PaintStatusText(Gdip::Graphics& graphics) {
  const QString text = QStringLiteral("Image Dimension: ") + QString::number(m_view.displaySize.width()) +
                       QStringLiteral(" x ") + QString::number(m_view.displaySize.height()) + QStringLiteral(" Pixels") +
                       QStringLiteral("     Zoom to ") + CanvasLayout::SingleText(m_view.zoom * 100) + QStringLiteral("%");
  DrawCaption(graphics, text, QPointF(10, 10), 10, false);
}

void Imageqzviewer::DrawCommandBar(Gdip::Graphics& graphics, bool keepKnob, bool noRefresh) {
  const CanvasLayout::CommandBar bar = CanvasLayout::CommandBarGeometry(m_mode, ClientSize());
  const int L = bar.L;
  const int T = bar.T;
  const int S = bar.SliderWidth;
  if (bar.HasSlider) {
    DrawBarBox(graphics, QRectF(L, T, 170, 15));
    FollowKnob();
    const float knobX = m_slider.PlaceKnob(L, KnobImageWidth(), keepKnob);
    m_rects.Buttons[0] = QRectF(knobX, T, KnobWidth, 26);
    if (!m_kit.Knob.isNull()) {
      graphics.Painter().drawImage(QPointF(knobX, T + 3), m_kit.Knob);
    }
  } else {
    m_rects.Buttons[0] = {};
  }
  m_rects.Buttons[1] = bar.Buttons[1];
  m_rects.Buttons[2] = bar.Buttons[2];
  DrawBarBox(graphics, QRectF(L + S, T, 35, 15));
  DrawBarBox(graphics, QRectF(L + S + 60, T, 35, 15));
  DrawCaption(graphics, QStringLiteral("Apply"), QPointF(L + S + 10, T + 6), 8, true);
  DrawCaption(graphics, QStringLiteral("Cancel"), QPointF(L + S + 70, T + 6), 8, true);
  if (bar.HasOption) {
    m_rects.Buttons[4] = bar.Buttons[4];
    DrawBarBox(graphics, QRectF(L + S + 120, T, 35, 15));
    DrawCaption(graphics, QStringLiteral("Option"), QPointF(L + S + 130, T + 6), 8, true);
  }
  if (bar.HasStampUndo) {
    m_rects.Buttons[5] = bar.Buttons[5];
    m_rects.Buttons[6] = bar.Buttons[6];
    DrawBarBox(graphics, QRectF(L - 65, T, 35, 15));
    DrawBarBox(graphics, QRectF(bar.Buttons[6].x() - 65, T, 35, 15));
    DrawCaption(graphics, QStringLiteral("Redo"), QPointF(L - 50, T + 6), 8, true);
    DrawCaption(graphics, QStringLiteral("Undo"), QPointF(bar.Buttons[6].x() - 55, T + 6), 8, true);
  }
  DrawInsetFrame(graphics, QRectF(1, 1, width(), height()));
  if (!noRefresh) {
    update();
  }
}

void Imageqzviewer::DrawBarBox(Gdip::Graphics& graphics, const QRectF& box) {
  // The rounded panel grows by its corner: a 35 x 15 box with corner 10 covers 55 x 25.
  constexpr std::uint32_t kBarPanel = ModGDI::MakeARGB(100, 80, 80, 80);
  constexpr float kCorner = 10;
  ModGDI::DrawRoundRectGradient(graphics, int(box.x()), int(box.y()), int(box.bottom()), float(box.x()),
                                float(box.y()), float(box.width()), float(box.height()), kCorner, kCorner, kBarPanel,
                                kBarPanel, false, 1, 0);
}

void Imageqzviewer::DrawCaption(Gdip::Graphics& graphics, const QString& text, QPointF at, int pointSize, bool bold) {
  const int room = std::max(0, width() - int(at.x()));
  ModGDI::DrawTextGdip(graphics, text, float(at.x()), float(at.y()), QStringLiteral("Tahoma"), pointSize,
                       ModGDI::MakeARGB(255, 255, 255, 255), bold ? Gdip::FontStyleBold : 0, false, room);
}

void Imageqzviewer::DrawInsetFrame(Gdip::Graphics& graphics, const QRectF& area) {
  ModGDI::DrawRectOutline(graphics, float(area.x()), float(area.y()), float(area.width()), float(area.height()));
}

void Imageqzviewer::ColorControl() {
  if (m_backBuffer.isNull()) {
    return;
  }
  {
    auto graphics = Gdip::Graphics::FromSurface(m_backBuffer);
    ColorControl(*graphics);
  }
  update();
}

void Imageqzviewer::ColorControl(Gdip::Graphics& graphics) {
  m_rects.Buttons[3] = QRectF(ClientSize().width() - 85, 5, 80, 70);
  if (!m_kit.Picker.isNull()) {
    graphics.Painter().setRenderHint(QPainter::SmoothPixmapTransform);
    graphics.Painter().drawImage(m_rects.Buttons[3], m_kit.Picker);
  }
  if (m_hit.HotButton == 3 && m_hit.BarShown) {
    // The swatch has just been drawn into the back buffer, so the colour under the
    // pointer is read from there (the raster painter writes straight into it).
    const QPoint at(Numbers::RoundToInt(m_pointer.x()), Numbers::RoundToInt(m_pointer.y()));
    if (m_backBuffer.valid(at)) {
      const std::uint32_t colour = RgbReference(m_backBuffer.pixel(at));
      const QByteArray fillStyle = ModPublic::VectorFillStyle.toLatin1();
      const bool oneColour = ToolModes::DrawsWithOneColour(m_mode, std::string_view(fillStyle.constData()));
      (oneColour ? m_pickColor2 : m_pickColor1) = colour;
    }
  }
}

void Imageqzviewer::HitTestCanvas(QPointF point) {
  CanvasLayout::HitTestCanvas(m_mode, point, m_rects, m_hit);
  setCursor(m_cursors.For(m_hit.Pointer));
}

void Imageqzviewer::OnHorizontalScroll(int value) {
  m_view.offset.setX(-value);
  Painting();
}

void Imageqzviewer::OnVerticalScroll(int value) {
  m_view.offset.setY(-value);
  Painting();
}

void Imageqzviewer::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  if (m_backBuffer.isNull()) {
    p.fillRect(event->rect(), kBackground);
    return;
  }
  p.drawImage(event->rect(), m_backBuffer, event->rect());
}

void Imageqzviewer::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ClearSurface();
  LayOut(ViewStart::Kept, PaintKind::RefitSmooth);
  m_text1->move(0, 0);
}

void Imageqzviewer::mousePressEvent(QMouseEvent* event) {
  m_pointer = event->position();
  const int button = Forms::ButtonFromQt(event->button());
  const int shift = Forms::ShiftFromQt(event->modifiers());
  PointerDown(button, shift, m_pointer);
  emit MouseDown(button, shift, float(m_pointer.x()), float(m_pointer.y()));
}

void Imageqzviewer::mouseMoveEvent(QMouseEvent* event) {
  m_pointer = event->position();
  const int button = Forms::ButtonFromQt(event->buttons());
  const int shift = Forms::ShiftFromQt(event->modifiers());
  PointerMove(button, shift, m_pointer);
  emit MouseMove(button, shift, float(m_pointer.x()), float(m_pointer.y()));
}

void Imageqzviewer::mouseReleaseEvent(QMouseEvent* event) {
  m_pointer = event->position();
  const int button = Forms::ButtonFromQt(event->button());
  const int shift = Forms::ShiftFromQt(event->modifiers());
  PointerUp(button, shift, m_pointer);
  emit MouseUp(button, shift, float(m_pointer.x()), float(m_pointer.y()));
}

void Imageqzviewer::mouseDoubleClickEvent(QMouseEvent* event) {
  Q_UNUSED(event);
  emit DblClick();
}
