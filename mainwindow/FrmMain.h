#pragma once
// The program's one main window: a frameless, skinned window that hosts the folder tree,
// the thumbnail sheet, the canvas, the drawn menu and every bar and panel. It gives the
// lower subsystems the main window's services and keeps the window's settings.
//
// Its work is split by what it does: life cycle (FrmMainLife.cpp), the caption strip and
// the title bar (FrmMainCaption.cpp), the drawn menus opened from the menu-bar strip and
// what a pick in them does (FrmMainMenus.cpp), the panes and the window's size
// (FrmMainPanes.cpp), the tool set-up (FrmMainTools.cpp), the secondary windows it makes
// (FrmMainWindows.cpp), its children's events (FrmMainWiring.cpp), opening and saving
// (FrmMainOpening.cpp), the keys and the wheel (FrmMainKeys.cpp); the commands a pick runs
// are the dispatcher's (MenuCommands.h).

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include <QString>
#include <QTimer>

#include "foundation/MainWindowServices.h"
#include "foundation/ModClipboard.h"
#include "foundation/SaveQuestionServices.h"
#include "foundation/SecondaryWindowServices.h"
#include "foundation/SettingsHost.h"
#include "foundation/SkinSurface.h"
#include "foundation/SkinnedControlServices.h"
#include "mainwindow/PaneLayout.h"
#include "platform/forms/HourglassCursor.h"

class ButtonControl;
class FrmScroll;
class Imageqzviewer;
class FileChooser;
class QComboBox;
class WheelHook;
class ScrollControl;
class PrintWindow;
class SlideshowWindow;
class ThumViewer;
class ToolbarImg;
class ToolbarUser;
class UserqzProcess;
class UserqzSplit;
class YDSTextControl;
class ZpYSkinMenu;
namespace SplitterDrag {
class Handlers;
}

class FrmMain : public SkinSurface,
                public MainWindowServices,
                public SettingsHost,
                public TaskDialogFactory,
                public SaveQuestionServices {
  Q_OBJECT
  // The bar and grip drags are the window's own handlers, kept in their own file.
  friend class SplitterDrag::Handlers;

 public:
  FrmMain();
  ~FrmMain() override;

  // What the load handler does once the window is MainForm: the settings, the fonts, the
  // canvas's drawing kit and the default tools. The window is shown by its creator.
  void Form_Load();
  // True once the first resize has laid the panes out.
  bool PanesReady() const { return m_panesReady; }

  // Places the window over the work area; then repaints the title bar.
  void CPressButton();
  void LoadSkin();
  void ResizeScr();
  void SetPanesVisible(bool visible);
  void RefreshProcessPanel();
  void RepaintMainControls();
  // Collapses the thumbnail pane to the window's bottom, or opens it again.
  void ToggleThumbnailPane();
  // What a release on the title bar does for its pressed button: 1 closes, 2 minimises.
  void OnTitleButton(int SelectIndex);
  // Where the caption strip lies: it follows the vertical splitter.
  QRectF CaptionStrip() const;
  // The geometry the last layout gave every pane.
  PaneLayout::MainPanes Panes() const;

  // Tool set-up. Back to plain browsing: no tool, fit off, the fit button released.
  void ResetToBrowse();
  // The browse buttons follow the tool; the text and calendar tools put their strip
  // above the canvas.
  void LayoutCanvasArea();
  // The thumbnail-size bar and the side panel repaint once the panes are laid out.
  void ReleaseToolRepaint();
  // The menu's browse row is ticked and the side panel's tool cleared.
  void MarkBrowseRow();
  // The first command after a picture loads marks the canvas's first load; with
  // reImport the canvas rebuilds its view.
  void ApplyFirstLRule(bool reImport);
  // A picture was loaded: the next command is the first after it.
  void ClearFirstLDone() { m_firstLDone = false; }
  // Floats the clipboard's picture as a stamp once it has arrived (decoded off this
  // thread); nothing happens when it holds none.
  void PasteFromClipboard();
  // The pasted picture has arrived: it floats.
  void FloatPasted();
  // Trashes the shown file and every other selected file, each asked about once.
  void DeleteSelectedFiles();
  // Opens the print window, or brings the open one to the front.
  void ShowPrintWindow();
  // The canvas's picture full screen in the window's own slideshow; nothing while a tool
  // is armed or without a picture.
  void ShowFullView();
  // The properties window of a picture, over this window until it closes.
  void ShowProperties(const QImage& picture);
  // Makes the selected pictures the screensaver's set in the export window (made on first
  // use); a pick while an export runs is passed over.
  void ExportScreensaver();
  // The file task dialog of rename, copy and move: made on first use and kept.
  TaskDialogServices& FileTaskDialog();
  // Tests hand in their own task dialogs.
  void UseTaskDialogs(TaskDialogFactory& factory) { m_taskDialogs = &factory; }
  // Runs the command of a key picked in the menu (its PressMenuID).
  void RunMenuCommand(const QString& key);
  // True from a menu pick until its command has ended.
  bool CommandRunning() const { return m_commandRunning; }

  // Children's events (FrmMainWiring.cpp). Controls connect their signals to these.
  void Canvas_MouseDown();
  void Canvas_DblClick();
  // The undo and redo buttons follow the canvas's history.
  void Canvas_UndoStateChanged(bool canUndo, bool canRedo);
  // The canvas is back to browsing: so are the side panel, the menu and the toolbar.
  void Canvas_ToolFinished();
  // A layer tool's commit: its text strip goes and the panes close the gap.
  void Canvas_LayerCommitted();
  // A release on the sheet after a pick: the picture's buttons come on.
  void Sheet_MouseUp();
  // The side panel's calendar offers the days of its month that hold listed pictures.
  void Sheet_PictureDays(const QList<QDate>& days);
  // The first selected file in the window's own full view.
  void Sheet_DblClick();
  // The side panel's calendar release (isUp: over a day) filters the sheet by that day.
  void SidePanel_CalendarMouseUp(bool isUp);
  void SidePanel_Pattern(const QString& SelFilename);
  // A press on the panel's tools or tabs sets the chosen tool up.
  void SidePanel_ToolMouseDown();
  // The stamp library's release, by the panel's StampEnter: 1 deletes the chosen stamp,
  // 2 floats it on the picture, 3 opens it for editing; 0 does nothing.
  void SidePanel_StampMouseUp(int StampEnter);
  void SidePanel_StampDblClick();
  void TextStrip_Font(const QString& textFont);
  void TextStrip_Size(int textFontSize);
  void TextStrip_Style(int textFontStyle);
  void TextStrip_Render(int textFontRender);
  void TextStrip_TextButton();
  void ImageToolbar_MouseDown();
  // A release on the image toolbar runs the button the toolbar reports (10: none).
  void ImageToolbar_MouseUp(int PressID);

  // Opening and saving (FrmMainOpening.cpp). Index 0 open, 1 save as, 2 save a copy, 3 a
  // stamp from a file, 4 a file into the stamp library.
  void FileDialog(int Index);
  // A new blank picture of the size and colour asked in the task dialog.
  void StartNewImage();
  // Steps the zoom up (out) or down (in) by 2 %, leaving fit mode first.
  void PublicZoomout();
  void PublicZoomin();
  // The save-as pattern chosen last ("*.jpg"), the save dialog's start name, and a value
  // kept for callers.
  QString FileExt() const { return m_fileExt; }
  void SetFileExt(const QString& pattern) { m_fileExt = pattern; }
  QString LastFilename() const { return m_lastFilename; }
  void SetLastFilename(const QString& name) { m_lastFilename = name; }
  int OldPressID() const { return m_oldPressID; }
  void SetOldPressID(int value) { m_oldPressID = value; }
  // Tests answer the file dialogs themselves, and put recording fakes in place of the side
  // panel and the image toolbar.
  void UseFileChooser(FileChooser& chooser) { m_fileChooser = &chooser; }
  void UseSidePanelServices(SidePanelServices& panel) { m_sidePanelServices = &panel; }
  void UseImageToolbarServices(ImageToolbarServices& toolbar) { m_imageToolbarServices = &toolbar; }
  // The sheet's date filter for a day: "5-3-2008-", unpadded.
  static QString DateWatchText(int day, int month, int year);
  // The buttons a shown picture can use: save as, slideshow, fit, next, previous.
  void EnableImageButtons();
  // The sheet's next or previous picture on the canvas. A step that leaves the sheet
  // without a current row or file leaves the canvas as it is.
  void StepSheet(bool next);
  void ToggleFit();
  // The program's slideshow over the window, started at its current picture.
  void StartSlideshowWindow();
  // The print window, or the message that there is no printer.
  void PrintOrSayNoPrinters();
  // Saves in place; the picture counts as saved only when the file was written.
  void SaveInPlace();
  // Runs a task dialog page modally; confirmed runs after OK, with the dialog to read.
  void RunModalTask(int page, std::function<void(TaskDialogServices&)> confirmed);

  // MainWindowServices
  CanvasSaveServices* SingleqzPreview() override;
  ThumbnailSheetServices* ThumqzViewer() override;
  SkinMenuServices* SkinMenu() override;
  QWidget* FolderView() override { return m_folderView; }
  QString Label1Caption() const override { return m_label1; }
  void SetLabel1Caption(const QString& caption) override { m_label1 = caption; }
  void LeftSkinstyle() override;
  void ProcessShortcutKey(int KeyCode, int Shift) override;
  // The save as of FileDialog(1). The dialog answers through SaveAsChosen when the user
  // closes it.
  void SaveAsDialog() override;

  SidePanelServices* UserqzProcess1() { return m_sidePanelServices; }
  ImageToolbarServices* ImageToolbar() { return m_imageToolbarServices; }
  TextStripServices* YDSTextControl1();
  TaskDialogFactory* TaskDialogs() { return m_taskDialogs; }
  // Sets up panels, menu marks and the canvas's tool values for the side panel's tool.
  void FormOption(bool& isAutoProcess, bool& MenuClick);
  // Sets the sheet's sort order from a sort command key; other keys set nothing.
  void SettingArrange_Menu(const QString& PressMenuID);
  void FileImport(const QString& Filename);
  // Makes the stamp temporary file the current stamp and switches to the stamp tool.
  void UseStamp(bool fromLibrary, bool sizeFlag);
  void ArrangeMainPanes(bool flag = false);

  // SaveQuestionServices: the question about the canvas's unsaved changes.
  bool MayReplacePicture() override;

  // TaskDialogFactory: a file task dialog over this window.
  std::unique_ptr<TaskDialogServices> CreateTaskDialog() override;

  // The window's own slideshow, for the full view of one picture, and the program's
  // slideshow; each makes its window on first use and again after the user closed it.
  SlideshowServices& OwnSlideshow();
  SlideshowServices& Slideshow();

  // SettingsHost
  double SplitLVTop() const override;
  void SetSplitLVTop(double top) override;
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

  // The hosted widgets, for the layout and for tests.
  Imageqzviewer& Canvas() { return *m_canvas; }
  ThumViewer& Sheet() { return *m_sheet; }
  QWidget& SkinMenuWidget();
  QWidget& MenuBarStripWidget();
  QWidget& TitleBarWidget();
  QWidget& ImageToolbarWidget();
  const QComboBox& FontList() const { return *m_cbFont; }
  QTimer& LayoutTimer() { return m_timer2; }
  UserqzProcess& SidePanel() { return *m_sidePanel; }
  ScrollControl& ThumbnailBar() { return *m_thumbnailBar; }

 signals:
  // The window has unloaded: the settings are saved and the program may end.
  void Unloaded();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  // A move that has come to rest with no button held brings the title bar's buttons back
  // onto the work area.
  void moveEvent(QMoveEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  // Keys no child took; none while the text tool types.
  void keyPressEvent(QKeyEvent* event) override;
  // Tab and Shift+Tab are shortcuts, not focus moves.
  bool focusNextPrevChild(bool next) override;

 private:
  void CreateControls();
  // The stored settings, and the controls that show them.
  void LoadStoredSettings();
  void Form_Resize();
  void Timer2_Timer();
  void Form_QueryUnload();
  void Form_Unload();
  void CreateSlideshows();
  void UnloadSecondaryWindows();
  void TitleSkin_MouseUp();
  void KeepTitleButtonsOnWorkArea();
  void OnCaptionClick(QPointF point);
  // Sets the drawn menu up for a menu at a width, then paints it at a place and height.
  void SetUpSkinMenu(int menu, int width);
  void PaintSkinMenuAt(QPoint at, int width, int height);
  // Opens the menu of the strip's title (PressID) under the title's left edge X.
  void OpenStripMenu(float X);
  // The enable and check states of the strip's menu about to open.
  void Menu_Setting();
  void qzToolbarUser_MouseMove(float X);
  void SkinMenu_MouseUp();
  // The command's second half, after the pause that lets the screen repaint.
  void FinishMenuCommand();
  // Opens the folder of the history row picked last.
  void HistoryPick();
  // The tool of the side panel's SelEffect: the key, the mode, the slider and the fit.
  void SetUpTool(int selEffect);
  void ShowTextStripFor(ToolModes::Mode mode);
  PaneLayout::PaneWidgets AllPaneWidgets() const;
  void ApplyArrangement(const PaneLayout::Arrangement& arrangement);
  // The thumbnail bar's handlers (FrmMainThumbnailBar.cpp).
  void ConnectThumbnailBar();
  void ShowImageCounts();
  void Canvas_MouseUp();
  void ConnectChildEvents();
  // The copies of FileDialog 2, 3 and 4. The dialogs answer through the Chosen steps
  // when the user closes them.
  QString StartFolder() const;
  QString InStartFolder(const QString& name) const;
  void SaveAsChosen(const QString& path, const QString& pattern);
  void OpenChosen(int Index, const QString& path);
  void SaveCopy();
  void StampFromFile(const QString& file);
  void ImportToLibrary(const QString& file);
  void ApplyZoomStep();

  Imageqzviewer* m_canvas = nullptr;
  ThumViewer* m_sheet = nullptr;
  QWidget* m_folderView = nullptr;
  ButtonControl* m_titleSkin = nullptr;
  ToolbarUser* m_menuBar = nullptr;
  ToolbarImg* m_imageToolbar = nullptr;
  UserqzSplit* m_splitLV = nullptr;
  UserqzSplit* m_splitH = nullptr;
  ScrollControl* m_thumbnailBar = nullptr;
  UserqzProcess* m_sidePanel = nullptr;
  YDSTextControl* m_textStrip = nullptr;
  ZpYSkinMenu* m_skinMenu = nullptr;
  // What the window asks of the side panel and the image toolbar: the controls, or the
  // recording fakes a test puts in their place.
  SidePanelServices* m_sidePanelServices = nullptr;
  ImageToolbarServices* m_imageToolbarServices = nullptr;
  // The resize grip and the ghost bar of a splitter drag: plain boxes.
  QWidget* m_resizeBorder = nullptr;
  QWidget* m_dragingImg = nullptr;
  std::unique_ptr<SplitterDrag::Handlers> m_splitterDrag;
  // The installed scalable font families, for the text strip.
  QComboBox* m_cbFont = nullptr;
  QTimer m_timer2;
  // Restarted by every move: a drag has ended once it runs out with no button held.
  QTimer m_moveSettle;
  TaskDialogFactory* m_taskDialogs = this;
  std::unique_ptr<TaskDialogServices> m_fileTask;
  std::unique_ptr<TaskDialogServices> m_modalTask;
  std::unique_ptr<FileChooser> m_ownFileChooser;
  FileChooser* m_fileChooser = nullptr;
  std::unique_ptr<WheelHook> m_wheel;
  std::unique_ptr<SlideshowWindow> m_ownSlideshow;
  std::unique_ptr<SlideshowWindow> m_slideshow;
  std::unique_ptr<PrintWindow> m_printWindow;
  std::unique_ptr<FrmScroll> m_screensaverExport;

  QString m_label1;
  QString m_lastOpened;
  QString m_lastFilename;
  QString m_fileExt;
  int m_oldPressID = 0;
  float m_zoomStep = 1.0F;
  bool m_firstResizeDone = false;
  bool m_panesReady = false;
  bool m_unloaded = false;
  bool m_firstLDone = false;
  bool m_commandRunning = false;
  // A close asked for while a command ran; it happens when the command ends.
  bool m_closeDeferred = false;
  // The key of the command running, as the menu reported it; empty between commands.
  QString m_pickedKey;
  std::optional<Forms::HourglassCursor> m_busy;
  ModGDI::ClipboardPaste m_paste{[this] { FloatPasted(); }};
};
