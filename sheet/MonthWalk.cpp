#include "sheet/MonthWalk.h"

#include "calendar/Holidays.h"

namespace Sheet {

namespace {

// The law of 2007 moved a substitute holiday on to the next day that is no
// holiday of its own; before it the substitute was simply the next day.
constexpr int32_t kSubstitutePassesHolidaysFrom = 2007;

bool substituteMovesOn(int32_t year, const QString& ownName)
{
    return year >= kSubstitutePassesHolidaysFrom && !ownName.isEmpty() && ownName != substituteHolidayName();
}

} // namespace

QString substituteHolidayName() { return QStringLiteral("振替休日"); }

MonthInputs monthInputs(int32_t year, int32_t month, WeekStart ws)
{
    MonthInputs in;
    in.equinoxDay = Holidays::equinoxDayOf(year, month);
    in.dayCount = Globals::gDayCount(year, month);
    in.firstColumn = in.dayCount > 0 ? Calendar::weekdayColumn(year, month, 1, ws) : 0;
    return in;
}

WalkChoices walkChoicesOf(const Dataset& dataset)
{
    WalkChoices c;
    c.weekStart = weekStartFrom(dataset.i32(DatasetKey::dow1st));
    c.holName = dataset.i32(DatasetKey::holName);
    c.annName = dataset.i32(DatasetKey::annName);
    return c;
}

void drawCal2anniversary(const AnniversaryDates& dates, int32_t year, int32_t month, int32_t day, QString& text)
{
    text.clear();
    for (const AnniversaryDate& date : dates) {
        // An empty text still hides the later entries.
        if (date.fallsOn(year, month, day)) {
            text = date.text;
            return;
        }
    }
}

void drawCal2(const WalkChoices& choices, const AnniversaryDates& dates, int32_t cellIndex, int32_t year,
              int32_t month, int32_t equinoxDay, int32_t firstColumn, int32_t dayCount, int32_t& kind, int32_t& day,
              QString& holidayName, bool& substituteFlag, QString& anniversary)
{
    if (cellIndex < firstColumn || cellIndex >= firstColumn + dayCount) {
        kind = OutsideMonth;
        return;
    }
    day = cellIndex - firstColumn + 1;
    kind = PlainDay;
    if (choices.showsHolidays()) {
        substituteFlag = Holidays::drawCal2holiday(year, month, day, equinoxDay, holidayName, choices.weekStart);
        if (!holidayName.isEmpty())
            kind = PublicHoliday;
    }
    if (choices.showsAnniversaries()) {
        drawCal2anniversary(dates, year, month, day, anniversary);
        if (!anniversary.isEmpty())
            kind += AnniversaryOffset;
    }
}

MonthWalk walkMonth(const WalkChoices& choices, const AnniversaryList& list, int32_t year, int32_t month)
{
    MonthWalk walk;
    walk.inputs = monthInputs(year, month, choices.weekStart);
    const MonthInputs& in = walk.inputs;
    const AnniversaryDates dates = Anniversaries::datesOf(list);

    // The walk's one set of classification values, overwritten cell by cell.
    int32_t kind = 0, day = 0;
    QString holidayName, anniversary;
    bool substituteFlag = false;
    // A Sunday holiday's substitute not yet given to a day.
    bool substitutePending = false;

    for (int32_t index = 0; index < kGridCells; ++index) {
        drawCal2(choices, dates, index, year, month, in.equinoxDay, in.firstColumn, in.dayCount, kind, day,
                 holidayName, substituteFlag, anniversary);
        WalkCell& cell = walk.cells[index];
        cell.row = index / kGridColumns;
        cell.column = index % kGridColumns;
        cell.kind = kind;
        if (kind == OutsideMonth)
            continue;

        if (substitutePending && !substituteMovesOn(year, holidayName)) {
            holidayName = substituteHolidayName();
            kind = anniversary.isEmpty() || !choices.showsAnniversaries() ? PublicHoliday : PublicHoliday + AnniversaryOffset;
            substituteFlag = false;
            substitutePending = false;
        }
        if (substituteFlag)
            substitutePending = true;

        cell.kind = kind;
        cell.day = day;
        cell.holidayName = choices.showsHolidays() ? holidayName : QString();
        cell.anniversary = choices.showsAnniversaries() ? anniversary : QString();
        walk.lastDayInGrid = day;
    }

    for (int32_t d = walk.lastDayInGrid + 1; d <= in.dayCount; ++d) {
        OverflowDay over;
        over.day = d;
        over.column = d - walk.lastDayInGrid - 1;
        drawCal2anniversary(dates, year, month, d, over.anniversary);
        over.holiday = choices.showsHolidays() && !Holidays::holidayName(year, month, d).isEmpty();
        walk.overflow.append(over);
    }
    return walk;
}

} // namespace Sheet
