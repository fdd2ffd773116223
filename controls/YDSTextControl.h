#pragma once
// The strip of text-tool options above the canvas: a text box, the font, style, size and
// rendering lists and a colour swatch, laid out from the right edge, with three small
// icons between the groups. It keeps the chosen values and raises one event per list or
// click; the host reads the values. The swatch alone acts by itself: it opens the colour
// chooser and gives the chosen colour to the canvas.

#include <array>
#include <cstdint>

#include <QImage>
#include <QString>
#include <QStringList>

#include "foundation/SkinSurface.h"
#include "foundation/SkinnedControlServices.h"

class MainWindowServices;
class QComboBox;
class QLineEdit;

class YDSTextControl : public SkinSurface, public TextStripServices {
  Q_OBJECT

 public:
  static const QStringList& StyleNames();
  static const QStringList& RenderNames();

  // The icons are read from the icon file "Toolbar.dll" in the program folder; the
  // canvas is reached through the host, which may be null.
  YDSTextControl(MainWindowServices* host, const QString& programFolder, QWidget* parent = nullptr);

  QString textFont() const { return m_textFont; }
  void SettextFont(const QString& name) { m_textFont = name; }
  QString textFontSize() const { return QString::number(m_textFontSize); }
  // A text that is not a whole number leaves the size as it was.
  void SettextFontSize(const QString& size);
  int textFontStyle() const { return m_textFontStyle; }
  void SettextFontStyle(int style) { m_textFontStyle = style; }
  int textFontRender() const { return m_textFontRender; }
  void SettextFontRender(int render) { m_textFontRender = render; }
  std::uint32_t textFontColor() const { return m_textFontColor; }
  // The swatch's colour (RGB, red in the lowest byte).
  std::uint32_t SwatchColor() const { return m_swatch; }

  // TextStripServices
  void SetTextFontColor(std::uint32_t rgb) override;
  void SetVisible(bool visible) override { setVisible(visible); }
  void StartPaint(int x, int y, int width, int height) override;
  void SetHideText(bool hide) override;
  void AddFontMode(const QStringList& fonts) override;

  QComboBox& cbFont() { return *m_cbFont; }
  QComboBox& cbFontSize() { return *m_cbFontSize; }
  QComboBox& cbTextStyle() { return *m_cbTextStyle; }
  QComboBox& cbTextRender() { return *m_cbTextRender; }
  QLineEdit& Text1() { return *m_text1; }
  QWidget& PickColor() { return *m_pickColor; }
  // Where each of the three icons was drawn last; null for one left out.
  const std::array<QRect, 3>& IconPlaces() const { return m_iconPlaces; }

 signals:
  void FontClick();
  void FontSizeClick();
  void FontStyleClick();
  void FontRenderClick();
  void TextClick();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LayoutControls();
  void ChooseColor();
  void ConnectLists();

  MainWindowServices* m_host;
  QLineEdit* m_text1;
  QComboBox* m_cbFont;
  QComboBox* m_cbTextStyle;
  QComboBox* m_cbFontSize;
  QComboBox* m_cbTextRender;
  QWidget* m_pickColor;
  std::array<QImage, 3> m_icons{};
  std::array<QRect, 3> m_iconPlaces{};
  QString m_textFont = QStringLiteral("Tahoma");
  int m_textFontSize = 8;
  int m_textFontStyle = 0;
  int m_textFontRender = 2;
  std::uint32_t m_textFontColor = 0;
  std::uint32_t m_swatch = 0;
};
