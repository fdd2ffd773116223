#include "browse/scrollVControl.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QStringList>

#include <gtest/gtest.h>

#include "support/TestFolder.h"

namespace {

// Records the bar's events in the order they arrive.
struct EventLog {
  explicit EventLog(scrollVControl& bar) {
    QObject::connect(&bar, &scrollVControl::ValueChanged, [this] { events << "Changed"; });
    QObject::connect(&bar, &scrollVControl::ValueAtMax, [this] { events << "AtMax"; });
    QObject::connect(&bar, &scrollVControl::ValueAtMin, [this] { events << "AtMin"; });
  }
  QStringList Take() { return std::exchange(events, {}); }
  QStringList events;
};

void SendMouse(QWidget& target, QEvent::Type type, double x, double y) {
  const QPointF at(x, y);
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, at, target.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
  QApplication::sendEvent(&target, &event);
}

// Presses on the thumb at rest, moves the pointer to y and releases it there.
void Drag(scrollVControl& bar, double fromY, double toY) {
  const double x = bar.ThumbRect().center().x();
  SendMouse(bar, QEvent::MouseButtonPress, x, fromY);
  SendMouse(bar, QEvent::MouseMove, x, toY);
  SendMouse(bar, QEvent::MouseButtonRelease, x, toY);
}

}  // namespace

TEST(scrollVControlTest, ValueClampsAndReportsOnlyChanges) {
  scrollVControl bar;
  EventLog log(bar);
  bar.SetValue(15);
  EXPECT_EQ(bar.Value(), 10);
  EXPECT_EQ(log.Take(), QStringList({"Changed", "AtMax"}));
  bar.SetValue(10);
  EXPECT_TRUE(log.Take().isEmpty());
  bar.SetValue(-4);
  EXPECT_EQ(bar.Value(), 0);
  EXPECT_EQ(log.Take(), QStringList({"Changed", "AtMin"}));

  bar.SetMin(3);
  EXPECT_EQ(bar.Value(), 3);
  EXPECT_EQ(log.Take(), QStringList({"Changed", "AtMin"}));
  EXPECT_EQ(bar.LastError(), 0);
  bar.SetMax(2);
  EXPECT_EQ(bar.Max(), 2);
  EXPECT_EQ(bar.LastError(), scrollVControl::InvalidPropertyValue);
}

TEST(scrollVControlTest, DragReachesBothEndsAndClamps) {
  scrollVControl bar;
  bar.resize(15, 670);
  bar.SetMax(130000);
  EventLog log(bar);
  Drag(bar, 10, 10 + 100000);
  EXPECT_EQ(bar.ThumbRect().top(), 600);
  // The lowest thumb position must reach the last rows of a long sheet.
  EXPECT_EQ(bar.Value(), 130000);
  EXPECT_EQ(log.Take(), QStringList({"Changed", "AtMax"}));

  Drag(bar, 610, 610 - 300);
  EXPECT_EQ(bar.ThumbRect().top(), 300);
  EXPECT_EQ(bar.Value(), 65000);
  Drag(bar, 310, -5000);
  EXPECT_EQ(bar.ThumbRect().top(), 0);
  EXPECT_EQ(bar.Value(), 0);
}

TEST(scrollVControlTest, PressOutsideTheThumbOrWhileDisabledDoesNothing) {
  scrollVControl bar;
  bar.resize(15, 300);
  bar.SetMax(100);
  EventLog log(bar);
  Drag(bar, 200, 250);
  SendMouse(bar, QEvent::MouseMove, 7, 280);
  bar.SetEnabled(false);
  Drag(bar, 10, 250);
  EXPECT_EQ(bar.Value(), 0);
  EXPECT_TRUE(log.Take().isEmpty());
}

TEST(scrollVControlTest, ShortBarNeverDividesByZero) {
  for (int h : {0, 60, 70, 71}) {
    scrollVControl bar;
    bar.resize(15, h);
    bar.SetMax(50);
    Drag(bar, 5, 500);
    EXPECT_EQ(bar.ThumbRect().top(), h > 70 ? h - 70 : 0) << h;
    EXPECT_EQ(bar.Value(), h > 70 ? 50 : 0) << h;
  }
}

TEST(scrollVControlTest, ResetValueReturnsToMinSilently) {
  scrollVControl bar;
  bar.resize(15, 300);
  bar.SetMax(100);
  Drag(bar, 10, 500);
  ASSERT_EQ(bar.Value(), 100);
  EventLog log(bar);
  bar.ResetValue();
  EXPECT_EQ(bar.Value(), 0);
  EXPECT_EQ(bar.ThumbRect().top(), 0);
  EXPECT_TRUE(log.Take().isEmpty());
  // A drag back to the old value is a change again.
  Drag(bar, 10, 500);
  EXPECT_EQ(log.Take(), QStringList({"Changed", "AtMax"}));

  // A reset in the middle of a drag ends it.
  bar.ResetValue();
  SendMouse(bar, QEvent::MouseButtonPress, 7, 10);
  bar.ResetValue();
  SendMouse(bar, QEvent::MouseMove, 7, 100);
  EXPECT_EQ(bar.Value(), 0);
  EXPECT_EQ(bar.ThumbRect().top(), 0);
}

TEST(scrollVControlTest, DrawsTrackAndRoundedThumb) {
  scrollVControl bar;
  bar.resize(15, 200);
  bar.SetMax(100);
  // Grabbing a hidden widget sends it a resize each time, which puts the thumb back at
  // the top; a shown bar keeps it where the drag left it.
  bar.show();
  Drag(bar, 10, 80);
  ASSERT_EQ(bar.ThumbRect().top(), 70);
  const QImage picture = bar.grab().toImage();
  picture.save(TestSupport::ArtifactsFolder() + "/scrollVControl.png");
  ASSERT_EQ(picture.height(), 200);
  // Inside the thumb the flat dark colour shows; its rounded corner stays track.
  const QRect thumb = bar.ThumbRect().toRect();
  EXPECT_EQ(picture.pixelColor(thumb.left() + 7, thumb.top() + 30), QColor(121, 160, 225));
  EXPECT_NE(picture.pixelColor(thumb.left(), thumb.top()), QColor(121, 160, 225));
  bar.SetEnabled(false);
  const QImage disabled = bar.grab().toImage();
  EXPECT_EQ(disabled.pixelColor(thumb.left() + 7, thumb.top() + 30), QColor(210, 210, 210));
}
