#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>

#include <gtest/gtest.h>

#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/StringFormat.h"
#include "platform/gdiplus/TextLayout.h"

using namespace Gdip;

namespace {

// The columns that hold any drawn pixel.
std::pair<int, int> InkColumns(const QImage& image) {
  int first = image.width();
  int last = -1;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(image.pixel(x, y)) > 0) {
        first = std::min(first, x);
        last = std::max(last, x);
      }
    }
  }
  return {first, last};
}

}  // namespace

TEST(Font, WindowsNamesResolveToInstalledFreeFamilies) {
  for (const char* name : {"Tahoma", "Microsoft Sans Serif", "Arial"}) {
    const FontFamily family{QString::fromLatin1(name)};
    EXPECT_TRUE(family.IsAvailable()) << name;
    const QFontInfo info(Font(family, 9).ToQFont());
    EXPECT_TRUE(QFontDatabase::hasFamily(info.family())) << name << " -> " << info.family().toStdString();
  }
  EXPECT_EQ(QFontInfo(Font(FontFamily("Arial"), 9).ToQFont()).family(), QStringLiteral("Liberation Sans"));
  // Sizes in points are taken at 96 dpi whatever the screen: 9 points are 12 pixels.
  EXPECT_EQ(Font(FontFamily("Arial"), 9, FontStyleBold, Unit::Point).ToQFont().pixelSize(), 12);
  EXPECT_FALSE(FontFamily("No Such Family 123").IsAvailable());
  EXPECT_FALSE(FontFamily("").IsAvailable());
}

TEST(TextLayout, GenericDefaultPadsASixthOfTheEmOnEachSide) {
  const Font font(FontFamily("Arial"), 24, FontStyleRegular, Unit::Pixel);
  const TextLayout plain = LayoutString("Lorvane", font, QRectF(10, 20, 0, 0), StringFormat::GenericTypographic());
  const TextLayout padded = LayoutString("Lorvane", font, QRectF(10, 20, 0, 0), StringFormat::GenericDefault());
  EXPECT_NEAR(padded.box.width() - plain.box.width(), 2 * 24 / 6.0, 0.01);
  EXPECT_EQ(padded.box.topLeft(), QPointF(10, 20));
  EXPECT_NEAR(padded.lines.at(0).origin.x(), 14, 0.01);

  const TextLayout empty = LayoutString("", font, QRectF(10, 20, 0, 0), StringFormat::GenericDefault());
  EXPECT_TRUE(empty.lines.empty());
  EXPECT_EQ(empty.box, QRectF(10, 20, 0, 0));

  const TextLayout twoLines = LayoutString("ab\r\ncd  ", font, QRectF(0, 0, 0, 0), StringFormat::GenericDefault());
  ASSERT_EQ(twoLines.lines.size(), 2u);
  EXPECT_EQ(twoLines.lines[1].text, QStringLiteral("cd  "));
  EXPECT_GT(twoLines.box.height(), 1.9 * 24);
}

TEST(TextLayout, EllipsisTrimsTextThatDoesNotFitTheBox) {
  const Font font(FontFamily("Arial"), 12, FontStyleRegular, Unit::Pixel);
  StringFormat format = StringFormat::GenericDefault();
  format.SetTrimming(StringTrimming::EllipsisCharacter);
  const QString text = QStringLiteral("A rather long caption for a narrow box");
  const QRectF measured = LayoutString(text, font, QRectF(0, 0, 0, 0), format).box;
  const TextLayout cut = LayoutString(text, font, QRectF(0, 0, 80, measured.height()), format);
  ASSERT_EQ(cut.lines.size(), 1u);
  EXPECT_TRUE(cut.lines[0].text.endsWith(QChar(0x2026))) << cut.lines[0].text.toStdString();
  EXPECT_LE(cut.box.width(), 80);
  // Without trimming the words wrap and only the first line shows.
  StringFormat noTrim = StringFormat::GenericDefault();
  noTrim.SetTrimming(StringTrimming::None);
  const TextLayout wrapped = LayoutString(text, font, QRectF(0, 0, 80, measured.height()), noTrim);
  ASSERT_EQ(wrapped.lines.size(), 1u);
  EXPECT_FALSE(wrapped.lines[0].text.contains(QChar(0x2026)));
}

TEST(Graphics, DrawStringInksInsideTheMeasuredBox) {
  QImage image(200, 40, QImage::Format_ARGB32);
  image.fill(0);
  auto g = Graphics::FromSurface(image);
  const Font font(FontFamily("Tahoma"), 12, FontStyleRegular, Unit::Point);
  const StringFormat format = StringFormat::GenericDefault();
  const QRectF box = g->MeasureString("Hello", font, QRectF(20, 5, 0, 0), format);
  EXPECT_EQ(g->DrawString("Hello", font, box, format, SolidBrush(0xFF000000u)), Status::Ok);
  EXPECT_EQ(g->DrawString("Hello", Font(FontFamily("No Such Family 123"), 12), box, format, SolidBrush(0xFF000000u)),
            Status::FontFamilyNotFound);
  g.reset();
  const auto [first, last] = InkColumns(image);
  // The padding keeps the ink a little inside the box on both sides.
  EXPECT_GE(first, box.left() + 1);
  EXPECT_LE(last, box.right());
  EXPECT_LT(first, box.left() + 6);
}

TEST(Graphics, AliasedTextHintDrawsOnlyOpaquePixels) {
  QImage image(120, 40, QImage::Format_ARGB32);
  image.fill(0);
  auto g = Graphics::FromSurface(image);
  g->SetTextRenderingHint(TextRenderingHint::SingleBitPerPixelGridFit);
  g->DrawString("Wave", Font(FontFamily("Arial"), 20, FontStyleRegular, Unit::Pixel), QRectF(0, 0, 0, 0),
                StringFormat::GenericDefault(), SolidBrush(0xFF000000u));
  g.reset();
  int partial = 0;
  int solid = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const int a = qAlpha(image.pixel(x, y));
      partial += a > 0 && a < 255;
      solid += a == 255;
    }
  }
  EXPECT_EQ(partial, 0);
  EXPECT_GT(solid, 50);
}
