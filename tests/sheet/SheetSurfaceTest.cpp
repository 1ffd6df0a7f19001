#include "sheet/SheetSurface.h"

#include "SheetTestSupport.h"
#include "support/TestImages.h"

#include <QPainter>
#include <QPicture>
#include <gtest/gtest.h>

#include <functional>
#include <iterator>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

QImage blank(int w = 40, int h = 40)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

int inked(const QImage& img)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += img.pixel(x, y) != kWhite;
    return n;
}

template <typename Draw>
QImage draw(Draw&& d, int w = 40, int h = 40)
{
    QImage img = blank(w, h);
    QPainter p(&img);
    SheetSurface s(p);
    d(s);
    p.end();
    return img;
}

TEST(SheetSurface, LinesIncludeBothEndPoints)
{
    const QImage two = draw([](SheetSurface& s) { s.drawLine(10, 10, 11, 10); });
    EXPECT_EQ(inked(two), 2);
    EXPECT_EQ(two.pixel(10, 10), kBlack);
    EXPECT_EQ(two.pixel(11, 10), kBlack);

    const QImage dot = draw([](SheetSurface& s) { s.drawLine(5, 7, 5, 7); });
    EXPECT_EQ(inked(dot), 1);
    EXPECT_EQ(dot.pixel(5, 7), kBlack);

    const QImage slanted = draw([](SheetSurface& s) { s.drawLine(2, 2, 12, 7); });
    EXPECT_EQ(inked(slanted), 11);
    EXPECT_EQ(slanted.pixel(2, 2), kBlack);
    EXPECT_EQ(slanted.pixel(12, 7), kBlack);
}

TEST(SheetSurface, PenHangsRightOfAndBelowTheLine)
{
    const QImage img = draw([](SheetSurface& s) {
        s.setPenWidth(3);
        s.setPenHeight(2);
        s.drawLine(10, 5, 10, 20);
    });
    EXPECT_EQ(inked(img), 3 * 17);
    EXPECT_EQ(img.pixel(10, 5), kBlack);
    EXPECT_EQ(img.pixel(12, 21), kBlack);
    EXPECT_EQ(img.pixel(9, 10), kWhite);
    EXPECT_EQ(img.pixel(13, 10), kWhite);
    EXPECT_EQ(img.pixel(10, 22), kWhite);
}

TEST(SheetSurface, NothingIsDrawnWithAnEmptyPenRectOrTextSize)
{
    const QImage img = draw([](SheetSurface& s) {
        s.setPenWidth(0);
        s.setPenHeight(1);
        s.drawLine(0, 0, 30, 0);
        s.setPenWidth(1);
        s.setPenHeight(0);
        s.drawLine(0, 3, 30, 3);
        s.fillRect(5, 5, 0, 10);
        s.fillRect(5, 5, 10, -1);
        s.setTextSize(0);
        s.drawString(QStringLiteral("12"), 5, 30);
        EXPECT_EQ(Sheet::getStrigWidth(s, QStringLiteral("12"), s.textFont(), s.textSize()), 0);
        s.setTextSize(12);
        s.drawString(QString(), 5, 30);
    });
    EXPECT_EQ(inked(img), 0);
}

TEST(SheetSurface, FarAwayCoordinatesCostNothing)
{
    const auto farAway = [](SheetSurface& s) {
        s.drawLine(-2000000000, 4, 2000000000, 4);
        s.drawLine(-2000000000, -2000000000, 2000000000, 2000000000);
        s.fillRect(2147483000, 5, 2147483000, 10);
        s.drawString(QStringLiteral("x"), 2147483000, 10);
    };
    const QImage img = draw(farAway);
    EXPECT_EQ(img.pixel(0, 4), kBlack);
    EXPECT_EQ(img.pixel(39, 4), kBlack);
    EXPECT_EQ(img.pixel(20, 20), kBlack);

    // The work follows the device, not the coordinates: on a 40 x 40 device
    // the slanted line takes one pen rectangle per column it crosses, so the
    // whole drawing records less than a hundred rectangles do.
    const auto recorded = [](const std::function<void(QPainter&)>& paint) {
        QPicture picture;
        picture.setBoundingRect(QRect(0, 0, 40, 40));
        QPainter p(&picture);
        paint(p);
        p.end();
        return picture.size();
    };
    const uint hundredRectangles = recorded([](QPainter& p) {
        for (int i = 0; i < 100; ++i)
            p.fillRect(QRect(i % 40, i / 40, 1, 1), QColor(Qt::black));
    });
    const uint drawn = recorded([&](QPainter& p) {
        SheetSurface s(p);
        farAway(s);
    });
    EXPECT_GT(drawn, hundredRectangles / 10);
    EXPECT_LT(drawn, hundredRectangles);
}

TEST(SheetSurface, KeepsItsStateFromOneRoutineToTheNext)
{
    SheetTest::useJapaneseFont();
    QImage img = blank();
    QPainter p(&img);
    SheetSurface s(p);
    const auto setUp = [](SheetSurface& g) {
        g.setForeColor(QColor(200, 0, 0));
        g.setTextFont(QStringLiteral("osaka"));
        g.setTextSize(20);
        g.setPenWidth(2);
        g.setPenHeight(2);
    };
    const auto drawWithWhatIsSet = [](SheetSurface& g) { g.drawLine(0, 0, 5, 0); };
    setUp(s);
    drawWithWhatIsSet(s);
    p.end();
    EXPECT_EQ(img.pixel(5, 1), qRgb(200, 0, 0));
    EXPECT_EQ(s.textSize(), 20);
    EXPECT_EQ(s.textFont(), QStringLiteral("osaka"));
}

TEST(SheetSurface, TextSizeIsInDevicePixelsWhateverTheResolution)
{
    SheetTest::useJapaneseFont();
    const auto render = [](int dpi) {
        QImage img = blank(200, 60);
        img.setDotsPerMeterX(int(dpi / 0.0254));
        img.setDotsPerMeterY(int(dpi / 0.0254));
        QPainter p(&img);
        SheetSurface s(p);
        s.setTextFont(QStringLiteral("osaka"));
        s.setTextSize(30);
        const int32_t w = Sheet::getStrigWidth(s, QStringLiteral("2014.4"), s.textFont(), s.textSize());
        s.drawString(QStringLiteral("2014.4"), 5, 40);
        p.end();
        return std::pair{img, w};
    };
    const auto [at72, w72] = render(72);
    const auto [at360, w360] = render(360);
    EXPECT_EQ(w72, w360);
    EXPECT_GT(w72, 60);
    EXPECT_LT(w72, 120);
    EXPECT_PRED_FORMAT2(TestImages::samePixels, at72, at360);
}

// A sheet switches between its fonts from cell to cell, and the surface keeps
// the fonts it has built; texts must draw and measure as with fonts built afresh,
// also after the surface met more fonts than it keeps.
TEST(SheetSurface, FontsItReusesDrawAndMeasureAsFreshOnes)
{
    SheetTest::useJapaneseFont();
    const struct {
        const char* font;
        int32_t size;
        const char* text;
        int x, y;
    } runs[] = {
        {"osaka", 9, "23", 2, 12},           {"osaka", 7, "振替休日", 2, 24},    {"osaka", 9, "24", 40, 12},
        {"osaka", 9, "30", 70, 12},          {"DejaVu Serif", 9, "25", 100, 12}, {"osaka", 12, "2027.5", 2, 44},
        {"osaka", 9, "26", 130, 12},
    };
    const auto font = [](const char* name) { return QString::fromUtf8(name); };
    const auto text = [](const char* t) { return QString::fromUtf8(t); };
    // The width on a surface that has built no font before.
    const auto freshWidth = [](const QString& t, const QString& f, int32_t size) {
        QImage img = blank(4, 4);
        QPainter p(&img);
        SheetSurface s(p);
        return Sheet::getStrigWidth(s, t, f, size);
    };

    QImage fresh = blank(160, 60);
    for (const auto& r : runs) {
        QPainter p(&fresh);
        SheetSurface s(p);
        s.setTextFont(font(r.font));
        s.setTextSize(r.size);
        s.drawString(text(r.text), r.x, r.y);
    }

    const QImage reused = draw(
        [&](SheetSurface& s) {
            for (size_t i = 0; i < std::size(runs); ++i) {
                const auto& r = runs[i];
                if (i == 3) {
                    // Between two texts in one font: measurements in many more fonts.
                    for (int32_t size = 1; size <= 80; ++size)
                        Sheet::getStrigWidth(s, QStringLiteral("x"), QStringLiteral("osaka"), size);
                }
                s.setTextFont(font(r.font));
                s.setTextSize(r.size);
                s.drawString(text(r.text), r.x, r.y);
                EXPECT_EQ(Sheet::getStrigWidth(s, text(r.text), font(r.font), r.size),
                          freshWidth(text(r.text), font(r.font), r.size))
                    << r.text;
            }
        },
        160, 60);
    EXPECT_PRED_FORMAT2(TestImages::samePixels, reused, fresh);
    EXPECT_GT(inked(fresh), 100);
}

TEST(SheetSurface, PictureIsScaledIntoItsRectangle)
{
    QImage pict(4, 4, QImage::Format_RGB32);
    pict.fill(QColor(0, 0, 255));
    const QImage img = draw([&](SheetSurface& s) { s.drawPicture(pict, 3, 5, 20, 10, 0, 0, 4, 4); });
    EXPECT_EQ(img.pixel(3, 5), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(22, 14), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(2, 5), kWhite);
    EXPECT_EQ(img.pixel(23, 14), kWhite);
    EXPECT_EQ(img.pixel(22, 15), kWhite);
    EXPECT_EQ(inked(img), 200);
}

} // namespace
