#pragma once

#include <QString>
#include <QStringList>

#include "foundation/SettingsHost.h"

namespace TestSupport {

// Holds the window, canvas and sheet values as plain members, starting at the controls'
// own starting values, and notes every change in Calls.
class FakeSettingsHost : public SettingsHost {
 public:
  double SplitLV = 250;
  double SplitV = 420;
  double SplitH = 180;
  QRectF Geometry{40, 30, 1024, 768};
  bool Fit = false;
  std::uint32_t Color = 0;
  double ThumW = 100;
  double ThumH = 100;
  QStringList Calls;

  double SplitLVTop() const override { return SplitLV; }
  void SetSplitLVTop(double top) override { Note(QStringLiteral("SplitLVTop"), SplitLV = top); }
  double SplitVTop() const override { return SplitV; }
  void SetSplitVTop(double top) override { Note(QStringLiteral("SplitVTop"), SplitV = top); }
  double SplitHLeft() const override { return SplitH; }
  void SetSplitHLeft(double left) override { Note(QStringLiteral("SplitHLeft"), SplitH = left); }
  QRectF WindowGeometry() const override { return Geometry; }
  bool FitMode() const override { return Fit; }
  void SetFitMode(bool fit) override { Note(QStringLiteral("FitMode"), Fit = fit); }
  std::uint32_t TextColor() const override { return Color; }
  void SetTextColor(std::uint32_t rgb) override { Note(QStringLiteral("TextColor"), Color = rgb); }
  double ThumWidth() const override { return ThumW; }
  void SetThumWidth(double width) override { Note(QStringLiteral("ThumWidth"), ThumW = width); }
  double ThumHeight() const override { return ThumH; }
  void SetThumHeight(double height) override { Note(QStringLiteral("ThumHeight"), ThumH = height); }

 private:
  void Note(const QString& what, double value) { Calls << what + u' ' + QString::number(value, 'g', 12); }
};

}  // namespace TestSupport
