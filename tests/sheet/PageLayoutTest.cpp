#include "sheet/PageLayout.h"
#include "sheet/PrintPlan.h"
#include "sheet/SheetSurface.h"

#include "SheetTestSupport.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Sheet::SheetPositions;

// ---- Sheet positions ----

struct PositionCase {
    int32_t size;
    int32_t printWidth;
    int32_t printHeight;
    // Count first, then the corners in printing order; rows after them stay 0.
    std::vector<std::pair<int32_t, int32_t>> corners;
};

// As Floppy_560x800: the size and the printable area.
std::string positionName(const PositionCase& c)
{
    return SheetTest::sizeName(c.size) + "_" + SheetTest::caseNumber(c.printWidth) + "x" +
           SheetTest::caseNumber(c.printHeight);
}

void PrintTo(const PositionCase& c, std::ostream* out) { *out << positionName(c); }

class SheetPositionsOnAPage : public ::testing::TestWithParam<PositionCase> {};

TEST_P(SheetPositionsOnAPage, PlacesEverySheetOfTheSize)
{
    const PositionCase& c = GetParam();
    const int32_t size = c.size < 4 ? c.size : 1;
    SheetPositions positions{};
    Sheet::getSheetPos(positions, c.size, SheetTest::sheetWidth(size), SheetTest::sheetHeight(size), c.printWidth,
                       c.printHeight);

    SheetPositions expected{};
    expected[0][0] = int32_t(c.corners.size());
    for (size_t j = 0; j < c.corners.size(); ++j)
        expected[j + 1] = {c.corners[j].first, c.corners[j].second};
    EXPECT_EQ(positions, expected);
}

INSTANTIATE_TEST_SUITE_P(
    PrintableAreas, SheetPositionsOnAPage,
    ::testing::Values(
        // Six floppy sheets touching, the block centred.
        PositionCase{0, 560, 800, {{25, 10}, {280, 10}, {25, 270}, {280, 270}, {25, 530}, {280, 530}}},
        // Odd points left over go to the right and the bottom.
        PositionCase{0, 559, 806, {{24, 13}, {279, 13}, {24, 273}, {279, 273}, {24, 533}, {279, 533}}},
        // Halving drops the fraction toward zero: 31 gives 15, -1 gives 0, -3 gives -1.
        PositionCase{0, 541, 781, {{15, 0}, {270, 0}, {15, 260}, {270, 260}, {15, 520}, {270, 520}}},
        PositionCase{0, 509, 777, {{0, -1}, {255, -1}, {0, 259}, {255, 259}, {0, 519}, {255, 519}}},
        PositionCase{0, 507, 780, {{-1, 0}, {254, 0}, {-1, 260}, {254, 260}, {-1, 520}, {254, 520}}},
        // CD pairs: 20 points in from the left and the top, whatever the area.
        PositionCase{1, 560, 800, {{20, 20}, {20, 385}}}, PositionCase{1, 559, 806, {{20, 20}, {20, 385}}},
        PositionCase{3, 560, 800, {{20, 20}, {20, 360}}}, PositionCase{3, 559, 806, {{20, 20}, {20, 360}}},
        // The 12x14 cm pair is centred vertically, even off the top of a low page.
        PositionCase{2, 560, 800, {{20, 9}, {20, 400}}}, PositionCase{2, 559, 806, {{20, 12}, {20, 403}}},
        PositionCase{2, 560, 770, {{20, -6}, {20, 385}}},
        // An unknown size is laid out as a 13 cm pair.
        PositionCase{4, 560, 800, {{20, 20}, {20, 385}}}),
    [](const ::testing::TestParamInfo<PositionCase>& test) { return positionName(test.param); });

// ---- Cutting guides ----

constexpr QRgb kWhite = 0xFFFFFFFF;

struct Guides {
    int32_t size = 0;
    int32_t style = 0;
    int32_t printWidth = 560;
    int32_t printHeight = 800;
    double scale = 1.0;
    QColor colour = Qt::black;

    SheetPositions positions() const
    {
        SheetPositions p{};
        Sheet::getSheetPos(p, size, SheetTest::sheetWidth(size), SheetTest::sheetHeight(size), printWidth,
                           printHeight);
        return p;
    }

    // The guides on a white picture a little larger than the printable area,
    // so that anything drawn past its edges shows.
    QImage draw() const
    {
        QImage img(int(printWidth * scale) + 30, int(printHeight * scale) + 30, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter painter(&img);
        SheetSurface g(painter);
        g.setForeColor(colour);
        g.setPenWidth(3);
        g.setPenHeight(3);
        Sheet::printSheet2CL(&g, positions(), size, style, SheetTest::sheetWidth(size), SheetTest::sheetHeight(size),
                             printWidth, printHeight, scale);
        EXPECT_EQ(g.penWidth(), 1);
        EXPECT_EQ(g.penHeight(), 1);
        painter.end();
        return img;
    }
};

// Every inked pixel lies in one of the rectangles (both corners included) and
// every pixel of them is inked in `colour`.
void expectInkExactly(const QImage& img, const QList<QRect>& rects, QColor colour = Qt::black)
{
    int outside = 0, missing = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            bool in = false;
            for (const QRect& r : rects)
                in = in || r.contains(x, y);
            const QRgb px = img.pixel(x, y);
            if (in && px != colour.rgb()) {
                if (++missing <= 3)
                    ADD_FAILURE() << "not inked at " << x << "," << y;
            } else if (!in && px != kWhite) {
                if (++outside <= 3)
                    ADD_FAILURE() << "stray ink at " << x << "," << y;
            }
        }
    EXPECT_EQ(missing, 0);
    EXPECT_EQ(outside, 0);
}

QRect across(int y, int x1, int x2) { return QRect(QPoint(x1, y), QPoint(x2, y)); }
QRect down(int x, int y1, int y2) { return QRect(QPoint(x, y1), QPoint(x, y2)); }

TEST(CropMarks, SixUpPageAtOnePixelPerPoint)
{
    // L = 25, M = 280, R = 535; T = 10, rows at 270 and 530, B = 790.
    QList<QRect> marks;
    for (int y : {10, 270, 530, 790}) {
        marks << across(y, 0, 23) << across(y, 537, 560);
    }
    for (int x : {25, 280, 535}) {
        marks << down(x, 0, 8) << down(x, 792, 800);
    }
    expectInkExactly(Guides{}.draw(), marks);
}

TEST(CropMarks, SixUpPageAtFiveDevicePixelsPerPoint)
{
    Guides page;
    page.scale = 5.0;
    QList<QRect> marks;
    for (int y : {50, 1350, 2650, 3950}) {
        marks << across(y, 0, 115) << across(y, 2685, 2800);
    }
    for (int x : {125, 1400, 2675}) {
        marks << down(x, 0, 40) << down(x, 3960, 4000);
    }
    expectInkExactly(page.draw(), marks);
}

TEST(CropMarks, TwoUpPageHasShortRightMarks)
{
    // 13 cm CD: L = 20, R = 388; T = 20, boundary 385, B = 750.
    Guides page;
    page.size = 1;
    QList<QRect> marks;
    for (int y : {20, 385, 750}) {
        marks << across(y, 0, 18) << across(y, 390, 410);
    }
    for (int x : {20, 388}) {
        marks << down(x, 0, 18) << down(x, 752, 800);
    }
    expectInkExactly(page.draw(), marks);

    // 12x14 cm CD on an 800-point page: T = 9, so the top marks are 0 to 7.
    page.size = 2;
    marks.clear();
    for (int y : {9, 400, 791}) {
        marks << across(y, 0, 18) << across(y, 359, 379);
    }
    for (int x : {20, 357}) {
        marks << down(x, 0, 7) << down(x, 793, 800);
    }
    expectInkExactly(page.draw(), marks);
}

TEST(CropMarks, EachEndIsConvertedOnItsOwn)
{
    // L = 15 at 4.98 device pixels per point: the left mark ends at
    // Int32(13 x 4.98) = 64, the top mark stands at Int32(15 x 4.98) = 74.
    Guides page;
    page.printWidth = 541;
    page.printHeight = 790;
    page.scale = 4.98;
    const QImage img = page.draw();
    const int t = int(5 * 4.98); // T = 5
    EXPECT_NE(img.pixel(64, t), kWhite);
    EXPECT_EQ(img.pixel(65, t), kWhite);
    EXPECT_NE(img.pixel(74, 0), kWhite);
    EXPECT_EQ(img.pixel(73, 0), kWhite);
    EXPECT_EQ(img.pixel(75, 0), kWhite);
}

TEST(CutLines, SolidLinesOutlineTheBlockAndItsBoundaries)
{
    Guides page;
    page.style = 2;
    QList<QRect> lines;
    for (int y : {10, 270, 530, 790})
        lines << across(y, 25, 535);
    for (int x : {25, 280, 535})
        lines << down(x, 10, 790);
    expectInkExactly(page.draw(), lines);

    page.size = 3;
    lines.clear();
    for (int y : {20, 360, 700})
        lines << across(y, 20, 360);
    for (int x : {20, 360})
        lines << down(x, 20, 700);
    expectInkExactly(page.draw(), lines);
}

// The dashes (runs of inked pixels) along one row or column.
QList<std::pair<int, int>> dashes(const QImage& img, bool horizontal, int at)
{
    QList<std::pair<int, int>> runs;
    const int n = horizontal ? img.width() : img.height();
    int start = -1;
    for (int i = 0; i <= n; ++i) {
        const bool ink = i < n && (horizontal ? img.pixel(i, at) : img.pixel(at, i)) != kWhite;
        if (ink && start < 0)
            start = i;
        if (!ink && start >= 0) {
            runs.append({start, i - 1});
            start = -1;
        }
    }
    return runs;
}

TEST(CutLines, DashesKeepTheirDevicePeriodAtEveryScale)
{
    struct Case {
        double scale;
        int top, left;
        int horizontalDashes, verticalDashes;
    };
    // Along 510 points across and 780 points down: floor(n / 4) + 1 dashes of
    // two device pixels, n in device pixels.
    for (const Case& c : {Case{1.0, 10, 25, 128, 196}, Case{5.0, 50, 125, 638, 976}}) {
        Guides page;
        page.style = 1;
        page.scale = c.scale;
        const QImage img = page.draw();
        // Pixel rows next to a corner are crossed by the other lines: read
        // along the middle of the block's top edge and its left edge.
        const auto top = dashes(img, true, c.top);
        const auto left = dashes(img, false, c.left);
        ASSERT_FALSE(top.isEmpty());
        ASSERT_FALSE(left.isEmpty());
        EXPECT_EQ(top.first(), std::make_pair(c.left, c.left + 1)) << c.scale;
        EXPECT_EQ(top.size(), c.horizontalDashes) << c.scale;
        EXPECT_EQ(left.size(), c.verticalDashes) << c.scale;
        // Two pixels each, but where a vertical line crosses the edge.
        const int middle = int(280 * c.scale), right = int(535 * c.scale);
        for (const auto& d : top) {
            const bool crossed = (d.first <= middle && middle <= d.second) || (d.first <= right && right <= d.second);
            if (!crossed) {
                EXPECT_EQ(d.second - d.first, 1) << "dash at " << d.first << " scale " << c.scale;
            }
        }
    }
}

TEST(CutLines, DashedLineInDevicePixels)
{
    struct Case {
        int x1, y1, x2, y2;
        QList<std::pair<int, int>> runs;
        bool horizontal;
    };
    const Case cases[] = {
        {10, 5, 20, 5, {{10, 11}, {14, 15}, {18, 19}}, true},
        // A length that is a multiple of 4 ends on a dash one pixel beyond.
        {10, 5, 22, 5, {{10, 11}, {14, 15}, {18, 19}, {22, 23}}, true},
        {10, 5, 9, 5, {}, true},
        // A vertical line stands at x1, whatever x2 holds.
        {7, 10, 30, 20, {{10, 11}, {14, 15}, {18, 19}}, false},
    };
    for (const Case& c : cases) {
        QImage img(40, 40, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter painter(&img);
        SheetSurface g(painter);
        Sheet::printSheet2CLBreak(g, c.x1, c.y1, c.x2, c.y2);
        painter.end();
        EXPECT_EQ(dashes(img, c.horizontal, c.horizontal ? c.y1 : c.x1), c.runs) << c.x1 << "," << c.y1;
        if (!c.horizontal) {
            EXPECT_TRUE(dashes(img, false, c.x2).isEmpty());
        }
    }
}

TEST(CutGuides, UnknownStyleOrNoSurfaceDrawsNothing)
{
    Guides page;
    page.style = 3;
    expectInkExactly(page.draw(), {});
    Sheet::printSheet2CL(nullptr, page.positions(), 0, 0, 255, 260, 560, 800, 1.0);
}

TEST(CutGuides, TakeTheColourTheSurfaceHolds)
{
    for (int style : {0, 1, 2}) {
        Guides page;
        page.style = style;
        page.colour = QColor(0x00, 0xA0, 0x00);
        const QImage img = page.draw();
        const QRgb inkAtCorner = style == 0 ? img.pixel(0, 10) : img.pixel(25, 10);
        EXPECT_EQ(inkAtCorner, page.colour.rgb()) << style;
    }
}

// ---- Print plan ----

std::array<int32_t, 51> prefs(int32_t resolution = 0, std::array<int32_t, 4> measured = {900, 1300, 1190, 1200})
{
    std::array<int32_t, 51> p{};
    p[5] = resolution;
    for (int i = 0; i < 4; ++i)
        p[40 + i] = measured[i];
    return p;
}

constexpr std::array<int32_t, 4> kNominal{900, 1300, 1190, 1200};

TEST(PrintPlan, PagesAndSheetsForEveryRangeAndSize)
{
    struct Case {
        int32_t prKind, size, pages, sheets;
    };
    const Case cases[] = {
        {0, 0, 2, 6}, {0, 1, 6, 2}, {0, 2, 6, 2}, {0, 3, 6, 2}, {1, 0, 1, 6}, {1, 3, 1, 2}, {2, 1, 1, 2},
        // A size the layout does not know prints nothing.
        {0, 4, 0, 0}, {1, -1, 0, 0},
    };
    for (const Case& c : cases) {
        const Sheet::PrintPlan plan = Sheet::makePrintPlan(c.prKind, c.size, prefs(), kNominal);
        EXPECT_EQ(plan.pageCount, c.pages) << c.prKind << "/" << c.size;
        EXPECT_EQ(plan.sheetsPerPage, c.sheets) << c.prKind << "/" << c.size;
    }
}

QList<QList<Sheet::YearMonth>> pagesOf(int32_t prKind, int32_t size, int32_t year, int32_t month)
{
    const Sheet::PrintPlan plan = Sheet::makePrintPlan(prKind, size, prefs(), kNominal);
    QList<QList<Sheet::YearMonth>> pages;
    for (int32_t page = 0; page < plan.pageCount; ++page)
        pages.append(Sheet::takePageMonths(year, month, plan.sheetsPerPage));
    return pages;
}

TEST(PrintPlan, MonthsRunOnFromPageToPage)
{
    const auto floppy = pagesOf(0, 0, 2014, 4);
    ASSERT_EQ(floppy.size(), 2);
    EXPECT_EQ(floppy[0], (QList<Sheet::YearMonth>{{2014, 4}, {2014, 5}, {2014, 6}, {2014, 7}, {2014, 8}, {2014, 9}}));
    EXPECT_EQ(floppy[1],
              (QList<Sheet::YearMonth>{{2014, 10}, {2014, 11}, {2014, 12}, {2015, 1}, {2015, 2}, {2015, 3}}));

    const auto cd = pagesOf(0, 2, 2014, 11);
    ASSERT_EQ(cd.size(), 6);
    EXPECT_EQ(cd[0], (QList<Sheet::YearMonth>{{2014, 11}, {2014, 12}}));
    EXPECT_EQ(cd[1], (QList<Sheet::YearMonth>{{2015, 1}, {2015, 2}}));
    EXPECT_EQ(cd[5], (QList<Sheet::YearMonth>{{2015, 9}, {2015, 10}}));

    const auto single = pagesOf(1, 1, 2014, 12);
    ASSERT_EQ(single.size(), 1);
    EXPECT_EQ(single[0], (QList<Sheet::YearMonth>{{2014, 12}, {2015, 1}}));
}

TEST(PrintPlan, ScaleFromTheMeasuredWidth)
{
    struct Case {
        int32_t measured;
        double printScale;
    };
    // A width of 0 or below cannot be divided by: the sheet prints at its nominal width.
    for (const Case& c : {Case{900, 1.0}, Case{910, 900.0 / 910.0}, Case{890, 900.0 / 890.0}, Case{0, 1.0},
                          Case{-5, 1.0}}) {
        EXPECT_DOUBLE_EQ(Sheet::printSheet2scle(0, prefs(0, {c.measured, 1300, 1190, 1200}), kNominal), c.printScale)
            << c.measured;
    }
    // Each size has its own measured width.
    EXPECT_DOUBLE_EQ(Sheet::printSheet2scle(2, prefs(0, {900, 1300, 1200, 1200}), kNominal), 1190.0 / 1200.0);
    EXPECT_DOUBLE_EQ(Sheet::printSheet2scle(4, prefs(), kNominal), 0.0);
}

TEST(PrintPlan, ResolutionAndDeviceScale)
{
    for (auto [pref, dpi] : {std::pair{0, 360}, std::pair{1, 72}, std::pair{2, 72}, std::pair{-1, 72}})
        EXPECT_EQ(Sheet::makePrintPlan(0, 0, prefs(pref), kNominal).resolution, dpi) << pref;

    // The calibration survives whatever resolution the printer grants.
    const double printScale = 900.0 / 910.0;
    EXPECT_DOUBLE_EQ(Sheet::deviceScale(printScale, 360), 5.0 * printScale);
    EXPECT_DOUBLE_EQ(Sheet::deviceScale(printScale, 72), printScale);
    EXPECT_DOUBLE_EQ(Sheet::deviceScale(printScale, 600), 600.0 / 72.0 * printScale);
}

} // namespace

namespace {

TEST(PrintPlan, PdfPagesAreNamedAfterTheFirstMonthAndNumbered)
{
    EXPECT_EQ(Sheet::printFileStem(2027, 4), QStringLiteral("Morvelin-2027-04"));
    EXPECT_EQ(Sheet::printFileStem(2014, 12), QStringLiteral("Morvelin-2014-12"));

    struct Case {
        const char* first;
        int32_t page;
        const char* expected;
    };
    const Case cases[] = {
        {"/home/u/Morvelin-2027-04.pdf", 1, "/home/u/Morvelin-2027-04.pdf"},
        {"/home/u/Morvelin-2027-04.pdf", 2, "/home/u/Morvelin-2027-04-2.pdf"},
        {"/home/u/cal.v2.pdf", 6, "/home/u/cal.v2-6.pdf"},
        {"/home/u/out", 3, "/home/u/out-3"},
        {"/home/u.v/out", 3, "/home/u.v/out-3"},
        {"relative.pdf", 2, "relative-2.pdf"},
        {"", 2, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Sheet::pageFileName(QString::fromUtf8(c.first), c.page), QString::fromUtf8(c.expected)) << c.first;
}

} // namespace
