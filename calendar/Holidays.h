#pragma once

#include "calendar/DateMath.h"

#include <QString>

#include <cstdint>

namespace Holidays {

// The equinox holiday's day of the month drawn: the March equinox day in March,
// the September one in September, -1 in every other month.
int32_t equinoxDayOf(int32_t year, int32_t month);

// The public holiday of one date of the month drawn. `name` is emptied and set
// to the holiday's name, if any. Returns true when the date is a named holiday
// on a Sunday whose substitute the caller must mark on a following day: before
// 2007 the next day, from 2007 the next day that has no name of its own.
bool drawCal2holiday(int32_t year, int32_t month, int32_t day, int32_t equinoxDay,
                     QString& name, WeekStart ws);

// The full name of the public holiday on any date, the substitute holiday
// "振替休日" included, as a month walk marks it from the substitute flags;
// empty when the date is no holiday.
QString holidayName(int32_t year, int32_t month, int32_t day);

} // namespace Holidays
