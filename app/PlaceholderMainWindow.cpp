#include "app/PlaceholderMainWindow.h"

#include <algorithm>
#include <array>

#include <QCloseEvent>
#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>

#include "browse/ModFolderView.h"
#include "browse/ThumViewer.h"
#include "canvas/Imageqzviewer.h"
#include "effects/EffectObjects.h"
#include "foundation/ModPublic.h"
#include "foundation/ModqzReg.h"

namespace {

constexpr QSize kStartSize{1000, 700};
// The starting right edges of the folder pane and of the sheet.
constexpr int kTreeRight = 220;
constexpr int kSheetRight = 640;
// No pane is squeezed narrower than this by a stored position.
constexpr int kMinPane = 60;

// The sort command keys in the order of the sheet's sort numbers.
constexpr std::array<QStringView, 6> kSortKeys{u"View_Sortname",   u"View_Sorttype",   u"View_Sortsize",
                                               u"View_Sortcreate", u"View_Sortmodify", u"View_Sortstar"};

}  // namespace

PlaceholderMainWindow::PlaceholderMainWindow()
    : m_captionStrip(new QLabel(this)),
      m_panes(new QSplitter(Qt::Horizontal, this)),
      m_folderView(new QWidget(m_panes)),
      m_sheet(new ThumViewer(m_panes)),
      m_canvas(new Imageqzviewer(m_panes)) {
  setWindowTitle(QStringLiteral("Lorvane"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  m_captionStrip->setContentsMargins(6, 3, 6, 3);
  layout->addWidget(m_captionStrip);
  layout->addWidget(m_panes, 1);
  m_panes->setChildrenCollapsible(false);
  m_folderView->installEventFilter(this);
  m_canvas->CreateBrush();
  SetPaneEdges(kTreeRight, kSheetRight);
  LeftSkinstyle();
}

PlaceholderMainWindow::~PlaceholderMainWindow() = default;

void PlaceholderMainWindow::Form_Load() {
  ModqzReg::LoadSettings(*this);
  ModqzReg::CurrentDirectory = QStringLiteral("...");
  resize(kStartSize);
}

CanvasSaveServices* PlaceholderMainWindow::SingleqzPreview() { return m_canvas; }

ThumbnailSheetServices* PlaceholderMainWindow::ThumqzViewer() { return m_sheet; }

// The panels and menu marks it would set up belong to the skinned window.
void PlaceholderMainWindow::FormOption(bool&, bool&) {}

void PlaceholderMainWindow::SettingArrange_Menu(const QString& PressMenuID) {
  const auto key = std::find(kSortKeys.begin(), kSortKeys.end(), PressMenuID);
  if (key != kSortKeys.end()) {
    m_sheet->SetThumbnaillSort(static_cast<int>(key - kSortKeys.begin()));
  }
}

// The side panel and the image toolbar it would refresh come with the skinned window.
void PlaceholderMainWindow::FileImport(const QString& Filename) {
  // Every newly opened file starts its own undo history.
  m_canvas->SetFirstL(true);
  m_canvas->Import(Filename);
}

void PlaceholderMainWindow::LeftSkinstyle() {
  m_captionStrip->setText(m_label1.isEmpty() ? QStringLiteral("...") : m_label1);
}

// The stamp tool and the shortcut table come with the skinned window.
void PlaceholderMainWindow::UseStamp(bool, bool) {}
void PlaceholderMainWindow::ProcessShortcutKey(int, int) {}

void PlaceholderMainWindow::ArrangeMainPanes(bool) { ModFolderView::ResizeFolderView(); }

double PlaceholderMainWindow::SplitVTop() const {
  const QList<int> sizes = m_panes->sizes();
  return sizes.value(0) + m_panes->handleWidth() + sizes.value(1);
}

void PlaceholderMainWindow::SetSplitVTop(double top) { SetPaneEdges(static_cast<int>(SplitHLeft()), static_cast<int>(top)); }

double PlaceholderMainWindow::SplitHLeft() const { return m_panes->sizes().value(0); }

void PlaceholderMainWindow::SetSplitHLeft(double left) { SetPaneEdges(static_cast<int>(left), static_cast<int>(SplitVTop())); }

bool PlaceholderMainWindow::FitMode() const { return m_canvas->FitMode(); }
void PlaceholderMainWindow::SetFitMode(bool fit) { m_canvas->SetFitMode(fit); }
std::uint32_t PlaceholderMainWindow::TextColor() const { return m_canvas->TextColor(); }
void PlaceholderMainWindow::SetTextColor(std::uint32_t rgb) { m_canvas->SetTextColor(rgb); }

double PlaceholderMainWindow::ThumWidth() const { return m_sheet->ThumWidth(); }
void PlaceholderMainWindow::SetThumWidth(double width) { m_sheet->SetThumWidth(static_cast<int>(width)); }
double PlaceholderMainWindow::ThumHeight() const { return m_sheet->ThumHeight(); }
void PlaceholderMainWindow::SetThumHeight(double height) { m_sheet->SetThumHeight(static_cast<int>(height)); }

// Stored positions may come from a larger screen or a damaged file; each pane keeps a
// usable width within the starting window.
void PlaceholderMainWindow::SetPaneEdges(int treeRight, int sheetRight) {
  const int total = std::max(width(), kStartSize.width());
  const int tree = std::clamp(treeRight, kMinPane, total - 2 * kMinPane);
  const int sheet = std::clamp(sheetRight - tree, kMinPane, total - tree - kMinPane);
  m_panes->setSizes({tree, sheet, total - tree - sheet});
}

void PlaceholderMainWindow::resizeEvent(QResizeEvent* event) {
  ModqzReg::SkipSettingsLoad = true;
  QWidget::resizeEvent(event);
}

void PlaceholderMainWindow::closeEvent(QCloseEvent* event) {
  if (!m_unloaded) {
    m_unloaded = true;
    ModFolderView::CloseFolderView();
    ModEffects::ReleaseEffectObjects();
    ModqzReg::SaveSettings(*this);
  }
  event->accept();
}

bool PlaceholderMainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_folderView && event->type() == QEvent::Resize) {
    ArrangeMainPanes(false);
  }
  return QWidget::eventFilter(watched, event);
}
