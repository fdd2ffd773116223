#pragma once
// The window, canvas and thumbnail-sheet values the settings store saves and restores.
// The main window implements it, forwarding to the controls it hosts; tests use a fake.
// Positions and sizes are in the main window's coordinate units.

#include <cstdint>

#include <QRectF>

class SettingsHost {
 public:
  virtual ~SettingsHost() = default;

  // The top of the splitter UserqzSplitLV, the top of the thumbnail bar UserqzSplitV and the
  // left of the splitter UserqzSplitH.
  virtual double SplitLVTop() const = 0;
  virtual void SetSplitLVTop(double top) = 0;
  virtual double SplitVTop() const = 0;
  virtual void SetSplitVTop(double top) = 0;
  virtual double SplitHLeft() const = 0;
  virtual void SetSplitHLeft(double left) = 0;

  // The main window's left, top, width and height; saved, never restored.
  virtual QRectF WindowGeometry() const = 0;

  // The canvas's fit-to-window flag and its text colour (RGB, red in the lowest byte).
  virtual bool FitMode() const = 0;
  virtual void SetFitMode(bool fit) = 0;
  virtual std::uint32_t TextColor() const = 0;
  virtual void SetTextColor(std::uint32_t rgb) = 0;

  // The thumbnail sheet's cell picture size.
  virtual double ThumWidth() const = 0;
  virtual void SetThumWidth(double width) = 0;
  virtual double ThumHeight() const = 0;
  virtual void SetThumHeight(double height) = 0;
};
