#pragma once
// A canvas on a 400 x 300 window with the shipped overlay pictures, a recording drawn
// menu, what it tells its window recorded, and a private program folder, with helpers
// that send it mouse events.

#include <memory>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>

#include <gtest/gtest.h>

#include "CanvasEvents.h"
#include "canvas/Imageqzviewer.h"
#include "foundation/ModPublic.h"
#include "support/TestFolder.h"
#include "support/fakes/FakeSkinnedControls.h"

namespace CanvasTesting {

inline const QRgb kBackground = qRgb(224, 224, 224);

// A sky from blue at the top to sand at the bottom, for pictures a person looks at.
inline QImage Sky(QSize size) {
  QImage sky(size, QImage::Format_ARGB32);
  QPainter painter(&sky);
  QLinearGradient gradient(0, 0, 0, size.height());
  gradient.setColorAt(0, QColor(90, 150, 230));
  gradient.setColorAt(1, QColor(240, 200, 140));
  painter.fillRect(sky.rect(), gradient);
  return sky;
}

class CanvasFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ModPublic::SetProgramFolder(m_folder.Path());
    ModPublic::DataFolderPath = ModPublic::ProgramFolder() + "Datas/";
    QDir().mkpath(ModPublic::DataFolderPath);
    const QDir shipped(QCoreApplication::applicationDirPath() + "/Datas");
    for (const QString& name : shipped.entryList({"*.png"}, QDir::Files)) {
      QFile::copy(shipped.filePath(name), ModPublic::DataFolderPath + name);
    }
    m_canvas = std::make_unique<Imageqzviewer>();
    m_canvas->resize(400, 300);
    m_canvas->UseSkinMenu(m_menu);
    m_events.Connect(*m_canvas);
    m_canvas->CreateBrush();
  }
  void TearDown() override { m_canvas.reset(); }

  // Opens a white picture of that size as a new file.
  void OpenWhite(QSize size) {
    QImage white(size, QImage::Format_ARGB32);
    white.fill(Qt::white);
    m_canvas->SetFirstL(true);
    ASSERT_TRUE(m_canvas->Open(Picture("white.png", white)));
  }
  QString Picture(const QString& name, const QImage& image) const {
    const QString path = m_folder.File(name);
    image.save(path, "PNG");
    return path;
  }
  QRgb At(int x, int y) const { return m_canvas->BackBuffer().pixel(x, y); }
  void MoveMouse(QPointF at, Qt::MouseButtons held = Qt::NoButton) {
    QMouseEvent move(QEvent::MouseMove, at, m_canvas->mapToGlobal(at), Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(m_canvas.get(), &move);
  }
  void PressLeft(QPointF at, bool release = false) {
    QMouseEvent event(release ? QEvent::MouseButtonRelease : QEvent::MouseButtonPress, at, m_canvas->mapToGlobal(at),
                      Qt::LeftButton, release ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_canvas.get(), &event);
  }
  void Button(QPointF at, Qt::MouseButton button, QEvent::Type type) {
    QMouseEvent event(type, at, m_canvas->mapToGlobal(at), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button), Qt::NoModifier);
    QApplication::sendEvent(m_canvas.get(), &event);
  }
  void Click(QPointF at, Qt::MouseButton button = Qt::LeftButton) {
    MoveMouse(at);
    Button(at, button, QEvent::MouseButtonPress);
    Button(at, button, QEvent::MouseButtonRelease);
  }
  // A left-button drag from one point to another.
  void Drag(QPointF from, QPointF to) {
    MoveMouse(from);
    Button(from, Qt::LeftButton, QEvent::MouseButtonPress);
    MoveMouse(to, Qt::LeftButton);
    Button(to, Qt::LeftButton, QEvent::MouseButtonRelease);
  }
  void ClickBarButton(int index) { Click(m_canvas->HitRectangles().Buttons[std::size_t(index)].center()); }

  TestSupport::TestFolder m_folder;
  Fakes::FakeSkinMenu m_menu;
  CanvasEvents m_events;
  std::unique_ptr<Imageqzviewer> m_canvas;
};

}  // namespace CanvasTesting

using CanvasTesting::CanvasFixture;
