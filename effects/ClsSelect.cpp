#include "effects/ClsSelect.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include "effects/ColorAdjust.h"
#include "foundation/DIBsave.h"
#include "foundation/ModClipboard.h"
#include "foundation/ModGDI.h"
#include "foundation/Numbers.h"
#include "platform/ParallelRows.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/Path.h"
#include "platform/gdiplus/Pen.h"
#include "platform/gdiplus/PictureMemory.h"

namespace {

using Numbers::RoundToInt;

constexpr std::uint32_t kWhite = ModGDI::MakeARGB(255, 255, 255, 255);

// For each combine mode, which of the pairs (in A, in B) stay in the result: bit
// (2 * inA + inB). An unknown mode leaves A as it is, as a refused combine would.
int TruthTable(int mode) {
  switch (static_cast<Gdip::CombineMode>(mode)) {
    case Gdip::CombineMode::Replace:
      return 0b1010;
    case Gdip::CombineMode::Intersect:
      return 0b1000;
    case Gdip::CombineMode::Union:
      return 0b1110;
    case Gdip::CombineMode::Xor:
      return 0b0110;
    case Gdip::CombineMode::Exclude:
      return 0b0100;
    case Gdip::CombineMode::Complement:
      return 0b0010;
  }
  return 0b1100;
}

struct Edge {
  double x0, y0, x1, y1;
};

std::vector<Edge> EdgesOf(const std::vector<QPolygonF>& figures) {
  std::vector<Edge> edges;
  for (const QPolygonF& figure : figures) {
    for (qsizetype i = 0; i < figure.size(); ++i) {
      const QPointF& a = figure[i];
      const QPointF& b = figure[(i + 1) % figure.size()];
      if (a.y() != b.y()) {
        edges.push_back({a.x(), a.y(), b.x(), b.y()});
      }
    }
  }
  return edges;
}

// Marks with 1 the pixels of one row whose centres lie inside the figures under the
// alternate (even-odd) rule, as region clips do: no anti-aliasing.
void FillRow(const std::vector<Edge>& edges, double yc, std::vector<double>& crossings, std::vector<std::uint8_t>& row) {
  std::fill(row.begin(), row.end(), std::uint8_t{0});
  crossings.clear();
  for (const Edge& e : edges) {
    if ((e.y0 <= yc && yc < e.y1) || (e.y1 <= yc && yc < e.y0)) {
      crossings.push_back(e.x0 + (yc - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0));
    }
  }
  std::sort(crossings.begin(), crossings.end());
  const double width = double(row.size());
  for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
    const double first = std::max(0.0, std::ceil(crossings[i] - 0.5));
    const double end = std::min(width, std::ceil(crossings[i + 1] - 0.5));
    if (first < end) {
      std::memset(row.data() + std::size_t(first), 1, std::size_t(end - first));
    }
  }
}

// Copies the runs of kept pixels (mask 1) between first and last of a picture row into
// a cut row whose pixel 0 is picture column offset; the rest stays as it is. Opaque
// 32-bit rows (whose fourth byte is undefined) are copied with their alpha set.
void CopyKeptRuns(const std::vector<std::uint8_t>& mask, int first, int last, const QRgb* source, QRgb* target,
                  int offset, bool opaqueSource) {
  int x = first;
  while (x <= last) {
    const std::uint8_t on = mask[std::size_t(x)];
    int end = x + 1;
    while (end <= last && mask[std::size_t(end)] == on) {
      ++end;
    }
    if (on != 0 && opaqueSource) {
      std::transform(source + x, source + end, target + (x - offset), [](QRgb p) { return p | 0xFF000000u; });
    } else if (on != 0) {
      std::memcpy(target + (x - offset), source + x, std::size_t(end - x) * sizeof(QRgb));
    }
    x = end;
  }
}

// The picture at W x H with straight 32-bit pixels, scaled when its own size differs. A
// picture already in straight or opaque 32-bit pixels is read in place, not copied.
QImage PictureAt(const Gdip::Bitmap& img, int width, int height) {
  const QImage& image = img.Image();
  const bool readable = image.format() == QImage::Format_ARGB32 || image.format() == QImage::Format_RGB32;
  QImage picture = readable ? image : image.convertToFormat(QImage::Format_ARGB32);
  if (picture.width() != width || picture.height() != height) {
    picture = picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  return picture;
}

// The rows of a cut: for each row of the cut's rectangle, the pixels of the picture the
// combined regions keep, and transparent black everywhere else. Rows are independent,
// so they are written in bands on every core.
struct CutRows {
  std::vector<Edge> edgesA;
  std::vector<Edge> edgesB;
  int table = 0;
  QRect keep;  // picture pixels that may be kept
  QRect out;   // the cut's rectangle in picture pixels
  int pictureWidth = 0;

  void WriteAll(const QImage& picture, QImage& cut) const {
    uchar* const cutBase = cut.bits();
    const qsizetype cutStride = cut.bytesPerLine();
    const uchar* const pictureBase = picture.isNull() ? nullptr : picture.constBits();
    const qsizetype pictureStride = picture.bytesPerLine();
    const bool opaqueSource = picture.format() == QImage::Format_RGB32;
    Threads::ParallelRows(0, out.height() - 1, [&](int first, int last) {
      std::vector<std::uint8_t> rowA(static_cast<std::size_t>(pictureWidth));
      std::vector<std::uint8_t> rowB(static_cast<std::size_t>(pictureWidth));
      std::vector<double> crossings;
      for (int row = first; row <= last; ++row) {
        auto* target = reinterpret_cast<QRgb*>(cutBase + row * cutStride);
        std::fill(target, target + out.width(), QRgb{0});
        const int y = row + out.top();
        if (pictureBase == nullptr || y < keep.top() || y > keep.bottom()) {
          continue;
        }
        FillRow(edgesA, y + 0.5, crossings, rowA);
        FillRow(edgesB, y + 0.5, crossings, rowB);
        for (int x = keep.left(); x <= keep.right(); ++x) {
          const auto i = std::size_t(x);
          rowA[i] = std::uint8_t((table >> (2 * rowA[i] + rowB[i])) & 1);
        }
        CopyKeptRuns(rowA, keep.left(), keep.right(),
                     reinterpret_cast<const QRgb*>(pictureBase + y * pictureStride), target, out.left(),
                     opaqueSource);
      }
    });
  }
};

// Saves the cut as the stamp temporary file: PNG (format 6), quality 90.
bool SaveStamp(DIBsave& cut) {
  const QString path = ModGDI::StampTempPath();
  QDir().mkpath(QFileInfo(path).absolutePath());
  return cut.Save(path, 6, 90);
}

// The inverted colour of the canvas pixel under the pointer, red and blue exchanged as
// the outline has always been drawn; outside the surface the pixel reads as white.
std::uint32_t OutlineColour(const QImage& hdc, float X, float Y) {
  const int x = RoundToInt(X);
  const int y = RoundToInt(Y);
  const std::uint32_t device =
      hdc.valid(x, y) ? ModGDI::ARGBToRGB(hdc.pixel(x, y)) : 0xFFFFFFu;
  const ModEffects::ColorBytes rgb = ModEffects::SplitColor(device);
  return ModGDI::MakeARGB(255, 255 - rgb.third, 255 - rgb.second, 255 - rgb.first);
}

}  // namespace

SelectionPoints& SharedSelectionPoints() {
  static SelectionPoints points;
  return points;
}

ClsSelect::ClsSelect(SelectionPoints& points) : m_points(points), m_mimg(std::make_unique<DIBsave>()) {}

ClsSelect::~ClsSelect() { Destory(); }

void ClsSelect::Destory() { m_mimg.reset(); }

void ClsSelect::TakeCanvasPoints() {
  SelectionPoints& shared = m_points;
  const auto n = std::size_t(std::clamp(shared.SelectPointCount, 0, int(shared.SelectPoints.size())));
  const std::vector<QPointF> current(shared.SelectPoints.begin(), shared.SelectPoints.begin() + std::ptrdiff_t(n));
  const std::array<QPointF, 2> corners{shared.SelectPoints2[0], shared.SelectPoints2[1]};
  if (!(m_haveWritten && current == m_writtenPoints && corners == m_writtenCorners)) {
    m_canvasPoints = current;
    m_canvasCorners = corners;
  }
}

bool ClsSelect::FreeSelect(QImage& hdc, float srcX, float srcY, float X, float Y, const Gdip::Bitmap* Img,
                           int ImgWidth, int ImgHeight, bool isMove, bool isClose, float FitX, float FitY, float ZooX,
                           float ZooY, bool isExport, int /*Shift*/) {
  m_mimg = std::make_unique<DIBsave>();
  SelectionPoints& shared = m_points;
  shared.SelectPointCount = std::max(0, shared.SelectPointCount);
  if (!isExport) {
    const auto n = std::min(std::size_t(shared.SelectPointCount), shared.SelectPoints.size());
    Gdip::Path path(Gdip::FillMode::Alternate);
    for (std::size_t i = 1; i < n; ++i) {
      const QPointF& a = shared.SelectPoints[i - 1];
      const QPointF& b = shared.SelectPoints[i];
      path.AddLine(float(a.x()), float(a.y()), float(b.x()), float(b.y()));
    }
    QPointF& high = shared.SelectPoints2[0];
    QPointF& low = shared.SelectPoints2[1];
    high = QPointF(std::max<double>(high.x(), srcX), std::max<double>(high.y(), srcY));
    low = QPointF(std::min<double>(low.x(), srcX), std::min<double>(low.y(), srcY));
    m_min = low;
    m_max = high;
    auto g = Gdip::Graphics::FromSurface(hdc);
    if (g == nullptr) {
      return false;
    }
    const Gdip::Pen pen(OutlineColour(hdc, X, Y), 1);
    if (isMove) {
      g->DrawLine(pen, QPointF(srcX, srcY), QPointF(X, Y));
      g->DrawPath(pen, path);
    } else if (isClose) {
      path.CloseFigure();
      g->DrawPath(pen, path);
    }
    return false;
  }
  TakeCanvasPoints();
  // Converted in single precision, like the lists' own values.
  const auto toPicture = [&](const QPointF& p) {
    return QPointF((float(p.x()) - FitX) * ZooX, (float(p.y()) - FitY) * ZooY);
  };
  m_writtenPoints.clear();
  for (std::size_t i = 0; i < m_canvasPoints.size(); ++i) {
    m_writtenPoints.push_back(toPicture(m_canvasPoints[i]));
    shared.SelectPoints[i] = m_writtenPoints.back();
  }
  m_writtenCorners = {toPicture(m_canvasCorners[0]), toPicture(m_canvasCorners[1])};
  shared.SelectPoints2[0] = m_writtenCorners[0];
  shared.SelectPoints2[1] = m_writtenCorners[1];
  m_haveWritten = true;

  const QPointF& high = m_writtenCorners[0];
  const QPointF& low = m_writtenCorners[1];
  const QRect box(RoundToInt(low.x()), RoundToInt(low.y()), RoundToInt(high.x() - low.x()),
                  RoundToInt(high.y() - low.y()));
  Gdip::Path shape(Gdip::FillMode::Alternate);
  for (std::size_t i = 1; i < m_writtenPoints.size(); ++i) {
    const QPointF& a = m_writtenPoints[i - 1];
    const QPointF& b = m_writtenPoints[i];
    shape.AddLine(float(a.x()), float(a.y()), float(b.x()), float(b.y()));
  }
  shape.CloseFigure();
  return Cut(shape, box, Img, ImgWidth, ImgHeight);
}

Gdip::Path ClsSelect::FramePath(int fType) const {
  Gdip::Path path(Gdip::FillMode::Alternate);
  if (fType == 1) {
    path.AddEllipse(float(m_frame.x()), float(m_frame.y()), float(m_frame.width()), float(m_frame.height()));
  } else {
    path.AddRectangle(m_frame);
  }
  return path;
}

bool ClsSelect::OtherSelect(QImage& hdc, int fType, float L, float T, float R, float B, const Gdip::Bitmap* Img,
                            int ImgWidth, int ImgHeight, bool isMove, bool isExport) {
  m_mimg = std::make_unique<DIBsave>();
  m_frame = QRectF(L, T, R, B);
  m_frameType = fType;
  const Gdip::Path shape = FramePath(fType);
  bool saved = false;
  if (isExport) {
    saved = Cut(shape, QRect(RoundToInt(L), RoundToInt(T), RoundToInt(R), RoundToInt(B)), Img, ImgWidth, ImgHeight);
  }
  if (isMove) {
    if (auto g = Gdip::Graphics::FromSurface(hdc)) {
      g->SetSmoothingMode(Gdip::SmoothingMode::AntiAlias);
      g->SetPixelOffsetMode(Gdip::PixelOffsetMode::Half);
      g->DrawPath(Gdip::Pen(kWhite, 1), shape);
    }
  }
  return saved;
}

bool ClsSelect::Cut(const Gdip::Path& shape, const QRect& box, const Gdip::Bitmap* Img, int ImgWidth,
                    int ImgHeight) {
  if (Img == nullptr || ImgWidth <= 0 || ImgHeight <= 0) {
    return false;
  }
  const QRect whole(0, 0, ImgWidth, ImgHeight);
  const bool inside = m_pattenMode == int(Gdip::CombineMode::Exclude);
  // The cut's own rectangle in picture pixels, and the part of the clipped picture it keeps.
  const QRect out = inside && !m_clone ? box : whole;
  const QRect keep = (inside ? box : whole) & whole;
  if (out.width() <= 0 || out.height() <= 0) {
    return false;
  }
  // Every pixel is written below: parts of the box outside the picture stay transparent.
  QImage cut = Gdip::NewPicture(out.width(), out.height(), QImage::Format_ARGB32);
  if (cut.isNull()) {
    return false;
  }
  const QImage picture = keep.isEmpty() ? QImage() : PictureAt(*Img, ImgWidth, ImgHeight);
  // Region A is the shape; region B the picture rectangle and the shape under the
  // alternate rule (the picture with the shape cut out, plus the shape beyond it).
  const std::vector<QPolygonF> figuresA = shape.Flatten();
  std::vector<QPolygonF> figuresB = figuresA;
  figuresB.push_back(QPolygonF(QRectF(whole)));
  const CutRows rows{EdgesOf(figuresA), EdgesOf(figuresB), TruthTable(m_pattenMode), keep, out, ImgWidth};
  rows.WriteAll(picture, cut);
  m_mimg->new_Img = Gdip::Bitmap::FromImage(std::move(cut), Gdip::PixelFormat32bppARGB);
  return m_mimg->new_Img != nullptr && (!m_writesStampFile || SaveStamp(*m_mimg));
}

void ClsSelect::DrawStroke(ModGDI::DrawTarget target, std::uint32_t Color, int Width, int Types) {
  Gdip::Graphics* g = target.Graphics();
  if (g == nullptr || Types < 0 || Types > 2) {
    return;
  }
  g->SetSmoothingMode(Gdip::SmoothingMode::AntiAlias);
  Gdip::Path path(Gdip::FillMode::Alternate);
  if (Types == 0) {
    const auto n = std::min(std::size_t(std::max(0, m_points.SelectPointCount)), m_points.SelectPoints.size());
    for (std::size_t i = 1; i < n; ++i) {
      const QPointF& a = m_points.SelectPoints[i - 1];
      const QPointF& b = m_points.SelectPoints[i];
      path.AddLine(float(a.x()), float(a.y()), float(b.x()), float(b.y()));
    }
    path.CloseFigure();
  } else {
    path = FramePath(Types == 1 ? 1 : 2);
  }
  g->DrawPath(Gdip::Pen(Color, float(Width)), path);
}
