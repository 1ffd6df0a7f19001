#include "calendar/Astro.h"

#include <array>
#include <cmath>

namespace {

constexpr double kJ2000 = 2451545.0;
constexpr double kDaysPerCentury = 36525.0;
constexpr double kDegToRad = 0.017453292519943;
// From 0h UT of a date to 0h JST of it, and on to 14:00 JST.
constexpr double kToMidnightJst = -0.375;
constexpr double kToAfternoonJst = 0.5833333333333334;

// Amplitude, rate (degrees per Julian century) and phase of each periodic term.
// Term 1 is the constant correction of term 0's amplitude, not a T term.
struct Term {
    double amplitude;
    double rate;
    double phase;
};
constexpr std::array<Term, 16> kTerms{{
    {1.9147, 35999.05, 267.52},
    {-0.0048, 35999.05, 267.52},
    {0.02, 71988.1, 265.1},
    {0.002, 32964, 158},
    {0.0018, 19, 159},
    {0.0018, 445267, 208},
    {0.0015, 45038, 254},
    {0.0013, 22519, 352},
    {0.0007, 65929, 45},
    {0.0007, 3035, 110},
    {0.007, 9038, 64},
    {0.0006, 33718, 316},
    {0.0005, 155, 118},
    {0.00005, 2281, 221},
    {0.0004, 29930, 48},
    {0.0004, 31557, 161},
}};

double longitudeAtCenturies(double t)
{
    double lon = 280.4659 + 36000.7695 * t;
    for (const Term& term : kTerms)
        lon += term.amplitude * std::cos((term.rate * t + term.phase) * kDegToRad);
    // An exact reduction: however far the year lies from 2000, one step.
    lon = std::fmod(lon, 360.0);
    if (lon < 0.0)
        lon += 360.0;
    // A tiny negative remainder rounds up to exactly 360 when shifted.
    if (lon >= 360.0)
        lon -= 360.0;
    return lon;
}

// How far the longitude has passed the target, in [-180, 180): negative before
// the crossing, positive after it.
double pastTarget(double lon, double target)
{
    double d = lon - target;
    if (d >= 180.0)
        d -= 360.0;
    else if (d < -180.0)
        d += 360.0;
    return d;
}

// The first candidate day whose following midnight (JST) lies after the
// crossing: its own midnight lay before it, or it is the first candidate.
int32_t equinoxDay(int32_t year, int32_t month, double target, int32_t first, int32_t last)
{
    for (int32_t d = first; d < last; ++d) {
        const double nextDay = Astro::YMDT2JD(year, month, d + 1, 0, 0, 0);
        const double nextMidnight = (nextDay + 0.5) + kToMidnightJst;
        if (pastTarget(Astro::SunLongitudeAt(nextMidnight), target) > 0.0)
            return d;
    }
    return last;
}

} // namespace

namespace Astro {

double YMDT2JD(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute, int32_t second)
{
    // The steps run in Double, each Int32 conversion as a truncation, so that
    // a far-off year gives a far-off number rather than an overflow.
    double y = year;
    double m = month;
    if (static_cast<double>(month) < 3.0) {
        y = std::trunc(static_cast<double>(year) - 1.0);
        m = std::trunc(static_cast<double>(month) + 12.0);
    }
    double j = std::trunc(std::floor(365.25 * y));
    j = std::trunc(j + std::floor(y / 400.0));
    j = std::trunc(j - std::floor(y / 100.0));
    j = std::trunc(j + std::floor(30.59 * (m - 2.0)));
    j = j + 1721088.0 + static_cast<double>(day);

    // Seconds and minutes become whole hours, the hours whole days.
    double t = std::trunc(static_cast<double>(second) / 3600.0);
    t = std::trunc(t + static_cast<double>(minute) / 60.0);
    t = t + static_cast<double>(hour);
    t = std::trunc(t / 24.0);
    return j + t;
}

double SunLongitude(double jd)
{
    const double t = ((((jd + 0.5) + kToMidnightJst) + kToAfternoonJst) - kJ2000) / kDaysPerCentury;
    return longitudeAtCenturies(t);
}

double SunLongitudeAt(double julianDate)
{
    return longitudeAtCenturies((julianDate - kJ2000) / kDaysPerCentury);
}

int32_t shunbun(int32_t year) { return equinoxDay(year, 3, 0.0, 18, 23); }
int32_t shuubun(int32_t year) { return equinoxDay(year, 9, 180.0, 21, 25); }

} // namespace Astro
