#pragma once
// A main window on the offscreen platform in a program folder of its own, loaded and
// shown as start-up does it, and a click as the window system delivers it.

#include <memory>

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QtCore/qtestsupport_core.h>

#include "browse/ModFolderView.h"
#include "browse/ThumViewer.h"
#include "canvas/Imageqzviewer.h"
#include "foundation/ModPublic.h"
#include "foundation/ModqzReg.h"
#include "foundation/SelectedFiles.h"
#include "mainwindow/FrmMain.h"
#include "platform/Registry.h"
#include "support/TestFolder.h"

// A left click on the window at a point, as the window system delivers it.
inline void Click(QWidget& window, QPoint at) {
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, QPointF(at), window.mapToGlobal(QPointF(at)), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(&window, &event);
  }
}

// A press, move or release of the left button on a widget, as the window system delivers it.
inline void Send(QWidget& widget, QEvent::Type type, QPointF at) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
  const Qt::MouseButton changed = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, at, widget.mapToGlobal(at), changed, held, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

class FrmMainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ModPublic::SetProgramFolder(m_folder.Path());
    ModPublic::DataFolderPath = ModPublic::ProgramFolder() + "Datas/";
    QDir().mkpath(ModPublic::DataFolderPath);
    Registry::SetFilePath(m_folder.File("config/registry.ini"));
    ModPublic::GdiplusToken = 1;
  }
  void TearDown() override {
    m_window.reset();
    ModPublic::MainForm = nullptr;
    ModPublic::GdiplusToken = 0;
    ModFolderView::FolderTreeReady = false;
    Registry::SetFilePath({});
  }

  // A fresh window loaded and shown as start-up does it.
  FrmMain& Start(bool treeReady = true) {
    m_window.reset();
    ModqzReg::SkipSettingsLoad = false;
    ModFolderView::FolderTreeReady = treeReady;
    m_window = std::make_unique<FrmMain>();
    ModPublic::MainForm = m_window.get();
    m_window->Form_Load();
    m_window->show();
    return *m_window;
  }
  // A fresh window listing a folder, with its first picture picked and shown.
  FrmMain& StartListing(const QString& folder) {
    FrmMain& window = Start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.Sheet().isHidden(); }, 5000));
    window.Sheet().Path(folder);
    window.Sheet().CreateThumbnail();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.Sheet().SheetReady(); }, 30000));
    const QPointF at = window.Sheet().HitRect(0).center();
    window.Sheet().PressThumbnail(1, 0, float(at.x()), float(at.y()));
    window.FileImport(SelectedFiles::Program().At(0));
    return window;
  }
  bool PanesShown() const {
    return !m_window->Canvas().isHidden() && !m_window->Sheet().isHidden() && !m_window->FolderView()->isHidden();
  }
  // The check mark and the logo shipped beside the test programs.
  static void CopyShippedPictures() {
    const QDir shipped(QCoreApplication::applicationDirPath() + "/Datas");
    for (const QString& name : shipped.entryList({"*.png"}, QDir::Files)) {
      QFile::copy(shipped.filePath(name), ModPublic::DataFolderPath + name);
    }
  }
  static void MarkChanged(FrmMain& window) {
    window.Canvas().SetAppliedEffect(true);
    window.Canvas().SetSaveState(false);
  }

  TestSupport::TestFolder m_folder;
  std::unique_ptr<FrmMain> m_window;
};
