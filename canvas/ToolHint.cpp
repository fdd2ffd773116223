#include "canvas/ToolHint.h"

#include <memory>
#include <string_view>

#include <QImage>
#include <QString>

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

}  // namespace

void CreateHintResources() {
  auto kit = std::make_unique<HintKit>();
  kit->tick = Gdip::LoadImageFromFile(ModPublic::DataFolderPath + QStringLiteral("Tick.png"));
  Kit() = std::move(kit);
}

void DrawToolHint(ModGDI::DrawTarget hDC, ToolModes::Mode mode, float Width, float Height) {
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
  const std::string_view text = ToolModes::Row(mode).hint;
  if (!text.empty()) {
    g->DrawString(QString::fromLatin1(text.data(), qsizetype(text.size())), kit->font, QRectF(25, 5, 600, 20),
                  kit->format, kit->text);
  }
}

void DeleteHintResources() { Kit().reset(); }

bool HintResourcesMade() { return Kit() != nullptr; }

}  // namespace ToolHint
