#include "browse/ZzQFiterControl.h"

#include <cmath>

#include <QMouseEvent>

#include "browse/ModFileinfo.h"
#include "foundation/MainWindowServices.h"
#include "foundation/ModGDI.h"
#include "foundation/ModPublic.h"
#include "platform/forms/Input.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/Codecs.h"
#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/Pen.h"
#include "platform/gdiplus/StringFormat.h"

using ModGDI::MakeARGB;

namespace {

constexpr int kEyeSize = 16;
const QString kFontName = QStringLiteral("Tahoma");
constexpr double kMetresPerInch = 0.0254;
// The panel colour the translucent rows blend into.
const QColor kPanel{240, 238, 233};

// The text after the last "." of a file name, empty when it has none.
QString FormatOf(const QString& name) {
  const qsizetype dot = name.lastIndexOf(u'.');
  return dot < 0 ? QString() : name.mid(dot + 1);
}

}  // namespace

QString ZzQFiterControl::FormatRowsText() {
  return QStringLiteral("*.Png;*.Gif;*.Wmf;*.Emf;*.Bmp;*.Tif;*.Tiff;*.Jpg;*.Jpeg");
}

QString ZzQFiterControl::DefaultImageFormats() {
  return QStringLiteral("*.png;*.gif;*.wmf;*.emf;*.bmp;*.tif;*.tiff;*.jpg;*.jpeg");
}

ZzQFiterControl::ZzQFiterControl(QWidget* parent)
    : SkinSurface(parent),
      m_imageFormats(DefaultImageFormats()),
      m_colours{MakeARGB(255, 255, 255, 255), MakeARGB(100, 255, 255, 255), MakeARGB(50, 0, 43, 168)} {
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
}

ZzQFiterControl::~ZzQFiterControl() = default;

void ZzQFiterControl::IniaData(const CanvasSaveServices* canvas) {
  QStringList texts;
  if (m_style == FormatFilter) {
    texts = FormatRowsText().split(u';');
    m_imageFormats = FormatRowsText();
  } else {
    texts = PropertyLines(canvas);
  }
  m_rows.clear();
  for (const QString& text : texts) {
    m_rows.push_back({text, true, QRectF()});
  }
}

QStringList ZzQFiterControl::PropertyLines(const CanvasSaveServices* canvas) {
  // The facts are those of the file the canvas shows: the sheet's selection may name
  // several files, or another one than a file opened through the open dialog.
  const QString file = canvas != nullptr ? canvas->ShownFilename() : QString();
  const bool found = !file.isEmpty() && ModFileinfo::FileFindRecord(file).Found;
  const auto fact = [&](int kind) { return found ? ModFileinfo::FileFactText(file, kind) : QString(); };
  const QString name = found ? ModPublic::GetFileName(file) : QString();
  const double dpi = canvas != nullptr ? canvas->HorizontalResolution() : 0.0;
  return {QStringLiteral("Filename : ") + name,
          QStringLiteral("Image Format : ") + FormatOf(name).toUpper(),
          QStringLiteral("Image Size : ") + fact(0),
          QStringLiteral("Date Created : ") + fact(2),
          QStringLiteral("Date Modified : ") + fact(1),
          QStringLiteral("Image Width : ") + (canvas != nullptr ? canvas->ShowImgWidth() : QString()) +
              QStringLiteral(" Pixel"),
          QStringLiteral("Image Height : ") + (canvas != nullptr ? canvas->ShowImgHeight() : QString()) +
              QStringLiteral(" Pixel"),
          QStringLiteral("Resolution : ") + ResolutionText(dpi) + QStringLiteral(" Dpi")};
}

QString ZzQFiterControl::ResolutionText(double dpi) {
  if (!(dpi > 0) || !std::isfinite(dpi)) {
    return {};
  }
  // Pictures keep their density as whole dots per metre, so 96 dpi comes back as 96.012.
  const double stored = std::round(dpi / kMetresPerInch);
  for (int decimals = 0; decimals < 2; ++decimals) {
    const double scale = std::pow(10.0, decimals);
    const double shorter = std::round(dpi * scale) / scale;
    if (std::round(shorter / kMetresPerInch) == stored) {
      return QString::number(shorter, 'f', decimals);
    }
  }
  return QString::number(std::round(dpi * 100) / 100, 'f', 2);
}

void ZzQFiterControl::StartPaint() {
  ClearBackBuffer(kPanel);
  if (!m_eye) {
    // A missing picture leaves the rows without their eye.
    m_eye = Gdip::LoadImageFromFile(ModPublic::DataFolderPath + QStringLiteral("Eye.png"));
  }
  for (int i = 0; i < static_cast<int>(m_rows.size()); ++i) {
    Row& row = m_rows[static_cast<std::size_t>(i)];
    row.Rect = QRectF(2, i * m_toolHeight, width(), m_toolHeight);
    m_paintState = ColourEntry(i);
    float top = static_cast<float>(row.Rect.top());
    PaintZzQFilter(row.Text, static_cast<float>(row.Rect.left()), top, static_cast<float>(row.Rect.width()),
                   static_cast<float>(row.Rect.height()), row.Selected);
  }
  RefreshBackBuffer();
}

int ZzQFiterControl::ColourEntry(int row) const {
  // Rows alternate between entry 1 (first, third, ...) and entry 0; the last row pressed
  // takes entry 2.
  if (row == m_lastClicked) {
    return 2;
  }
  return row % 2 == 0 ? 1 : 0;
}

void ZzQFiterControl::PaintZzQFilter(const QString& Textstring, float Vpos, float& Hpos, float Width, float Height,
                                     bool Pressed) {
  const auto graphics = Gdip::Graphics::FromSurface(BackBuffer());
  if (!graphics) {
    return;
  }
  const Gdip::SolidBrush fill(m_colours[static_cast<std::size_t>(m_paintState)]);
  const Gdip::Pen dark(MakeARGB(30, 0, 0, 0), 1);
  const Gdip::Pen light(MakeARGB(255, 255, 255, 255), 1);
  const Gdip::SolidBrush ink(MakeARGB(200, 0, 0, 0));
  const Gdip::Font font(Gdip::FontFamily(kFontName), 8, Gdip::FontStyleRegular, Gdip::Unit::Point);
  graphics->SetTextRenderingHint(Gdip::TextRenderingHint::ClearTypeGridFit);
  QRectF box(0, Hpos, Width, Height);
  if (m_style == FormatFilter) {
    // The sunken square the eye sits in: dark top and left, white bottom and right.
    const QPointF topLeft(Vpos, Hpos + 1);
    const QPointF bottomRight(Vpos + Height - 3, Hpos + Height - 3);
    graphics->DrawLine(dark, topLeft, QPointF(bottomRight.x(), topLeft.y()));
    graphics->DrawLine(dark, topLeft, QPointF(topLeft.x(), bottomRight.y()));
    graphics->DrawLine(light, QPointF(topLeft.x(), bottomRight.y()), bottomRight);
    graphics->DrawLine(light, QPointF(bottomRight.x(), topLeft.y()), bottomRight);
    Hpos -= 1;
    box = QRectF(Vpos + Height + 2, Hpos, Width - Height + 2, Height);
  }
  graphics->FillRectangle(fill, box);
  graphics->DrawString(Textstring, font, QRectF(box.x() + 5, box.y() + 2, box.width(), box.height()),
                       Gdip::StringFormat::GenericDefault(), ink);
  if (m_style == FormatFilter && Pressed && m_eye) {
    graphics->DrawImage(*m_eye, QRectF(Vpos + 1, Hpos + 3, kEyeSize, kEyeSize));
  }
}

int ZzQFiterControl::RowAt(QPointF point) const {
  for (int i = 0; i < static_cast<int>(m_rows.size()); ++i) {
    if (SkinShapes::HitRect(m_rows[static_cast<std::size_t>(i)].Rect, point)) {
      return i;
    }
  }
  return -1;
}

void ZzQFiterControl::mousePressEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  const int hit = RowAt(at);
  if (hit >= 0) {
    Row& row = m_rows[static_cast<std::size_t>(hit)];
    row.Selected = !row.Selected;
    m_lastClicked = hit;
  }
  // Every press rebuilds the patterns, a press beside the rows too.
  m_imageFormats.clear();
  for (const Row& row : m_rows) {
    if (row.Selected) {
      m_imageFormats += row.Text + u';';
    }
  }
  StartPaint();
  emit FormatToggled(Forms::ButtonFromQt(event->button()), Forms::ShiftFromQt(event->modifiers()),
                     static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void ZzQFiterControl::mouseMoveEvent(QMouseEvent* event) {
  ShowMoused(RowAt(event->position()) >= 0);
}

void ZzQFiterControl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // The rows span the control's width.
  if (!m_rows.empty()) {
    StartPaint();
  }
}

void ZzQFiterControl::ReadProperties(const QVariantMap& bag) {
  m_style = bag.value(QStringLiteral("Style"), FormatFilter).toInt();
  m_toolHeight = bag.value(QStringLiteral("ToolHeight"), 20.0f).toFloat();
  m_imageFormats = bag.value(QStringLiteral("ImageFormats"), DefaultImageFormats()).toString();
}

QVariantMap ZzQFiterControl::WriteProperties() const {
  return {{QStringLiteral("Style"), m_style},
          {QStringLiteral("ToolHeight"), m_toolHeight},
          {QStringLiteral("ImageFormats"), m_imageFormats}};
}
