#include "calendar/DateMath.h"

#include <QDate>

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

// Sunday-first column from Qt's weekday (1 Monday .. 7 Sunday), and Monday-first.
int32_t sundayFirstColumn(const QDate& d) { return d.dayOfWeek() % 7; }
int32_t mondayFirstColumn(const QDate& d) { return d.dayOfWeek() - 1; }

} // namespace

TEST(DateMath, LeapYears)
{
    struct Case {
        int32_t year;
        int32_t leap;
    };
    const Case cases[] = {
        {1900, 0}, {2100, 0}, {2000, 1}, {2024, 1}, {2014, 0}, {1600, 1},
        {0, 1}, {-4, 1}, {-100, 0}, {-400, 1}, {-1, 0},
        {std::numeric_limits<int32_t>::min(), 1}, // divisible by 400
    };
    for (const Case& c : cases)
        EXPECT_EQ(Globals::gUruu(c.year), c.leap) << c.year;
}

TEST(DateMath, MonthLengths)
{
    const int32_t lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int32_t m = 1; m <= 12; ++m)
        EXPECT_EQ(Globals::gDayCount(2014, m), lengths[m - 1]) << m;
    EXPECT_EQ(Globals::gDayCount(2000, 2), 29);
    EXPECT_EQ(Globals::gDayCount(1900, 2), 28);
    EXPECT_EQ(Globals::gDayCount(2024, 2), 29);
    for (int32_t bad : {0, 13, -1, std::numeric_limits<int32_t>::max()})
        EXPECT_EQ(Globals::gDayCount(2014, bad), 0) << bad;
}

TEST(DateMath, DayNumberCountsFrom17November1858)
{
    EXPECT_EQ(Calendar::mjd(1858, 11, 17), 0);
    EXPECT_EQ(Calendar::mjd(1858, 11, 16), -1);
    EXPECT_EQ(Calendar::mjd(2000, 1, 1), 51544);
    // Every year and month boundary steps by one day, leap days included.
    for (int32_t y = -500; y <= 2500; y += 7) {
        EXPECT_EQ(Calendar::mjd(y + 1, 1, 1) - Calendar::mjd(y, 1, 1), 365 + Globals::gUruu(y)) << y;
        EXPECT_EQ(Calendar::mjd(y, 3, 1) - Calendar::mjd(y, 2, Globals::gDayCount(y, 2)), 1) << y;
    }
}

TEST(DateMath, WeekdayColumnsOfKnownDates)
{
    struct Case {
        int32_t y, m, d;
        int32_t sundayFirst, mondayFirst;
    };
    const Case cases[] = {
        {1858, 11, 17, 3, 2}, // day 0, a Wednesday
        {2014, 4, 1, 2, 1},   // Tuesday
        {2000, 2, 29, 2, 1},  // Tuesday, counted as month 14 of 1999
        {2000, 3, 1, 3, 2},   // Wednesday
        {2014, 11, 23, 0, 6}, // Sunday
        {2014, 11, 24, 1, 0}, // Monday
        // Before 1858 the day count is negative; the weekday still holds.
        {1858, 11, 16, 2, 1}, // Tuesday
        {1858, 11, 14, 0, 6}, // Sunday
        {1800, 1, 1, 3, 2},   // Wednesday
        {1776, 7, 4, 4, 3},   // Thursday
        {1582, 10, 15, 5, 4}, // Friday
        {1000, 3, 1, 6, 5},   // Saturday
        {1, 1, 1, 1, 0},      // Monday
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Calendar::weekdayColumn(c.y, c.m, c.d, WeekStart::SundayFirst), c.sundayFirst)
            << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(Calendar::weekdayColumn(c.y, c.m, c.d, WeekStart::MondayFirst), c.mondayFirst)
            << c.y << "-" << c.m << "-" << c.d;
    }
}

TEST(DateMath, WeekdayColumnsAgreeWithQDateAcrossTheCalendar)
{
    // Every day of the years around day 0, then the 1st and 28th of every month
    // of years far either side.
    for (QDate d(1857, 1, 1); d <= QDate(1860, 12, 31); d = d.addDays(1)) {
        ASSERT_EQ(Calendar::weekdayColumn(d.year(), d.month(), d.day(), WeekStart::SundayFirst), sundayFirstColumn(d))
            << d.toString(Qt::ISODate).toStdString();
        ASSERT_EQ(Calendar::weekdayColumn(d.year(), d.month(), d.day(), WeekStart::MondayFirst), mondayFirstColumn(d))
            << d.toString(Qt::ISODate).toStdString();
    }
    for (int32_t y = 1; y <= 9999; y += 13) {
        for (int32_t m = 1; m <= 12; ++m) {
            for (int32_t day : {1, 28}) {
                const QDate d(y, m, day);
                ASSERT_EQ(Calendar::weekdayColumn(y, m, day, WeekStart::SundayFirst), sundayFirstColumn(d))
                    << y << "-" << m << "-" << day;
                ASSERT_EQ(Calendar::weekdayColumn(y, m, day, WeekStart::MondayFirst), mondayFirstColumn(d))
                    << y << "-" << m << "-" << day;
            }
        }
    }
}

TEST(DateMath, ColumnsStayInRangeForAnyYear)
{
    // Year 0 and before (no QDate to compare with): one column further per day.
    int32_t prev = Calendar::weekdayColumn(-2, 12, 31, WeekStart::SundayFirst);
    for (int32_t y = -1; y <= 1; ++y) {
        for (int32_t m = 1; m <= 12; ++m) {
            for (int32_t d = 1; d <= Globals::gDayCount(y, m); ++d) {
                const int32_t col = Calendar::weekdayColumn(y, m, d, WeekStart::SundayFirst);
                ASSERT_EQ(col, (prev + 1) % 7) << y << "-" << m << "-" << d;
                prev = col;
            }
        }
    }
    for (int32_t y : {std::numeric_limits<int32_t>::min(), -5000000, 5000000, std::numeric_limits<int32_t>::max()}) {
        for (WeekStart ws : {WeekStart::SundayFirst, WeekStart::MondayFirst}) {
            const int32_t col = Calendar::weekdayColumn(y, 1, 1, ws);
            EXPECT_GE(col, 0) << y;
            EXPECT_LE(col, 6) << y;
        }
    }
}

TEST(DateMath, WeekdayColumnFunctionsFollowWeekStart)
{
    EXPECT_EQ(Calendar::sundayColumn(WeekStart::SundayFirst), 0);
    EXPECT_EQ(Calendar::mondayColumn(WeekStart::SundayFirst), 1);
    EXPECT_EQ(Calendar::tuesdayColumn(WeekStart::SundayFirst), 2);
    EXPECT_EQ(Calendar::wednesdayColumn(WeekStart::SundayFirst), 3);
    // Any stored value but 0 means Monday first.
    for (int32_t stored : {1, 2, -1}) {
        const WeekStart ws = weekStartFrom(stored);
        EXPECT_EQ(ws, WeekStart::MondayFirst) << stored;
        EXPECT_EQ(Calendar::sundayColumn(ws), 6);
        EXPECT_EQ(Calendar::mondayColumn(ws), 0);
        EXPECT_EQ(Calendar::tuesdayColumn(ws), 1);
        EXPECT_EQ(Calendar::wednesdayColumn(ws), 2);
        EXPECT_EQ(Calendar::weekdayColumn(1858, 11, 17, ws), 2);
    }
    EXPECT_EQ(weekStartFrom(0), WeekStart::SundayFirst);

    // The weekend columns are the columns of a real Saturday and Sunday
    // (1 and 2 November 2014).
    for (const WeekStart ws : {WeekStart::SundayFirst, WeekStart::MondayFirst}) {
        EXPECT_EQ(Calendar::saturdayColumn(ws), Calendar::weekdayColumn(2014, 11, 1, ws));
        EXPECT_EQ(Calendar::sundayColumn(ws), Calendar::weekdayColumn(2014, 11, 2, ws));
    }
}

TEST(DateMath, CountYYMMStepsToTheNextMonth)
{
    struct Case {
        int32_t y, m, nextY, nextM;
    };
    const Case cases[] = {
        {2014, 12, 2015, 1},
        {2014, 4, 2014, 5},
        {2014, 11, 2014, 12},
        {1999, 12, 2000, 1},
        {2014, 0, 2014, 1},  // only a month above 12 wraps
        {2014, -3, 2014, -2},
        {2014, 13, 2015, 1},
        {std::numeric_limits<int32_t>::max(), 12, std::numeric_limits<int32_t>::max(), 1},
    };
    for (const Case& c : cases) {
        int32_t y = c.y;
        int32_t m = c.m;
        Calendar::countYYMM(y, m);
        EXPECT_EQ(y, c.nextY) << c.y << "/" << c.m;
        EXPECT_EQ(m, c.nextM) << c.y << "/" << c.m;
    }
}
