// Opening a picture: a member of Imageqzviewer kept apart from its layout and painting.

#include "canvas/Imageqzviewer.h"

#include <future>

#include <QPainter>

#include "canvas/OpenPreview.h"

GdiDIB Imageqzviewer::LoadShowingPreview(const QString& path) {
  const auto load = [path] {
    GdiDIB loaded;
    loaded.Import(path);
    return loaded;
  };
  if (!m_view.fit || !isVisible()) {
    return load();
  }
  // The full decode starts first, on a worker; the scaled one is quick enough to be
  // shown while it runs, and the full picture then replaces it in the same place.
  auto full = std::async(std::launch::async, load);
  const OpenPreview::Fitted preview = OpenPreview::FittedJpeg(path, ClientSize());
  if (!preview.picture.isNull()) {
    EnsureBackBuffer();
    m_backBuffer.fill(QColor(Background, Background, Background));
    QPainter painter(&m_backBuffer);
    painter.drawImage(preview.at, preview.picture);
    painter.end();
    repaint();
  }
  return full.get();
}
