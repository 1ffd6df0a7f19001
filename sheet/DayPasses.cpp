#include "sheet/DayPasses.h"

#include "platform/Conv.h"
#include "sheet/MonthWalk.h"
#include "sheet/SheetUnits.h"

#include <array>

namespace Sheet {

namespace {

namespace K = DatasetKey;

void useFont(SheetSurface& g, const Dataset& ds, const QString& fontKey, const QString& sizeKey, double s)
{
    g.setTextFont(ds.text(fontKey));
    g.setTextSize(Conv::toInt32(ds.dbl(sizeKey) * s));
}

// The row an overflow day shares, or -1 when the placement puts it nowhere.
int32_t overflowRow(OverflowPlacement extra)
{
    if (extra == OverflowPlacement::InLastWeek)
        return 4;
    if (extra == OverflowPlacement::InFirstWeek)
        return 0;
    return -1;
}

// The grid columns that take the Sunday and Saturday colours; with a first
// weekday that is neither choice (a damaged file) no column does.
struct WeekendColumns {
    int32_t sunday = -1;
    int32_t saturday = -1;
};
WeekendColumns weekendColumnsOf(int32_t dow1st)
{
    if (dow1st != static_cast<int32_t>(WeekStart::SundayFirst) && dow1st != static_cast<int32_t>(WeekStart::MondayFirst))
        return {};
    const WeekStart ws = weekStartFrom(dow1st);
    return {Calendar::sundayColumn(ws), Calendar::saturdayColumn(ws)};
}

// The baseline of anniversary line n of a cell in `row`.
int32_t anniversaryBaseline(const SheetContext& c, int32_t y, double s, int32_t row, int32_t n, int32_t textSize)
{
    const int32_t dayFsize = c.dataset.i32(K::dayFsize);
    return devPlus(int64_t(c.weekLine[row]) + dayFsize + 9 + y, s, double(int64_t(n) * textSize) * 1.2);
}

void drawHolidayName(SheetSurface& g, const SheetContext& c, int32_t x, int32_t y, double s, int32_t row,
                     int32_t column, const QString& name)
{
    useFont(g, c.dataset, K::holFont, K::holFsize, s);
    g.setForeColor(colourOf(c.dataset, K::holColor));
    g.drawString(name, dev(int64_t(c.dowLine[column]) + 2 + x, s), dev(int64_t(c.weekLine[row + 1]) - 2 + y, s));
}

} // namespace

void drawCal2Fillrect(SheetSurface& g, const SheetContext& c, int32_t x, int32_t y, double s, int32_t row,
                      int32_t column)
{
    if (c.dataset.coded<AnniversaryDisplay>(K::annName) != AnniversaryDisplay::AnniversaryNameAndBackground)
        return;
    g.setForeColor(colourOf(c.dataset, K::annBkClr));
    const double left = double(int64_t(c.dowLine[column]) + x) * s;
    const double right = double(int64_t(c.dowLine[column + 1]) + x) * s;
    const double top = double(int64_t(c.weekLine[row]) + y) * s;
    const double bottom = double(int64_t(c.weekLine[row + 1]) + y) * s;
    g.fillRect(Conv::toInt32(left), Conv::toInt32(top), Conv::toInt32(right - left), Conv::toInt32(bottom - top));
}

void drawCalDaysBack(SheetSurface& g, const SheetContext& c, int32_t x, int32_t y, double s, const MonthWalk& walk)
{
    if (!gridBuilt(c.weekLine))
        return;
    for (const WalkCell& cell : walk.cells) {
        if (cell.kind > AnniversaryOffset)
            drawCal2Fillrect(g, c, x, y, s, cell.row, cell.column);
    }
    const int32_t row = overflowRow(c.dataset.coded<OverflowPlacement>(K::extra));
    for (const OverflowDay& over : walk.overflow) {
        if (!over.anniversary.isEmpty() && row >= 0)
            drawCal2Fillrect(g, c, x, y, s, row, over.column);
    }
}

void drawCalDays(SheetSurface& g, const SheetContext& c, int32_t x, int32_t y, double s, const MonthWalk& walk)
{
    if (!gridBuilt(c.weekLine))
        return;
    const Dataset& ds = c.dataset;
    std::array<std::array<int32_t, kGridColumns>, kGridRows> anniversaryLineCounts{};

    const WeekendColumns weekend = weekendColumnsOf(ds.i32(K::dow1st));

    for (const WalkCell& cell : walk.cells) {
        if (cell.kind <= 0)
            continue;
        const int32_t row = cell.row, col = cell.column;

        useFont(g, ds, K::dayFont, K::dayFsize, s);
        if (cell.kind > AnniversaryOffset)
            g.setForeColor(colourOf(ds, K::dayColorA));
        else if (cell.kind == PublicHoliday)
            g.setForeColor(colourOf(ds, K::dayColorH));
        else if (col == weekend.sunday)
            g.setForeColor(colourOf(ds, K::dayColorS));
        else if (col == weekend.saturday)
            g.setForeColor(colourOf(ds, K::dayColorT));
        else
            g.setForeColor(colourOf(ds, K::dayColorN));
        g.drawString(QString::number(cell.day), dev(int64_t(c.dowLine[col]) + 3 + x, s),
                     devPlus(int64_t(c.weekLine[row]) + 3 + y, s, double(g.textSize()) * 0.8));

        if (cell.kind > AnniversaryOffset
            && ds.i32(K::annName) > codeOf(AnniversaryDisplay::AnniversaryColourOnly)) {
            useFont(g, ds, K::annFont, K::annFsize, s);
            g.setForeColor(colourOf(ds, K::annColor));
            int32_t& n = anniversaryLineCounts[row][col];
            g.drawString(cell.anniversary, dev(int64_t(c.dowLine[col]) + 2 + x, s),
                         anniversaryBaseline(c, y, s, row, n, g.textSize()));
            ++n;
        }

        const int32_t holidayPart = cell.kind > AnniversaryOffset ? cell.kind - AnniversaryOffset : cell.kind;
        if (holidayPart == PublicHoliday
            && ds.coded<HolidayDisplay>(K::holName) == HolidayDisplay::HolidayColourAndName)
            drawHolidayName(g, c, x, y, s, row, col, cell.holidayName);
    }

    const OverflowPlacement extra = ds.coded<OverflowPlacement>(K::extra);
    // Compared as numbers: any value above a choice counts as that choice and more.
    const int32_t annName = ds.i32(K::annName);

    for (const OverflowDay& over : walk.overflow) {
        useFont(g, ds, K::dayFont, K::dayFsize, s);
        if (annName > codeOf(AnniversaryDisplay::AnniversariesOff) && !over.anniversary.isEmpty())
            g.setForeColor(colourOf(ds, K::dayColorA));
        else if (over.holiday)
            g.setForeColor(colourOf(ds, K::dayColorH));
        else if (over.column == weekend.sunday)
            g.setForeColor(colourOf(ds, K::dayColorS));
        else
            g.setForeColor(colourOf(ds, K::dayColorN));

        if (extra == OverflowPlacement::InLastWeek) {
            // Written behind the number of the day a week earlier: "23/30".
            const int32_t w =
                getStrigWidth(g, QString::number(over.day - 7), ds.text(K::dayFont), ds.i32(K::dayFsize));
            g.drawString(QStringLiteral("/") + QString::number(over.day),
                         dev(int64_t(c.dowLine[over.column]) + 3 + x + w, s),
                         devPlus(int64_t(c.weekLine[4]) + 3 + y, s, double(g.textSize()) * 0.8));
        } else if (extra == OverflowPlacement::InFirstWeek) {
            g.drawString(QString::number(over.day), dev(int64_t(c.dowLine[over.column]) + 3 + x, s),
                         devPlus(int64_t(c.weekLine[0]) + 3 + y, s, double(g.textSize()) * 0.8));
        }
    }

    const int32_t row = overflowRow(extra);
    for (const OverflowDay& over : walk.overflow) {
        if (over.anniversary.isEmpty() || annName <= codeOf(AnniversaryDisplay::AnniversaryColourOnly) || row < 0)
            continue;
        useFont(g, ds, K::annFont, K::annFsize, s);
        g.setForeColor(colourOf(ds, K::annColor));
        int32_t& n = anniversaryLineCounts[row][over.column];
        g.drawString(over.anniversary, dev(int64_t(c.dowLine[over.column]) + 2 + x, s),
                     anniversaryBaseline(c, y, s, row, n, g.textSize()));
        ++n;
    }
}

} // namespace Sheet
