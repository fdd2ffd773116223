#include "browse/ModFolderView.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include "browse/FolderTree.h"
#include "foundation/MainWindowServices.h"
#include "foundation/ModPublic.h"
#include "foundation/ModqzReg.h"
#include "foundation/SkinnedControlServices.h"

namespace ModFolderView {
namespace {

// The main window's folder pane while the tree lives in it.
QPointer<QWidget> FolderViewBox;
QPointer<FolderTree> HostedTree;
bool LoopRunning = false;

void OnSelectionChanged(const QString& path) {
  ModqzReg::CurrentDirectory = path;
  FolderChanged();
  FolderTreeReady = true;
}

void AdoptFolderTree(QWidget& pane) {
  auto* tree = new FolderTree(&pane);
  QObject::connect(tree, &FolderTree::SelectionChanged, tree, &OnSelectionChanged);
  HostedTree = tree;
  ResizeFolderView();
  tree->show();
}

int RunFolderDialog(const QString& startFolder) {
  AdoptFolderTree(*FolderViewBox);
  SelectFolderPath(startFolder);
  FolderTreeReady = true;
  LoopRunning = true;
  const int result = QApplication::exec();
  LoopRunning = false;
  delete HostedTree;
  return result;
}

}  // namespace

int ShowFolderView() {
  MainWindowServices* main = ModPublic::MainForm;
  FolderViewBox = main != nullptr ? main->FolderView() : nullptr;
  if (FolderViewBox == nullptr) {
    return 0;
  }
  const int result = RunFolderDialog(ModqzReg::CurrentDirectory);
  FolderViewBox = nullptr;
  return result;
}

void SelectFolderPath(const QString& path) {
  ModqzReg::CurrentDirectory = path;
  if (HostedTree != nullptr) {
    HostedTree->SelectPath(path);
  }
}

void ResizeFolderView() {
  if (HostedTree != nullptr && FolderViewBox != nullptr) {
    HostedTree->setGeometry(0, 0, FolderViewBox->width(), FolderViewBox->height());
  }
}

void CloseFolderView() {
  if (HostedTree == nullptr) {
    return;
  }
  delete HostedTree;
  if (LoopRunning) {
    QApplication::exit(0);
  }
}

void FolderChanged() {
  MainWindowServices* main = ModPublic::MainForm;
  if (main == nullptr) {
    return;
  }
  main->SetLabel1Caption(ModqzReg::CurrentDirectory);
  const QString caption = main->Label1Caption();
  SkinMenuServices* menu = main->SkinMenu();
  if (menu != nullptr && !caption.trimmed().isEmpty()) {
    menu->HistoryCreate(caption);
  }
  main->LeftSkinstyle();
  if (menu != nullptr) {
    menu->SetVisible(false);
  }
  if (ThumbnailSheetServices* sheet = main->ThumqzViewer()) {
    sheet->Path(caption);
    sheet->SetOnEventsEnabled(false);
    sheet->CreateThumbnail();
  }
}

FolderTree* Tree() { return HostedTree; }

}  // namespace ModFolderView
