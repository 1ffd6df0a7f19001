#include "calendar/Holidays.h"

#include "calendar/Astro.h"

#include <array>
#include <cstdint>
#include <limits>

namespace {

struct Date {
    int32_t y;
    int32_t m;
    int32_t d;
};

Date previousDay(Date date)
{
    if (date.d > 1)
        return {date.y, date.m, date.d - 1};
    if (date.m > 1)
        return {date.y, date.m - 1, Globals::gDayCount(date.y, date.m - 1)};
    if (date.y == std::numeric_limits<int32_t>::min())
        return date;
    return {date.y - 1, 12, 31};
}

Date nextDay(Date date)
{
    if (date.d < Globals::gDayCount(date.y, date.m))
        return {date.y, date.m, date.d + 1};
    if (date.m < 12)
        return {date.y, date.m + 1, 1};
    if (date.y == std::numeric_limits<int32_t>::max())
        return date;
    return {date.y + 1, 1, 1};
}

bool onSunday(Date date, WeekStart ws)
{
    return Calendar::weekdayColumn(date.y, date.m, date.d, ws) == Calendar::sundayColumn(ws);
}

// A Monday within the given days of the month (the "second Monday" and
// "third Monday" holidays).
bool mondayWithin(Date date, int32_t first, int32_t last, WeekStart ws)
{
    return date.d >= first && date.d <= last
        && Calendar::weekdayColumn(date.y, date.m, date.d, ws) == Calendar::mondayColumn(ws);
}

bool before(Date a, int32_t y, int32_t m, int32_t d)
{
    if (a.y != y)
        return a.y < y;
    if (a.m != m)
        return a.m < m;
    return a.d < d;
}

// Whether a named holiday on this date leaves a substitute to a later day.
bool raisesSubstitute(const QString& name, Date date, WeekStart ws)
{
    if (name.isEmpty())
        return false;
    // The substitute holiday was introduced on 12 April 1973.
    if (before(date, 1973, 4, 29))
        return false;
    if (date.m == 5) {
        // Before 2007 a Sunday 3 May made 4 May the substitute; from 2007 the
        // substitute of 3 and 4 May is 6 May, which is named directly.
        if (date.d == 4 || (date.d == 3 && date.y >= 2007))
            return false;
    }
    return onSunday(date, ws);
}

// The national holidays and the one-off days of a date, without the citizens'
// holiday that only follows from its neighbours. Returns the substitute flag.
bool holidayByRule(Date date, int32_t equinoxDay, QString& name, WeekStart ws)
{
    name.clear();
    const int32_t y = date.y;
    const int32_t m = date.m;
    const int32_t d = date.d;

    struct OneOff {
        int32_t y, m, d;
        const char* name;
    };
    static constexpr OneOff oneOffs[] = {
        {1959, 4, 10, "皇太子明仁親王の結婚の儀"},
        {1989, 2, 24, "昭和天皇の大喪の礼"},
        {1990, 11, 12, "即位礼正殿の儀"},
        {1993, 6, 9, "皇太子徳仁親王の結婚の儀"},
        {2019, 5, 1, "天皇の即位の日"},
        {2019, 10, 22, "即位礼正殿の儀"},
    };
    for (const OneOff& day : oneOffs) {
        if (y == day.y && m == day.m && d == day.d) {
            name = QString::fromUtf8(day.name);
            return false;
        }
    }
    if (y < 1948)
        return false;

    switch (m) {
    case 1:
        if (d == 1)
            name = QStringLiteral("元日");
        if (y <= 1999 && d == 15)
            name = QStringLiteral("成人の日");
        if (y >= 2000 && mondayWithin(date, 8, 14, ws)) {
            name = QStringLiteral("成人の日");
            return false;
        }
        break;
    case 2:
        if (y >= 1967 && d == 11)
            name = QStringLiteral("建国記念の日");
        if (y >= 2020 && d == 23)
            name = QStringLiteral("天皇誕生日");
        break;
    case 3:
        if (d == equinoxDay)
            name = QStringLiteral("春分の日");
        break;
    case 4:
        if (d == 29) {
            if (y <= 1988)
                name = QStringLiteral("天皇誕生日");
            else if (y <= 2006)
                name = QStringLiteral("みどりの日");
            else
                name = QStringLiteral("昭和の日");
        }
        break;
    case 5:
        if (d == 3)
            name = QStringLiteral("憲法記念日");
        if (d == 4 && y >= 2007)
            name = QStringLiteral("みどりの日");
        if (d == 5)
            name = QStringLiteral("こどもの日");
        if (d == 6 && y >= 2007) {
            // 3 May or 4 May on a Sunday: the next day that is no holiday.
            const int32_t col = Calendar::weekdayColumn(y, m, d, ws);
            if (col == Calendar::tuesdayColumn(ws) || col == Calendar::wednesdayColumn(ws)) {
                name = QStringLiteral("振替休日");
                return false;
            }
        }
        break;
    case 7:
        if (y == 2020 || y == 2021) {
            // The Olympic year moves: Marine Day and Sports Day side by side.
            const int32_t marine = y == 2020 ? 23 : 22;
            if (d == marine)
                name = QStringLiteral("海の日");
            if (d == marine + 1)
                name = QStringLiteral("スポーツの日");
            break;
        }
        if (y >= 1996 && y <= 2002 && d == 20)
            name = QStringLiteral("海の日");
        if (y >= 2003 && mondayWithin(date, 15, 21, ws)) {
            name = QStringLiteral("海の日");
            return false;
        }
        break;
    case 8:
        if (y >= 2016) {
            const int32_t mountain = y == 2020 ? 10 : y == 2021 ? 8 : 11;
            if (d == mountain)
                name = QStringLiteral("山の日");
        }
        break;
    case 9:
        if (y >= 1966 && y <= 2002 && d == 15)
            name = QStringLiteral("敬老の日");
        if (y >= 2003 && mondayWithin(date, 15, 21, ws)) {
            name = QStringLiteral("敬老の日");
            return false;
        }
        if (d == equinoxDay)
            name = QStringLiteral("秋分の日");
        break;
    case 10:
        if (y >= 1966 && y <= 1999 && d == 10)
            name = QStringLiteral("体育の日");
        // 2020 and 2021 have their Sports Day in July.
        if (y >= 2000 && y != 2020 && y != 2021 && mondayWithin(date, 8, 14, ws)) {
            name = y <= 2019 ? QStringLiteral("体育の日") : QStringLiteral("スポーツの日");
            return false;
        }
        break;
    case 11:
        if (d == 3)
            name = QStringLiteral("文化の日");
        if (d == 23)
            name = QStringLiteral("勤労感謝の日");
        break;
    case 12:
        if (y >= 1989 && y <= 2018 && d == 23)
            name = QStringLiteral("天皇誕生日");
        break;
    default:
        break;
    }
    return raisesSubstitute(name, date, ws);
}

// The equinox day to use for any month: the caller's own for the month it
// asked about, computed for a neighbouring month.
struct Context {
    Date origin;
    int32_t equinoxDay;
    WeekStart ws;

    int32_t equinoxFor(Date date) const
    {
        if (date.y == origin.y && date.m == origin.m)
            return equinoxDay;
        return Holidays::equinoxDayOf(date.y, date.m);
    }
    bool byRule(Date date, QString& name) const
    {
        return holidayByRule(date, equinoxFor(date), name, ws);
    }
};

// Whether a substitute left by an earlier Sunday holiday is due on this date,
// provided the date is itself no holiday. Before 2007 the substitute is the day
// right after; from 2007 it moves past any run of holidays.
bool substituteDue(Date date, const Context& ctx)
{
    if (date.y < 1973)
        return false;
    Date p = previousDay(date);
    bool adjacent = true;
    // A run of holidays is a few days long at most (Golden Week).
    for (int i = 0; i < 7; ++i) {
        QString name;
        const bool flag = ctx.byRule(p, name);
        if (name.isEmpty())
            return false;
        if (flag)
            return adjacent || p.y >= 2007;
        if (p.y < 2007)
            return false;
        adjacent = false;
        p = previousDay(p);
    }
    return false;
}

} // namespace

namespace Holidays {

int32_t equinoxDayOf(int32_t year, int32_t month)
{
    if (month != 3 && month != 9)
        return -1;
    // Finding the crossing takes a few dozen evaluations of the solar series,
    // and a name lookup asks for the same year again for every day of the
    // month: remember the last answers, a slot per year and month. The
    // program runs on one thread.
    struct Slot {
        int32_t year = 0;
        int32_t month = 0;
        int32_t day = 0;
    };
    static std::array<Slot, 256> remembered;
    Slot& slot = remembered[(uint32_t(year) * 2u + (month == 9 ? 1u : 0u)) % remembered.size()];
    if (slot.month != month || slot.year != year)
        slot = Slot{year, month, month == 3 ? Astro::shunbun(year) : Astro::shuubun(year)};
    return slot.day;
}

bool drawCal2holiday(int32_t year, int32_t month, int32_t day, int32_t equinoxDay,
                     QString& name, WeekStart ws)
{
    const Date date{year, month, day};
    const bool flag = holidayByRule(date, equinoxDay, name, ws);
    if (!name.isEmpty() || year < 1988 || onSunday(date, ws))
        return flag;

    // The citizens' holiday: a weekday between two national holidays, unless it
    // is already the substitute of the one before.
    const Context ctx{date, equinoxDay, ws};
    const auto isHoliday = [&ctx](Date other) {
        QString otherName;
        ctx.byRule(other, otherName);
        return !otherName.isEmpty();
    };
    if (isHoliday(previousDay(date)) && isHoliday(nextDay(date)) && !substituteDue(date, ctx))
        name = QStringLiteral("国民の休日");
    return false;
}

QString holidayName(int32_t year, int32_t month, int32_t day)
{
    const Date date{year, month, day};
    const Context ctx{date, equinoxDayOf(year, month), WeekStart::SundayFirst};
    QString name;
    drawCal2holiday(year, month, day, ctx.equinoxDay, name, ctx.ws);
    if (name.isEmpty() && substituteDue(date, ctx))
        name = QStringLiteral("振替休日");
    return name;
}

} // namespace Holidays
