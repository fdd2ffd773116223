#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace Clipboard {

namespace {

// Null without a running application (the clipboard lives in the platform integration).
QClipboard* SystemClipboard() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

}  // namespace

bool SetImage(const QImage& picture) {
  QClipboard* clipboard = SystemClipboard();
  if (clipboard == nullptr || picture.isNull()) {
    return false;
  }
  clipboard->setImage(picture);
  return true;
}

bool HasImage() {
  QClipboard* clipboard = SystemClipboard();
  const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
  return data != nullptr && data->hasImage();
}

QImage GetImage() {
  QClipboard* clipboard = SystemClipboard();
  return clipboard ? clipboard->image() : QImage();
}

}  // namespace Clipboard
