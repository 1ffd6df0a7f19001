#pragma once

#include <cstdint>

// Which weekday stands in column 0 of the month grid. Any stored value other
// than 0 counts as Monday first.
enum class WeekStart : int32_t { SundayFirst = 0, MondayFirst = 1 };

inline WeekStart weekStartFrom(int32_t dow1st)
{
    return dow1st == 0 ? WeekStart::SundayFirst : WeekStart::MondayFirst;
}

namespace Globals {
// 1 in a Gregorian leap year, else 0.
int32_t gUruu(int32_t year);
// Days of the month; 0 for a month outside 1..12.
int32_t gDayCount(int32_t year, int32_t month);
} // namespace Globals

namespace Calendar {
// Modified Julian Day of a Gregorian date: the day count since 17 November
// 1858 (a Wednesday), a whole number kept in Double so that no year, however
// far off, overflows.
double mjd(int32_t year, int32_t month, int32_t day);
// Grid column 0..6 of the date.
int32_t weekdayColumn(int32_t year, int32_t month, int32_t day, WeekStart ws);
int32_t sundayColumn(WeekStart ws);
int32_t mondayColumn(WeekStart ws);
int32_t tuesdayColumn(WeekStart ws);
int32_t wednesdayColumn(WeekStart ws);
int32_t saturdayColumn(WeekStart ws);
// Steps (year, month) to the next month.
void countYYMM(int32_t& year, int32_t& month);
} // namespace Calendar
