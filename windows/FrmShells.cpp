#include "windows/FrmShells.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>

#include "browse/Browsefolder.h"
#include "controls/Transparent.h"
#include "foundation/MainWindowServices.h"
#include "foundation/ModDialogCOlor.h"
#include "foundation/ModDraw.h"
#include "platform/gdiplus/GdipTypes.h"
#include "windows/DrawnItems.h"
#include "windows/ShellTasks.h"
#include "windows/SkinBackground.h"

using ShellTasks::CanvasResize;

namespace {

constexpr int kTitleBand = 30;
constexpr QRect kTextControl(16, 63, 300, 20);
constexpr int kSizeTop = 61;
const QString kNewDimension = QStringLiteral("New Dimension:                         x                        Pixels");
constexpr std::uint32_t kBoxFill = 0xFFFFFFFF;
constexpr std::uint32_t kBoxOutline = 0x3C000000;
constexpr std::uint32_t kMagentaOle = 0x00FF00FF;  // RGB(255, 0, 255), red in the lowest byte
const QString kFont = QStringLiteral("Tahoma");

// The size boxes sit on the blanks of the "New Dimension" line, either side of its "x".
QRect SizeBox(bool height) {
  const QFontMetricsF metrics(QFont(kFont, 8));
  const qsizetype x = kNewDimension.indexOf(QStringLiteral(" x "));
  const qsizetype from = height ? x + 3 : kNewDimension.indexOf(u':') + 1;
  const qsizetype to = height ? kNewDimension.indexOf(QStringLiteral("Pixels")) : x;
  const int left = 16 + int(metrics.horizontalAdvance(kNewDimension.left(from))) + 6;
  const int right = 16 + int(metrics.horizontalAdvance(kNewDimension.left(to))) - 6;
  return QRect(left, kSizeTop, right - left, 20);
}

DrawnItems::Gradient Colours(int look) {
  static constexpr DrawnItems::Gradient looks[] = {
      {0xC8FFFFFF, 0x64000000},  // normal
      {0xC8FFFFFF, 0x96000000},  // under the pointer
      {0x32FFFFFF, 0x32FFFFFF},  // pressed
  };
  return looks[look];
}

void DrawText(QImage& surface, const QString& text, float x, float y, bool bold = false) {
  ModGDI::DrawTextGdip(surface, text, x, y, kFont, 8, 0xFF000000, bold ? Gdip::FontStyleBold : 0, false, 400);
}

// A white rounded frame 4 pixels around a text box.
void DrawBoxFrame(QImage& surface, const QRect& box) {
  ModGDI::DrawRoundRectGradient(surface, 0, box.top(), box.bottom(), float(box.left() - 4), float(box.top() - 4),
                                float(box.width() - 12), float(box.height() - 2), 10, 10, kBoxFill, kBoxFill, false,
                                1, kBoxOutline);
}

}  // namespace

FrmShells::FrmShells(MainWindowServices& host, SelectedFiles& selection, QWidget* owner)
    : SkinSurface(owner),
      m_host(host),
      m_selection(selection),
      m_textControl(new QLineEdit(this)),
      m_textWidth(new QLineEdit(this)),
      m_textHeight(new QLineEdit(this)),
      m_browsefolder(new Browsefolder(this)),
      m_transparent(new Transparent(this)) {
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::Dialog);
  setFixedSize(kSize);
  setMouseTracking(true);
  m_textControl->setGeometry(kTextControl);
  m_textWidth->setGeometry(SizeBox(false));
  m_textHeight->setGeometry(SizeBox(true));
  m_textWidth->hide();
  m_textHeight->hide();
  m_browsefolder->hide();
  // The shaped-window control only cuts the window; the dialog draws its own picture.
  m_transparent->hide();
  m_transparent->SetMaskColor(kMagentaOle);
  LoadSkin();
}

FrmShells::~FrmShells() = default;

void FrmShells::SetPublicShell(int page) {
  m_publicShell = page;
  m_textControl->clear();
  m_targetFolder.clear();
}

void FrmShells::SetTextControl(const QString& text) { m_textControl->setText(text); }

void FrmShells::LoadSkin() {
  const Forms::HourglassCursor hourglass;
  m_skin = CreateSkinBackground(size()).convertToFormat(QImage::Format_ARGB32);
  BackBuffer() = m_skin;
  m_transparent->SetMaskPicture(m_skin);
}

void FrmShells::ShowModal(std::function<void()> Closed) {
  m_closed = std::move(Closed);
  setWindowModality(Qt::ApplicationModal);
  show();
}

void FrmShells::ShowModeless() {
  show();
  raise();
  activateWindow();
}

void FrmShells::LayoutButtons() {
  const int W = width();
  const int H = height();
  m_buttonRects[CancelButton] = QRectF(W - 90, H - 40, 60, 15);
  m_buttonRects[OkButton] = QRectF(W - 180, H - 40, 60, 15);
  m_buttonRects[BrowseButton] = QRectF(kTextControl.left() + kTextControl.width() + 10, kTextControl.top() - 5, 10, 12);
  m_buttonRects[ColourButton] = QRectF(16, kSizeTop + 20 + 5, 85, 7);
  static constexpr int lastButtons[] = {BrowseButton, BrowseButton, OkButton, ColourButton, OkButton};
  m_lastButton = m_publicShell >= 0 && m_publicShell <= 4 ? lastButtons[m_publicShell] : OkButton;
}

bool FrmShells::ButtonInUse(int button) const {
  return button <= m_lastButton && !(m_publicShell == CanvasResize && button == BrowseButton);
}

void FrmShells::StartPaint() {
  LayoutButtons();
  const bool sizeTask = m_publicShell == CanvasResize;
  m_textControl->setVisible(!sizeTask);
  m_textWidth->setVisible(sizeTask);
  m_textHeight->setVisible(sizeTask);
  if (sizeTask) {
    const CanvasSaveServices* canvas = m_host.SingleqzPreview();
    m_textWidth->setText(canvas != nullptr ? canvas->ShowImgWidth() : QString());
    m_textHeight->setText(canvas != nullptr ? canvas->ShowImgHeight() : QString());
  }
  BackBuffer() = m_skin;
  DrawTexts();
  for (int i = 0; i < kButtons; ++i) {
    if (ButtonInUse(i)) {
      DrawButton(i, Look::Normal);
    }
  }
  update();
}

void FrmShells::DrawTexts() {
  const ShellTasks::Texts texts = ShellTasks::TaskTexts(m_publicShell);
  DrawText(BackBuffer(), texts.Title, 83, 10, true);
  if (m_publicShell != CanvasResize) {
    DrawText(BackBuffer(), texts.Prompt, 16, 45);
    DrawText(BackBuffer(), texts.Note, 16, 100);
    DrawBoxFrame(BackBuffer(), kTextControl);
    return;
  }
  DrawText(BackBuffer(),
           "Original Dimension: " + m_textWidth->text() + " x " + m_textHeight->text() + " Pixels", 16, 45);
  DrawText(BackBuffer(), kNewDimension, 16, kSizeTop);
  DrawText(BackBuffer(), "Input the new image size, this operation does not zoom the image.", 16,
           kSizeTop + 20 + 30);
  DrawBoxFrame(BackBuffer(), m_textWidth->geometry());
  DrawBoxFrame(BackBuffer(), m_textHeight->geometry());
}

void FrmShells::DrawButton(int button, Look look) {
  const QRectF& r = m_buttonRects[std::size_t(button)];
  DrawnItems::DrawItemBox(BackBuffer(), r, Colours(int(look)));
  const float left = float(r.left());
  const float top = float(r.top());
  switch (button) {
    case CancelButton:
      DrawnItems::DrawItemLabel(BackBuffer(), QStringLiteral("Cancel"), left + 20, top + 7);
      break;
    case OkButton:
      DrawnItems::DrawItemLabel(BackBuffer(), QStringLiteral("OK"), left + 30, top + 7);
      break;
    case BrowseButton:
      DrawnItems::DrawItemLabel(BackBuffer(), QStringLiteral("..."), left + 8, top + 2);
      break;
    case ColourButton:
      DrawnItems::DrawItemLabel(BackBuffer(), QStringLiteral("Background Color"), 22, kSizeTop + 25);
      DrawColourDot();
      break;
  }
}

void FrmShells::DrawColourDot() {
  const QRectF& r = m_buttonRects[ColourButton];
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  ModDialogCOlor::ColorToRGBBytes(m_shellColor, red, green, blue);
  ModGDI::FillEllipseGdip(BackBuffer(), float(r.right() + 30), float(r.top()), 15, 15, qRgb(red, green, blue));
}

void FrmShells::TrackButtons(QPointF point, bool pressed) {
  m_buttonHit = false;
  for (int i = 0; i < kButtons; ++i) {
    if (!ButtonInUse(i)) {
      continue;
    }
    if (!m_buttonHit && DrawnItems::ItemHit(m_buttonRects[std::size_t(i)], point)) {
      m_buttonHit = true;
      m_hotButton = i;
      DrawButton(i, pressed ? Look::Pressed : Look::Hovered);
    } else {
      DrawButton(i, Look::Normal);
    }
  }
  ShowMoused(m_buttonHit);
  RefreshBackBuffer();
}

void FrmShells::ButtonReleased(int button) {
  switch (button) {
    case CancelButton:
      close();
      return;
    case BrowseButton:
      ChooseFolder();
      return;
    case ColourButton:
      ChooseColour();
      return;
    case OkButton:
      Confirm();
      return;
  }
}

void FrmShells::ChooseFolder() {
  m_browsefolder->SetCaption(QStringLiteral("Choose a folder or hard drive:"));
  m_browsefolder->SetUseNewUI(true);
  // A cancelled picker leaves the folder, and the box, as they were.
  if (m_browsefolder->Browse()) {
    m_targetFolder = m_browsefolder->FullName();
    m_textControl->setText(m_targetFolder);
  }
}

void FrmShells::ChooseColour() {
  const std::int32_t colour = ModDialogCOlor::ShowColorDialog(this, m_shellColor, false);
  if (colour != -1) {
    m_shellColor = std::uint32_t(colour);
    DrawColourDot();
    update();
  }
}

void FrmShells::Confirm() {
  const Forms::HourglassCursor hourglass;
  switch (m_publicShell) {
    case ShellTasks::CopyImages:
    case ShellTasks::MoveImages:
      // The transfer finishes the dialog once its last file is through.
      StartTransfer(m_publicShell == ShellTasks::MoveImages);
      return;
    case ShellTasks::RenameImages:
      if (RenameFiles()) {
        Finish();
      }
      return;
    case CanvasResize:
      if (ConfirmCanvasSize()) {
        Finish();
      }
      return;
    case ShellTasks::SendToStamp:
      if (const std::optional<QString> name = TypedName()) {
        m_string = *name;
        Finish();
      }
      return;
  }
}

void FrmShells::Finish() {
  m_buttonState = 1;
  close();
}

void FrmShells::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && event->position().y() < kTitleBand) {
    // The window manager moves the window; without one the band moves it itself.
    QWindow* window = windowHandle();
    if (window == nullptr || !window->startSystemMove()) {
      m_dragFrom = event->globalPosition().toPoint() - pos();
    }
    return;
  }
  if (event->button() == Qt::LeftButton) {
    TrackButtons(event->position(), true);
  }
}

void FrmShells::mouseMoveEvent(QMouseEvent* event) {
  if (m_dragFrom && (event->buttons() & Qt::LeftButton)) {
    move(event->globalPosition().toPoint() - *m_dragFrom);
    return;
  }
  TrackButtons(event->position(), false);
}

void FrmShells::mouseReleaseEvent(QMouseEvent*) {
  m_dragFrom.reset();
  if (m_buttonHit) {
    ButtonReleased(m_hotButton);
  }
}

void FrmShells::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
  }
}

void FrmShells::closeEvent(QCloseEvent* event) {
  // A copy or move still under way stops after the file it is on.
  m_pending.reset();
  event->accept();
  if (m_closed) {
    // Run from the event loop: the caller may let go of this dialog in it.
    QTimer::singleShot(0, qApp, [closed = std::move(m_closed)] { closed(); });
    m_closed = nullptr;
  }
}
