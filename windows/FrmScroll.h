#pragma once
// The screensaver export window: a small skinned, shaped window at the screen's right
// edge that makes the selected pictures the screensaver's picture set, showing each
// file's name and the progress, then registers the screensaver with the desktop. It runs
// to its end without the user and closes itself; one file is copied per turn of the event
// loop, so the window repaints and the bar moves during long copies.

#include <functional>
#include <memory>

#include <QString>

#include "foundation/SkinSurface.h"

class QProgressBar;
class ScrExport;
class SelectedFiles;
class Transparent;

class FrmScroll : public SkinSurface {
  Q_OBJECT

 public:
  static constexpr QSize kSize{258, 95};
  // Registers the screensaver executable; false when nothing could.
  using Installer = std::function<bool(const QString& exe)>;

  // The set goes to "ScrDatas" in the program folder; exe is the screensaver program.
  FrmScroll(SelectedFiles& selection, QString programFolder, QString exe, Installer install,
            QWidget* owner = nullptr);
  ~FrmScroll() override;

  // The window's mode: 0, the export, is the only one.
  int FormT() const { return m_formT; }
  void SetFormT(int mode) { m_formT = mode; }
  // Readies the window for its mode: the export's skin.
  void Start();
  // Builds the skinned background and shapes the window with it.
  void LoadSkin();
  // Exports the selection and registers the screensaver. A selection that makes no set
  // closes the window before anything in the folder is touched.
  void CopyFiles();

  // True from CopyFiles until the export has ended.
  bool IsBusy() const { return m_export != nullptr; }
  QProgressBar* Progress() const { return m_progress; }
  QString PictureFolder() const;

 signals:
  // The export has ended; exported is false when no set was made.
  void Finished(bool exported);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowText(const QString& text);
  void CopyStep();
  void Complete();
  QString RegistrationNews();
  void Fail();
  void End(bool exported);

  SelectedFiles& m_selection;
  QString m_programFolder;
  QString m_exe;
  Installer m_install;
  int m_formT = 0;
  std::unique_ptr<ScrExport> m_export;
  QImage m_skin;
  QProgressBar* m_progress;
  Transparent* m_transparent;
};
