#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include <QPointF>
#include <QRect>
#include <QRectF>

#include "foundation/ModDraw.h"

class DIBsave;
class QImage;
namespace Gdip {
class Bitmap;
class Path;
}  // namespace Gdip

// The point lists of the free-hand and polygon selection: the canvas adds the points the
// user sets, the outline drawing grows the bounds, and a cut rewrites both in picture
// pixels for the canvas to read back.
struct SelectionPoints {
  int SelectPointCount = 0;
  std::vector<QPointF> SelectPoints = std::vector<QPointF>(2);
  // Entry 0 the bottom-right corner of the bounds (largest x and y), entry 1 the top-left
  // (smallest x and y); entry 2 is not used here.
  std::array<QPointF, 3> SelectPoints2{};
};

// The program's one set of selection points, shared by the canvas and its ClsSelect.
SelectionPoints& SharedSelectionPoints();

// Draws the outline of a selection on the canvas and cuts the selected part of a
// picture out into Mimg and the stamp temporary file "Librarians/Stamptemp.tmp".
class ClsSelect {
 public:
  explicit ClsSelect(SelectionPoints& points = SharedSelectionPoints());
  ~ClsSelect();
  ClsSelect(const ClsSelect&) = delete;
  ClsSelect& operator=(const ClsSelect&) = delete;

  // The off-screen picture of the last cut (32bpp ARGB, no drawing context); a fresh,
  // empty one after a call that cut nothing, and null after Destory.
  DIBsave* Mimg() const { return m_mimg.get(); }
  // The region combine mode of a cut (Gdip::CombineMode numbers): 4 keeps the inside of
  // the shape, 5 the picture outside it.
  void SetPattenMode(int mode) { m_pattenMode = mode; }
  void SetFitWidth(int width) { m_fitWidth = width; }
  void SetFitHeight(int height) { m_fitHeight = height; }
  // With mode 4, a set flag gives a full-size cut with the content in place.
  void SetClone(bool clone) { m_clone = clone; }
  // A cut that no stamp is made from (the delete keeps it as the picture itself) writes
  // no stamp file: encoding a whole photograph would hold up the delete for nothing.
  void SetWritesStampFile(bool writes) { m_writesStampFile = writes; }
  // The bounds of the free-hand outline, in canvas coordinates.
  float MinX() const { return m_min.x(); }
  float MinY() const { return m_min.y(); }
  float MaxX() const { return m_max.x(); }
  float MaxY() const { return m_max.y(); }

  // Drawing (isExport clear): the polyline so far on the canvas surface hdc, plus the
  // rubber band from (srcX, srcY) to (X, Y) when isMove, or closed when isClose, in the
  // inverted colour of the pixel under (X, Y); grows the bounds by (srcX, srcY).
  // Cutting (isExport set): the polygon, converted to picture pixels by
  // ((x - FitX) * ZooX, (y - FitY) * ZooY), cut out of Img (ImgWidth x ImgHeight).
  // True when a cut was written to the stamp file.
  bool FreeSelect(QImage& hdc, float srcX, float srcY, float X, float Y, const Gdip::Bitmap* Img, int ImgWidth,
                  int ImgHeight, bool isMove, bool isClose, float FitX, float FitY, float ZooX, float ZooY,
                  bool isExport, int Shift);
  // The ellipse (fType 1) or rectangle in the frame (L, T) of R x B: cut out of Img when
  // isExport, outlined in white on hdc when isMove. True when a cut was written.
  bool OtherSelect(QImage& hdc, int fType, float L, float T, float R, float B, const Gdip::Bitmap* Img, int ImgWidth,
                   int ImgHeight, bool isMove, bool isExport);
  // Strokes the polygon (Types 0), the last frame's ellipse (1) or rectangle (2).
  void DrawStroke(ModGDI::DrawTarget target, std::uint32_t Color, int Width, int Types);
  // Lets the cut go.
  void Destory();

 private:
  // The polygon in canvas coordinates: the shared lists, unless they still hold what
  // the last cut wrote there, in which case the points kept from before that cut.
  void TakeCanvasPoints();
  bool Cut(const Gdip::Path& shape, const QRect& box, const Gdip::Bitmap* Img, int ImgWidth, int ImgHeight);
  Gdip::Path FramePath(int fType) const;

  SelectionPoints& m_points;
  std::unique_ptr<DIBsave> m_mimg;
  int m_pattenMode = 0;
  int m_fitWidth = 0;
  int m_fitHeight = 0;
  QPointF m_min;
  QPointF m_max;
  QRectF m_frame;
  int m_frameType = 0;
  bool m_clone = false;
  bool m_writesStampFile = true;
  // What the last cut read and wrote back, so that cutting again starts from the same
  // canvas points instead of converting converted ones a second time.
  std::vector<QPointF> m_canvasPoints;
  std::array<QPointF, 2> m_canvasCorners{};
  std::vector<QPointF> m_writtenPoints;
  std::array<QPointF, 2> m_writtenCorners{};
  bool m_haveWritten = false;
};
