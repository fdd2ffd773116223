#include "mainwindow/FrmMain.h"

#include <algorithm>
#include <array>
#include <string_view>

#include <QComboBox>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "browse/ScrollControl.h"
#include "browse/ThumViewer.h"
#include "canvas/Imageqzviewer.h"
#include "controls/ButtonControl.h"
#include "controls/MenuModel.h"
#include "controls/ToolbarImg.h"
#include "controls/ToolbarUser.h"
#include "controls/UserqzProcess.h"
#include "controls/UserqzSplit.h"
#include "controls/YDSTextControl.h"
#include "controls/ZpYSkinMenu.h"
#include "foundation/CommandKeys.h"
#include "foundation/ModPublic.h"
#include "mainwindow/FileChooser.h"
#include "mainwindow/MenuCommands.h"
#include "mainwindow/SplitterDrag.h"
#include "mainwindow/WheelHook.h"
#include "windows/FrmScroll.h"
#include "windows/PrintWindow.h"
#include "windows/SlideshowWindow.h"

namespace {

// The window's size before it is placed over the work area.
constexpr QSize kDesignSize{1024, 768};
// The panes' places on a first run, before any bar was moved: every pane shows on a
// 1024 x 768 screen.
constexpr int kPaneAreaTop = 93;
constexpr int kSplitHLeft = 280;
constexpr int kSplitHWidth = 9;
constexpr int kSplitLVTop = 400;
constexpr int kSplitLVHeight = 10;
constexpr int kSplitVTop = 480;
constexpr int kGripSide = 17;
// How long a window must hold still before a move counts as ended.
constexpr int kMoveSettleMs = 250;
constexpr QSize kTitleSize{kDesignSize.width(), 25};
constexpr QSize kMenuBarSize{kDesignSize.width(), 20};
constexpr int kImageToolbarHeight = 40;
constexpr int kTextStripHeight = 25;
// The ghost bar that follows the pointer while a bar is dragged.
const QColor kGhostColour(90, 90, 90);

UserqzSplit* MakeSplitter(QWidget* parent, QSize size, int pointer) {
  auto* splitter = new UserqzSplit(parent);
  splitter->resize(size);
  splitter->SetMousePoin(pointer);
  return splitter;
}

// The sort command keys in the order of the sheet's sort numbers.
constexpr std::array<std::string_view, 6> kSortKeys{CommandKeys::View_Sortname,   CommandKeys::View_Sorttype,
                                                    CommandKeys::View_Sortsize,   CommandKeys::View_Sortcreate,
                                                    CommandKeys::View_Sortmodify, CommandKeys::View_Sortstar};

// The program's icon, drawn here: a rounded tile in the accent colour with a white frame
// around a small landscape.
QIcon ProgramIcon() {
  QPixmap pixmap(64, 64);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(100, 140, 200));
  p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(12, 16, 40, 32));
  p.setBrush(QColor(100, 140, 200));
  QPainterPath hills;
  hills.moveTo(15, 45);
  hills.lineTo(27, 28);
  hills.lineTo(35, 38);
  hills.lineTo(40, 32);
  hills.lineTo(49, 45);
  hills.closeSubpath();
  p.drawPath(hills);
  p.drawEllipse(QPointF(41, 23), 3, 3);
  p.end();
  return QIcon(pixmap);
}

}  // namespace

FrmMain::FrmMain() : SkinSurface(nullptr) {
  setWindowFlag(Qt::FramelessWindowHint);
  // The taskbar entry of the frameless window carries the program's name.
  setWindowTitle(QStringLiteral("Vesk Lorvane 6 - Free"));
  setWindowIcon(ProgramIcon());
  setAutoFillBackground(false);
  resize(kDesignSize);
  CreateControls();
  m_ownFileChooser = MakeProgramFileChooser();
  m_fileChooser = m_ownFileChooser.get();
  m_wheel = std::make_unique<WheelHook>(
      [this](bool next) {
        MenuCommands::Run(*this, next ? CommandKeys::View_Zoomin : CommandKeys::View_Zoomout,
                          MenuCommands::Route::Wheel);
      },
      std::vector<const QWidget*>{m_folderView, m_sidePanel});
  m_moveSettle.setSingleShot(true);
  m_moveSettle.setInterval(kMoveSettleMs);
  connect(&m_moveSettle, &QTimer::timeout, this, &FrmMain::KeepTitleButtonsOnWorkArea);
  m_timer2.setInterval(500);
  connect(&m_timer2, &QTimer::timeout, this, &FrmMain::Timer2_Timer);
}

FrmMain::~FrmMain() = default;

void FrmMain::CreateControls() {
  m_folderView = new QWidget(this);
  m_canvas = new Imageqzviewer(this);
  m_sheet = new ThumViewer(this);
  m_titleSkin = new ButtonControl(ModPublic::DataFolderPath, this);
  m_titleSkin->resize(kTitleSize);
  m_menuBar = new ToolbarUser(this, this);
  m_menuBar->resize(kMenuBarSize);
  m_imageToolbar = new ToolbarImg(this, ModPublic::DataFolderPath, this);
  m_imageToolbar->resize(kDesignSize.width(), kImageToolbarHeight);
  m_imageToolbarServices = m_imageToolbar;
  m_splitLV = MakeSplitter(this, {kSplitHLeft, kSplitLVHeight}, UserqzSplit::PointerSizeNS);
  m_splitH = MakeSplitter(this, {kSplitHWidth, kDesignSize.height()}, UserqzSplit::PointerSizeWE);
  m_thumbnailBar = new ScrollControl(this);
  m_sidePanel = new UserqzProcess(this);
  m_sidePanelServices = m_sidePanel;
  m_textStrip = new YDSTextControl(this, ModPublic::ProgramFolder(), this);
  m_textStrip->resize(kDesignSize.width(), kTextStripHeight);
  m_textStrip->hide();
  m_skinMenu = new ZpYSkinMenu(this, ModPublic::DataFolderPath, this);
  m_skinMenu->hide();
  m_canvas->UseSkinMenu(*m_skinMenu);
  m_splitH->move(kSplitHLeft, kPaneAreaTop);
  m_splitLV->move(8, kSplitLVTop);
  m_thumbnailBar->move(kSplitHLeft + kSplitHWidth, kSplitVTop);
  m_resizeBorder = new QWidget(this);
  m_resizeBorder->resize(kGripSide, kGripSide);
  m_resizeBorder->setObjectName(QStringLiteral("ResizeBorder"));
  m_resizeBorder->setCursor(Qt::SizeFDiagCursor);
  m_dragingImg = new QWidget(this);
  m_dragingImg->setAutoFillBackground(true);
  m_dragingImg->setPalette(QPalette(kGhostColour));
  m_dragingImg->hide();
  m_splitterDrag = std::make_unique<SplitterDrag::Handlers>(
      *this, SplitterDrag::Handlers::Bars{m_splitH, m_splitLV, m_dragingImg, m_resizeBorder});
  m_splitterDrag->Connect();
  m_cbFont = new QComboBox(this);
  m_cbFont->hide();
  m_titleSkin->SetOnMouseUp([this](int, int, float, float) { TitleSkin_MouseUp(); });
  ConnectThumbnailBar();
  ConnectChildEvents();
  connect(m_menuBar, &ToolbarUser::MouseDown, this, [this](int, int, float X, float) { OpenStripMenu(X); });
  connect(m_menuBar, &ToolbarUser::MouseMove, this, [this](int, int, float X, float) { qzToolbarUser_MouseMove(X); });
  connect(m_skinMenu, &ZpYSkinMenu::MouseUP, this, &FrmMain::SkinMenu_MouseUp);
}

CanvasSaveServices* FrmMain::SingleqzPreview() { return m_canvas; }

ThumbnailSheetServices* FrmMain::ThumqzViewer() { return m_sheet; }

// The Browse menu is set up so that the sort rows can be ticked.
void FrmMain::SettingArrange_Menu(const QString& PressMenuID) {
  SkinMenuServices& menu = *m_skinMenu;
  menu.SetMemFirst(true);
  menu.SetInitializemenu(2);
  menu.SetPressMenuID(PressMenuID);
  for (std::string_view sortKey : kSortKeys) {
    menu.MenuChecked(CommandKeyText(sortKey), false);
  }
  const auto key = std::find_if(kSortKeys.begin(), kSortKeys.end(), [&](std::string_view sortKey) {
    return PressMenuID == CommandKeyText(sortKey);
  });
  if (key != kSortKeys.end()) {
    m_sheet->SetThumbnaillSort(static_cast<int>(key - kSortKeys.begin()));
    menu.MenuChecked(PressMenuID, true);
  }
}

double FrmMain::SplitLVTop() const { return m_splitLV->y(); }
void FrmMain::SetSplitLVTop(double top) { m_splitLV->move(m_splitLV->x(), int(top)); }
double FrmMain::SplitVTop() const { return m_thumbnailBar->y(); }
void FrmMain::SetSplitVTop(double top) { m_thumbnailBar->move(m_thumbnailBar->x(), int(top)); }
double FrmMain::SplitHLeft() const { return m_splitH->x(); }
void FrmMain::SetSplitHLeft(double left) { m_splitH->move(int(left), m_splitH->y()); }

SkinMenuServices* FrmMain::SkinMenu() { return m_skinMenu; }
TextStripServices* FrmMain::YDSTextControl1() { return m_textStrip; }
QWidget& FrmMain::SkinMenuWidget() { return *m_skinMenu; }
QWidget& FrmMain::MenuBarStripWidget() { return *m_menuBar; }
QWidget& FrmMain::TitleBarWidget() { return *m_titleSkin; }
QWidget& FrmMain::ImageToolbarWidget() { return *m_imageToolbar; }

bool FrmMain::FitMode() const { return m_canvas->FitMode(); }
void FrmMain::SetFitMode(bool fit) { m_canvas->SetFitMode(fit); }
std::uint32_t FrmMain::TextColor() const { return m_canvas->TextColor(); }
void FrmMain::SetTextColor(std::uint32_t rgb) { m_canvas->SetTextColor(rgb); }

double FrmMain::ThumWidth() const { return m_sheet->ThumWidth(); }
void FrmMain::SetThumWidth(double width) { m_sheet->SetThumWidth(static_cast<int>(width)); }
double FrmMain::ThumHeight() const { return m_sheet->ThumHeight(); }
void FrmMain::SetThumHeight(double height) { m_sheet->SetThumHeight(static_cast<int>(height)); }
