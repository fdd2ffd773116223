// The folder tree host: folders chosen by path and by mouse, what each change does to the
// main window and the sheet, and the tree's removal.
#include <algorithm>
#include <functional>

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QMouseEvent>
#include <QtCore/qtestsupport_core.h>

#include <gtest/gtest.h>

#include "SheetPictures.h"
#include "browse/FolderTree.h"
#include "browse/ModFolderView.h"
#include "browse/ThumViewer.h"
#include "foundation/ModPublic.h"
#include "foundation/ModqzReg.h"
#include "support/TestFolder.h"
#include "support/fakes/FakeSkinnedControls.h"

namespace {

// A main window with a real sheet and folder pane; the rest is recorded.
class TreeHostWindow final : public MainWindowServices {
 public:
  CanvasSaveServices* SingleqzPreview() override { return nullptr; }
  ThumbnailSheetServices* ThumqzViewer() override { return &sheet; }
  SkinMenuServices* SkinMenu() override { return &menu; }
  QWidget* FolderView() override { return &pane; }
  QString Label1Caption() const override { return label1; }
  void SetLabel1Caption(const QString& caption) override { label1 = caption; }
  void LeftSkinstyle() override { ++captionPaints; }
  void ProcessShortcutKey(int, int) override {}
  void SaveAsDialog() override {}

  QWidget pane;
  ThumViewer sheet;
  Fakes::FakeSkinMenu menu;
  QString label1;
  int captionPaints = 0;
};

class FolderTreeHost : public ::testing::Test {
 protected:
  void SetUp() override {
    ModPublic::GdiplusToken = 1;
    ModqzReg::CurrentDirectory = QStringLiteral("...");
    window.pane.resize(240, 400);
    window.pane.show();
    first = root.MakeFolder("First");
    second = root.MakeFolder("Second");
    for (const char* name : {"a.png", "b.png", "c.png"}) {
      SheetPictures::Write(root, QStringLiteral("First/") + name, {40, 30}, Qt::red);
    }
    SheetPictures::Write(root, "Second/d.png", {40, 30}, Qt::blue);
  }
  void TearDown() override { ModPublic::GdiplusToken = 0; }

  // Places the tree, runs the scenario while the tree works, and removes the tree.
  void RunHost(const std::function<void()>& scenario) {
    ModFolderView::ShowFolderView(window);
    scenario();
    ModFolderView::CloseFolderView();
  }
  bool WaitCaption(const QString& caption) {
    return QTest::qWaitFor([&] { return window.label1 == caption; }, 20000);
  }
  // Presses the left button on a folder's row, as a user picking it.
  void ClickRow(const QString& path) {
    FolderTree* tree = ModFolderView::Tree();
    const auto* model = tree->model();
    QModelIndex row;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
          row = static_cast<const QFileSystemModel*>(model)->index(path);
          return row.isValid() && !tree->visualRect(row).isEmpty();
        },
        20000));
    const QPointF at = tree->visualRect(row).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
      QMouseEvent event(type, at, tree->viewport()->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
      QApplication::sendEvent(tree->viewport(), &event);
    }
  }

  TreeHostWindow window;
  TestSupport::TestFolder root;
  QString first;
  QString second;
};

}  // namespace


TEST_F(FolderTreeHost, ChoosingFoldersUpdatesCaptionHistoryAndSheetOncePerChange) {
  RunHost([&] {
    EXPECT_TRUE(ModFolderView::FolderTreeReady);
    FolderTree* tree = ModFolderView::Tree();
    const auto* model = static_cast<const QFileSystemModel*>(tree->model());
    EXPECT_TRUE(QTest::qWaitFor([&] { return tree->isExpanded(model->index(QDir::homePath())); }, 20000))
        << "the home folder is opened at start";
    EXPECT_EQ(window.captionPaints, 0) << "a start folder that names no folder selects nothing";
    window.menu.visible = true;
    ModFolderView::SelectFolderPath(first);
    ASSERT_TRUE(WaitCaption(first));
    EXPECT_EQ(ModqzReg::CurrentDirectory, first);
    EXPECT_FALSE(window.menu.visible);
    EXPECT_EQ(window.sheet.FolderPath(), first + "/");
    EXPECT_EQ(window.sheet.ListCount, 3);
    EXPECT_FALSE(window.sheet.OnEventsEnabled);

    ClickRow(second);
    ASSERT_TRUE(WaitCaption(second));
    EXPECT_EQ(window.sheet.ListCount, 1);
    // Asking again for the folder already shown is no change.
    ModFolderView::SelectFolderPath(second);
    QTest::qWait(50);
  });
  EXPECT_EQ(window.captionPaints, 2);
  EXPECT_EQ(window.menu.history, (std::vector<QString>{second, first}));
  EXPECT_EQ(ModFolderView::Tree(), nullptr);
}

TEST_F(FolderTreeHost, AHomeSomeLevelsDownIsOpenedAtTheTopWithItsFolders) {
  const QString home = root.MakeFolder("Users/someone");
  for (int i = 0; i < 10; ++i) {
    root.MakeFolder(QStringLiteral("Users/someone/Album %1").arg(i));
  }
  const QByteArray ownHome = qgetenv("HOME");
  qputenv("HOME", QFile::encodeName(home));
  window.pane.resize(240, 100);
  RunHost([&] {
    FolderTree* tree = ModFolderView::Tree();
    // The pane is a window of its own here: taking the focus, the tree would make its
    // first row current, as a view does, and that chooses a folder.
    tree->setFocusPolicy(Qt::NoFocus);
    const auto* model = static_cast<const QFileSystemModel*>(tree->model());
    const auto top = [&](const QString& path) { return tree->visualRect(model->index(path)).top(); };
    EXPECT_TRUE(QTest::qWaitFor([&] { return top(home) == 0 && top(home + "/Album 0") > 0; }, 20000))
        << "home is not at the top of the tree with its folders under it";
  });
  qputenv("HOME", ownHome);
}

TEST_F(FolderTreeHost, TheSelectedRowHoldsStillWhileFoldersComeAndGoAboveIt) {
  const QString busy = root.MakeFolder("Busy");
  const QString chosen = root.MakeFolder("Busy/zz chosen");
  // Rows below it, so that the tree can scroll either way.
  for (int i = 0; i < 40; ++i) {
    root.MakeFolder(QStringLiteral("Busy/zzz %1").arg(i));
  }
  window.pane.resize(240, 600);
  RunHost([&] {
    FolderTree* tree = ModFolderView::Tree();
    const auto* model = static_cast<const QFileSystemModel*>(tree->model());
    ModFolderView::SelectFolderPath(chosen);
    ASSERT_TRUE(WaitCaption(chosen));
    const auto top = [&] { return tree->visualRect(model->index(chosen)).top(); };
    const auto rows = [&] { return model->rowCount(model->index(busy)); };
    // The pointer away from the tree; once its folder is listed, the row is brought off the top.
    QCursor::setPos(tree->mapToGlobal(QPoint(-100, -100)));
    ASSERT_FALSE(tree->viewport()->rect().contains(tree->viewport()->mapFromGlobal(QCursor::pos())));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
          tree->scrollTo(model->index(chosen), QAbstractItemView::PositionAtCenter);
          return rows() == 41 && top() > 100;
        },
        20000));
    const int before = top();
    // Many at once: the temporary folder's own comings and goings above never make up for them.
    QStringList made;
    for (int i = 0; i < 12; ++i) {
      made << QStringLiteral("a %1").arg(i);
      root.MakeFolder("Busy/" + made.back());
    }
    // Listed and sorted above it, then laid out.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
          return std::all_of(made.begin(), made.end(), [&](const QString& name) {
            const QModelIndex row = model->index(busy + "/" + name);
            return row.isValid() && row.row() < model->index(chosen).row();
          });
        },
        20000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return top() == before; }, 2000)) << "folders made above it: " << top();
    for (const QString& name : made) {
      QDir(busy).rmdir(name);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return rows() == 41; }, 20000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return top() == before; }, 2000)) << "folders removed above it: " << top();
    EXPECT_EQ(tree->CurrentPath(), chosen);
  });
}

TEST_F(FolderTreeHost, ADeepFolderWithALongNonAsciiPathIsSelectedWhole) {
  QString deep = root.Path();
  for (int level = 0; level < 6; ++level) {
    deep += QStringLiteral("/Übersicht 写真 Ordner mit einem recht langen Namen %1").arg(level);
  }
  ASSERT_TRUE(QDir().mkpath(deep));
  ASSERT_GT(deep.toUtf8().size(), 260);
  SheetPictures::Write(root, deep.mid(root.Path().size() + 1) + "/e.png", {40, 30}, Qt::green);
  RunHost([&] {
    ModFolderView::SelectFolderPath(deep);
    ASSERT_TRUE(WaitCaption(deep));
    EXPECT_EQ(ModFolderView::Tree()->CurrentPath(), deep);
  });
  EXPECT_EQ(ModqzReg::CurrentDirectory, deep);
  EXPECT_EQ(window.sheet.ListCount, 1);
  EXPECT_EQ(window.menu.history, std::vector<QString>{deep});
}

TEST_F(FolderTreeHost, AMissingFolderChangesNothingShown) {
  RunHost([&] {
    ModFolderView::SelectFolderPath(first);
    ASSERT_TRUE(WaitCaption(first));
    for (const QString& path : {root.File("Gone"), QStringLiteral("relative/First"), root.File("First/a.png")}) {
      ModFolderView::SelectFolderPath(path);
      QTest::qWait(50);
      EXPECT_EQ(ModqzReg::CurrentDirectory, path);
      EXPECT_EQ(ModFolderView::Tree()->CurrentPath(), first);
    }
  });
  EXPECT_EQ(window.captionPaints, 1);
  EXPECT_EQ(window.label1, first);
  EXPECT_EQ(window.sheet.ListCount, 3);
}

TEST_F(FolderTreeHost, TheTreeFillsThePaneAsItResizes) {
  RunHost([&] {
    EXPECT_EQ(ModFolderView::Tree()->geometry(), QRect(0, 0, 240, 400));
    window.pane.resize(310, 150);
    ModFolderView::ResizeFolderView();
    EXPECT_EQ(ModFolderView::Tree()->geometry(), QRect(0, 0, 310, 150));
  });
}

TEST_F(FolderTreeHost, ABlankFolderGivesAnEmptySheetAndNoHistory) {
  window.sheet.Path(first);
  RunHost([&] {
    ModqzReg::CurrentDirectory = QString();
    ModFolderView::FolderChanged();
  });
  EXPECT_EQ(window.label1, QString());
  EXPECT_TRUE(window.menu.history.empty());
  EXPECT_EQ(window.sheet.ListCount, 0);
  EXPECT_EQ(window.captionPaints, 1);
}

TEST_F(FolderTreeHost, CallsBeforeTheTreeExistsOrAfterItWentDoNothing) {
  ModFolderView::CloseFolderView();
  ModFolderView::ResizeFolderView();
  ModFolderView::SelectFolderPath(first);
  ModFolderView::FolderChanged();
  EXPECT_EQ(window.captionPaints, 0);
  EXPECT_EQ(ModqzReg::CurrentDirectory, first);
}
