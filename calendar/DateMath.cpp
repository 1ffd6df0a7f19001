#include "calendar/DateMath.h"

#include <cmath>
#include <limits>

namespace Globals {

int32_t gUruu(int32_t year)
{
    // The remainder of a truncating division is 0 exactly when the quotient
    // multiplies back, for negative years too.
    const bool by4 = year % 4 == 0;
    const bool by100 = year % 100 == 0;
    const bool by400 = year % 400 == 0;
    return ((by4 && !by100) || by400) ? 1 : 0;
}

int32_t gDayCount(int32_t year, int32_t month)
{
    switch (month) {
    case 1: case 3: case 5: case 7: case 8: case 10: case 12:
        return 31;
    case 4: case 6: case 9: case 11:
        return 30;
    case 2:
        return 28 + gUruu(year);
    default:
        return 0;
    }
}

} // namespace Globals

namespace Calendar {

double mjd(int32_t year, int32_t month, int32_t day)
{
    double y = year;
    double m = month;
    if (month < 3) {
        // January and February count as months 13 and 14 of the year before.
        y -= 1.0;
        m += 12.0;
    }
    // The day goes through an Int32 conversion that drops the fraction.
    const double d = std::trunc(static_cast<double>(day) + 0.5);
    return std::floor(365.25 * y) + std::floor(y / 400.0) - std::floor(y / 100.0)
        + std::floor(30.59 * (m - 2.0)) + d - 678912.0;
}

int32_t weekdayColumn(int32_t year, int32_t month, int32_t day, WeekStart ws)
{
    // 0 Wednesday ... 6 Tuesday. Days before 17 November 1858 have a negative
    // count; the remainder is taken non-negative so they keep their true weekday.
    double w = std::fmod(mjd(year, month, day), 7.0);
    if (w < 0.0)
        w += 7.0;
    const int32_t weekday = static_cast<int32_t>(w);
    // Sunday is weekday 4; under Sunday first it is column 0, under Monday first column 6.
    const int32_t offset = ws == WeekStart::SundayFirst ? 3 : 2;
    return (weekday + offset) % 7;
}

int32_t sundayColumn(WeekStart ws) { return ws == WeekStart::SundayFirst ? 0 : 6; }
int32_t mondayColumn(WeekStart ws) { return ws == WeekStart::SundayFirst ? 1 : 0; }
int32_t tuesdayColumn(WeekStart ws) { return ws == WeekStart::SundayFirst ? 2 : 1; }
int32_t wednesdayColumn(WeekStart ws) { return ws == WeekStart::SundayFirst ? 3 : 2; }
int32_t saturdayColumn(WeekStart ws) { return ws == WeekStart::SundayFirst ? 6 : 5; }

void countYYMM(int32_t& year, int32_t& month)
{
    // Only forward, and nothing else is checked; the ends of Int32 are held
    // rather than overflowed.
    if (month < 12) {
        month = month + 1;
    } else {
        month = 1;
        if (year < std::numeric_limits<int32_t>::max())
            year = year + 1;
    }
}

} // namespace Calendar
