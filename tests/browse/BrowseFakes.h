#pragma once
// What the browser's controls tell the main window, recorded for as long as a recorder
// lives: the keys they pass on and the pictures the sheet chooses.

#include <utility>
#include <vector>

#include <QObject>
#include <QStringList>

#include "browse/ThumViewer.h"

namespace BrowseFakes {

// The keys a control passed on to the shortcut table, as {virtual-key code, Shift bits}.
class PassedKeys {
 public:
  template <class Control>
  explicit PassedKeys(Control& control) {
    QObject::connect(&control, &Control::ShortcutKeyPressed, &m_receiver,
                     [this](int code, int shift) { keys.emplace_back(code, shift); });
  }

  std::vector<std::pair<int, int>> keys;

 private:
  QObject m_receiver;
};

// The pictures a sheet chose to open, in order.
class ChosenPictures {
 public:
  explicit ChosenPictures(ThumViewer& sheet) {
    QObject::connect(&sheet, &ThumViewer::PictureChosen, &m_receiver, [this](const QString& file) { files << file; });
  }

  QStringList files;

 private:
  QObject m_receiver;
};

}  // namespace BrowseFakes
