#pragma once
// The side panel beside the canvas: a rounded translucent frame with a row of tabs over a
// content area that shows one section at a time: the tools grid, the stamp library, the
// image format filter or the calendar picker. The panel decides nothing about tools: it
// draws, hit-tests, remembers the highlighted tool and the open section, and passes its
// own and its sections' mouse events, its keys and the formats chosen in its filter on to
// the main window.

#include <array>
#include <optional>

#include <QImage>
#include <QRectF>
#include <QString>

#include "foundation/SkinSurface.h"
#include "foundation/SkinnedControlServices.h"
#include "platform/gdiplus/GdipTypes.h"

class scrollVControl;
class UserCalender;
class ZpYLibMenu;
class ZzQFiterControl;
namespace Gdip {
class Brush;
class Graphics;
}  // namespace Gdip

class UserqzProcess : public SkinSurface, public SidePanelServices {
  Q_OBJECT

 public:
  enum Sections { ToolsSection = 0, StampSection = 1, FilterSection = 2, CalendarSection = 3 };
  static constexpr int TabCount = 5;
  static constexpr int StripHeight = 350;
  // Narrower panels are not laid out.
  static constexpr int LayoutMinWidth = 261;

  static const std::array<const char*, 12>& ToolCaptions();
  static const std::array<const char*, TabCount>& TabCaptions();
  // The tab rectangles; slot 4 stays empty and never draws or hits.
  static std::array<QRectF, TabCount> TabRects();
  // The tab drawn under the point (a tab is drawn 20 wider than its rectangle), or none.
  static std::optional<int> TabAt(QPointF point);
  // The file the composed tools strip is kept in while the panel lives.
  static QString EffectPanelCache();

  explicit UserqzProcess(QWidget* parent = nullptr);
  ~UserqzProcess() override;

  // What the main window reads and writes.
  int lngVisible() const override { return m_lngVisible; }
  int SelEffect() const override { return m_selEffect; }
  void SetSelEffect(int value) override { m_selEffect = value; }
  bool LoadOver() const { return m_loadOver; }

  void StartPaint() override;
  void ResetPaint() override;
  void ResizePaint() override;
  void RefreshFav() override;
  void Import(const QString& Path, const QString& NewItem) override;
  void RefreshCalender() override;
  void EnabledDays(int Index, bool Enabled) override;
  void SetEnabledTool(bool enabled) { setEnabled(enabled); }
  int CalenderDay() const override;
  int CalenderMonth() const override;
  int CalenderYear() const override;
  QString StampFilename() const override;
  int StampEnter() const override;
  // The panel shows no facts of the picture, so a newly opened one changes nothing here.
  void RefreshProperties() override {}
  int Toolselect() const override { return m_toolselect; }
  void SetToolselect(int section) override;

  // The sections, for the host's layout and for tests.
  ZpYLibMenu& StampMenu() { return *m_stampMenu; }
  ZzQFiterControl& ZzQFiter() { return *m_zzQFiter; }
  UserCalender& CalenderSee() { return *m_calenderSee; }
  scrollVControl& ToolVscroll() { return *m_toolVscroll; }
  QWidget& ToolPanel() { return *m_toolPanel; }
  SkinSurface& ToolOLE() { return *m_toolOle; }

 signals:
  void CalenderSeeMouseUP(int Button, int Shift, float X, float Y, bool isUp);
  void MouseDown(int Button, int Shift, float X, float Y);
  void MouseUP(int Button, int Shift, float X, float Y);
  void MouseUPstamp(int Button, int Shift, float X, float Y);
  void Stampdbclick();
  // The format filter changed: the patterns left on, "*.Png;*.Jpg;" and the like.
  void FormatsChosen(const QString& formats);
  // A key on the panel or a section, for the shortcut table: a virtual-key code and its
  // Shift bits.
  void ShortcutKeyPressed(int KeyCode, int Shift);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ConnectSections();
  // Places the sections for the panel's size; narrow panels are left as they are.
  void PlaceSections();
  void PaintTabs();
  void PaintFrame(Gdip::Graphics& g);
  void PaintTab(Gdip::Graphics& g, int slot);
  void ResizeToolScroll();
  void CreateToolStrip();
  void PaintToolSelect();
  void ShowSection();
  void StripPressed(QMouseEvent& event);

  QWidget* m_toolPanel;
  SkinSurface* m_toolOle;
  scrollVControl* m_toolVscroll;
  ZzQFiterControl* m_zzQFiter;
  ZpYLibMenu* m_stampMenu;
  UserCalender* m_calenderSee;
  QImage m_strip;
  int m_lngVisible = 0;
  int m_selEffect = 0;
  int m_toolselect = ToolsSection;
  bool m_loadOver = false;
  bool m_formatsFilled = false;
};
