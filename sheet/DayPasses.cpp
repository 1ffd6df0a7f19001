#include "sheet/DayPasses.h"

#include "core/Globals.h"
#include "platform/Conv.h"
#include "sheet/MonthWalk.h"

#include <array>

namespace Sheet {

namespace {

// Overflow placements.
constexpr int32_t kInLastWeek = 0;
constexpr int32_t kInFirstWeek = 1;

int32_t dev(int64_t layoutSum, double s) { return Conv::toInt32(double(layoutSum) * s); }

// A baseline: the layout sum scaled, then an offset in device units, truncated once.
int32_t devPlus(int64_t layoutSum, double s, double offset) { return Conv::toInt32(double(layoutSum) * s + offset); }

QColor colourOf(const Dataset& ds, const char* key) { return Globals::gClrItoC(ds.i32(QLatin1String(key))); }

void useFont(SheetSurface& g, const Dataset& ds, const char* fontKey, const char* sizeKey, double s)
{
    g.setTextFont(ds.text(QLatin1String(fontKey)));
    g.setTextSize(Conv::toInt32(ds.dbl(QLatin1String(sizeKey)) * s));
}

// The row an overflow day shares, or -1 when the placement puts it nowhere.
int32_t overflowRow(int32_t extra)
{
    if (extra == kInLastWeek)
        return 4;
    if (extra == kInFirstWeek)
        return 0;
    return -1;
}

// The baseline of anniversary line n of a cell in `row`.
int32_t anniversaryBaseline(const SheetContext& c, int32_t y, double s, int32_t row, int32_t n, int32_t textSize)
{
    const int32_t dayFsize = c.dataset.i32(QStringLiteral("dayFsize"));
    return devPlus(int64_t(c.weekLine[row]) + dayFsize + 9 + y, s, double(int64_t(n) * textSize) * 1.2);
}

void drawHolidayName(SheetSurface& g, const SheetContext& c, int32_t x, int32_t y, double s, int32_t row,
                     int32_t column, const QString& name)
{
    useFont(g, c.dataset, "holFont", "holFsize", s);
    g.setForeColor(colourOf(c.dataset, "holColor"));
    g.drawString(name, dev(int64_t(c.dowLine[column]) + 2 + x, s), dev(int64_t(c.weekLine[row + 1]) - 2 + y, s));
}

} // namespace

int32_t sundayColumnOf(int32_t dow1st)
{
    if (dow1st == 0)
        return 0;
    if (dow1st == 1)
        return 6;
    return -1;
}

int32_t saturdayColumnOf(int32_t dow1st)
{
    if (dow1st == 0)
        return 6;
    if (dow1st == 1)
        return 5;
    return -1;
}

void drawCal2Fillrect(SheetSurface& g, const SheetContext& c, int32_t x, int32_t y, double s, int32_t row,
                      int32_t column)
{
    if (c.dataset.i32(QStringLiteral("annName")) != 3)
        return;
    g.setForeColor(colourOf(c.dataset, "annBkClr"));
    const double left = double(int64_t(c.dowLine[column]) + x) * s;
    const double right = double(int64_t(c.dowLine[column + 1]) + x) * s;
    const double top = double(int64_t(c.weekLine[row]) + y) * s;
    const double bottom = double(int64_t(c.weekLine[row + 1]) + y) * s;
    g.fillRect(Conv::toInt32(left), Conv::toInt32(top), Conv::toInt32(right - left), Conv::toInt32(bottom - top));
}

void drawCalDaysBack(SheetSurface& g, const SheetContext& c, int32_t x, int32_t y, double s, int32_t year,
                     int32_t month)
{
    if (gridBuilt(c.weekLine))
        drawCalDaysBack(g, c, x, y, s, walkMonth(walkChoicesOf(c.dataset), c.anniversaries, year, month));
}

void drawCalDaysBack(SheetSurface& g, const SheetContext& c, int32_t x, int32_t y, double s, const MonthWalk& walk)
{
    if (!gridBuilt(c.weekLine))
        return;
    for (const WalkCell& cell : walk.cells) {
        if (cell.kind > AnniversaryOffset)
            drawCal2Fillrect(g, c, x, y, s, cell.row, cell.column);
    }
    const int32_t row = overflowRow(c.dataset.i32(QStringLiteral("extra")));
    for (const OverflowDay& over : walk.overflow) {
        if (!over.anniversary.isEmpty() && row >= 0)
            drawCal2Fillrect(g, c, x, y, s, row, over.column);
    }
}

void drawCalDays(SheetSurface& g, const SheetContext& c, int32_t x, int32_t y, double s, int32_t year,
                 int32_t month)
{
    if (gridBuilt(c.weekLine))
        drawCalDays(g, c, x, y, s, walkMonth(walkChoicesOf(c.dataset), c.anniversaries, year, month));
}

void drawCalDays(SheetSurface& g, const SheetContext& c, int32_t x, int32_t y, double s, const MonthWalk& walk)
{
    if (!gridBuilt(c.weekLine))
        return;
    const Dataset& ds = c.dataset;
    std::array<std::array<int32_t, kGridColumns>, kGridRows> anniversaryLineCounts{};

    const int32_t dow1st = ds.i32(QStringLiteral("dow1st"));
    const int32_t sunday = sundayColumnOf(dow1st);
    const int32_t saturday = saturdayColumnOf(dow1st);

    for (const WalkCell& cell : walk.cells) {
        if (cell.kind <= 0)
            continue;
        const int32_t row = cell.row, col = cell.column;

        useFont(g, ds, "dayFont", "dayFsize", s);
        if (cell.kind > AnniversaryOffset)
            g.setForeColor(colourOf(ds, "dayColorA"));
        else if (cell.kind == PublicHoliday)
            g.setForeColor(colourOf(ds, "dayColorH"));
        else if (col == sunday)
            g.setForeColor(colourOf(ds, "dayColorS"));
        else if (col == saturday)
            g.setForeColor(colourOf(ds, "dayColorT"));
        else
            g.setForeColor(colourOf(ds, "dayColorN"));
        g.drawString(QString::number(cell.day), dev(int64_t(c.dowLine[col]) + 3 + x, s),
                     devPlus(int64_t(c.weekLine[row]) + 3 + y, s, double(g.textSize()) * 0.8));

        if (cell.kind > AnniversaryOffset && ds.i32(QStringLiteral("annName")) > 1) {
            useFont(g, ds, "annFont", "annFsize", s);
            g.setForeColor(colourOf(ds, "annColor"));
            int32_t& n = anniversaryLineCounts[row][col];
            g.drawString(cell.anniversary, dev(int64_t(c.dowLine[col]) + 2 + x, s),
                         anniversaryBaseline(c, y, s, row, n, g.textSize()));
            ++n;
        }

        const int32_t holidayPart = cell.kind > AnniversaryOffset ? cell.kind - AnniversaryOffset : cell.kind;
        if (holidayPart == PublicHoliday && ds.i32(QStringLiteral("holName")) == 2)
            drawHolidayName(g, c, x, y, s, row, col, cell.holidayName);
    }

    const int32_t extra = ds.i32(QStringLiteral("extra"));
    const int32_t annName = ds.i32(QStringLiteral("annName"));

    for (const OverflowDay& over : walk.overflow) {
        useFont(g, ds, "dayFont", "dayFsize", s);
        if (annName > 0 && !over.anniversary.isEmpty())
            g.setForeColor(colourOf(ds, "dayColorA"));
        else if (over.holiday)
            g.setForeColor(colourOf(ds, "dayColorH"));
        else if (over.column == sunday)
            g.setForeColor(colourOf(ds, "dayColorS"));
        else
            g.setForeColor(colourOf(ds, "dayColorN"));

        if (extra == kInLastWeek) {
            // Written behind the number of the day a week earlier: "23/30".
            const int32_t w = getStrigWidth(g, QString::number(over.day - 7), ds.text(QStringLiteral("dayFont")),
                                            ds.i32(QStringLiteral("dayFsize")));
            g.drawString(QStringLiteral("/") + QString::number(over.day),
                         dev(int64_t(c.dowLine[over.column]) + 3 + x + w, s),
                         devPlus(int64_t(c.weekLine[4]) + 3 + y, s, double(g.textSize()) * 0.8));
        } else if (extra == kInFirstWeek) {
            g.drawString(QString::number(over.day), dev(int64_t(c.dowLine[over.column]) + 3 + x, s),
                         devPlus(int64_t(c.weekLine[0]) + 3 + y, s, double(g.textSize()) * 0.8));
        }
    }

    const int32_t row = overflowRow(extra);
    for (const OverflowDay& over : walk.overflow) {
        if (over.anniversary.isEmpty() || annName <= 1 || row < 0)
            continue;
        useFont(g, ds, "annFont", "annFsize", s);
        g.setForeColor(colourOf(ds, "annColor"));
        int32_t& n = anniversaryLineCounts[row][over.column];
        g.drawString(over.anniversary, dev(int64_t(c.dowLine[over.column]) + 2 + x, s),
                     anniversaryBaseline(c, y, s, row, n, g.textSize()));
        ++n;
    }
}

} // namespace Sheet
