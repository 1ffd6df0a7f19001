#include "calendar/Astro.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <span>

namespace {

constexpr double kJ2000 = 2451545.0;
constexpr double kDaysPerCentury = 36525.0;
constexpr double kDaysPerMillennium = 365250.0;
constexpr double kDaysPerJulianYear = 365.25;
constexpr double kSecondsPerDay = 86400.0;
constexpr double kPi = 3.14159265358979323846;
constexpr double kDegToRad = kPi / 180.0;
constexpr double kRadToDeg = 180.0 / kPi;
constexpr double kArcsecond = 1.0 / 3600.0;
// From 0h UT of a date to 0h JST of it, and on to 14:00 JST.
constexpr double kToMidnightJst = -0.375;
constexpr double kToAfternoonJst = 0.5833333333333334;
// Japan Standard Time is nine hours ahead of UT.
constexpr double kJstOffset = 0.375;

// One periodic term of the Earth's heliocentric coordinates: a × cos(b + c τ),
// a in 1e-8 radian (longitude) or 1e-8 au (radius), τ in Julian millennia of
// TT from J2000.0.
struct Term {
    double a;
    double b;
    double c;
};

// The Earth's heliocentric longitude and radius vector in the abridged form of
// the planetary theory VSOP87 (Bretagnon and Francou 1988) that Meeus gives in
// "Astronomical Algorithms" (2nd ed., Appendix III), good to about one second
// of arc over the centuries a calendar covers. The latitude is left out: the
// Sun's latitude, never above 1.2", does not move its longitude.
constexpr Term kL0[] = {
    {175347046, 0, 0},          {3341656, 4.6692568, 6283.07585}, {34894, 4.6261, 12566.1517},
    {3497, 2.7441, 5753.3849},  {3418, 2.8289, 3.5231},           {3136, 3.6277, 77713.7715},
    {2676, 4.4181, 7860.4194},  {2343, 6.1352, 3930.2097},        {1324, 0.7425, 11506.7698},
    {1273, 2.0371, 529.691},    {1199, 1.1096, 1577.3435},        {990, 5.233, 5884.927},
    {902, 2.045, 26.298},       {857, 3.508, 398.149},            {780, 1.179, 5223.694},
    {753, 2.533, 5507.553},     {505, 4.583, 18849.228},          {492, 4.205, 775.523},
    {357, 2.92, 0.067},         {317, 5.849, 11790.629},          {284, 1.899, 796.298},
    {271, 0.315, 10977.079},    {243, 0.345, 5486.778},           {206, 4.806, 2544.314},
    {205, 1.869, 5573.143},     {202, 2.458, 6069.777},           {156, 0.833, 213.299},
    {132, 3.411, 2942.463},     {126, 1.083, 20.775},             {115, 0.645, 0.98},
    {103, 0.636, 4694.003},     {102, 0.976, 15720.839},          {102, 4.267, 7.114},
    {99, 6.21, 2146.17},        {98, 0.68, 155.42},               {86, 5.98, 161000.69},
    {85, 1.3, 6275.96},         {85, 3.67, 71430.7},              {80, 1.81, 17260.15},
    {79, 3.04, 12036.46},       {75, 1.76, 5088.63},              {74, 3.5, 3154.69},
    {74, 4.68, 801.82},         {70, 0.83, 9437.76},              {62, 3.98, 8827.39},
    {61, 1.82, 7084.9},         {57, 2.78, 6286.6},               {56, 4.39, 14143.5},
    {56, 3.47, 6279.55},        {52, 0.19, 12139.55},             {52, 1.33, 1748.02},
    {51, 0.28, 5856.48},        {49, 0.49, 1194.45},              {41, 5.37, 8429.24},
    {41, 2.4, 19651.05},        {39, 6.17, 10447.39},             {37, 6.04, 10213.29},
    {37, 2.57, 1059.38},        {36, 1.71, 2352.87},              {36, 1.78, 6812.77},
    {33, 0.59, 17789.85},       {30, 0.44, 83996.85},             {30, 2.74, 1349.87},
    {25, 3.16, 4690.48},
};
constexpr Term kL1[] = {
    {628331966747, 0, 0}, {206059, 2.678235, 6283.07585}, {4303, 2.6351, 12566.1517},
    {425, 1.59, 3.523},   {119, 5.796, 26.298},           {109, 2.966, 1577.344},
    {93, 2.59, 18849.23}, {72, 1.14, 529.69},             {68, 1.87, 398.15},
    {67, 4.41, 5507.55},  {59, 2.89, 5223.69},            {56, 2.17, 155.42},
    {45, 0.4, 796.3},     {36, 0.47, 775.52},             {29, 2.65, 7.11},
    {21, 5.34, 0.98},     {19, 1.85, 5486.78},            {19, 4.97, 213.3},
    {17, 2.99, 6275.96},  {16, 0.03, 2544.31},            {16, 1.43, 2146.17},
    {15, 1.21, 10977.08}, {12, 2.83, 1748.02},            {12, 3.26, 5088.63},
    {12, 5.27, 1194.45},  {12, 2.08, 4694},               {11, 0.77, 553.57},
    {10, 1.3, 6286.6},    {10, 4.24, 1349.87},            {9, 2.7, 242.73},
    {9, 5.64, 951.72},    {8, 5.3, 2352.87},              {6, 2.65, 9437.76},
    {6, 4.67, 4690.48},
};
constexpr Term kL2[] = {
    {52919, 0, 0},       {8720, 1.0721, 6283.0758}, {309, 0.867, 12566.152}, {27, 0.05, 3.52},
    {16, 5.19, 26.3},    {16, 3.68, 155.42},        {10, 0.76, 18849.23},    {9, 2.06, 77713.77},
    {7, 0.83, 775.52},   {5, 4.66, 1577.34},        {4, 1.03, 7.11},         {4, 3.44, 5573.14},
    {3, 5.14, 796.3},    {3, 6.05, 5507.55},        {3, 1.19, 242.73},       {3, 6.12, 529.69},
    {3, 0.31, 398.15},   {3, 2.28, 553.57},         {2, 4.38, 5223.69},      {2, 3.75, 0.98},
};
constexpr Term kL3[] = {
    {289, 5.844, 6283.076}, {35, 0, 0},          {17, 5.49, 12566.15}, {3, 5.2, 155.42},
    {1, 4.72, 3.52},        {1, 5.3, 18849.23},  {1, 5.97, 242.73},
};
constexpr Term kL4[] = {{114, 3.142, 0}, {8, 4.13, 6283.08}, {1, 3.84, 12566.15}};
constexpr Term kL5[] = {{1, 3.14, 0}};

constexpr Term kR0[] = {
    {100013989, 0, 0},         {1670700, 3.0984635, 6283.07585}, {13956, 3.05525, 12566.1517},
    {3084, 5.1985, 77713.7715}, {1628, 1.1739, 5753.3849},       {1576, 2.8469, 7860.4194},
    {925, 5.453, 11506.77},     {542, 4.564, 3930.21},           {472, 3.661, 5884.927},
    {346, 0.964, 5507.553},     {329, 5.9, 5223.694},            {307, 0.299, 5573.143},
    {243, 4.273, 11790.629},    {212, 5.847, 1577.344},          {186, 5.022, 10977.079},
    {175, 3.012, 18849.228},    {110, 5.055, 5486.778},          {98, 0.89, 6069.78},
    {86, 5.69, 15720.84},       {86, 1.27, 161000.69},           {65, 0.27, 17260.15},
    {63, 0.92, 529.69},         {57, 2.01, 83996.85},            {56, 5.24, 71430.7},
    {49, 3.25, 2544.31},        {47, 2.58, 775.52},              {45, 5.54, 9437.76},
    {43, 6.01, 6275.96},        {39, 5.36, 4694},                {38, 2.39, 8827.39},
    {37, 0.83, 19651.05},       {37, 4.9, 12139.55},             {36, 1.67, 12036.46},
    {35, 1.84, 2942.46},        {33, 0.24, 7084.9},              {32, 0.18, 5088.63},
    {32, 1.78, 398.15},         {28, 1.21, 6286.6},              {28, 1.9, 6279.55},
    {26, 4.59, 10447.39},
};
constexpr Term kR1[] = {
    {103019, 1.10749, 6283.07585}, {1721, 1.0644, 12566.1517}, {702, 3.142, 0},
    {32, 1.02, 18849.23},          {31, 2.84, 5507.55},        {25, 1.32, 5223.69},
    {18, 1.42, 1577.34},           {10, 5.91, 10977.08},       {9, 1.42, 6275.96},
    {9, 0.27, 5486.78},
};
constexpr Term kR2[] = {
    {4359, 5.7846, 6283.0758}, {124, 5.579, 12566.152}, {12, 3.14, 0},
    {9, 3.63, 77713.77},       {6, 1.87, 5573.14},      {3, 5.47, 18849.23},
};
constexpr Term kR3[] = {{145, 4.273, 6283.076}, {7, 3.92, 12566.15}};
constexpr Term kR4[] = {{4, 2.56, 6283.08}};

// Series of each power of τ, from τ^0 up.
constexpr std::array<std::span<const Term>, 6> kEarthLongitude{kL0, kL1, kL2, kL3, kL4, kL5};
constexpr std::array<std::span<const Term>, 5> kEarthRadius{kR0, kR1, kR2, kR3, kR4};

double sumOfTerms(std::span<const Term> terms, double tau)
{
    double sum = 0.0;
    for (const Term& t : terms)
        sum += t.a * std::cos(t.b + t.c * tau);
    return sum;
}

// Σ τ^k × (series k), in units of 1e-8.
double seriesValue(std::span<const std::span<const Term>> powers, double tau)
{
    double value = 0.0;
    for (auto it = powers.rbegin(); it != powers.rend(); ++it)
        value = value * tau + sumOfTerms(*it, tau);
    return value * 1e-8;
}

// The nutation in longitude of the IAU 1980 theory (Meeus, table 22.A): the
// multiples of the Moon's elongation D, the Sun's and the Moon's anomalies M
// and M', the Moon's argument of latitude F and its node Ω, and the amplitude
// a + b T in units of 0.0001".
struct NutationTerm {
    int d, m, mp, f, om;
    double a, b;
};
constexpr NutationTerm kNutation[] = {
    {0, 0, 0, 0, 1, -171996, -174.2}, {-2, 0, 0, 2, 2, -13187, -1.6}, {0, 0, 0, 2, 2, -2274, -0.2},
    {0, 0, 0, 0, 2, 2062, 0.2},       {0, 1, 0, 0, 0, 1426, -3.4},    {0, 0, 1, 0, 0, 712, 0.1},
    {-2, 1, 0, 2, 2, -517, 1.2},      {0, 0, 0, 2, 1, -386, -0.4},    {0, 0, 1, 2, 2, -301, 0},
    {-2, -1, 0, 2, 2, 217, -0.5},     {-2, 0, 1, 0, 0, -158, 0},      {-2, 0, 0, 2, 1, 129, 0.1},
    {0, 0, -1, 2, 2, 123, 0},         {2, 0, 0, 0, 0, 63, 0},         {0, 0, 1, 0, 1, 63, 0.1},
    {2, 0, -1, 2, 2, -59, 0},         {0, 0, -1, 0, 1, -58, -0.1},    {0, 0, 1, 2, 1, -51, 0},
    {-2, 0, 2, 0, 0, 48, 0},          {0, 0, -2, 2, 1, 46, 0},        {2, 0, 0, 2, 2, -38, 0},
    {0, 0, 2, 2, 2, -31, 0},          {0, 0, 2, 0, 0, 29, 0},         {-2, 0, 1, 2, 2, 29, 0},
    {0, 0, 0, 2, 0, 26, 0},           {-2, 0, 0, 2, 0, -22, 0},       {0, 0, -1, 2, 1, 21, 0},
    {0, 2, 0, 0, 0, 17, -0.1},        {2, 0, -1, 0, 1, 16, 0},        {-2, 2, 0, 2, 2, -16, 0.1},
    {0, 1, 0, 0, 1, -15, 0},          {-2, 0, 1, 0, 1, -13, 0},       {0, -1, 0, 0, 1, -12, 0},
    {0, 0, 2, -2, 0, 11, 0},          {2, 0, -1, 2, 1, -10, 0},       {2, 0, 1, 2, 2, -8, 0},
    {0, 1, 0, 2, 2, 7, 0},            {-2, 1, 1, 0, 0, -7, 0},        {0, -1, 0, 2, 2, -7, 0},
    {2, 0, 0, 2, 1, -7, 0},           {2, 0, 1, 0, 0, 6, 0},          {-2, 0, 2, 2, 2, 6, 0},
    {-2, 0, 1, 2, 1, 6, 0},           {2, 0, -2, 0, 1, -6, 0},        {2, 0, 0, 0, 1, -6, 0},
    {0, -1, 1, 0, 0, 5, 0},           {-2, -1, 0, 2, 1, -5, 0},       {-2, 0, 0, 0, 1, -5, 0},
    {0, 0, 2, 2, 1, -5, 0},           {-2, 0, 2, 0, 1, 4, 0},         {-2, 1, 0, 2, 1, 4, 0},
    {0, 0, 1, -2, 0, 4, 0},           {-1, 0, 1, 0, 0, -4, 0},        {-2, 1, 0, 0, 0, -4, 0},
    {1, 0, 0, 0, 0, -4, 0},           {0, 0, 1, 2, 0, 3, 0},          {0, 0, -2, 2, 2, -3, 0},
    {-1, -1, 1, 0, 0, -3, 0},         {0, 1, 1, 0, 0, -3, 0},         {0, -1, 1, 2, 2, -3, 0},
    {2, -1, -1, 2, 2, -3, 0},         {0, 0, 3, 2, 2, -3, 0},         {2, -1, 0, 2, 2, -3, 0},
};

// Nutation in longitude, in degrees, T in Julian centuries of TT from J2000.0.
double nutationInLongitude(double t)
{
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double d = 297.85036 + 445267.111480 * t - 0.0019142 * t2 + t3 / 189474.0;
    const double m = 357.52772 + 35999.050340 * t - 0.0001603 * t2 - t3 / 300000.0;
    const double mp = 134.96298 + 477198.867398 * t + 0.0086972 * t2 + t3 / 56250.0;
    const double f = 93.27191 + 483202.017538 * t - 0.0036825 * t2 + t3 / 327270.0;
    const double om = 125.04452 - 1934.136261 * t + 0.0020708 * t2 + t3 / 450000.0;
    double sum = 0.0;
    for (const NutationTerm& n : kNutation) {
        const double arg = n.d * d + n.m * m + n.mp * mp + n.f * f + n.om * om;
        sum += (n.a + n.b * t) * std::sin(arg * kDegToRad);
    }
    return sum * 1e-4 * kArcsecond;
}

double normalised(double degrees)
{
    // An exact reduction: however far the year lies from 2000, one step.
    double lon = std::fmod(degrees, 360.0);
    if (lon < 0.0)
        lon += 360.0;
    // A tiny negative remainder rounds up to exactly 360 when shifted.
    if (lon >= 360.0)
        lon -= 360.0;
    return lon;
}

double polynomial(double x, std::initializer_list<double> coefficients)
{
    double value = 0.0;
    for (auto it = coefficients.end(); it != coefficients.begin();)
        value = value * x + *--it;
    return value;
}

double yearOf(double julianDate) { return 2000.0 + (julianDate - kJ2000) / kDaysPerJulianYear; }

double toTT(double julianDate) { return julianDate + Astro::DeltaT(yearOf(julianDate)) / kSecondsPerDay; }

double toUT(double julianEphemerisDate)
{
    return julianEphemerisDate - Astro::DeltaT(yearOf(julianEphemerisDate)) / kSecondsPerDay;
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

// The Sun's mean motion in longitude; its true rate stays within 4 % of it.
constexpr double kMeanDegreesPerDay = 360.0 / 365.2422;
// A start within a few days of the crossing needs about five steps. Far outside
// the theory's span of years the longitude is no smooth function of time; the
// bounds keep the search short and finite there, whatever it finds.
constexpr int kMaxSteps = 30;
constexpr double kMaxStepDays = 5.0;
constexpr double kToleranceDays = 1e-7;

// The instant (TT) near `start` at which the Sun's apparent longitude reaches
// `target`, by the secant method.
double crossingTT(double start, double target)
{
    double x0 = start;
    double f0 = pastTarget(Astro::SunLongitudeTT(x0), target);
    double x1 = x0 - std::clamp(f0 / kMeanDegreesPerDay, -kMaxStepDays, kMaxStepDays);
    for (int i = 0; i < kMaxSteps; ++i) {
        const double f1 = pastTarget(Astro::SunLongitudeTT(x1), target);
        const double slope = (f1 - f0) / (x1 - x0);
        // A slope far from the Sun's real motion (or none, when the points
        // coincide) would throw the search away: take the mean motion instead.
        const bool plausible = slope > 0.5 * kMeanDegreesPerDay && slope < 2.0 * kMeanDegreesPerDay;
        const double step = std::clamp(f1 / (plausible ? slope : kMeanDegreesPerDay), -kMaxStepDays, kMaxStepDays);
        x0 = x1;
        f0 = f1;
        x1 -= step;
        if (std::abs(step) < kToleranceDays)
            break;
    }
    return x1;
}

// The instant (UT) of the crossing of `target` in the year, searched from noon
// of a day near it.
double equinoxJD(int32_t year, int32_t month, int32_t startDay, double target)
{
    const double startUt = Astro::YMDT2JD(year, month, startDay, 0, 0, 0) + 1.0;
    return toUT(crossingTT(toTT(startUt), target));
}

// The day of the month, in JST, of an instant, held to the candidate days.
int32_t jstDayOfMonth(double instantUt, int32_t year, int32_t month, int32_t first, int32_t last)
{
    // A day number counts from 0h UT; shifting the instant by nine hours
    // counts it from 0h JST.
    const double dayNumber = std::floor(instantUt + kJstOffset - 0.5);
    const double day = dayNumber - Astro::YMDT2JD(year, month, 1, 0, 0, 0) + 1.0;
    if (!(day > first))
        return first;
    if (day >= last)
        return last;
    return static_cast<int32_t>(day);
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
    return SunLongitudeAt(((jd + 0.5) + kToMidnightJst) + kToAfternoonJst);
}

double SunLongitudeAt(double julianDate) { return SunLongitudeTT(toTT(julianDate)); }

double SunLongitudeTT(double julianEphemerisDate)
{
    const double tau = (julianEphemerisDate - kJ2000) / kDaysPerMillennium;
    const double t = (julianEphemerisDate - kJ2000) / kDaysPerCentury;
    // Geocentric: the Sun seen from the Earth stands opposite the Earth seen
    // from the Sun.
    double lon = seriesValue(kEarthLongitude, tau) * kRadToDeg + 180.0;
    // From the theory's dynamical equinox to that of the FK5 star catalogue.
    lon -= 0.09033 * kArcsecond;
    // From the mean equinox of date to the true one.
    lon += nutationInLongitude(t);
    // Aberration: light left the Sun some 8.3 minutes earlier. Far outside the
    // theory's span the series lose all meaning; holding the distance to the
    // Earth's real range keeps the correction finite there.
    const double r = std::clamp(seriesValue(kEarthRadius, tau), 0.98, 1.02);
    lon -= 20.4898 * kArcsecond / r;
    return normalised(lon);
}

double DeltaT(double year)
{
    // Espenak and Meeus (2006), "Five Millennium Canon of Solar Eclipses",
    // polynomial expressions for ΔT; a long-term parabola outside -500..2150.
    const double y = year;
    if (y >= -500.0 && y < 500.0)
        return polynomial(y / 100.0, {10583.6, -1014.41, 33.78311, -5.952053, -0.1798452, 0.022174192, 0.0090316521});
    if (y >= 500.0 && y < 1600.0)
        return polynomial((y - 1000.0) / 100.0,
                          {1574.2, -556.01, 71.23472, 0.319781, -0.8503463, -0.005050998, 0.0083572073});
    if (y >= 1600.0 && y < 1700.0)
        return polynomial(y - 1600.0, {120.0, -0.9808, -0.01532, 1.0 / 7129.0});
    if (y >= 1700.0 && y < 1800.0)
        return polynomial(y - 1700.0, {8.83, 0.1603, -0.0059285, 0.00013336, -1.0 / 1174000.0});
    if (y >= 1800.0 && y < 1860.0)
        return polynomial(y - 1800.0, {13.72, -0.332447, 0.0068612, 0.0041116, -0.00037436, 0.0000121272,
                                       -0.0000001699, 0.000000000875});
    if (y >= 1860.0 && y < 1900.0)
        return polynomial(y - 1860.0, {7.62, 0.5737, -0.251754, 0.01680668, -0.0004473624, 1.0 / 233174.0});
    if (y >= 1900.0 && y < 1920.0)
        return polynomial(y - 1900.0, {-2.79, 1.494119, -0.0598939, 0.0061966, -0.000197});
    if (y >= 1920.0 && y < 1941.0)
        return polynomial(y - 1920.0, {21.20, 0.84493, -0.076100, 0.0020936});
    if (y >= 1941.0 && y < 1961.0)
        return polynomial(y - 1950.0, {29.07, 0.407, -1.0 / 233.0, 1.0 / 2547.0});
    if (y >= 1961.0 && y < 1986.0)
        return polynomial(y - 1975.0, {45.45, 1.067, -1.0 / 260.0, -1.0 / 718.0});
    if (y >= 1986.0 && y < 2005.0)
        return polynomial(y - 2000.0, {63.86, 0.3345, -0.060374, 0.0017275, 0.000651814, 0.00002373599});
    if (y >= 2005.0 && y < 2050.0)
        return polynomial(y - 2000.0, {62.92, 0.32217, 0.005589});
    const double u = (y - 1820.0) / 100.0;
    if (y >= 2050.0 && y < 2150.0)
        return -20.0 + 32.0 * u * u - 0.5628 * (2150.0 - y);
    return -20.0 + 32.0 * u * u;
}

double MarchEquinoxJD(int32_t year) { return equinoxJD(year, 3, 20, 0.0); }
double SeptemberEquinoxJD(int32_t year) { return equinoxJD(year, 9, 22, 180.0); }

int32_t shunbun(int32_t year) { return jstDayOfMonth(MarchEquinoxJD(year), year, 3, 18, 23); }
int32_t shuubun(int32_t year) { return jstDayOfMonth(SeptemberEquinoxJD(year), year, 9, 21, 25); }

} // namespace Astro
