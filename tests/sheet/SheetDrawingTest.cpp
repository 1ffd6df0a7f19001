#include "sheet/MonthSheet.h"

#include "platform/Conv.h"

#include "SheetTestSupport.h"
#include "support/TestImages.h"

#include <QFontMetricsF>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>

namespace {

using namespace SheetTest;

int32_t dev(int64_t layoutSum, double s) { return Conv::toInt32(double(layoutSum) * s); }

// ---- grid lines ----

// The column and row lines of each SheetSize: base + step * i.
struct Grid {
    int32_t dowBase, dowStep, weekBase, weekStep;
};
constexpr Grid kGrids[4] = {{5, 35, 39, 43}, {9, 50, 52, 60}, {8, 46, 52, 66}, {8, 46, 52, 56}};

// The picture's scale and the sheet's offset in it, for each scale case.
struct Placement {
    double scale;
    int32_t x, y;
};
constexpr Placement kPlacements[2] = {{1.0, 0, 0}, {5.0, 20, 30}};

using LineCase = std::tuple<int32_t /*size*/, int32_t /*frame*/, int32_t /*line*/, int32_t /*scale case*/>;

// As Floppy_VerticalLinesOnly_TwoPoints_Scale1: the rows of the frame and
// line menus by the names of their codes.
std::string lineCaseName(const LineCase& c)
{
    static constexpr std::array<const char*, 3> kFrames{"AllGridLines", "VerticalLinesOnly", "HorizontalLinesOnly"};
    static constexpr std::array<const char*, 4> kWeights{"Hairline", "OnePoint", "TwoPoints", "ThreePoints"};
    const auto [size, frame, line, scaleCase] = c;
    const Placement& p = kPlacements[scaleCase];
    return sizeName(size) + "_" + codeName(kFrames, frame, "Frame") + "_" + codeName(kWeights, line, "Weight") + "_" +
           placementName(p.scale, p.x, p.y);
}

class GridLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(GridLines, LieOnTheirDevicePixelsAndNowhereElse)
{
    const auto [size, frame, line, scaleCase] = GetParam();
    const double s = kPlacements[scaleCase].scale;
    const int32_t ox = kPlacements[scaleCase].x, oy = kPlacements[scaleCase].y;

    SheetFixture f(size);
    f.linesOnly();
    f.ds.setValue(QStringLiteral("frame"), frame);
    f.ds.setValue(QStringLiteral("line"), line);
    const QImage img = f.render(2014, 11, s, ox, oy);

    const Grid g = kGrids[size];
    const int32_t pen = line == 0 ? 1 : dev(line, s);
    const auto X = [&](int i) { return dev(g.dowBase + g.dowStep * i + ox, s); };
    const auto Y = [&](int i) { return dev(g.weekBase + g.weekStep * i + oy, s); };
    const bool vertical = frame == 0 || frame == 1;
    const bool horizontal = frame == 0 || frame == 2;

    // What the sheet must show: white, and each line's pen rectangle in the
    // line colour, from the layout's own numbers.
    QImage want(img.size(), img.format());
    want.fill(Qt::white);
    const auto fillPixels = [&want](const QRect& r) {
        const QRect area = r.intersected(want.rect());
        for (int py = area.top(); py <= area.bottom(); ++py) {
            QRgb* row = reinterpret_cast<QRgb*>(want.scanLine(py));
            std::fill(row + area.left(), row + area.right() + 1, rgb(kLine).rgb());
        }
    };
    for (int i = 0; vertical && i < 8; ++i)
        fillPixels(QRect(QPoint(X(i), Y(0)), QPoint(X(i) + pen - 1, Y(5) + pen - 1)));
    for (int i = 0; horizontal && i < 6; ++i)
        fillPixels(QRect(QPoint(X(0), Y(i)), QPoint(X(7) + pen - 1, Y(i) + pen - 1)));

    QImage white(img.size(), img.format());
    white.fill(Qt::white);
    ASSERT_NE(want, white);
    EXPECT_PRED_FORMAT2(TestImages::samePixels, img, want);
}

INSTANTIATE_TEST_SUITE_P(EverySizeFrameAndWeight, GridLines,
                         ::testing::Combine(::testing::Values(0, 1, 2, 3), ::testing::Values(0, 1, 2),
                                            ::testing::Values(0, 1, 2, 3), ::testing::Values(0, 1)),
                         [](const ::testing::TestParamInfo<LineCase>& test) { return lineCaseName(test.param); });

TEST(GridLinesSpecial, APointWeightNeverVanishesAndUnknownFrameDrawsNothing)
{
    SheetFixture f(0);
    f.linesOnly();
    const auto blankPicture = [](const QImage& img) {
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixel(x, y) != qRgb(255, 255, 255))
                    return false;
        return true;
    };
    // One point at 0.98 (a calibrated print at 72 dpi) truncates to no pen:
    // it keeps the one-pixel line of the hairline instead.
    const QImage onePoint = f.render(2014, 11, 0.98);
    f.ds.setValue(QStringLiteral("line"), 0);
    EXPECT_FALSE(blankPicture(onePoint));
    EXPECT_EQ(onePoint, f.render(2014, 11, 0.98));
    f.ds.setValue(QStringLiteral("line"), 1);
    f.ds.setValue(QStringLiteral("frame"), 3);
    EXPECT_TRUE(blankPicture(f.render(2014, 11, 1.0)));
}

// ---- day numbers, names and texts at their places ----

// The sheet region inside a cell's grid lines; frame 3 draws none, so only
// the texts remain to compare.
QRect cellInterior(const SheetFixture& f, int row, int col, double s)
{
    const int left = dev(f.dowLine[col], s) + 1, top = dev(f.weekLine[row], s) + 1;
    const int right = dev(f.dowLine[col + 1], s) - 1, bottom = dev(f.weekLine[row + 1], s) - 1;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

TEST(DayTexts, NumberAnniversaryAndHolidayNameSitAtTheirBaselines)
{
    // 1 January 2017 is a Sunday in column 0 of the floppy grid. The colour
    // choices (1) keep the colours and drop the texts; 2 draws them too.
    for (double s : {1.0, 5.0}) {
        for (auto [holName, annName] : {std::pair{2, 2}, std::pair{1, 1}, std::pair{2, 1}, std::pair{1, 2}}) {
            SheetFixture f(0);
            f.ds.setValue(QStringLiteral("frame"), 3);
            f.ds.setValue(QStringLiteral("dowLange"), 3);
            f.ds.setValue(QStringLiteral("holName"), holName);
            f.ds.setValue(QStringLiteral("annName"), annName);
            f.anniversaries = {anniversary(0, 1, 1, QStringLiteral("abc"))};
            const QImage img = f.render(2017, 1, s);

            // At 1.0: the number from (8, 49), the text from (7, 57), the name from (7, 80);
            // at 5.0: the number at size 45 from (40, 246).
            QList<ReferenceText> want = {
                {QStringLiteral("1"), dev(8, s), Conv::toInt32(42 * s + Conv::toInt32(9 * s) * 0.8), int(9 * s),
                 kAnnDay},
            };
            if (s == 5.0) {
                EXPECT_EQ(want[0].x, 40);
                EXPECT_EQ(want[0].y, 246);
            } else {
                EXPECT_EQ(want[0].y, 49);
            }
            if (annName == 2)
                want.append({QStringLiteral("abc"), dev(7, s), dev(57, s), int(7 * s), kAnnText});
            if (holName == 2)
                want.append({QStringLiteral("元日"), dev(7, s), dev(80, s), int(7 * s), kHolName});
            const QImage ref = referenceImage(img.size(), want);
            EXPECT_EQ(differingPixels(img, ref, cellInterior(f, 0, 0, s)), 0)
                << "scale " << s << " holName " << holName << " annName " << annName;
        }
    }
}

int32_t widthOf(const QString& text)
{
    QFont font(QStringLiteral("osaka"));
    font.setPixelSize(9);
    return int32_t(std::trunc(QFontMetricsF(font).horizontalAdvance(text)));
}

TEST(OverflowDays, LastWeekWritesThemBehindTheDayAWeekEarlier)
{
    SheetFixture f(0);
    f.ds.setValue(QStringLiteral("frame"), 3);
    f.ds.setValue(QStringLiteral("extra"), 0);
    const QImage img = f.render(2014, 3);  // day 1 in column 6: 30 and 31 overflow
    const int base = 211 + 3 + 7;          // Int32(214 + 7.2)
    const QImage ref = referenceImage(
        img.size(), {{QStringLiteral("23"), 8, base, 9, kSunday},
                     {QStringLiteral("/30"), 8 + widthOf(QStringLiteral("23")), base, 9, kSunday},
                     {QStringLiteral("24"), 43, base, 9, kWeekday},
                     {QStringLiteral("/31"), 43 + widthOf(QStringLiteral("24")), base, 9, kWeekday}});
    EXPECT_EQ(differingPixels(img, ref, cellInterior(f, 4, 0, 1.0)), 0);
    EXPECT_EQ(differingPixels(img, ref, cellInterior(f, 4, 1, 1.0)), 0);
    EXPECT_EQ(differingPixels(img, ref, cellInterior(f, 0, 0, 1.0)), 0);  // row 0 stays empty
}

TEST(OverflowDays, FirstWeekWritesThemInTheEmptyCellsBeforeDayOne)
{
    SheetFixture f(0);
    f.ds.setValue(QStringLiteral("frame"), 3);
    f.ds.setValue(QStringLiteral("extra"), 1);
    const QImage img = f.render(2014, 3);
    const QImage ref = referenceImage(img.size(), {{QStringLiteral("30"), 8, 49, 9, kSunday},
                                                   {QStringLiteral("31"), 43, 49, 9, kWeekday},
                                                   {QStringLiteral("23"), 8, 221, 9, kSunday},
                                                   {QStringLiteral("24"), 43, 221, 9, kWeekday}});
    for (auto [row, col] : {std::pair{0, 0}, std::pair{0, 1}, std::pair{4, 0}, std::pair{4, 1}})
        EXPECT_EQ(differingPixels(img, ref, cellInterior(f, row, col, 1.0)), 0) << row << "," << col;
}

TEST(OverflowDays, AnOverflowTextGoesBelowTheSharedCellsOwnText)
{
    // November 2014: the 30th shares the cell of the 23rd. Its text takes the
    // next line (1.2 text sizes lower) when the 23rd has one, else the first.
    for (double s : {1.0, 5.0}) {
        for (bool sharedHasText : {true, false}) {
            SheetFixture f(0);
            f.ds.setValue(QStringLiteral("frame"), 3);
            f.ds.setValue(QStringLiteral("holName"), 1);
            f.ds.setValue(QStringLiteral("annName"), 2);
            f.anniversaries = {anniversary(0, 11, 30, QStringLiteral("月末"))};
            if (sharedHasText)
                f.anniversaries.append(anniversary(0, 11, 23, QStringLiteral("あ")));
            const QImage img = f.render(2014, 11, s);

            const int32_t size = Conv::toInt32(9 * s), annSize = Conv::toInt32(7 * s);
            const int32_t numberY = Conv::toInt32(214 * s + size * 0.8);
            const int32_t firstLine = dev(211 + 9 + 9, s);
            const int32_t secondLine = Conv::toInt32(229 * s + annSize * 1.2);
            QList<ReferenceText> want = {
                {QStringLiteral("23"), dev(8, s), numberY, size, sharedHasText ? kAnnDay : kHoliday},
                {QStringLiteral("/30"), dev(8 + widthOf(QStringLiteral("23")), s), numberY, size, kAnnDay},
                {QStringLiteral("月末"), dev(7, s), sharedHasText ? secondLine : firstLine, annSize, kAnnText},
            };
            if (sharedHasText)
                want.append({QStringLiteral("あ"), dev(7, s), firstLine, annSize, kAnnText});
            const QImage ref = referenceImage(img.size(), want);
            EXPECT_EQ(differingPixels(img, ref, cellInterior(f, 4, 0, s)), 0)
                << "scale " << s << " shared text " << sharedHasText;
        }
    }
}

TEST(OverflowDays, AnyOtherPlacementWritesThemNowhere)
{
    SheetFixture f(0);
    f.ds.setValue(QStringLiteral("frame"), 3);
    f.ds.setValue(QStringLiteral("extra"), 2);
    f.rebuild();  // the row lines built for placement 0 stay
    ASSERT_EQ(f.weekLine.size(), 6);
    const QImage img = f.render(2014, 3);
    const QImage ref = referenceImage(img.size(), {{QStringLiteral("23"), 8, 221, 9, kSunday}});
    EXPECT_EQ(differingPixels(img, ref, cellInterior(f, 4, 0, 1.0)), 0);
    EXPECT_EQ(differingPixels(img, ref, cellInterior(f, 0, 0, 1.0)), 0);
}

TEST(OverflowDays, ASubstituteHolidayThatOverflowsKeepsTheHolidayColourButNoName)
{
    // April 2018, Monday first: Sunday the 29th fills the last cell; Monday
    // the 30th, the substitute holiday, is written behind the 23rd in the
    // holiday colour (the anniversary colour when it has one, the weekday
    // colour while holidays are off), and no holiday name is drawn.
    struct Case {
        int32_t holName;
        bool withAnniversary;
        int32_t colour;
    };
    for (const Case& c : {Case{2, false, kHoliday}, Case{1, false, kHoliday}, Case{2, true, kAnnDay},
                          Case{0, false, kWeekday}}) {
        SheetFixture f(0);
        f.ds.setValue(QStringLiteral("frame"), 3);
        f.ds.setValue(QStringLiteral("dow1st"), 1);
        f.ds.setValue(QStringLiteral("annName"), 1);
        f.ds.setValue(QStringLiteral("holName"), c.holName);
        if (c.withAnniversary)
            f.anniversaries = {anniversary(0, 4, 30, QStringLiteral("休"))};
        const QImage img = f.render(2018, 4);
        const QImage ref = referenceImage(
            img.size(), {{QStringLiteral("23"), 8, 221, 9, kWeekday},
                         {QStringLiteral("/30"), 8 + widthOf(QStringLiteral("23")), 221, 9, c.colour}});
        EXPECT_EQ(differingPixels(img, ref, cellInterior(f, 4, 0, 1.0)), 0)
            << "holName " << c.holName << " anniversary " << c.withAnniversary;
    }
}

// ---- number colours ----

struct ColourCase {
    int32_t year, month, dow1st, day, row, col;
    int32_t colour;
};

// As SundayFirst_Day3_HolidayColour: the first weekday, the day and the
// colour its number must have.
std::string colourCaseName(const ColourCase& c)
{
    static constexpr std::array<const char*, 2> kFirstWeekdays{"SundayFirst", "MondayFirst"};
    constexpr std::pair<int32_t, const char*> kColours[] = {{kWeekday, "WeekdayColour"},
                                                            {kSunday, "SundayColour"},
                                                            {kSaturday, "SaturdayColour"},
                                                            {kHoliday, "HolidayColour"},
                                                            {kAnnDay, "AnniversaryColour"}};
    std::string colour = "Colour" + caseNumber(c.colour);
    for (const auto& [value, name] : kColours)
        if (value == c.colour)
            colour = name;
    return codeName(kFirstWeekdays, c.dow1st, "FirstWeekday") + "_Day" + caseNumber(c.day) + "_" + colour;
}

void PrintTo(const ColourCase& c, std::ostream* out) { *out << colourCaseName(c); }

class NumberColour : public ::testing::TestWithParam<std::tuple<ColourCase, double>> {};

TEST_P(NumberColour, FollowsTheDayKindAndColumn)
{
    const auto [c, s] = GetParam();
    SheetFixture f(0);
    f.ds.setValue(QStringLiteral("dow1st"), c.dow1st);
    f.ds.setValue(QStringLiteral("annName"), 1);
    f.anniversaries = {anniversary(0, 11, 4, QStringLiteral("x"))};
    const QImage img = f.render(c.year, c.month, s);

    // The number's band: from the cell's top line to just below its baseline.
    const int left = dev(f.dowLine[c.col] + 3, s);
    const int right = dev(f.dowLine[c.col + 1], s) - 1;
    const int top = dev(f.weekLine[c.row], s) + (s > 1 ? dev(1, s) : 1);
    const int baseline = Conv::toInt32((f.weekLine[c.row] + 3) * s + Conv::toInt32(9 * s) * 0.8);
    const QRect band(QPoint(left, top), QPoint(right, baseline));

    const QList<int32_t> all = {kWeekday, kSunday, kSaturday, kHoliday, kAnnDay};
    if (s > 1.0) {
        for (int32_t other : all)
            EXPECT_EQ(anyPixelOf(img, band, other), other == c.colour) << "colour " << Qt::hex << other;
    } else {
        EXPECT_EQ(inkColour(img, band, all), c.colour);
    }
}

INSTANTIATE_TEST_SUITE_P(
    November2014, NumberColour,
    ::testing::Combine(::testing::Values(ColourCase{2014, 11, 0, 1, 0, 6, kSaturday},
                                         ColourCase{2014, 11, 0, 2, 1, 0, kSunday},
                                         ColourCase{2014, 11, 0, 3, 1, 1, kHoliday},   // 文化の日
                                         ColourCase{2014, 11, 0, 4, 1, 2, kAnnDay},    // an anniversary
                                         ColourCase{2014, 11, 0, 5, 1, 3, kWeekday},
                                         ColourCase{2014, 11, 0, 24, 4, 1, kHoliday},  // 振替休日
                                         ColourCase{2014, 11, 1, 2, 0, 6, kSunday},    // Monday first
                                         ColourCase{2014, 11, 1, 1, 0, 5, kSaturday},
                                         ColourCase{2014, 11, 1, 3, 1, 0, kHoliday},
                                         // A damaged first weekday lays out Monday first, no weekend colours.
                                         ColourCase{2014, 11, 2, 1, 0, 5, kWeekday},
                                         ColourCase{2014, 11, 2, 2, 0, 6, kWeekday}),
                       ::testing::Values(1.0, 5.0)),
    [](const ::testing::TestParamInfo<std::tuple<ColourCase, double>>& test) {
        return colourCaseName(std::get<0>(test.param)) + "_" + placementName(std::get<1>(test.param));
    });

// ---- anniversary backgrounds ----

TEST(AnniversaryBackground, FillsTheWholeCellOnlyUnderNameAndBackground)
{
    for (double s : {1.0, 5.0}) {
        for (int32_t annName : {1, 2, 3}) {
            SheetFixture f(0);
            f.ds.setValue(QStringLiteral("annName"), annName);
            f.anniversaries = {anniversary(2014, 11, 24, QStringLiteral("記念")),
                               anniversary(0, 11, 30, QStringLiteral("月末"))};
            const QImage img = f.render(2014, 11, s);
            const int32_t want = annName == 3 ? kAnnBack : 0xFFFFFF;
            const int pen = dev(1, s);
            // Right edge, halfway down, of the cell of the 24th (row 4, column 1)
            // and of the cell the 30th shares with the 23rd (row 4, column 0).
            for (int col : {0, 1}) {
                const int x = dev(f.dowLine[col + 1], s) - 1;
                const int yMid = dev((f.weekLine[4] + f.weekLine[5]) / 2, s);
                EXPECT_EQ(img.pixel(x, yMid), rgb(want).rgb()) << "annName " << annName << " col " << col;
                // Filled up to the cell's lines, which lie over it.
                EXPECT_EQ(img.pixel(dev(f.dowLine[col], s) + pen, yMid), rgb(want).rgb());
                EXPECT_EQ(img.pixel(x, dev(f.weekLine[4], s) + pen), rgb(want).rgb());
                EXPECT_EQ(img.pixel(dev(f.dowLine[col], s), yMid), rgb(kLine).rgb());
            }
            // A cell without an anniversary stays white.
            EXPECT_EQ(img.pixel(dev(f.dowLine[3], s) - 1, dev((f.weekLine[4] + f.weekLine[5]) / 2, s)),
                      qRgb(255, 255, 255));
        }
    }
}

// ---- title ----

struct TitleCase {
    int32_t size, ymPos;
    double scale;
    int32_t x, y;
};

// As Cd13x13_TitleCentre_Scale1: the size, the row of the title position
// menu and where the sheet is drawn.
std::string titleCaseName(const TitleCase& c)
{
    static constexpr std::array<const char*, 3> kPositions{"TitleLeft", "TitleCentre", "TitleRight"};
    return sizeName(c.size) + "_" + codeName(kPositions, c.ymPos, "Position") + "_" +
           placementName(c.scale, c.x, c.y);
}

void PrintTo(const TitleCase& c, std::ostream* out) { *out << titleCaseName(c); }

class Title : public ::testing::TestWithParam<TitleCase> {};

TEST_P(Title, StandsLeftCentredOrRight)
{
    const TitleCase& c = GetParam();
    SheetFixture f(c.size);
    f.linesOnly();
    f.ds.setValue(QStringLiteral("frame"), 3);
    f.ds.setValue(QStringLiteral("ymFsize"), 12);
    f.ds.setValue(QStringLiteral("ymPos"), c.ymPos);
    const QImage img = f.render(2014, 12, c.scale, c.x, c.y);

    QFont font(QStringLiteral("osaka"));
    font.setPixelSize(12);
    const int32_t w = int32_t(std::trunc(QFontMetricsF(font).horizontalAdvance(QStringLiteral("2014.12"))));
    const int32_t W = f.width;
    int32_t left = 0;
    switch (c.ymPos) {
    case 0: left = dev(10 + c.x, c.scale); break;
    case 1: left = Conv::toInt32((c.x + W / 2.0 - w / 2.0) * c.scale); break;
    case 2: left = dev(c.x + W - 10 - w, c.scale); break;
    }
    const QList<ReferenceText> texts =
        c.ymPos <= 2 ? QList<ReferenceText>{{QStringLiteral("2014.12"), left, dev(24 + c.y, c.scale),
                                             Conv::toInt32(12 * c.scale), kTitle}}
                     : QList<ReferenceText>{};
    const QImage ref = referenceImage(img.size(), texts);
    EXPECT_EQ(differingPixels(img, ref, img.rect()), 0);
    // Drawn in the title colour, as far as antialiasing shows it: in some
    // Japanese fonts (VL Gothic, IPAex Gothic at 12 px) no stroke covers a
    // pixel whole, so no pixel need be the colour itself.
    EXPECT_EQ(inkColour(img, img.rect(), {kTitle, kLine}), c.ymPos <= 2 ? kTitle : -1);
}

INSTANTIATE_TEST_SUITE_P(Positions, Title,
                         ::testing::Values(TitleCase{0, 0, 1.0, 0, 0}, TitleCase{1, 1, 1.0, 0, 0},
                                           TitleCase{1, 2, 1.0, 0, 0}, TitleCase{0, 0, 5.0, 20, 30},
                                           TitleCase{2, 1, 5.0, 20, 30}, TitleCase{3, 2, 5.0, 20, 30},
                                           TitleCase{0, 3, 1.0, 0, 0}),
                         [](const ::testing::TestParamInfo<TitleCase>& test) { return titleCaseName(test.param); });

TEST(TitleState, NoTitleStillSetsItsFontSizeAndColour)
{
    SheetFixture f(0);
    f.weekLine.clear();  // nothing after the title has a place yet
    f.ds.setValue(QStringLiteral("ymPos"), 3);
    f.ds.setValue(QStringLiteral("ymFont"), QStringLiteral("IPAGothic"));
    f.render(2014, 4, 2.0, 0, 0, [](SheetSurface& g) {
        EXPECT_EQ(g.foreColor(), rgb(kTitle));
        EXPECT_EQ(g.textFont(), QStringLiteral("IPAGothic"));
        EXPECT_EQ(g.textSize(), 24);
    });
}

// ---- weekday header ----

TEST(WeekdayHeader, LabelsFollowLanguageAndFirstWeekday)
{
    const auto labels = [](int32_t lang, int32_t first) {
        Dataset ds = makeDataset();
        ds.setValue(QStringLiteral("dowLange"), lang);
        ds.setValue(QStringLiteral("dow1st"), first);
        QStringList out;
        for (const QString& s : Sheet::drawCalDow(ds))
            out << s;
        return out.join(QLatin1Char(' '));
    };
    EXPECT_EQ(labels(0, 0), QStringLiteral("日 月 火 水 木 金 土"));
    EXPECT_EQ(labels(0, 1), QStringLiteral("月 火 水 木 金 土 日"));
    EXPECT_EQ(labels(1, 0), QStringLiteral("sun mon tue wed thu fri sat"));
    EXPECT_EQ(labels(2, 1), QStringLiteral("MON TUE WED THU FRI SAT SUN"));
    EXPECT_EQ(labels(2, 5), QStringLiteral("MON TUE WED THU FRI SAT SUN"));
    EXPECT_EQ(labels(3, 0), QStringLiteral("      "));
    EXPECT_EQ(labels(-1, 0), QStringLiteral("      "));
}

TEST(WeekdayHeader, LabelsStandAboveTheGridInTheirColumns)
{
    SheetFixture f(0);
    f.linesOnly();
    f.ds.setValue(QStringLiteral("dowFsize"), 10);
    const QImage img = f.render(2014, 4);
    const char* const names[7] = {"日", "月", "火", "水", "木", "金", "土"};
    QList<ReferenceText> texts;
    const int32_t xs[7] = {8, 43, 78, 113, 148, 183, 218};
    for (int i = 0; i < 7; ++i)
        texts.append({QString::fromUtf8(names[i]), xs[i], 37, 10, kHeader});
    const QImage ref = referenceImage(img.size(), texts);
    EXPECT_EQ(differingPixels(img, ref, QRect(0, 0, img.width(), 39)), 0);
}

// ---- background picture ----

TEST(BackgroundPicture, CoversItsLayoutAreaAtTheScale)
{
    SheetFixture f(0);
    f.linesOnly();
    f.ds.setValue(QStringLiteral("frame"), 3);
    QImage pict(255, 260, QImage::Format_RGB32);
    pict.fill(QColor(0, 200, 0));
    f.ds.setPict(pict);

    const QImage big = f.render(2014, 4, 5.0, 20, 30);
    const QRgb green = qRgb(0, 200, 0), white = qRgb(255, 255, 255);
    EXPECT_EQ(big.pixel(100, 150), green);
    EXPECT_EQ(big.pixel(100 + 1274, 150 + 1299), green);
    EXPECT_EQ(big.pixel(99, 150), white);
    EXPECT_EQ(big.pixel(100, 149), white);
    EXPECT_EQ(big.pixel(1375, 1449), white);
    EXPECT_EQ(big.pixel(1374, 1450), white);

    const QImage exact = f.render(2014, 4);
    EXPECT_EQ(exact.pixel(0, 0), green);
    EXPECT_EQ(exact.pixel(254, 259), green);
    EXPECT_EQ(exact.pixel(255, 259), white);
    EXPECT_EQ(exact.pixel(254, 260), white);
}

// ---- one surface, one state ----

TEST(SurfaceState, TheNextRoutineTakesWhatTheSheetLeft)
{
    // November 2014 ends with the overflow day 30 in the Sunday colour: the
    // cutting guides drawn after it on the same surface take that colour.
    SheetFixture f(0);
    const QImage img = f.render(2014, 11, 1.0, 0, 0, [](SheetSurface& g) {
        EXPECT_EQ(g.foreColor(), rgb(kSunday));
        EXPECT_EQ(g.textSize(), 9);
        EXPECT_EQ(g.penWidth(), 1);
        g.drawLine(0, 265, 50, 265);
    });
    EXPECT_EQ(img.pixel(25, 265), rgb(kSunday).rgb());
}

TEST(SheetPlacement, SameSheetShiftedByItsOrigin)
{
    SheetFixture f(0);
    f.anniversaries = {anniversary(0, 11, 4, QStringLiteral("記念"))};
    f.ds.setValue(QStringLiteral("annName"), 3);
    const QImage at0 = f.render(2014, 11);
    const QImage at127 = f.render(2014, 11, 1.0, 127, 0);
    EXPECT_EQ(at0.copy(0, 0, 255, 260), at127.copy(127, 0, 255, 260));
}

} // namespace

namespace {

TEST(DamagedValues, AbsurdSizesAndWeightsDrawWithoutHanging)
{
    SheetTest::SheetFixture f(0);
    for (const char* key : {"dayFsize", "dowFsize", "ymFsize", "holFsize", "annFsize", "line"})
        f.ds.setValue(QString::fromLatin1(key), QStringLiteral("1e7"));
    f.ds.setValue(QStringLiteral("annName"), 3);
    f.anniversaries = {SheetTest::anniversary(0, 11, 30, QStringLiteral("月末"))};
    const QImage img = f.render(2014, 11, 5.0);
    EXPECT_FALSE(img.isNull());

    for (const char* key : {"dayFsize", "dowFsize", "ymFsize", "holFsize", "annFsize", "line"})
        f.ds.setValue(QString::fromLatin1(key), -5);
    f.render(2014, 11, 5.0);
    f.ds.setValue(QStringLiteral("stMM"), 13);
    f.render(2014, 13);
}

} // namespace
