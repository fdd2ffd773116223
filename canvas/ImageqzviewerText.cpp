// The floating layers: the text layer's preview and commit, and Rasterize, which turns
// the armed tool's layer into the floating stamp. Members of Imageqzviewer kept apart
// from its layout and painting; what each layer draws is LayerRaster's and TextLayer's.

#include "canvas/Imageqzviewer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>

#include "canvas/ToolCommit.h"
#include "canvas/tools/LayerRaster.h"
#include "canvas/tools/TextLayer.h"
#include "foundation/DIBsave.h"
#include "foundation/ModClipboard.h"
#include "platform/gdiplus/Graphics.h"

namespace {

constexpr int kPngFormat = 6;
constexpr int kStampQuality = 90;

// The stamp file holds the layer, or is gone when the layer drew nothing, so the stamp
// tool never takes up an older stamp.
void WriteStampFile(const QImage& layer) {
  const QString path = ModGDI::StampTempPath();
  QFile::remove(path);
  if (layer.isNull()) {
    return;
  }
  QDir().mkpath(QFileInfo(path).absolutePath());
  DIBsave file;
  file.new_Img = Gdip::Bitmap::FromImage(layer, Gdip::PixelFormat32bppARGB);
  (void)file.Save(path, kPngFormat, kStampQuality);
}

}  // namespace

QPointF Imageqzviewer::LayerAnchor() const {
  if (m_ptr.textAnchorSet) {
    return m_ptr.textAnchor;
  }
  // Until a press fixes it, the text waits in the middle of the picture, clear of the edit
  // box and the command bar at the canvas's top, and the month at its top-left corner:
  // each layout of the canvas (the text strip coming, the panes moving) moves them along.
  const QRectF shown = DisplayedRect();
  return m_mode == ToolModes::Mode::Calendar ? shown.topLeft() : shown.center();
}

TextLayer::Text Imageqzviewer::TextLayerState() const {
  return m_text.Layer(m_text1->toPlainText(), m_slider.BelowMax(), LayerAnchor());
}

void Imageqzviewer::PaintTextLayer(Gdip::Graphics& graphics) {
  m_rects.Layer = TextLayer::Draw(graphics, TextLayerState());
}

void Imageqzviewer::TextPainting(bool isExport) {
  if (isExport) {
    SaveUndo();
    return;
  }
  if (m_backBuffer.isNull()) {
    return;
  }
  if (auto graphics = Gdip::Graphics::FromSurface(m_backBuffer)) {
    PaintTextLayer(*graphics);
  }
  update();
}

void Imageqzviewer::EndLayerCommit() {
  m_ptr.layerDragging = false;
  emit LayerCommitted();
}

void Imageqzviewer::Rasterize() {
  if (!hasImage()) {
    return;
  }
  const TextLayer::Text text = TextLayerState();
  ToolCommit::Input input = CommitInput();
  input.text = &text;
  AddCalendarLayer(input);
  const LayerRaster::Raster layer = LayerRaster::Render(input);
  WaitForStampFiles();
  WriteStampFile(layer.picture);
  m_stamp.picture = QImage();
  m_stamp.PlaceHanded(layer.place);
  emit StampHandedOver();
}
