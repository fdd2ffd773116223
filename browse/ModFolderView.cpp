#include "browse/ModFolderView.h"

#include <QPointer>
#include <QWidget>

#include "browse/FolderTree.h"
#include "foundation/MainWindowServices.h"
#include "foundation/ModqzReg.h"
#include "foundation/SkinnedControlServices.h"

namespace ModFolderView {
namespace {

// The window the tree lives in, and its folder pane, from ShowFolderView to CloseFolderView.
MainWindowServices* Host = nullptr;
QPointer<QWidget> FolderViewBox;
QPointer<FolderTree> HostedTree;

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

}  // namespace

void ShowFolderView(MainWindowServices& host) {
  Host = &host;
  FolderViewBox = host.FolderView();
  if (FolderViewBox == nullptr) {
    return;
  }
  AdoptFolderTree(*FolderViewBox);
  SelectFolderPath(ModqzReg::CurrentDirectory);
  FolderTreeReady = true;
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
  delete HostedTree;
  FolderViewBox = nullptr;
  Host = nullptr;
}

void FolderChanged() {
  MainWindowServices* main = Host;
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
