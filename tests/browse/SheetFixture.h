#pragma once
// A thumbnail sheet 760 pixels wide on the offscreen screen (six 100-pixel thumbnails a
// row), its own selected-files list, a star picture in a test data folder, and the
// imaging layer marked as started.

#include <QApplication>
#include <QMouseEvent>
#include <QtCore/qtestsupport_core.h>

#include <gtest/gtest.h>

#include "browse/ThumViewer.h"
#include "foundation/ModPublic.h"
#include "foundation/SelectedFiles.h"
#include "support/TestFolder.h"

class SheetFixture : public ::testing::Test {
 protected:
  static inline const QColor kStar{255, 0, 255};

  void SetUp() override {
    ModPublic::GdiplusToken = 1;
    m_dataFolder = ModPublic::DataFolderPath;
    ModPublic::DataFolderPath = data.Path() + "/";
    QImage star(16, 16, QImage::Format_ARGB32);
    star.fill(kStar);
    star.save(data.File("Favorties.png"));
    sheet.SetSelectedFiles(selected);
    sheet.resize(760, 600);
    sheet.show();
  }
  void TearDown() override {
    ModPublic::GdiplusToken = 0;
    ModPublic::DataFolderPath = m_dataFolder;
  }

  // Lists the folder and draws it to the end.
  void Draw() {
    sheet.Path(folder.Path());
    sheet.CreateThumbnail();
    ASSERT_TRUE(WaitReady());
  }
  bool WaitReady() {
    return QTest::qWaitFor([this] { return sheet.SheetReady(); }, 30000);
  }

  QImage Shot() const { return sheet.Surface()->grab().toImage(); }
  QColor Probe(QPointF at) const { return Shot().pixelColor(at.toPoint()); }
  QPointF Centre(int row) const { return sheet.HitRect(row).center(); }
  QStringList Paths(std::initializer_list<int> rows) const {
    QStringList paths;
    for (int row : rows) {
      paths << sheet.SlideFilename(row);
    }
    return paths;
  }

  // Mouse events on the drawing surface, in surface pixels.
  void Mouse(QEvent::Type type, QPointF at, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* surface = sheet.Surface();
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::MouseButtons() : Qt::MouseButtons(button);
    const Qt::MouseButton changed = type == QEvent::MouseMove ? Qt::NoButton : button;
    QMouseEvent event(type, at, surface->mapToGlobal(at), changed, held, modifiers);
    QApplication::sendEvent(surface, &event);
  }
  void Click(QPointF at, Qt::KeyboardModifiers modifiers = Qt::NoModifier, Qt::MouseButton button = Qt::LeftButton) {
    Mouse(QEvent::MouseButtonPress, at, button, modifiers);
    Mouse(QEvent::MouseButtonRelease, at, button, modifiers);
  }
  void ClickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { Click(Centre(row), modifiers); }
  // A drag with the two moves the band needs: it selects by the rectangle drawn last.
  void Band(QPointF from, QPointF to, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, modifiers);
    Mouse(QEvent::MouseMove, to, Qt::LeftButton, modifiers);
    Mouse(QEvent::MouseMove, to, Qt::LeftButton, modifiers);
    Mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, modifiers);
  }

  TestSupport::TestFolder folder;
  TestSupport::TestFolder data;
  SelectedFiles selected;
  ThumViewer sheet;

 private:
  QString m_dataFolder;
};
