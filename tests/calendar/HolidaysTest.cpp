#include "calendar/DateMath.h"
#include "calendar/Holidays.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

constexpr WeekStart kBoth[] = {WeekStart::SundayFirst, WeekStart::MondayFirst};

struct Answer {
    std::string name;
    bool substitute;
};

Answer ask(int32_t y, int32_t m, int32_t d, WeekStart ws, int32_t equinoxDay)
{
    QString name = QStringLiteral("left over");
    const bool flag = Holidays::drawCal2holiday(y, m, d, equinoxDay, name, ws);
    return {name.toStdString(), flag};
}

Answer ask(int32_t y, int32_t m, int32_t d, WeekStart ws)
{
    return ask(y, m, d, ws, Holidays::equinoxDayOf(y, m));
}

// Every holiday of a year as "MM-DD name", in date order.
QStringList holidaysOf(int32_t year)
{
    QStringList out;
    for (int32_t m = 1; m <= 12; ++m) {
        for (int32_t d = 1; d <= Globals::gDayCount(year, m); ++d) {
            const QString name = Holidays::holidayName(year, m, d);
            if (!name.isEmpty())
                out << QStringLiteral("%1-%2 %3").arg(m, 2, 10, QLatin1Char('0')).arg(d, 2, 10, QLatin1Char('0')).arg(name);
        }
    }
    return out;
}

} // namespace

TEST(Holidays, SingleDatesAndTheirSubstituteFlag)
{
    struct Case {
        int32_t y, m, d;
        const char* name;
        bool substitute;
    };
    const Case cases[] = {
        {2014, 11, 23, "勤労感謝の日", true}, // a Sunday
        {2014, 11, 24, "", false},             // the caller marks it
        {1973, 4, 29, "天皇誕生日", true},   // first Sunday holiday with a substitute
        {1973, 2, 11, "建国記念の日", false}, // a Sunday before the substitute rule
        {1973, 9, 23, "秋分の日", true},
        {2009, 5, 3, "憲法記念日", false},    // 6 May is named instead
        {2009, 5, 4, "みどりの日", false},
        {2009, 5, 6, "振替休日", false},      // a Wednesday
        {2014, 5, 6, "振替休日", false},      // a Tuesday
        {2010, 5, 6, "", false},              // a Thursday
        {2013, 5, 5, "こどもの日", true},
        {2014, 1, 13, "成人の日", false},
        {2014, 1, 15, "", false},
        {1999, 1, 15, "成人の日", false},
        {2000, 1, 10, "成人の日", false},
        {2000, 1, 15, "", false},
        {1988, 5, 4, "国民の休日", false},
        {2007, 5, 4, "みどりの日", false},
        {1988, 4, 29, "天皇誕生日", false},
        {1989, 4, 29, "みどりの日", false},
        {2006, 4, 29, "みどりの日", false},
        {2007, 4, 29, "昭和の日", true},      // a Sunday
        {1988, 12, 23, "", false},
        {1989, 12, 23, "天皇誕生日", false},
        {1966, 2, 11, "", false},
        {1967, 2, 11, "建国記念の日", false},
        {1965, 9, 15, "", false},
        {1966, 9, 15, "敬老の日", false},
        {1965, 10, 10, "", false},
        {1966, 10, 10, "体育の日", false},
        {1995, 7, 20, "", false},
        {1996, 7, 20, "海の日", false},
        {2002, 7, 20, "海の日", false},
        {2003, 7, 21, "海の日", false},
        {2003, 9, 15, "敬老の日", false},
        {2002, 9, 16, "", false},
        {1947, 1, 1, "", false},
        {1948, 1, 1, "元日", false},
        {1947, 11, 3, "", false},
        {1959, 4, 10, "皇太子明仁親王の結婚の儀", false},
        {1989, 2, 24, "昭和天皇の大喪の礼", false},
        {1990, 11, 12, "即位礼正殿の儀", false},
        {1993, 6, 9, "皇太子徳仁親王の結婚の儀", false},
        // Today's law.
        {1992, 5, 3, "憲法記念日", true},     // before 2007 a Sunday 3 May moves to 4 May
        {1992, 5, 4, "", false},               // the substitute, not a citizens' holiday
        {2015, 8, 11, "", false},
        {2016, 8, 11, "山の日", false},
        {2021, 8, 8, "山の日", true},
        {2018, 12, 23, "天皇誕生日", true},
        {2019, 12, 23, "", false},
        {2019, 2, 23, "", false},
        {2020, 2, 23, "天皇誕生日", true},
        {2019, 10, 14, "体育の日", false},
        {2022, 10, 10, "スポーツの日", false},
        {2020, 10, 12, "", false},
        {2021, 10, 11, "", false},
        {2020, 7, 20, "", false},
        {2021, 7, 19, "", false},
        {2020, 7, 23, "海の日", false},
        {2020, 7, 24, "スポーツの日", false},
        {2021, 7, 22, "海の日", false},
        {2021, 7, 23, "スポーツの日", false},
        {2019, 5, 1, "天皇の即位の日", false},
        {2019, 10, 22, "即位礼正殿の儀", false},
        {2019, 4, 30, "国民の休日", false},
        {2019, 5, 2, "国民の休日", false},
        {2009, 9, 22, "国民の休日", false},
        {2026, 9, 22, "国民の休日", false},
        {2032, 9, 21, "国民の休日", false},
        {1985, 5, 4, "", false},               // no citizens' holiday before 1988
    };
    for (WeekStart ws : kBoth) {
        for (const Case& c : cases) {
            const Answer a = ask(c.y, c.m, c.d, ws);
            EXPECT_EQ(a.name, c.name) << c.y << "-" << c.m << "-" << c.d << " ws " << int(ws);
            EXPECT_EQ(a.substitute, c.substitute) << c.y << "-" << c.m << "-" << c.d << " ws " << int(ws);
        }
    }
}

TEST(Holidays, EquinoxDayIsTakenFromTheCaller)
{
    for (WeekStart ws : kBoth) {
        EXPECT_EQ(ask(2014, 3, 21, ws, 21).name, "春分の日");
        EXPECT_EQ(ask(2014, 3, 19, ws, 19).name, "春分の日");
        EXPECT_EQ(ask(2014, 9, 23, ws, 23).name, "秋分の日");
        EXPECT_EQ(ask(1947, 3, 21, ws, 21).name, "");
        // Without an equinox day no date of March or September gets it.
        for (int32_t d = 1; d <= 31; ++d)
            EXPECT_EQ(ask(2014, 3, d, ws, -1).name, "") << d;
        for (int32_t d = 16; d <= 30; ++d)
            EXPECT_NE(ask(2014, 9, d, ws, -1).name, "秋分の日") << d;
        // A Sunday equinox raises the flag.
        EXPECT_TRUE(ask(2016, 3, 20, ws, 20).substitute);
    }
}

TEST(Holidays, CitizensHolidayOnFourthOfMayBefore2007)
{
    // A weekday 4 May between Constitution Day and Children's Day, except where
    // it is a Sunday (1997, 2003) or the substitute of a Sunday 3 May (1992, 1998).
    const QList<int32_t> citizens = {1988, 1989, 1990, 1991, 1993, 1994, 1995, 1996,
                                     1999, 2000, 2001, 2002, 2004, 2005, 2006};
    for (WeekStart ws : kBoth) {
        for (int32_t y = 1980; y <= 2006; ++y) {
            const Answer a = ask(y, 5, 4, ws);
            EXPECT_EQ(a.name, citizens.contains(y) ? "国民の休日" : "") << y;
            EXPECT_FALSE(a.substitute) << y;
        }
    }
    EXPECT_EQ(Holidays::holidayName(1992, 5, 4).toStdString(), "振替休日");
    EXPECT_EQ(Holidays::holidayName(1998, 5, 4).toStdString(), "振替休日");
    EXPECT_EQ(Holidays::holidayName(1997, 5, 4).toStdString(), "");
    EXPECT_EQ(Holidays::holidayName(2003, 5, 4).toStdString(), "");
}

TEST(Holidays, YearsAgainstThePublishedList)
{
    // 1948 keeps the program's own table from New Year's Day on.
    const QMap<int32_t, QString> published = {
        {1948, "01-01 元日, 01-15 成人の日, 03-21 春分の日, 04-29 天皇誕生日, 05-03 憲法記念日, 05-05 こどもの日, 09-23 秋分の日, 11-03 文化の日, 11-23 勤労感謝の日"},
        {1959, "01-01 元日, 01-15 成人の日, 03-21 春分の日, 04-10 皇太子明仁親王の結婚の儀, 04-29 天皇誕生日, 05-03 憲法記念日, 05-05 こどもの日, 09-24 秋分の日, 11-03 文化の日, 11-23 勤労感謝の日"},
        {1966, "01-01 元日, 01-15 成人の日, 03-21 春分の日, 04-29 天皇誕生日, 05-03 憲法記念日, 05-05 こどもの日, 09-15 敬老の日, 09-23 秋分の日, 10-10 体育の日, 11-03 文化の日, 11-23 勤労感謝の日"},
        {1967, "01-01 元日, 01-15 成人の日, 02-11 建国記念の日, 03-21 春分の日, 04-29 天皇誕生日, 05-03 憲法記念日, 05-05 こどもの日, 09-15 敬老の日, 09-24 秋分の日, 10-10 体育の日, 11-03 文化の日, 11-23 勤労感謝の日"},
        {1973, "01-01 元日, 01-15 成人の日, 02-11 建国記念の日, 03-21 春分の日, 04-29 天皇誕生日, 04-30 振替休日, 05-03 憲法記念日, 05-05 こどもの日, 09-15 敬老の日, 09-23 秋分の日, 09-24 振替休日, 10-10 体育の日, 11-03 文化の日, 11-23 勤労感謝の日"},
        {1981, "01-01 元日, 01-15 成人の日, 02-11 建国記念の日, 03-21 春分の日, 04-29 天皇誕生日, 05-03 憲法記念日, 05-04 振替休日, 05-05 こどもの日, 09-15 敬老の日, 09-23 秋分の日, 10-10 体育の日, 11-03 文化の日, 11-23 勤労感謝の日"},
        {1985, "01-01 元日, 01-15 成人の日, 02-11 建国記念の日, 03-21 春分の日, 04-29 天皇誕生日, 05-03 憲法記念日, 05-05 こどもの日, 05-06 振替休日, 09-15 敬老の日, 09-16 振替休日, 09-23 秋分の日, 10-10 体育の日, 11-03 文化の日, 11-04 振替休日, 11-23 勤労感謝の日"},
        {1986, "01-01 元日, 01-15 成人の日, 02-11 建国記念の日, 03-21 春分の日, 04-29 天皇誕生日, 05-03 憲法記念日, 05-05 こどもの日, 09-15 敬老の日, 09-23 秋分の日, 10-10 体育の日, 11-03 文化の日, 11-23 勤労感謝の日, 11-24 振替休日"},
        {1987, "01-01 元日, 01-15 成人の日, 02-11 建国記念の日, 03-21 春分の日, 04-29 天皇誕生日, 05-03 憲法記念日, 05-04 振替休日, 05-05 こどもの日, 09-15 敬老の日, 09-23 秋分の日, 10-10 体育の日, 11-03 文化の日, 11-23 勤労感謝の日"},
        {1988, "01-01 元日, 01-15 成人の日, 02-11 建国記念の日, 03-20 春分の日, 03-21 振替休日, 04-29 天皇誕生日, 05-03 憲法記念日, 05-04 国民の休日, 05-05 こどもの日, 09-15 敬老の日, 09-23 秋分の日, 10-10 体育の日, 11-03 文化の日, 11-23 勤労感謝の日"},
        {1989, "01-01 元日, 01-02 振替休日, 01-15 成人の日, 01-16 振替休日, 02-11 建国記念の日, 02-24 昭和天皇の大喪の礼, 03-21 春分の日, 04-29 みどりの日, 05-03 憲法記念日, 05-04 国民の休日, 05-05 こどもの日, 09-15 敬老の日, 09-23 秋分の日, 10-10 体育の日, 11-03 文化の日, 11-23 勤労感謝の日, 12-23 天皇誕生日"},
        {1990, "01-01 元日, 01-15 成人の日, 02-11 建国記念の日, 02-12 振替休日, 03-21 春分の日, 04-29 みどりの日, 04-30 振替休日, 05-03 憲法記念日, 05-04 国民の休日, 05-05 こどもの日, 09-15 敬老の日, 09-23 秋分の日, 09-24 振替休日, 10-10 体育の日, 11-03 文化の日, 11-12 即位礼正殿の儀, 11-23 勤労感謝の日, 12-23 天皇誕生日, 12-24 振替休日"},
        {1992, "01-01 元日, 01-15 成人の日, 02-11 建国記念の日, 03-20 春分の日, 04-29 みどりの日, 05-03 憲法記念日, 05-04 振替休日, 05-05 こどもの日, 09-15 敬老の日, 09-23 秋分の日, 10-10 体育の日, 11-03 文化の日, 11-23 勤労感謝の日, 12-23 天皇誕生日"},
        {1993, "01-01 元日, 01-15 成人の日, 02-11 建国記念の日, 03-20 春分の日, 04-29 みどりの日, 05-03 憲法記念日, 05-04 国民の休日, 05-05 こどもの日, 06-09 皇太子徳仁親王の結婚の儀, 09-15 敬老の日, 09-23 秋分の日, 10-10 体育の日, 10-11 振替休日, 11-03 文化の日, 11-23 勤労感謝の日, 12-23 天皇誕生日"},
        {1996, "01-01 元日, 01-15 成人の日, 02-11 建国記念の日, 02-12 振替休日, 03-20 春分の日, 04-29 みどりの日, 05-03 憲法記念日, 05-04 国民の休日, 05-05 こどもの日, 05-06 振替休日, 07-20 海の日, 09-15 敬老の日, 09-16 振替休日, 09-23 秋分の日, 10-10 体育の日, 11-03 文化の日, 11-04 振替休日, 11-23 勤労感謝の日, 12-23 天皇誕生日"},
        {1997, "01-01 元日, 01-15 成人の日, 02-11 建国記念の日, 03-20 春分の日, 04-29 みどりの日, 05-03 憲法記念日, 05-05 こどもの日, 07-20 海の日, 07-21 振替休日, 09-15 敬老の日, 09-23 秋分の日, 10-10 体育の日, 11-03 文化の日, 11-23 勤労感謝の日, 11-24 振替休日, 12-23 天皇誕生日"},
        {1998, "01-01 元日, 01-15 成人の日, 02-11 建国記念の日, 03-21 春分の日, 04-29 みどりの日, 05-03 憲法記念日, 05-04 振替休日, 05-05 こどもの日, 07-20 海の日, 09-15 敬老の日, 09-23 秋分の日, 10-10 体育の日, 11-03 文化の日, 11-23 勤労感謝の日, 12-23 天皇誕生日"},
        {2000, "01-01 元日, 01-10 成人の日, 02-11 建国記念の日, 03-20 春分の日, 04-29 みどりの日, 05-03 憲法記念日, 05-04 国民の休日, 05-05 こどもの日, 07-20 海の日, 09-15 敬老の日, 09-23 秋分の日, 10-09 体育の日, 11-03 文化の日, 11-23 勤労感謝の日, 12-23 天皇誕生日"},
        {2003, "01-01 元日, 01-13 成人の日, 02-11 建国記念の日, 03-21 春分の日, 04-29 みどりの日, 05-03 憲法記念日, 05-05 こどもの日, 07-21 海の日, 09-15 敬老の日, 09-23 秋分の日, 10-13 体育の日, 11-03 文化の日, 11-23 勤労感謝の日, 11-24 振替休日, 12-23 天皇誕生日"},
        {2007, "01-01 元日, 01-08 成人の日, 02-11 建国記念の日, 02-12 振替休日, 03-21 春分の日, 04-29 昭和の日, 04-30 振替休日, 05-03 憲法記念日, 05-04 みどりの日, 05-05 こどもの日, 07-16 海の日, 09-17 敬老の日, 09-23 秋分の日, 09-24 振替休日, 10-08 体育の日, 11-03 文化の日, 11-23 勤労感謝の日, 12-23 天皇誕生日, 12-24 振替休日"},
        {2009, "01-01 元日, 01-12 成人の日, 02-11 建国記念の日, 03-20 春分の日, 04-29 昭和の日, 05-03 憲法記念日, 05-04 みどりの日, 05-05 こどもの日, 05-06 振替休日, 07-20 海の日, 09-21 敬老の日, 09-22 国民の休日, 09-23 秋分の日, 10-12 体育の日, 11-03 文化の日, 11-23 勤労感謝の日, 12-23 天皇誕生日"},
        {2015, "01-01 元日, 01-12 成人の日, 02-11 建国記念の日, 03-21 春分の日, 04-29 昭和の日, 05-03 憲法記念日, 05-04 みどりの日, 05-05 こどもの日, 05-06 振替休日, 07-20 海の日, 09-21 敬老の日, 09-22 国民の休日, 09-23 秋分の日, 10-12 体育の日, 11-03 文化の日, 11-23 勤労感謝の日, 12-23 天皇誕生日"},
        {2016, "01-01 元日, 01-11 成人の日, 02-11 建国記念の日, 03-20 春分の日, 03-21 振替休日, 04-29 昭和の日, 05-03 憲法記念日, 05-04 みどりの日, 05-05 こどもの日, 07-18 海の日, 08-11 山の日, 09-19 敬老の日, 09-22 秋分の日, 10-10 体育の日, 11-03 文化の日, 11-23 勤労感謝の日, 12-23 天皇誕生日"},
        {2019, "01-01 元日, 01-14 成人の日, 02-11 建国記念の日, 03-21 春分の日, 04-29 昭和の日, 04-30 国民の休日, 05-01 天皇の即位の日, 05-02 国民の休日, 05-03 憲法記念日, 05-04 みどりの日, 05-05 こどもの日, 05-06 振替休日, 07-15 海の日, 08-11 山の日, 08-12 振替休日, 09-16 敬老の日, 09-23 秋分の日, 10-14 体育の日, 10-22 即位礼正殿の儀, 11-03 文化の日, 11-04 振替休日, 11-23 勤労感謝の日"},
        {2020, "01-01 元日, 01-13 成人の日, 02-11 建国記念の日, 02-23 天皇誕生日, 02-24 振替休日, 03-20 春分の日, 04-29 昭和の日, 05-03 憲法記念日, 05-04 みどりの日, 05-05 こどもの日, 05-06 振替休日, 07-23 海の日, 07-24 スポーツの日, 08-10 山の日, 09-21 敬老の日, 09-22 秋分の日, 11-03 文化の日, 11-23 勤労感謝の日"},
        {2021, "01-01 元日, 01-11 成人の日, 02-11 建国記念の日, 02-23 天皇誕生日, 03-20 春分の日, 04-29 昭和の日, 05-03 憲法記念日, 05-04 みどりの日, 05-05 こどもの日, 07-22 海の日, 07-23 スポーツの日, 08-08 山の日, 08-09 振替休日, 09-20 敬老の日, 09-23 秋分の日, 11-03 文化の日, 11-23 勤労感謝の日"},
        {2024, "01-01 元日, 01-08 成人の日, 02-11 建国記念の日, 02-12 振替休日, 02-23 天皇誕生日, 03-20 春分の日, 04-29 昭和の日, 05-03 憲法記念日, 05-04 みどりの日, 05-05 こどもの日, 05-06 振替休日, 07-15 海の日, 08-11 山の日, 08-12 振替休日, 09-16 敬老の日, 09-22 秋分の日, 09-23 振替休日, 10-14 スポーツの日, 11-03 文化の日, 11-04 振替休日, 11-23 勤労感謝の日"},
        {2025, "01-01 元日, 01-13 成人の日, 02-11 建国記念の日, 02-23 天皇誕生日, 02-24 振替休日, 03-20 春分の日, 04-29 昭和の日, 05-03 憲法記念日, 05-04 みどりの日, 05-05 こどもの日, 05-06 振替休日, 07-21 海の日, 08-11 山の日, 09-15 敬老の日, 09-23 秋分の日, 10-13 スポーツの日, 11-03 文化の日, 11-23 勤労感謝の日, 11-24 振替休日"},
        {2026, "01-01 元日, 01-12 成人の日, 02-11 建国記念の日, 02-23 天皇誕生日, 03-20 春分の日, 04-29 昭和の日, 05-03 憲法記念日, 05-04 みどりの日, 05-05 こどもの日, 05-06 振替休日, 07-20 海の日, 08-11 山の日, 09-21 敬老の日, 09-22 国民の休日, 09-23 秋分の日, 10-12 スポーツの日, 11-03 文化の日, 11-23 勤労感謝の日"},
        {2032, "01-01 元日, 01-12 成人の日, 02-11 建国記念の日, 02-23 天皇誕生日, 03-20 春分の日, 04-29 昭和の日, 05-03 憲法記念日, 05-04 みどりの日, 05-05 こどもの日, 07-19 海の日, 08-11 山の日, 09-20 敬老の日, 09-21 国民の休日, 09-22 秋分の日, 10-11 スポーツの日, 11-03 文化の日, 11-23 勤労感謝の日"},
    };
    for (auto it = published.cbegin(); it != published.cend(); ++it) {
        const QStringList expected = it.value().split(QStringLiteral(", "));
        EXPECT_EQ(holidaysOf(it.key()).join(QLatin1Char('\n')).toStdString(),
                  expected.join(QLatin1Char('\n')).toStdString())
            << it.key();
    }
    EXPECT_TRUE(holidaysOf(1947).isEmpty());
    EXPECT_TRUE(holidaysOf(1).isEmpty());
}

TEST(Holidays, MonthWalkMarkingFromTheFlagGivesTheFullNames)
{
    // A caller that only follows the flag: the next day is the substitute, from
    // 2007 the next day that is no holiday. It must agree with holidayName
    // under either first weekday, across months and years.
    for (WeekStart ws : kBoth) {
        bool pending = false;
        int32_t pendingYear = 0;
        for (int32_t y = 1972; y <= 2040; ++y) {
            for (int32_t m = 1; m <= 12; ++m) {
                const int32_t equinox = Holidays::equinoxDayOf(y, m);
                for (int32_t d = 1; d <= Globals::gDayCount(y, m); ++d) {
                    QString name;
                    const bool flag = Holidays::drawCal2holiday(y, m, d, equinox, name, ws);
                    if (pending && (pendingYear < 2007 || name.isEmpty())) {
                        name = QStringLiteral("振替休日");
                        pending = false;
                    }
                    if (flag) {
                        pending = true;
                        pendingYear = y;
                    }
                    ASSERT_EQ(name.toStdString(), Holidays::holidayName(y, m, d).toStdString())
                        << y << "-" << m << "-" << d << " ws " << int(ws);
                }
            }
        }
        EXPECT_FALSE(pending);
    }
}

TEST(Holidays, SubstituteOnlyFromTheLawOf1973)
{
    // 1 January 1967 and 29 April 1962 were Sundays: no day off followed.
    EXPECT_EQ(Holidays::holidayName(1967, 1, 2).toStdString(), "");
    EXPECT_EQ(Holidays::holidayName(1962, 4, 30).toStdString(), "");
    for (WeekStart ws : kBoth) {
        EXPECT_FALSE(ask(1967, 1, 1, ws).substitute);
        EXPECT_EQ(ask(1967, 1, 1, ws).name, "元日");
    }
}

TEST(Holidays, AnyDateIsAnsweredWithoutFault)
{
    // Days outside the month and far years give an answer, not a crash.
    for (int32_t y : {std::numeric_limits<int32_t>::min(), 0, 9999, std::numeric_limits<int32_t>::max()}) {
        for (int32_t m : {0, 1, 5, 9, 12, 13}) {
            for (int32_t d : {0, 1, 31, 32}) {
                for (WeekStart ws : kBoth) {
                    QString name;
                    Holidays::drawCal2holiday(y, m, d, Holidays::equinoxDayOf(y, m), name, ws);
                }
                Holidays::holidayName(y, m, d);
            }
        }
    }
    EXPECT_EQ(Holidays::holidayName(9999, 5, 3).toStdString(), "憲法記念日");
    EXPECT_EQ(Holidays::holidayName(9999, 1, 1).toStdString(), "元日");
}
