#pragma once
// The screensaver's settings dialog: the seconds between pictures on a scroll bar.

#include <QDialog>

class QLabel;
class QPushButton;
class QScrollBar;

class FrmConfig : public QDialog {
  Q_OBJECT

 public:
  explicit FrmConfig(QWidget* parent = nullptr);

  QScrollBar* TScroll() const { return m_scroll; }
  QLabel* InfoCaption() const { return m_caption; }
  QPushButton* OkButton() const { return m_ok; }
  QPushButton* CancelButton() const { return m_cancel; }

 private:
  void ShowValue(int seconds);
  void PlaceControls();

  QScrollBar* m_scroll;
  QLabel* m_caption;
  QPushButton* m_ok;
  QPushButton* m_cancel;
};
