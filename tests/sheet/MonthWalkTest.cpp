#include "sheet/MonthWalk.h"

#include "calendar/Holidays.h"
#include "platform/Conv.h"

#include "SheetTestSupport.h"

#include <QDate>
#include <QMap>
#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

using Sheet::MonthWalk;
using Sheet::WalkChoices;

WalkChoices choices(WeekStart ws, int32_t holName = 2, int32_t annName = 0)
{
    return WalkChoices{ws, holName, annName};
}

const Sheet::WalkCell& cellOfDay(const MonthWalk& walk, int32_t day)
{
    for (const Sheet::WalkCell& c : walk.cells)
        if (c.kind != Sheet::OutsideMonth && c.day == day)
            return c;
    static const Sheet::WalkCell none;
    ADD_FAILURE() << "day " << day << " is not in the grid";
    return none;
}

QList<int32_t> overflowDays(const MonthWalk& walk)
{
    QList<int32_t> days;
    for (const Sheet::OverflowDay& o : walk.overflow)
        days << o.day;
    return days;
}

struct LayoutCase {
    int32_t year, month;
    WeekStart ws;
    int32_t firstColumn;
    QList<int32_t> overflow;
};

// As SundayFirst_2014_08_Column5_Overflow31: the month, the column of its
// first day and the days that find no cell. Each piece is appended to the one
// name: `"_" + std::to_string(n)` would prepend to a temporary in place, which
// g++ 12 at -O2 misreads as an overlapping copy of 2^63 bytes (-Wrestrict).
std::string layoutName(const LayoutCase& c)
{
    std::string name = c.ws == WeekStart::SundayFirst ? "SundayFirst" : "MondayFirst";
    name += '_';
    name += std::to_string(c.year);
    name += c.month < 10 ? "_0" : "_";
    name += std::to_string(c.month);
    name += "_Column";
    name += std::to_string(c.firstColumn);
    for (qsizetype k = 0; k < c.overflow.size(); ++k) {
        name += k == 0 ? "_Overflow" : "_";
        name += std::to_string(c.overflow[k]);
    }
    return name;
}

void PrintTo(const LayoutCase& c, std::ostream* out) { *out << layoutName(c); }

class MonthLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(MonthLayout, PlacesEveryDayInItsCellAndOverflowsTheRest)
{
    const LayoutCase& c = GetParam();
    const MonthWalk walk = Sheet::walkMonth(choices(c.ws, 0), {}, c.year, c.month);
    ASSERT_EQ(walk.inputs.firstColumn, c.firstColumn);
    const int32_t days = walk.inputs.dayCount;

    for (int32_t index = 0; index < Sheet::kGridCells; ++index) {
        const Sheet::WalkCell& cell = walk.cells[index];
        EXPECT_EQ(cell.row, index / 7);
        EXPECT_EQ(cell.column, index % 7);
        const int32_t day = index - c.firstColumn + 1;
        if (day >= 1 && day <= days) {
            EXPECT_EQ(cell.kind, Sheet::PlainDay) << "cell " << index;
            EXPECT_EQ(cell.day, day) << "cell " << index;
        } else {
            EXPECT_EQ(cell.kind, Sheet::OutsideMonth) << "cell " << index;
        }
    }
    EXPECT_EQ(overflowDays(walk), c.overflow);
    for (qsizetype k = 0; k < walk.overflow.size(); ++k)
        EXPECT_EQ(walk.overflow[k].column, k);
    EXPECT_EQ(walk.lastDayInGrid, days - int32_t(c.overflow.size()));
}

INSTANTIATE_TEST_SUITE_P(
    DayOneInEachColumn, MonthLayout,
    ::testing::Values(LayoutCase{2015, 2, WeekStart::SundayFirst, 0, {}},  // rows 0..3 exactly, row 4 empty
                      LayoutCase{2015, 3, WeekStart::SundayFirst, 0, {}},
                      LayoutCase{2014, 12, WeekStart::SundayFirst, 1, {}},
                      LayoutCase{2014, 7, WeekStart::SundayFirst, 2, {}},
                      LayoutCase{2014, 1, WeekStart::SundayFirst, 3, {}},
                      LayoutCase{2014, 5, WeekStart::SundayFirst, 4, {}},  // day 31 fills the last cell
                      LayoutCase{2014, 8, WeekStart::SundayFirst, 5, {31}},
                      LayoutCase{2018, 6, WeekStart::SundayFirst, 5, {}},  // 30 days need no sixth row
                      LayoutCase{2014, 3, WeekStart::SundayFirst, 6, {30, 31}},
                      LayoutCase{2014, 11, WeekStart::SundayFirst, 6, {30}},
                      LayoutCase{2014, 9, WeekStart::MondayFirst, 0, {}},
                      LayoutCase{2026, 3, WeekStart::MondayFirst, 6, {30, 31}},
                      LayoutCase{2026, 5, WeekStart::MondayFirst, 4, {}}),
    [](const ::testing::TestParamInfo<LayoutCase>& test) { return layoutName(test.param); });

TEST(MonthWalk, FebruaryOfACommonYearFromColumnZeroLeavesTheLastRowEmpty)
{
    const MonthWalk walk = Sheet::walkMonth(choices(WeekStart::SundayFirst), {}, 2015, 2);
    for (int32_t index = 28; index < 35; ++index)
        EXPECT_EQ(walk.cells[index].kind, Sheet::OutsideMonth);
    EXPECT_EQ(walk.cells[27].day, 28);
    EXPECT_TRUE(walk.overflow.isEmpty());
}

// ---- substitute holidays ----

struct Expect {
    int32_t day;
    int32_t kind;
    const char* name;  // UTF-8
};

void expectDays(const MonthWalk& walk, std::initializer_list<Expect> days)
{
    for (const Expect& e : days) {
        const Sheet::WalkCell& c = cellOfDay(walk, e.day);
        EXPECT_EQ(c.kind, e.kind) << "day " << e.day;
        EXPECT_EQ(c.holidayName, QString::fromUtf8(e.name)) << "day " << e.day;
    }
}

TEST(SubstituteHoliday, MondayAfterTheSundayOfLabourThanksgiving2014)
{
    for (int32_t holName : {1, 2}) {
        const MonthWalk walk = Sheet::walkMonth(choices(WeekStart::SundayFirst, holName), {}, 2014, 11);
        EXPECT_EQ(walk.cells[28].day, 23);
        expectDays(walk, {{23, Sheet::PublicHoliday, "勤労感謝の日"},
                          {24, Sheet::PublicHoliday, "振替休日"},
                          {25, Sheet::PlainDay, ""},
                          {3, Sheet::PublicHoliday, "文化の日"}});
        EXPECT_EQ(overflowDays(walk), QList<int32_t>{30});
    }
}

TEST(SubstituteHoliday, HolidaysOffMakeNoHolidayAndNoSubstitute)
{
    const MonthWalk walk = Sheet::walkMonth(choices(WeekStart::SundayFirst, 0), {}, 2014, 11);
    for (const Sheet::WalkCell& c : walk.cells) {
        EXPECT_NE(c.kind, Sheet::PublicHoliday);
        EXPECT_TRUE(c.holidayName.isEmpty());
    }
}

TEST(SubstituteHoliday, April2018SundayFirstSubstituteIsInTheGrid)
{
    const MonthWalk walk = Sheet::walkMonth(choices(WeekStart::SundayFirst), {}, 2018, 4);
    EXPECT_EQ(walk.inputs.firstColumn, 0);
    EXPECT_EQ(walk.cells[28].day, 29);
    EXPECT_EQ(walk.cells[29].day, 30);
    expectDays(walk, {{29, Sheet::PublicHoliday, "昭和の日"}, {30, Sheet::PublicHoliday, "振替休日"}});
    EXPECT_TRUE(walk.overflow.isEmpty());
}

TEST(SubstituteHoliday, April2018MondayFirstDropsTheSubstituteOfTheLastCell)
{
    // Sunday the 29th takes the grid's last cell; the 30th overflows. It is
    // still the published substitute holiday, but no cell of the grid becomes one.
    const MonthWalk walk = Sheet::walkMonth(choices(WeekStart::MondayFirst), {}, 2018, 4);
    EXPECT_EQ(walk.inputs.firstColumn, 6);
    EXPECT_EQ(walk.cells[34].day, 29);
    expectDays(walk, {{29, Sheet::PublicHoliday, "昭和の日"}, {1, Sheet::PlainDay, ""}});
    ASSERT_EQ(overflowDays(walk), QList<int32_t>{30});
    EXPECT_EQ(walk.overflow[0].column, 0);
    EXPECT_TRUE(walk.overflow[0].holiday);

    Sheet::WalkChoices off = choices(WeekStart::MondayFirst);
    off.holName = 0;
    EXPECT_FALSE(Sheet::walkMonth(off, {}, 2018, 4).overflow[0].holiday);
    // March 2026 starts on a Sunday: 30 and 31 overflow and are working days.
    const MonthWalk march = Sheet::walkMonth(choices(WeekStart::MondayFirst), {}, 2026, 3);
    ASSERT_EQ(overflowDays(march), (QList<int32_t>{30, 31}));
    EXPECT_FALSE(march.overflow[0].holiday);
    EXPECT_FALSE(march.overflow[1].holiday);
}

TEST(SubstituteHoliday, May2026SubstitutePassesOverTheFollowingHolidays)
{
    for (WeekStart ws : {WeekStart::SundayFirst, WeekStart::MondayFirst}) {
        const MonthWalk walk = Sheet::walkMonth(choices(ws), {}, 2026, 5);
        expectDays(walk, {{3, Sheet::PublicHoliday, "憲法記念日"},
                          {4, Sheet::PublicHoliday, "みどりの日"},
                          {5, Sheet::PublicHoliday, "こどもの日"},
                          {6, Sheet::PublicHoliday, "振替休日"},
                          {7, Sheet::PlainDay, ""}});
    }
}

TEST(SubstituteHoliday, BeforeTheLawOf2007TheNextDayIsTheSubstitute)
{
    // 3 May 1992 was a Sunday: the 4th became the substitute holiday.
    const MonthWalk walk = Sheet::walkMonth(choices(WeekStart::SundayFirst), {}, 1992, 5);
    expectDays(walk, {{3, Sheet::PublicHoliday, "憲法記念日"},
                      {4, Sheet::PublicHoliday, "振替休日"},
                      {5, Sheet::PublicHoliday, "こどもの日"},
                      {6, Sheet::PlainDay, ""}});
}

TEST(SubstituteHoliday, MondaySubstituteWithItsOwnAnniversary)
{
    const AnniversaryList list{SheetTest::anniversary(0, 11, 24, QStringLiteral("結婚記念日")),
                               SheetTest::anniversary(2014, 11, 23, QStringLiteral("旅行"))};
    const MonthWalk walk = Sheet::walkMonth(choices(WeekStart::SundayFirst, 2, 2), list, 2014, 11);
    const Sheet::WalkCell& sunday = cellOfDay(walk, 23);
    const Sheet::WalkCell& monday = cellOfDay(walk, 24);
    EXPECT_EQ(sunday.kind, Sheet::PublicHoliday + Sheet::AnniversaryOffset);
    EXPECT_EQ(sunday.anniversary, QStringLiteral("旅行"));
    EXPECT_EQ(monday.kind, Sheet::PublicHoliday + Sheet::AnniversaryOffset);
    EXPECT_EQ(monday.holidayName, QStringLiteral("振替休日"));
    EXPECT_EQ(monday.anniversary, QStringLiteral("結婚記念日"));

    // The Sunday's anniversary stays with the Sunday.
    const AnniversaryList sundayOnly{SheetTest::anniversary(2014, 11, 23, QStringLiteral("旅行"))};
    const MonthWalk walk2 = Sheet::walkMonth(choices(WeekStart::SundayFirst, 2, 1), sundayOnly, 2014, 11);
    EXPECT_EQ(cellOfDay(walk2, 24).kind, Sheet::PublicHoliday);
    EXPECT_TRUE(cellOfDay(walk2, 24).anniversary.isEmpty());

    // Anniversaries off: no cell above 10, whatever the list holds.
    const MonthWalk walk3 = Sheet::walkMonth(choices(WeekStart::SundayFirst, 2, 0), list, 2014, 11);
    for (const Sheet::WalkCell& c : walk3.cells) {
        EXPECT_LE(c.kind, Sheet::PublicHoliday);
        EXPECT_TRUE(c.anniversary.isEmpty());
    }
}

// Every day the walk places in the grid carries the public holiday the
// calendar knows for it, substitutes included.
TEST(SubstituteHoliday, EveryDrawnDayShowsThePublishedHoliday)
{
    int32_t holidays = 0;
    for (int32_t year = 1973; year <= 2032; ++year) {
        for (int32_t month = 1; month <= 12; ++month) {
            for (WeekStart ws : {WeekStart::SundayFirst, WeekStart::MondayFirst}) {
                const MonthWalk walk = Sheet::walkMonth(choices(ws), {}, year, month);
                for (const Sheet::WalkCell& c : walk.cells) {
                    if (c.kind == Sheet::OutsideMonth)
                        continue;
                    const QString want = Holidays::holidayName(year, month, c.day);
                    EXPECT_EQ(c.holidayName, want) << year << "-" << month << "-" << c.day;
                    EXPECT_EQ(c.kind, want.isEmpty() ? Sheet::PlainDay : Sheet::PublicHoliday)
                        << year << "-" << month << "-" << c.day;
                    holidays += want.isEmpty() ? 0 : 1;
                }
            }
        }
    }
    EXPECT_GT(holidays, 2 * 60 * 12);
}

// ---- anniversaries ----

TEST(AnniversaryRule, FirstFittingEntryWinsAndAnEmptyTextHidesTheRest)
{
    const AnniversaryList list{
        SheetTest::anniversary(0, 5, 5, QStringLiteral("A")),        // every year
        SheetTest::anniversary(2020, 5, 5, QStringLiteral("B")),     // hidden by A, also in 2020
        SheetTest::anniversary(2020, 6, 6, QStringLiteral("C")),     // 2020 only
        SheetTest::anniversary(0, 7, 7, QString()),                  // hides D
        SheetTest::anniversary(0, 7, 7, QStringLiteral("D")),
    };
    const struct {
        int32_t y, m, d;
        const char* text;
    } cases[] = {
        {2020, 5, 5, "A"}, {2021, 5, 5, "A"}, {2020, 6, 6, "C"}, {2021, 6, 6, ""}, {2020, 7, 7, ""}, {2020, 5, 6, ""},
    };
    for (const auto& c : cases) {
        QString text = QStringLiteral("stale");
        Sheet::drawCal2anniversary(Anniversaries::datesOf(list), c.y, c.m, c.d, text);
        EXPECT_EQ(text, QString::fromUtf8(c.text)) << c.y << "-" << c.m << "-" << c.d;

        const MonthWalk walk = Sheet::walkMonth(choices(WeekStart::SundayFirst, 0, 1), list, c.y, c.m);
        const Sheet::WalkCell& cell = cellOfDay(walk, c.d);
        EXPECT_EQ(cell.anniversary, QString::fromUtf8(c.text));
        EXPECT_EQ(cell.kind, *c.text ? Sheet::PlainDay + Sheet::AnniversaryOffset : Sheet::PlainDay);
    }

    QString text = QStringLiteral("stale");
    Sheet::drawCal2anniversary({}, 2020, 5, 5, text);
    EXPECT_TRUE(text.isEmpty());
}

TEST(AnniversaryRule, ValuesHeldAsTextMatchLikeNumbers)
{
    // As read back from the anniversary file: every value a text.
    const AnniversaryList list{Anniversary{QVariant(QStringLiteral("0")), QVariant(QStringLiteral("12")),
                                           QVariant(QStringLiteral("25")), QVariant(QStringLiteral("聖夜"))}};
    QString text;
    Sheet::drawCal2anniversary(Anniversaries::datesOf(list), 2031, 12, 25, text);
    EXPECT_EQ(text, QStringLiteral("聖夜"));
}

TEST(AnniversaryRule, EveryYearAndOneYearEntriesOfEveryKindOfValue)
{
    const auto entry = [](const QVariant& yy, const QVariant& mm, const QVariant& dd, const QString& tt) {
        return Anniversary{yy, mm, dd, tt};
    };
    const AnniversaryList list = {
        entry(int32_t(0), QStringLiteral("5"), QStringLiteral("5"), QStringLiteral("毎年の日")),
        entry(QStringLiteral("2009"), QStringLiteral("5"), QStringLiteral("5"), QStringLiteral("2009年だけ")),
        entry(QStringLiteral("2010"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("2010年元日")),
        entry(QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("毎年元日")),
        entry(QStringLiteral("0"), QStringLiteral("12"), QStringLiteral("25"), QString()),
        entry(QStringLiteral("0"), QStringLiteral("12"), QStringLiteral("25"), QStringLiteral("隠れる")),
        entry(2011.0, 7.0, QStringLiteral("07"), QStringLiteral("数の値")),
    };
    const struct {
        int32_t y, m, d;
        const char* expected;
    } cases[] = {
        {2009, 5, 5, "毎年の日"}, // the every-year entry above hides the one-year entry
        {1999, 5, 5, "毎年の日"},
        {2010, 1, 1, "2010年元日"},
        {2011, 1, 1, "毎年元日"},
        {2020, 12, 25, ""},       // an entry with no text, hiding the one below it
        {2011, 7, 7, "数の値"},
        {2012, 7, 7, ""},
        {2009, 5, 6, ""},
        {2009, 6, 5, ""},
    };
    const AnniversaryDates dates = Anniversaries::datesOf(list);
    for (const auto& c : cases) {
        QString text = QStringLiteral("stale");
        Sheet::drawCal2anniversary(dates, c.y, c.m, c.d, text);
        EXPECT_EQ(text, QString::fromUtf8(c.expected)) << c.y << "/" << c.m << "/" << c.d;
    }
}

// The walk reads the list once for the whole month; every day, in the grid or
// overflowing it, still gets its own entry's text, whatever kind each value is
// held as.
TEST(AnniversaryRule, TheWalkAnswersAsTheListItselfForEveryKindOfStoredValue)
{
    const auto v = [](auto x) { return QVariant(x); };
    const AnniversaryList list{
        {v(int32_t(0)), v(QStringLiteral("5")), v(QStringLiteral("05")), v(QStringLiteral("A"))},
        {v(2027.0), v(5.9), v(QStringLiteral("6日")), v(QStringLiteral("B"))},
        {v(QStringLiteral("2027年")), v(int32_t(5)), v(7.0), v(QStringLiteral("C"))},
        {v(QStringLiteral("0")), v(QStringLiteral("5")), v(QStringLiteral("8")), v(QString())}, // hides the next
        {v(QStringLiteral("0")), v(QStringLiteral("5")), v(QStringLiteral("8")), v(QStringLiteral("D"))},
        {QVariant(), v(QStringLiteral("5")), v(QStringLiteral("31")), v(int32_t(31))}, // an overflow day
        {v(QStringLiteral("")), v(QStringLiteral("abc")), v(QStringLiteral("9")), v(QStringLiteral("E"))},
        {v(QStringLiteral("2026")), v(QStringLiteral("4")), v(QStringLiteral("30")), v(QStringLiteral("F"))},
    };
    // A, B, C and "31" in May 2027; A and "31" in May 2026; F in April 2026.
    const QMap<QDate, QString> texts{
        {QDate(2027, 5, 5), QStringLiteral("A")},  {QDate(2027, 5, 6), QStringLiteral("B")},
        {QDate(2027, 5, 7), QStringLiteral("C")},  {QDate(2027, 5, 31), QStringLiteral("31")},
        {QDate(2026, 5, 5), QStringLiteral("A")},  {QDate(2026, 5, 31), QStringLiteral("31")},
        {QDate(2026, 4, 30), QStringLiteral("F")},
    };
    const auto lookedUp = [&](int32_t y, int32_t m, int32_t d) { return texts.value(QDate(y, m, d)); };
    int32_t found = 0;
    for (int32_t year : {2026, 2027}) {
        for (int32_t month : {4, 5}) {
            const MonthWalk walk = Sheet::walkMonth(choices(WeekStart::SundayFirst, 0, 1), list, year, month);
            for (const Sheet::WalkCell& c : walk.cells) {
                if (c.kind == Sheet::OutsideMonth)
                    continue;
                EXPECT_EQ(c.anniversary, lookedUp(year, month, c.day)) << year << "-" << month << "-" << c.day;
                found += c.anniversary.isEmpty() ? 0 : 1;
            }
            for (const Sheet::OverflowDay& o : walk.overflow) {
                EXPECT_EQ(o.anniversary, lookedUp(year, month, o.day)) << year << "-" << month << "-" << o.day;
                found += o.anniversary.isEmpty() ? 0 : 1;
            }
        }
    }
    EXPECT_EQ(found, texts.size());
}

TEST(AnniversaryRule, OverflowDaysAreLookedUpWhateverTheDisplay)
{
    const AnniversaryList list{SheetTest::anniversary(0, 3, 31, QStringLiteral("年度末"))};
    const MonthWalk walk = Sheet::walkMonth(choices(WeekStart::SundayFirst, 2, 0), list, 2014, 3);
    ASSERT_EQ(overflowDays(walk), (QList<int32_t>{30, 31}));
    EXPECT_TRUE(walk.overflow[0].anniversary.isEmpty());
    EXPECT_EQ(walk.overflow[1].anniversary, QStringLiteral("年度末"));
}

TEST(CellClassification, OneCellWritesOnlyWhatApplies)
{
    // An outside cell writes only its kind; holidays off leave name and flag.
    int32_t kind = 7, day = 9;
    QString name = QStringLiteral("x"), text = QStringLiteral("y");
    bool flag = true;
    const WalkChoices off{WeekStart::SundayFirst, 0, 0};
    Sheet::drawCal2(off, {}, 0, 2014, 11, -1, 6, 30, kind, day, name, flag, text);
    EXPECT_EQ(kind, Sheet::OutsideMonth);
    EXPECT_EQ(day, 9);
    EXPECT_EQ(name, QStringLiteral("x"));
    EXPECT_TRUE(flag);

    Sheet::drawCal2(off, {}, 28, 2014, 11, -1, 6, 30, kind, day, name, flag, text);
    EXPECT_EQ(kind, Sheet::PlainDay);
    EXPECT_EQ(day, 23);
    EXPECT_EQ(name, QStringLiteral("x"));
    EXPECT_EQ(text, QStringLiteral("y"));

    const WalkChoices on{WeekStart::SundayFirst, 1, 0};
    Sheet::drawCal2(on, {}, 28, 2014, 11, -1, 6, 30, kind, day, name, flag, text);
    EXPECT_EQ(kind, Sheet::PublicHoliday);
    EXPECT_EQ(name, QStringLiteral("勤労感謝の日"));
    EXPECT_TRUE(flag);
}

TEST(CellClassification, EquinoxDaysOfTheMonthDrawn)
{
    const MonthWalk march = Sheet::walkMonth(choices(WeekStart::SundayFirst), {}, 2014, 3);
    EXPECT_EQ(march.inputs.equinoxDay, 21);
    EXPECT_EQ(cellOfDay(march, 21).holidayName, QStringLiteral("春分の日"));
    const MonthWalk may = Sheet::walkMonth(choices(WeekStart::SundayFirst), {}, 2014, 5);
    EXPECT_EQ(may.inputs.equinoxDay, -1);
}

} // namespace
