#include "controls/YDSTextControl.h"

#include <QComboBox>
#include <QImageReader>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

#include "foundation/MainWindowServices.h"
#include "foundation/ModDialogCOlor.h"
#include "foundation/ModGDI.h"
#include "foundation/ModPublic.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/LinearGradientBrush.h"

namespace {

using ModGDI::MakeARGB;

constexpr int kTop = 2;
constexpr int kGap = 10;
// The wider gaps that hold an icon.
constexpr int kIconGap = 50;
constexpr int kIconOffset = 15;
constexpr std::size_t kTextFrontIcon = 2;
constexpr int kFirstSize = 5;
constexpr int kLastSize = 300;
constexpr int kDefaultSizeRow = 3;
constexpr int kDefaultRenderRow = 2;

QColor FromRgb(std::uint32_t rgb) { return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF)); }

// The icons of the shipped icon file, in their order in it.
std::array<QImage, 3> ReadIcons(const QString& path) {
  std::array<QImage, 3> icons{};
  QImageReader reader(path, "ico");
  for (int i = 0; i < int(icons.size()); ++i) {
    if (reader.jumpToImage(i)) {
      icons[std::size_t(i)] = reader.read();
    }
  }
  return icons;
}

QComboBox* List(QWidget* parent, int width, const QStringList& items = {}) {
  auto* list = new QComboBox(parent);
  list->setFixedWidth(width);
  list->addItems(items);
  return list;
}

// Fills a list without a click, leaving nothing selected, then selects a row: a
// selection made here counts as a click.
void FillAndSelect(QComboBox& list, const QStringList& items, int row) {
  {
    const QSignalBlocker quiet(&list);
    list.clear();
    list.addItems(items);
    list.setCurrentIndex(-1);
  }
  if (row >= 0 && row < list.count()) {
    list.setCurrentIndex(row);
  }
}

QStringList SizeNames() {
  QStringList sizes;
  for (int size = kFirstSize; size <= kLastSize; ++size) {
    sizes << QString::number(size);
  }
  return sizes;
}

}  // namespace

const QStringList& YDSTextControl::StyleNames() {
  static const QStringList names{"Regular", "Italic", "Bold", "Bold Italic", "Under Line"};
  return names;
}

const QStringList& YDSTextControl::RenderNames() {
  static const QStringList names{"None", "Sharp", "Smooth"};
  return names;
}

YDSTextControl::YDSTextControl(MainWindowServices* host, const QString& programFolder, QWidget* parent)
    : SkinSurface(parent),
      m_host(host),
      m_text1(new QLineEdit(QStringLiteral("Import Text"), this)),
      m_cbFont(List(this, 140)),
      m_cbTextStyle(List(this, 90)),
      m_cbFontSize(List(this, 55)),
      m_cbTextRender(List(this, 75)),
      m_pickColor(new QWidget(this)),
      m_icons(ReadIcons(ModPublic::AddBackslash(programFolder) + QStringLiteral("Toolbar.dll"))) {
  const QFont tahoma(QStringLiteral("Tahoma"), 8);
  for (QWidget* child : std::initializer_list<QWidget*>{m_text1, m_cbFont, m_cbTextStyle, m_cbFontSize, m_cbTextRender}) {
    child->setFont(tahoma);
  }
  m_text1->setFixedWidth(150);
  m_pickColor->setFixedSize(20, 20);
  m_pickColor->setAutoFillBackground(true);
  m_pickColor->setCursor(SkinShapes::MousedCursor());
  m_pickColor->installEventFilter(this);
  m_text1->installEventFilter(this);
  SetTextFontColor(0);
  ConnectLists();
}

void YDSTextControl::ConnectLists() {
  connect(m_cbFont, &QComboBox::currentIndexChanged, this, [this](int row) {
    if (row >= 0) {
      m_textFont = m_cbFont->itemText(row);
      emit FontClick();
    }
  });
  connect(m_cbFontSize, &QComboBox::currentIndexChanged, this, [this](int row) {
    if (row >= 0) {
      SettextFontSize(m_cbFontSize->itemText(row));
      emit FontSizeClick();
    }
  });
  connect(m_cbTextStyle, &QComboBox::currentIndexChanged, this, [this](int row) {
    if (row >= 0) {
      m_textFontStyle = row;
      emit FontStyleClick();
    }
  });
  connect(m_cbTextRender, &QComboBox::currentIndexChanged, this, [this](int row) {
    if (row >= 0) {
      m_textFontRender = row;
      emit FontRenderClick();
    }
  });
}

void YDSTextControl::SettextFontSize(const QString& size) {
  bool whole = false;
  const int value = size.trimmed().toInt(&whole);
  if (whole) {
    m_textFontSize = value;
  }
}

void YDSTextControl::SetTextFontColor(std::uint32_t rgb) {
  m_textFontColor = rgb;
  m_swatch = rgb;
  m_pickColor->setPalette(QPalette(FromRgb(rgb)));
}

void YDSTextControl::SetHideText(bool hide) { m_text1->setVisible(!hide); }

// Without a "Tahoma" among the fonts the font list shows no selection and the font stays.
void YDSTextControl::AddFontMode(const QStringList& fonts) {
  FillAndSelect(*m_cbFont, fonts, int(fonts.indexOf(QStringLiteral("Tahoma"))));
  FillAndSelect(*m_cbFontSize, SizeNames(), kDefaultSizeRow);
  FillAndSelect(*m_cbTextStyle, StyleNames(), 0);
  FillAndSelect(*m_cbTextRender, RenderNames(), kDefaultRenderRow);
}

void YDSTextControl::LayoutControls() {
  const auto place = [](QWidget* control, int right) {
    control->move(right - control->width(), kTop);
    return control->x();
  };
  int right = place(m_pickColor, width() - kGap);
  right = place(m_cbTextRender, right - kGap);
  right = place(m_cbFontSize, right - kIconGap);
  right = place(m_cbTextStyle, right - kIconGap);
  right = place(m_cbFont, right - kGap);
  place(m_text1, right - kGap);
}

void YDSTextControl::resizeEvent(QResizeEvent* event) {
  SkinSurface::resizeEvent(event);
  LayoutControls();
  // The icons sit in the gaps between the lists, which moved with the width.
  StartPaint(0, 0, 0, 0);
}

void YDSTextControl::StartPaint(int, int, int, int) {
  if (ModPublic::GdiplusToken == 0) {
    return;
  }
  const std::unique_ptr<Gdip::Graphics> g = Gdip::Graphics::FromSurface(BackBuffer());
  Gdip::LinearGradientBrush band(QPointF(0, 0), QPointF(0, height()), MakeARGB(255, 251, 250, 247),
                                 MakeARGB(255, 244, 242, 233));
  band.SetWrapMode(Gdip::WrapMode::TileFlipY);
  g->FillRectangle(band, QRectF(0, 0, width(), height()));
  const std::array<QPoint, 3> places{QPoint(m_cbFontSize->x() + m_cbFontSize->width() + kIconOffset, 0),
                                     QPoint(m_cbTextStyle->x() + m_cbTextStyle->width() + kIconOffset, 0),
                                     QPoint(m_text1->x() - 40, 0)};
  for (std::size_t i = 0; i < m_icons.size(); ++i) {
    // The icon in front of the text box goes with the box.
    if (i == kTextFrontIcon && m_text1->isHidden()) {
      m_iconPlaces[i] = QRect();
      continue;
    }
    m_iconPlaces[i] = QRect(places[i], m_icons[i].size());
    g->Painter().drawImage(places[i], m_icons[i]);
  }
  RefreshBackBuffer();
}

// The swatch starts the chooser at its own colour; a cancel changes nothing.
void YDSTextControl::ChooseColor() {
  const std::int32_t chosen = ModDialogCOlor::ShowColorDialog(this, m_swatch, true);
  if (chosen != -1) {
    const auto rgb = std::uint32_t(chosen);
    if (CanvasSaveServices* canvas = m_host != nullptr ? m_host->SingleqzPreview() : nullptr) {
      canvas->SetTextColor(rgb);
    }
    m_swatch = rgb;
    m_pickColor->setPalette(QPalette(FromRgb(rgb)));
  }
}

bool YDSTextControl::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    if (watched == m_pickColor) {
      ChooseColor();
      return true;
    }
    if (watched == m_text1) {
      emit TextClick();
    }
  }
  return SkinSurface::eventFilter(watched, event);
}
