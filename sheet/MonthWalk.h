#pragma once

#include "calendar/DateMath.h"
#include "core/Anniversary.h"
#include "core/Dataset.h"

#include <QList>
#include <QString>

#include <array>
#include <cstdint>

namespace Sheet {

// What one cell of the 5 x 7 month grid holds. A kind above 10 means the day
// has an anniversary text; the kind less AnniversaryOffset is its holiday part.
enum CellKind : int32_t {
    OutsideMonth = -999,
    PlainDay = 1,
    PublicHoliday = 2,
};
constexpr int32_t AnniversaryOffset = 10;

constexpr int32_t kGridRows = 5;
constexpr int32_t kGridColumns = 7;
constexpr int32_t kGridCells = kGridRows * kGridColumns;

// The name a substitute holiday cell shows.
QString substituteHolidayName();

// Computed once per walk from the month drawn.
struct MonthInputs {
    int32_t equinoxDay = -1;  // the equinox holiday's day in March and September, else -1
    int32_t firstColumn = 0;  // grid column of day 1
    int32_t dayCount = 0;     // days in the month
};
MonthInputs monthInputs(int32_t year, int32_t month, WeekStart ws);

// The display choices the classification follows.
struct WalkChoices {
    WeekStart weekStart = WeekStart::SundayFirst;
    int32_t holName = 0;  // HolidayDisplay
    int32_t annName = 0;  // AnniversaryDisplay

    // Any value above off looks them up, a damaged one too.
    bool showsHolidays() const { return holName > codeOf(HolidayDisplay::HolidaysOff); }
    bool showsAnniversaries() const { return annName > codeOf(AnniversaryDisplay::AnniversariesOff); }
};
WalkChoices walkChoicesOf(const Dataset& dataset);

// The anniversary text of a date: the text of the first entry in list order
// that falls on it, empty when none does (or when the first one's text is
// empty). `dates` is the list read once for the month (Anniversaries::datesOf).
void drawCal2anniversary(const AnniversaryDates& dates, int32_t year, int32_t month, int32_t day, QString& text);

// Classifies one cell, the anniversary list read as `dates`. Writes only what
// applies, so values it leaves alone keep what the walk held before: an
// OutsideMonth cell writes nothing but its kind, holidays off leave the name
// and flag alone, anniversaries off the text.
void drawCal2(const WalkChoices& choices, const AnniversaryDates& dates, int32_t cellIndex, int32_t year,
              int32_t month, int32_t equinoxDay, int32_t firstColumn, int32_t dayCount, int32_t& kind,
              int32_t& day, QString& holidayName, bool& substituteFlag, QString& anniversary);

struct WalkCell {
    int32_t row = 0;
    int32_t column = 0;
    int32_t kind = OutsideMonth;
    int32_t day = 0;       // 0 outside the month
    QString holidayName;   // empty when none (always empty outside the month)
    QString anniversary;   // empty when none (always empty outside the month)
};

// A day that does not fit the 35 cells; it takes the column it would have in a
// sixth row (0 or 1). It is written into a cell of another day, so it takes no
// part in the walk's substitutes and never shows a holiday name (the cell's
// bottom line belongs to the day it shares the cell with). A real holiday there
// (30 April after a Sunday 29 April with Monday first) still keeps its colour,
// or the printed calendar would show a holiday as a working day.
struct OverflowDay {
    int32_t day = 0;
    int32_t column = 0;
    QString anniversary;  // looked up whatever the anniversary display is
    bool holiday = false; // a public holiday, while holidays are shown
};

struct MonthWalk {
    MonthInputs inputs;
    std::array<WalkCell, kGridCells> cells;  // cell index 7 * row + column
    int32_t lastDayInGrid = 0;
    QList<OverflowDay> overflow;
};

// Classifies every cell of the month in walk order, row by row. A Sunday
// holiday makes the next cell a substitute holiday; from 2007 on the
// substitute passes over days that are holidays of their own. A substitute
// still owed after the last cell (a Sunday in the grid's last cell) is dropped.
MonthWalk walkMonth(const WalkChoices& choices, const AnniversaryList& list, int32_t year, int32_t month);

} // namespace Sheet
