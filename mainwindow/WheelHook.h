#pragma once
// The main window's wheel: each notch steps the thumbnail sheet to the next picture
// (towards the user) or the previous one. Watches the window it is installed on; wheel
// events reach it only when no child under the pointer scrolled with them. Over the
// parts that scroll by themselves (the folder tree, the side panel) a turn never steps,
// even one they passed on at the end of their scrolling.

#include <functional>
#include <vector>

#include <QObject>
#include <QPointF>

class QWidget;

class WheelHook final : public QObject {
 public:
  // One notch of a wheel, in Qt's eighths of a degree.
  static constexpr int kNotch = 120;

  // Step runs once per notch: true for the next picture.
  explicit WheelHook(std::function<void(bool next)> Step, std::vector<const QWidget*> scrollingParts = {});
  void HookMainWindow(QWidget& window);
  void UnhookMainWindow();

  // Adds a vertical delta to what is kept and takes whole notches off it: the steps
  // that follow, negative for steps back.
  static int TakeNotches(int& kept, int delta);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool OverScrollingPart(QPointF windowPoint) const;

  std::function<void(bool next)> m_step;
  std::vector<const QWidget*> m_scrollingParts;
  QWidget* m_window = nullptr;
  // The part of a notch a touchpad has scrolled so far.
  int m_kept = 0;
};
