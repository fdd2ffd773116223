#pragma once
// The program's panel inside the file dialogs. In the open dialog it previews the
// selected picture in an upper rounded box and lists its file facts in a lower one; a
// double-click shows the picture in a full view. In the save dialog it holds the JPEG
// quality: a slider from 0 to 12, its number and its name.

#include <memory>
#include <optional>

#include <QImage>
#include <QString>
#include <QStringList>

#include "foundation/SkinSurface.h"

class QLineEdit;
class QSlider;
class SlideshowWindow;

class fDialogEx : public SkinSurface {
  Q_OBJECT

 public:
  static constexpr int kPanelWidth = 260;
  // The quality set when the typed one is not a whole number from 0 to 12.
  static constexpr int kFallbackQuality = 10;

  // The quality's name: "Low" (0-4), "Middle" (5-6), "High" (7-9), "Maxdium" (10-12).
  static QString QualityName(int quality);
  // A typed quality: a whole number from 0 to 12, or nothing.
  static std::optional<int> ParseQuality(const QString& text);
  // The box the preview picture is fitted into.
  static QSize PreviewBox();

  fDialogEx(bool isOpen, QWidget* parent);
  ~fDialogEx() override;

  // Decodes the picture at the preview's size and shows it with its facts; a file that
  // cannot be decoded (or is too large to) shows its facts alone.
  void ShowPreview(const QString& path);
  void ReleasePreview();

  const QImage& Preview() const { return m_preview; }
  // The fact lines as shown ("Filename : photo.png", ...).
  const QStringList& Facts() const { return m_facts; }
  QSlider& fraJPEGOptions() { return *m_slider; }
  QLineEdit& QuilatyText() { return *m_qualityText; }
  const QString& QualityShown() const { return m_qualityName; }

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildQualityControls();
  void SliderChanged(int value);
  void QualityTyped(const QString& text);
  void Paint();
  void PaintPreview();
  void PaintQuality();

  bool m_isOpen;
  QSlider* m_slider = nullptr;
  QLineEdit* m_qualityText = nullptr;
  QString m_qualityName;
  QString m_previewPath;
  QImage m_preview;
  QStringList m_facts;
  std::unique_ptr<SlideshowWindow> m_fullView;
};
