// Draws the cloud and mist overlay pictures of the weather effects (soft white shapes on
// transparent ground) and the tick of the tool hint banner, the same bytes on every run.
// Usage: lorvane_make_overlays <folder> writes clouds.png, Mist.png and Tick.png there
// (the shipped copies live in assets/Datas).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

namespace {

// A small linear congruential generator: the pictures must not change between runs or machines.
class Lcg {
 public:
  explicit Lcg(std::uint32_t seed) : m_state(seed) {}
  double Next() {
    m_state = m_state * 1664525u + 1013904223u;
    return (m_state >> 8) / double(1u << 24);
  }

 private:
  std::uint32_t m_state;
};

// Smooth value noise on a lattice of the given cell size, in 0..1.
class ValueNoise {
 public:
  ValueNoise(int cellsX, int cellsY, std::uint32_t seed) : m_w(cellsX + 2), m_values(std::size_t(m_w * (cellsY + 2))) {
    Lcg rng(seed);
    for (double& v : m_values) {
      v = rng.Next();
    }
  }
  double At(double x, double y) const {
    const int ix = int(x);
    const int iy = int(y);
    const double fx = Smooth(x - ix);
    const double fy = Smooth(y - iy);
    const double top = Lerp(Value(ix, iy), Value(ix + 1, iy), fx);
    const double bottom = Lerp(Value(ix, iy + 1), Value(ix + 1, iy + 1), fx);
    return Lerp(top, bottom, fy);
  }

 private:
  static double Smooth(double t) { return t * t * (3 - 2 * t); }
  static double Lerp(double a, double b, double t) { return a + (b - a) * t; }
  double Value(int x, int y) const { return m_values[std::size_t(y * m_w + x)]; }
  int m_w;
  std::vector<double> m_values;
};

// Two octaves of noise at a point given in 0..1 of the picture.
double Fractal(const ValueNoise& coarse, const ValueNoise& fine, double u, double v, int cells) {
  return 0.7 * coarse.At(u * cells, v * cells) + 0.3 * fine.At(u * cells * 3, v * cells * 3);
}

QImage Paint(int width, int height, std::uint32_t seed, int cells, double (*shape)(double u, double v),
             double threshold) {
  const ValueNoise coarse(cells + 1, cells + 1, seed);
  const ValueNoise fine(cells * 3 + 1, cells * 3 + 1, seed * 7u + 1u);
  QImage image(width, height, QImage::Format_ARGB32);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const double u = (x + 0.5) / width;
      const double v = (y + 0.5) / height;
      const double density = std::clamp((Fractal(coarse, fine, u, v, cells) - threshold) / (1 - threshold), 0.0, 1.0);
      const int alpha = int(std::lround(255 * density * shape(u, v)));
      const int grey = 235 + int(std::lround(20 * density));
      row[x] = qRgba(grey, grey, grey, alpha);
    }
  }
  return image;
}

// A rounded heap, fading out to every edge and flatter at its base.
double CloudShape(double u, double v) {
  const double dx = (u - 0.5) / 0.5;
  const double dy = (v - 0.6) / 0.45;
  return std::clamp(1.0 - (dx * dx + dy * dy), 0.0, 1.0);
}

// A long band, fading out at both ends and towards its top and bottom.
double MistShape(double u, double v) {
  const double across = std::sin(3.14159265358979 * u);
  const double down = std::sin(3.14159265358979 * v);
  return std::clamp(across * 1.5, 0.0, 1.0) * down * down;
}

// A white tick with a dark green edge, 16 x 16, for the hint banner's green strip.
QImage Tick() {
  QImage tick(16, 16, QImage::Format_ARGB32);
  tick.fill(Qt::transparent);
  QPainter p(&tick);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath stroke;
  stroke.moveTo(2.5, 8.5);
  stroke.lineTo(6.5, 12.5);
  stroke.lineTo(13.5, 3.5);
  p.setPen(QPen(QColor(20, 80, 30), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(stroke);
  p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(stroke);
  return tick;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const QImage clouds = Paint(256, 128, 20240611u, 4, CloudShape, 0.25);
  const QImage mist = Paint(512, 64, 77u, 6, MistShape, 0.1);
  const bool ok = clouds.save(folder + "/clouds.png", "PNG") && mist.save(folder + "/Mist.png", "PNG") &&
                  Tick().save(folder + "/Tick.png", "PNG");
  return ok ? 0 : 1;
}
