#include "sheet/Preview.h"

#include "SheetTestSupport.h"
#include "support/TestImages.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

using namespace SheetTest;

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kGrey = 0xFF808080;
constexpr QRgb kBlack = 0xFF000000;

template <typename Paint>
QImage paint(int w, int h, QRgb background, Paint&& p)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(background);
    QPainter painter(&img);
    SheetSurface surface(painter);
    p(surface);
    painter.end();
    return img;
}

TEST(Preview, WithoutADatasetTheCanvasIsOnlyWhite)
{
    const QImage img = paint(337, 391, kBlack, [](SheetSurface& g) { Sheet::paintPreview(g, nullptr, 337, 391); });
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            ASSERT_EQ(img.pixel(x, y), kWhite) << x << "," << y;
}

TEST(Preview, FillsWhiteToTheEdgesAndDrawsTheStartMonth)
{
    SheetFixture f(2);
    f.ds.setValue(QStringLiteral("stYY"), 2014.0);  // as the year arrows leave it
    f.ds.setValue(QStringLiteral("stMM"), QStringLiteral("11"));  // as a file leaves it
    const QImage img = paint(337, 391, kBlack, [&](SheetSurface& g) {
        const Sheet::SheetContext c = f.context();
        Sheet::paintPreview(g, &c, 337, 391);
    });
    EXPECT_EQ(img.pixel(0, 0), kWhite);
    EXPECT_EQ(img.pixel(336, 390), kWhite);
    // The grid's corner lines of the 12 x 14 sheet.
    EXPECT_EQ(img.pixel(8, 52), rgb(kLine).rgb());
    EXPECT_EQ(img.pixel(330, 382), rgb(kLine).rgb());

    const QImage direct = f.render(2014, 11);
    EXPECT_PRED_FORMAT2(TestImages::samePixels, img, direct.copy(0, 0, 337, 391));
}

TEST(Rulers, TickPositions)
{
    const QList<int32_t> want{10, 38, 66, 95, 123, 151, 180, 208, 236, 265, 293, 321, 350, 378, 406};
    QList<int32_t> got;
    for (int i = 0; i <= 14; ++i)
        got << Sheet::rulerTick(i);
    EXPECT_EQ(got, want);
}

TEST(Rulers, VerticalRulerDrawsOverWhatTheCanvasHolds)
{
    const QImage img = paint(30, 410, kGrey, [](SheetSurface& g) { Sheet::paintVerticalRuler(g, 30); });
    for (int y = 10; y <= 406; ++y)
        ASSERT_EQ(img.pixel(26, y), kBlack) << y;
    EXPECT_EQ(img.pixel(26, 9), kGrey);
    EXPECT_EQ(img.pixel(26, 407), kGrey);
    for (int i = 0; i <= 14; ++i) {
        const int t = Sheet::rulerTick(i);
        for (int x = 21; x <= 26; ++x)
            EXPECT_EQ(img.pixel(x, t), kBlack) << "tick " << i;
        EXPECT_EQ(img.pixel(20, t), kGrey) << "tick " << i;
        EXPECT_EQ(img.pixel(25, t + 1), kGrey) << "tick " << i;
    }
    EXPECT_EQ(img.pixel(0, 0), kGrey);  // not cleared first
    // "5" left of the 5 cm tick, "10" left of the 10 cm tick.
    bool five = false, ten = false;
    for (int y = 140; y <= 156; ++y)
        for (int x = 10; x < 20; ++x)
            five |= img.pixel(x, y) != kGrey;
    for (int y = 282; y <= 298; ++y)
        for (int x = 6; x < 20; ++x)
            ten |= img.pixel(x, y) != kGrey;
    EXPECT_TRUE(five);
    EXPECT_TRUE(ten);
}

TEST(Rulers, HorizontalRulerDrawsOverWhatTheCanvasHolds)
{
    const QImage img = paint(390, 30, kGrey, [](SheetSurface& g) { Sheet::paintHorizontalRuler(g, 30); });
    for (int x = 10; x <= 378; ++x)
        ASSERT_EQ(img.pixel(x, 26), kBlack) << x;
    EXPECT_EQ(img.pixel(9, 26), kGrey);
    EXPECT_EQ(img.pixel(379, 26), kGrey);
    for (int i = 0; i <= 13; ++i) {
        const int t = Sheet::rulerTick(i);
        for (int y = 21; y <= 26; ++y)
            EXPECT_EQ(img.pixel(t, y), kBlack) << "tick " << i;
        EXPECT_EQ(img.pixel(t, 20), kGrey) << "tick " << i;
    }
    bool five = false, ten = false;
    for (int y = 8; y <= 19; ++y) {
        for (int x = 149; x < 160; ++x)
            five |= img.pixel(x, y) != kGrey;
        for (int x = 287; x < 305; ++x)
            ten |= img.pixel(x, y) != kGrey;
    }
    EXPECT_TRUE(five);
    EXPECT_TRUE(ten);
}

} // namespace
