#pragma once
// The main window until the skinned one exists: the folder pane with its tree, the
// thumbnail sheet and the canvas side by side under a caption strip. It gives the lower
// subsystems the services they call on the main window; the skinned controls it does not
// have yet (menu, toolbar, side panel, text strip) are reported as absent.

#include <cstdint>

#include <QString>
#include <QWidget>

#include "foundation/MainWindowServices.h"
#include "foundation/SettingsHost.h"

class Imageqzviewer;
class QLabel;
class QSplitter;
class ThumViewer;

class PlaceholderMainWindow : public QWidget, public MainWindowServices, public SettingsHost {
 public:
  PlaceholderMainWindow();
  ~PlaceholderMainWindow() override;

  // What the load handler does once the window is MainForm: reads the settings, then
  // leaves CurrentDirectory naming no folder until the tree reports one.
  void Form_Load();

  // MainWindowServices
  CanvasSaveServices* SingleqzPreview() override;
  ThumbnailSheetServices* ThumqzViewer() override;
  SidePanelServices* UserqzProcess1() override { return nullptr; }
  ImageToolbarServices* ImageToolbar() override { return nullptr; }
  SkinMenuServices* SkinMenu() override { return nullptr; }
  TextStripServices* YDSTextControl1() override { return nullptr; }
  QWidget* FolderView() override { return m_folderView; }
  QString Label1Caption() const override { return m_label1; }
  void SetLabel1Caption(const QString& caption) override { m_label1 = caption; }
  void FormOption(bool& isAutoProcess, bool& MenuClick) override;
  void SettingArrange_Menu(const QString& PressMenuID) override;
  void FileImport(const QString& Filename) override;
  void LeftSkinstyle() override;
  void UseStamp(bool fromLibrary, bool sizeFlag) override;
  void ProcessShortcutKey(int KeyCode, int Shift) override;
  void ArrangeMainPanes(bool flag) override;

  // SettingsHost
  double SplitLVTop() const override { return m_splitLVTop; }
  void SetSplitLVTop(double top) override { m_splitLVTop = top; }
  double SplitVTop() const override;
  void SetSplitVTop(double top) override;
  double SplitHLeft() const override;
  void SetSplitHLeft(double left) override;
  QRectF WindowGeometry() const override { return QRectF(geometry()); }
  bool FitMode() const override;
  void SetFitMode(bool fit) override;
  std::uint32_t TextColor() const override;
  void SetTextColor(std::uint32_t rgb) override;
  double ThumWidth() const override;
  void SetThumWidth(double width) override;
  double ThumHeight() const override;
  void SetThumHeight(double height) override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetPaneEdges(int treeRight, int sheetRight);

  QLabel* m_captionStrip;
  QSplitter* m_panes;
  QWidget* m_folderView;
  ThumViewer* m_sheet;
  Imageqzviewer* m_canvas;
  QString m_label1;
  // Kept for the skinned window's splitter, which this window does not have.
  double m_splitLVTop = 0;
  bool m_unloaded = false;
};
