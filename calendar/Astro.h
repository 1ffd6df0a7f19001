#pragma once

#include <cstdint>

// The Sun's apparent ecliptic longitude, and the equinox days of Japan that
// follow from it.
namespace Astro {

// Day number of a date: its Modified Julian Day plus 2400000, a whole number.
// The time of day adds whole days only (hour 24 adds one, 23:59:59 nothing).
double YMDT2JD(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute, int32_t second);

// The Sun's apparent longitude in degrees, in [0, 360), at 14:00 JST of the
// date with that day number.
double SunLongitude(double jd);

// The Sun's apparent longitude in degrees, in [0, 360), at the instant given
// as a Julian Date in Universal Time.
double SunLongitudeAt(double julianDate);

// The same at an instant given as a Julian Date in Terrestrial Time, the time
// scale the planetary theory runs on.
double SunLongitudeTT(double julianEphemerisDate);

// TT - UT in seconds for a year with its fraction (2000.5 is mid-2000).
double DeltaT(double year);

// The Julian Date (UT) at which the Sun's apparent longitude reaches 0 degrees
// in March, or 180 degrees in September, of the year.
double MarchEquinoxJD(int32_t year);
double SeptemberEquinoxJD(int32_t year);

// The day of the month, in Japan Standard Time, on which the Sun reaches
// longitude 0 in March (18..23) or 180 in September (21..25). A year whose
// crossing falls outside that range gets the nearer end of it.
int32_t shunbun(int32_t year);
int32_t shuubun(int32_t year);

} // namespace Astro
