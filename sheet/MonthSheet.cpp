#include "sheet/MonthSheet.h"

#include "platform/Conv.h"
#include "sheet/DayPasses.h"
#include "sheet/SheetUnits.h"

#include <algorithm>

namespace Sheet {

namespace {
namespace K = DatasetKey;
} // namespace

std::array<QString, 7> drawCalDow(const Dataset& dataset)
{
    static const char* const kLabels[3][7] = {
        {"日", "月", "火", "水", "木", "金", "土"},
        {"sun", "mon", "tue", "wed", "thu", "fri", "sat"},
        {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"},
    };
    std::array<QString, 7> labels;
    // The table's rows are the label languages; no labels, or a damaged value, shows none.
    const int32_t language = dataset.i32(K::dowLange);
    if (language < codeOf(WeekdayLabels::JapaneseLabels) || language > codeOf(WeekdayLabels::EnglishUpper))
        return labels;
    const int32_t first = weekStartFrom(dataset.i32(K::dow1st)) == WeekStart::SundayFirst ? 0 : 1;
    for (int32_t i = 0; i < 7; ++i)
        labels[i] = QString::fromUtf8(kLabels[language][(i + first) % 7]);
    return labels;
}

QString sheetTitle(int32_t year, int32_t month)
{
    return QString::number(year) + QLatin1Char('.') + QString::number(month);
}

void drawCal(SheetSurface& g, const SheetContext& c, int32_t x, int32_t y, double scale, int32_t year,
             int32_t month)
{
    const Dataset& ds = c.dataset;

    const QImage pict = ds.pict();
    if (!pict.isNull()) {
        const int32_t w = pict.width(), h = pict.height();
        const double left = double(x) * scale, top = double(y) * scale;
        g.drawPicture(pict, Conv::toInt32(left), Conv::toInt32(top),
                      Conv::toInt32(double(int64_t(w) + x) * scale - left),
                      Conv::toInt32(double(int64_t(h) + y) * scale - top), 0, 0, w, h);
    }

    const QString title = sheetTitle(year, month);
    const QString ymFont = ds.text(K::ymFont);
    const int32_t titleWidth = getStrigWidth(title, ymFont, ds.i32(K::ymFsize));
    g.setTextFont(ymFont);
    g.setTextSize(Conv::toInt32(ds.dbl(K::ymFsize) * scale));
    g.setForeColor(colourOf(ds, K::ymColor));
    const int32_t baseline = dev(int64_t(24) + y, scale);
    const int64_t sheetWidth = c.sheetWidth;
    switch (ds.coded<TitlePosition>(K::ymPos)) {
    case TitlePosition::TitleLeft:
        g.drawString(title, dev(int64_t(10) + x, scale), baseline);
        break;
    case TitlePosition::TitleCentre:
        g.drawString(title, Conv::toInt32((double(x) + double(sheetWidth) / 2.0 - double(titleWidth) / 2.0) * scale),
                     baseline);
        break;
    case TitlePosition::TitleRight:
        g.drawString(title, dev(int64_t(x) + sheetWidth - 10 - titleWidth, scale), baseline);
        break;
    default:
        break;
    }

    // Nothing below the title has a place until the grid tables are built.
    if (!gridBuilt(c.weekLine))
        return;
    const int32_t lastRowLine = int32_t(c.weekLine.size()) - 1;

    g.setTextFont(ds.text(K::dowFont));
    g.setTextSize(Conv::toInt32(ds.dbl(K::dowFsize) * scale));
    g.setForeColor(colourOf(ds, K::dowColor));
    const std::array<QString, 7> labels = drawCalDow(ds);
    for (int32_t i = 0; i < 7; ++i)
        g.drawString(labels[i], dev(int64_t(c.dowLine[i]) + 3 + x, scale), dev(int64_t(c.weekLine[0]) - 2 + y, scale));

    drawCalDaysBack(g, c, x, y, scale, year, month);

    if (ds.coded<LineWeight>(K::line) == LineWeight::Hairline) {
        // The hairline is one device pixel at any scale.
        g.setPenWidth(1);
        g.setPenHeight(1);
    } else {
        // The other weights are their points, but never thinner than the
        // hairline: a calibrated print at 72 dpi draws just under one unit
        // per point, and a grid that truncates to no pen would vanish.
        const int32_t pen = std::max(1, Conv::toInt32(ds.dbl(K::line) * scale));
        g.setPenWidth(pen);
        g.setPenHeight(pen);
    }

    const FrameLines frame = ds.coded<FrameLines>(K::frame);
    if (frame == FrameLines::AllGridLines || frame == FrameLines::VerticalLinesOnly) {
        g.setForeColor(colourOf(ds, K::lineColor));
        const int32_t top = dev(int64_t(c.weekLine[0]) + y, scale);
        const int32_t bottom = dev(int64_t(c.weekLine[lastRowLine]) + y, scale);
        for (int32_t i = 0; i < 8; ++i) {
            const int32_t lx = dev(int64_t(c.dowLine[i]) + x, scale);
            g.drawLine(lx, top, lx, bottom);
        }
    }
    if (frame == FrameLines::AllGridLines || frame == FrameLines::HorizontalLinesOnly) {
        g.setForeColor(colourOf(ds, K::lineColor));
        const int32_t left = dev(int64_t(c.dowLine[0]) + x, scale);
        const int32_t right = dev(int64_t(c.dowLine[7]) + x, scale);
        for (int32_t i = 0; i <= lastRowLine; ++i) {
            const int32_t ly = dev(int64_t(c.weekLine[i]) + y, scale);
            g.drawLine(left, ly, right, ly);
        }
    }

    drawCalDays(g, c, x, y, scale, year, month);
}

} // namespace Sheet
