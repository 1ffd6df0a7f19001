#include "sheet/GridTables.h"
#include "sheet/SheetSurface.h"

#include "SheetTestSupport.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

namespace {

struct GridCase {
    int32_t size;
    Sheet::DowLine dow;
    QList<int32_t> week;
};

void PrintTo(const GridCase& c, std::ostream* out) { *out << SheetTest::sizeName(c.size); }

class GridTablesBySize : public ::testing::TestWithParam<GridCase> {};

TEST_P(GridTablesBySize, BuildsTheColumnAndRowLinesOfTheSize)
{
    const GridCase& c = GetParam();
    Sheet::DowLine dow{};
    Sheet::WeekLine week;
    Sheet::initDOWLine(dow, c.size);
    Sheet::initWeekLine(week, c.size, 0);
    EXPECT_EQ(dow, c.dow);
    EXPECT_EQ(week, c.week);

    // Rebuilding replaces the six row lines instead of adding to them, under
    // either overflow placement (and a negative one counts as the first).
    for (int32_t extra : {1, -1}) {
        Sheet::initWeekLine(week, c.size, extra);
        EXPECT_EQ(week, c.week) << "extra " << extra;
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllSheetSizes, GridTablesBySize,
    ::testing::Values(GridCase{0, {5, 40, 75, 110, 145, 180, 215, 250}, {39, 82, 125, 168, 211, 254}},
                      GridCase{1, {9, 59, 109, 159, 209, 259, 309, 359}, {52, 112, 172, 232, 292, 352}},
                      GridCase{2, {8, 54, 100, 146, 192, 238, 284, 330}, {52, 118, 184, 250, 316, 382}},
                      GridCase{3, {8, 54, 100, 146, 192, 238, 284, 330}, {52, 108, 164, 220, 276, 332}}),
    [](const ::testing::TestParamInfo<GridCase>& test) { return SheetTest::sizeName(test.param.size); });

TEST(GridTables, UnknownSizeOrPlacementLeavesTheRowLinesAlone)
{
    const Sheet::WeekLine built{39, 82, 125, 168, 211, 254};

    Sheet::DowLine dow{};
    Sheet::initDOWLine(dow, 4);
    EXPECT_EQ(dow, (Sheet::DowLine{8, 54, 100, 146, 192, 238, 284, 330}));

    for (auto [size, extra] : {std::pair{4, 0}, std::pair{-1, 0}, std::pair{1, 2}, std::pair{0, 7}}) {
        Sheet::WeekLine week = built;
        Sheet::initWeekLine(week, size, extra);
        EXPECT_EQ(week, built) << "size " << size << " extra " << extra;
    }

    Sheet::WeekLine empty;
    Sheet::initWeekLine(empty, 2, 2);
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_FALSE(Sheet::gridBuilt(empty));
}

// In "osaka", which draws in whichever Japanese Gothic family is installed
// (JapaneseFont::gothicFamily): the width is that family's own advance at the
// pixel size asked, its fraction dropped. Families scale their advances each
// in its own way, so no size is worked out from another. The surface is a
// printed page's: 360 dpi, drawn at five device pixels a point; the width
// stays in points all the same.
TEST(GetStrigWidth, MeasuresInPointsWithTheFractionDropped)
{
    SheetTest::useJapaneseFont();
    const std::string family = JapaneseFont::gothicFamily().toStdString();
    QImage page(20, 20, QImage::Format_RGB32);
    page.setDotsPerMeterX(int(360 / 0.0254));
    page.setDotsPerMeterY(int(360 / 0.0254));
    QPainter painter(&page);
    painter.scale(5.0, 5.0);
    SheetSurface g(painter);
    const QString text = QStringLiteral("2014.12");
    int32_t previous = 0;
    for (int32_t size : {7, 12, 24, 31}) {
        QFont font(QStringLiteral("osaka"));
        font.setPixelSize(size);
        const double exact = QFontMetricsF(font).horizontalAdvance(text);
        const int32_t width = Sheet::getStrigWidth(g, text, QStringLiteral("osaka"), size);
        EXPECT_EQ(width, int32_t(std::trunc(exact))) << family << " at " << size;
        EXPECT_GT(width, previous) << family << " at " << size;
        previous = width;
    }

    EXPECT_EQ(Sheet::getStrigWidth(g, text, QStringLiteral("osaka"), 0), 0);
    EXPECT_EQ(Sheet::getStrigWidth(g, QString(), QStringLiteral("osaka"), 12), 0);
}

} // namespace
