#include "canvas/ToolHint.h"

#include <array>

#include <QImage>

#include "foundation/ModGDI.h"
#include "foundation/ModPublic.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/Codecs.h"
#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/StringFormat.h"

namespace ToolHint {

namespace {

struct HintKit {
  Gdip::SolidBrush banner{ModGDI::MakeARGB(150, 50, 160, 70)};
  Gdip::SolidBrush text{0xFFFFFFFFu};
  Gdip::FontFamily family{QStringLiteral("Microsoft Sans Serif")};
  Gdip::Font font{family, 8, Gdip::FontStyleRegular, Gdip::Unit::Point};
  Gdip::StringFormat format = Gdip::StringFormat::GenericDefault();
  std::unique_ptr<Gdip::Bitmap> tick;
};

// The one kit of the running program, between CreateHintResources and DeleteHintResources.
std::unique_ptr<HintKit>& Kit() {
  static std::unique_ptr<HintKit> kit;
  return kit;
}

struct Hint {
  int mode;
  const char* text;
};

// The texts as the tools have always shown them, wording included.
constexpr std::array<Hint, 12> kHints{{
    {1, "Click and drag a rectangle around the area you want to crop."},
    {2, "Adjust the slider at the bottom of your screen until your picture is straight."},
    {5, "Click and drag a rectangle around the area you want to card."},
    {6, "To adjust color a single picture, drag the mouse picks the color on the color or image."},
    {7, "Adjust the slider at the bottom of your screen until your picture is brighten or darkle."},
    {9, "Click and drag a rectangle around the red area."},
    {11, "To adjust a single picture, drag the zoom slider to the right."},
    {17, "Click and drag a rectangle around the area you want to rectangular marquee."},
    {37, "To irradiation a single picture, Drag the mouse to the area you want to appear in irradiation."},
    {38, "Currently process of Undo or Redo, Undo and Redo button of the click screen bottom."},
    {41, "Before click Apply button, please click's right button merge the select area."},
    {42, "Click and drag a ellipse around the area you want to elliptical marquee."},
}};

}  // namespace

QString HintText(int ToolId) {
  for (const Hint& hint : kHints) {
    if (hint.mode == ToolId) {
      return QString::fromLatin1(hint.text);
    }
  }
  return {};
}

void CreateHintResources() {
  auto kit = std::make_unique<HintKit>();
  kit->tick = Gdip::LoadImageFromFile(ModPublic::DataFolderPath + QStringLiteral("Tick.png"));
  Kit() = std::move(kit);
}

void DrawToolHint(ModGDI::DrawTarget hDC, int ToolId, float Width, float Height) {
  Q_UNUSED(Height);
  const HintKit* kit = Kit().get();
  if (kit == nullptr) {
    return;
  }
  Gdip::Graphics* g = hDC.Graphics();
  if (g == nullptr) {
    return;
  }
  g->FillRectangle(kit->banner, QRectF(2, 2, Width, 20));
  if (kit->tick) {
    g->DrawImage(*kit->tick, QRectF(5, 3, 16, 16));
  }
  const QString text = HintText(ToolId);
  if (!text.isEmpty()) {
    g->DrawString(text, kit->font, QRectF(25, 5, 600, 20), kit->format, kit->text);
  }
}

void DeleteHintResources() { Kit().reset(); }

bool HintResourcesMade() { return Kit() != nullptr; }

}  // namespace ToolHint
