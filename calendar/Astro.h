#pragma once

#include <cstdint>

// The Sun's ecliptic longitude from a 16-term cosine series, and the equinox
// days of Japan that follow from it.
namespace Astro {

// Day number of a date: its Modified Julian Day plus 2400000, a whole number.
// The time of day adds whole days only (hour 24 adds one, 23:59:59 nothing).
double YMDT2JD(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute, int32_t second);

// The Sun's longitude in degrees, in [0, 360), at 14:00 JST of the date with
// that day number.
double SunLongitude(double jd);

// The Sun's longitude in degrees, in [0, 360), at the instant given as a
// Julian Date (UT).
double SunLongitudeAt(double julianDate);

// The day of the month, in Japan Standard Time, on which the Sun reaches
// longitude 0 in March (18..23) or 180 in September (21..25). A year whose
// crossing the series puts outside that range gets the nearer end of it.
int32_t shunbun(int32_t year);
int32_t shuubun(int32_t year);

} // namespace Astro
