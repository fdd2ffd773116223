#include "mainwindow/fDialogEx.h"

#include <algorithm>

#include <QFileInfo>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>

#include "browse/ModFileinfo.h"
#include "browse/ThumbnailLoader.h"
#include "foundation/ModDraw.h"
#include "foundation/ModGDI.h"
#include "foundation/ModPublic.h"
#include "foundation/ModqzReg.h"
#include "foundation/SelectedFiles.h"
#include "platform/forms/MsgBox.h"
#include "platform/gdiplus/Graphics.h"
#include "windows/SlideshowWindow.h"

namespace {

using ModGDI::MakeARGB;

constexpr int kMaxQuality = 12;
constexpr int kMargin = 10;
constexpr int kBoxWidth = fDialogEx::kPanelWidth - 2 * kMargin - 20;
constexpr int kPreviewTop = 10;
constexpr int kPreviewHeight = 150;
constexpr int kFactsTop = kPreviewTop + kPreviewHeight + 25;
constexpr int kFactsHeight = 150;
constexpr int kLineStep = 17;
constexpr std::uint32_t kBoxTop = MakeARGB(255, 255, 255, 255);
constexpr std::uint32_t kBoxBottom = MakeARGB(255, 240, 238, 233);
constexpr std::uint32_t kBoxOutline = MakeARGB(30, 0, 0, 0);
constexpr std::uint32_t kText = MakeARGB(255, 0, 0, 0);
constexpr std::uint32_t kHint = MakeARGB(255, 90, 90, 90);
const QString kFont = QStringLiteral("Tahoma");

void Text(Gdip::Graphics& g, const QString& text, float x, float y, int width = 200, std::uint32_t colour = kText) {
  ModGDI::DrawTextGdip(g, text, x, y, kFont, 8, colour, 0, false, width);
}

void RoundBox(Gdip::Graphics& g, int top, int height) {
  ModGDI::DrawRoundRectGradient(g, 0, top, top + height, kMargin, float(top), kBoxWidth, float(height - 10), 10, 10,
                                kBoxTop, kBoxBottom, false, 1, kBoxOutline);
}

}  // namespace

QString fDialogEx::QualityName(int quality) {
  if (quality >= 10) {
    return QStringLiteral("Maxdium");
  }
  if (quality >= 7) {
    return QStringLiteral("High");
  }
  return quality >= 5 ? QStringLiteral("Middle") : QStringLiteral("Low");
}

std::optional<int> fDialogEx::ParseQuality(const QString& text) {
  bool whole = false;
  const int value = text.trimmed().toInt(&whole);
  if (!whole || value < 0 || value > kMaxQuality) {
    return std::nullopt;
  }
  return value;
}

QSize fDialogEx::PreviewBox() { return {kBoxWidth, kPreviewHeight - 10}; }

fDialogEx::fDialogEx(bool isOpen, QWidget* parent) : SkinSurface(parent), m_isOpen(isOpen) {
  setFixedWidth(kPanelWidth);
  setMinimumHeight(kFactsTop + kFactsHeight + 10);
  if (!isOpen) {
    BuildQualityControls();
  }
}

fDialogEx::~fDialogEx() = default;

void fDialogEx::BuildQualityControls() {
  m_slider = new QSlider(Qt::Horizontal, this);
  m_slider->setRange(0, kMaxQuality);
  m_slider->setGeometry(kMargin, 35, 150, 24);
  m_qualityText = new QLineEdit(this);
  m_qualityText->setGeometry(kMargin + 160, 35, 35, 22);
  connect(m_slider, &QSlider::valueChanged, this, &fDialogEx::SliderChanged);
  connect(m_qualityText, &QLineEdit::textEdited, this, &fDialogEx::QualityTyped);
  const QSignalBlocker quiet(m_slider);
  m_slider->setValue(std::clamp(ModqzReg::JpegQuality, 0, kMaxQuality));
  SliderChanged(m_slider->value());
}

void fDialogEx::SliderChanged(int value) {
  m_qualityText->setText(QString::number(value));
  ModqzReg::JpegQuality = value;
  m_qualityName = QualityName(value);
  Paint();
}

// A box being emptied to type a new number is left alone until something is typed.
void fDialogEx::QualityTyped(const QString& text) {
  if (text.trimmed().isEmpty()) {
    return;
  }
  const std::optional<int> quality = ParseQuality(text);
  if (!quality) {
    Forms::MsgBox(QStringLiteral("An integer between 0 and 12 is required. Closet value inserted."),
                  Forms::vbExclamation);
  }
  const QSignalBlocker quiet(m_slider);
  m_slider->setValue(quality.value_or(kFallbackQuality));
  SliderChanged(m_slider->value());
}

void fDialogEx::ShowPreview(const QString& path) {
  const QFileInfo file(path);
  const ThumbPicture picture = ThumbnailLoader::Decode(path, PreviewBox());
  m_previewPath = path;
  m_preview = picture.Thumb;
  const ModFileinfo::FindData facts = ModFileinfo::FileFindRecord(path);
  m_facts = {QStringLiteral("Filename : ") + file.fileName(),
             QStringLiteral("Format : ") + file.suffix(),
             QStringLiteral("Size : ") + ModFileinfo::SizeText(facts.Bytes),
             QStringLiteral("Date Created : ") + ModFileinfo::DateText(facts.Created),
             QStringLiteral("Date Modified : ") + ModFileinfo::DateText(facts.Modified),
             QStringLiteral("Width : ") + QString::number(picture.Source.width()) + QStringLiteral(" Pixel"),
             QStringLiteral("Height : ") + QString::number(picture.Source.height()) + QStringLiteral(" Pixel")};
  Paint();
}

void fDialogEx::ReleasePreview() {
  m_preview = QImage();
  Paint();
}

void fDialogEx::Paint() {
  ClearBackBuffer(palette().window().color());
  if (m_isOpen) {
    PaintPreview();
  } else {
    PaintQuality();
  }
  RefreshBackBuffer();
}

void fDialogEx::PaintPreview() {
  const std::unique_ptr<Gdip::Graphics> g = Gdip::Graphics::FromSurface(BackBuffer());
  RoundBox(*g, kPreviewTop, kPreviewHeight);
  RoundBox(*g, kFactsTop, kFactsHeight);
  if (!m_preview.isNull()) {
    const QSize box = PreviewBox();
    const QPointF at(kMargin + 10 + (box.width() - m_preview.width()) / 2.0,
                     kPreviewTop + 5 + (box.height() - m_preview.height()) / 2.0);
    g->Painter().drawImage(at, m_preview);
  }
  float y = kFactsTop + 8;
  for (const QString& fact : m_facts) {
    Text(*g, fact, kMargin + 8, y, kBoxWidth);
    y += kLineStep;
  }
  Text(*g, QStringLiteral("Double Click Preview to Full View..."), kMargin + 8, kFactsTop + kFactsHeight - 20, kBoxWidth,
       kHint);
}

void fDialogEx::PaintQuality() {
  const std::unique_ptr<Gdip::Graphics> g = Gdip::Graphics::FromSurface(BackBuffer());
  Text(*g, QStringLiteral("JPEG Quality:"), kMargin, 12);
  Text(*g, m_qualityName, kMargin, 64);
  Text(*g, QStringLiteral("Note: This change is only is valid"), kMargin, 95);
  Text(*g, QStringLiteral("to the picture of JPEG format."), kMargin, 110);
}

void fDialogEx::resizeEvent(QResizeEvent* event) {
  SkinSurface::resizeEvent(event);
  Paint();
}

// The full view is the dialog's child, so the modal dialog leaves it its input.
void fDialogEx::mouseDoubleClickEvent(QMouseEvent*) {
  if (!m_isOpen || m_previewPath.isEmpty() || ModPublic::MainForm == nullptr) {
    return;
  }
  m_fullView = std::make_unique<SlideshowWindow>(window(), SelectedFiles::Program(), *ModPublic::MainForm);
  m_fullView->SetisFullView(true);
  m_fullView->Show();
  m_fullView->StartSlideshow(m_previewPath, nullptr);
}
