#include "calendar/Astro.h"
#include "calendar/DateMath.h"
#include "calendar/Holidays.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

TEST(Astro, DayNumbers)
{
    EXPECT_EQ(Astro::YMDT2JD(1858, 11, 17, 0, 0, 0), 2400000.0);
    EXPECT_EQ(Astro::YMDT2JD(2000, 1, 1, 0, 0, 0), 2451544.0);
    // The time of day adds whole days only.
    EXPECT_EQ(Astro::YMDT2JD(2000, 1, 1, 23, 59, 59), 2451544.0);
    EXPECT_EQ(Astro::YMDT2JD(2000, 1, 1, 24, 0, 0), 2451545.0);
    EXPECT_EQ(Astro::YMDT2JD(2000, 1, 1, 0, 60 * 24, 0), 2451545.0);
    // The date part is the weekday day count plus 2400000.
    for (int32_t y : {1, 1582, 1858, 1900, 2000, 2024, 9999})
        for (int32_t m : {1, 2, 3, 12})
            EXPECT_EQ(Astro::YMDT2JD(y, m, 15, 0, 0, 0), Calendar::mjd(y, m, 15) + 2400000.0) << y << "/" << m;
}

TEST(Astro, SunLongitudeAtAfternoonJst)
{
    EXPECT_NEAR(Astro::SunLongitude(Astro::YMDT2JD(2000, 3, 20, 0, 0, 0)), 359.899, 0.001);
    EXPECT_NEAR(Astro::SunLongitude(Astro::YMDT2JD(2000, 3, 21, 0, 0, 0)), 0.892, 0.001);
    EXPECT_NEAR(Astro::SunLongitude(Astro::YMDT2JD(2014, 3, 20, 0, 0, 0)), 359.505, 0.001);
    EXPECT_NEAR(Astro::SunLongitude(Astro::YMDT2JD(2014, 3, 21, 0, 0, 0)), 0.498, 0.001);
    // The instant form is the same series: 14:00 JST is 05:00 UT.
    const double jd = Astro::YMDT2JD(2014, 3, 21, 0, 0, 0);
    EXPECT_NEAR(Astro::SunLongitudeAt(jd + 0.5 + 5.0 / 24.0), Astro::SunLongitude(jd), 1e-9);
    // At 00:00 JST on 21 March 2014 the Sun had not yet reached 0 degrees.
    EXPECT_GT(Astro::SunLongitudeAt(jd + 0.5 - 9.0 / 24.0), 359.9);
}

TEST(Astro, SunLongitudeIsNormalisedForFarYears)
{
    for (int32_t y : {std::numeric_limits<int32_t>::min(), -100000, 1, 1000, 9999, 100000,
                      std::numeric_limits<int32_t>::max()}) {
        for (int32_t m : {3, 9}) {
            const double lon = Astro::SunLongitude(Astro::YMDT2JD(y, m, 20, 0, 0, 0));
            EXPECT_GE(lon, 0.0) << y;
            EXPECT_LT(lon, 360.0) << y;
        }
    }
}

TEST(Astro, EquinoxDaysOfJapan)
{
    // The day in Japan on which the equinox falls, as the public holiday was
    // published. Years marked * have the instant within half an hour of
    // midnight JST, where dating by the nearest afternoon goes wrong.
    struct Case {
        int32_t year;
        int32_t march;
        int32_t september;
    };
    const Case cases[] = {
        {1956, 21, 23}, // * 00:21 JST 21 March
        {1960, 20, 23}, // * 23:42 JST 20 March
        {1964, 20, 23},
        {1975, 21, 24}, // * 00:54 JST 24 September
        {1981, 21, 23},
        {1983, 21, 23}, // * 23:41 JST 23 September
        {1989, 21, 23}, // * 00:28 JST 21 March
        {1993, 20, 23}, // * 23:41 JST 20 March
        {2000, 20, 23}, {2001, 20, 23}, {2002, 21, 23}, {2003, 21, 23},
        {2004, 20, 23}, // * 01:30 JST 23 September
        {2005, 20, 23}, {2006, 21, 23}, {2007, 21, 23},
        {2008, 20, 23}, // * 00:44 JST 23 September
        {2009, 20, 23}, {2010, 21, 23}, {2011, 21, 23},
        {2012, 20, 22}, // * 23:49 JST 22 September
        {2013, 20, 23},
        {2014, 21, 23}, // * 01:57 JST 21 March
        {2015, 21, 23},
        {2016, 20, 22}, // * 23:21 JST 22 September
        {2017, 20, 23}, {2018, 21, 23}, {2019, 21, 23}, {2020, 20, 22}, {2021, 20, 23},
        {2022, 21, 23}, // * 00:33 JST 21 March
        {2023, 21, 23}, {2024, 20, 22}, {2025, 20, 23},
        {2026, 20, 23}, // * 23:46 JST 20 March
        {2027, 21, 23}, {2028, 20, 22}, {2029, 20, 23}, {2030, 20, 23},
        {2032, 20, 22},
        {2033, 20, 23}, // * 01:51 JST 23 September
        {2041, 20, 23}, // * 00:26 JST 23 September
        {2051, 21, 23}, // * 00:58 JST 21 March
        {2080, 20, 22}, // * 01:43 JST 20 March
        {2092, 19, 22}, // the first 19 March
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Astro::shunbun(c.year), c.march) << c.year;
        EXPECT_EQ(Astro::shuubun(c.year), c.september) << c.year;
    }
}

TEST(Astro, EquinoxMonthsOnly)
{
    EXPECT_EQ(Holidays::equinoxDayOf(2014, 3), 21);
    EXPECT_EQ(Holidays::equinoxDayOf(2014, 9), 23);
    for (int32_t m : {0, 1, 2, 4, 8, 10, 12, 13})
        EXPECT_EQ(Holidays::equinoxDayOf(2014, m), -1) << m;
}

TEST(Astro, FarYearsGiveADayInRangeAtOnce)
{
    const int32_t years[] = {std::numeric_limits<int32_t>::min(), -2000000, -4712, 0, 1, 1000,
                             2999, 9999, 2000000, std::numeric_limits<int32_t>::max()};
    for (int32_t y : years) {
        const int32_t march = Astro::shunbun(y);
        const int32_t september = Astro::shuubun(y);
        EXPECT_GE(march, 18) << y;
        EXPECT_LE(march, 23) << y;
        EXPECT_GE(september, 21) << y;
        EXPECT_LE(september, 25) << y;
    }
    // Far years must not cost more than near ones.
    for (int32_t y = -1000000; y <= 1000000; y += 20011) {
        const int32_t march = Astro::shunbun(y);
        ASSERT_TRUE(march >= 18 && march <= 23) << y;
    }
}
