#include "sheet/Preview.h"

#include "platform/Conv.h"
#include "sheet/MonthSheet.h"

namespace Sheet {

int32_t rulerTick(int32_t i) { return Conv::toInt32(10.0 + kPointsPerCentimetre * i); }

void paintPreview(SheetSurface& g, const SheetContext* sheet, int32_t canvasWidth, int32_t canvasHeight)
{
    g.setForeColor(QColor(255, 255, 255));
    g.fillRect(0, 0, canvasWidth, canvasHeight);
    if (!sheet)
        return;
    const int32_t year = sheet->dataset.i32(DatasetKey::stYY);
    const int32_t month = sheet->dataset.i32(DatasetKey::stMM);
    drawCal(g, *sheet, 0, 0, 1.0, year, month);
}

void paintVerticalRuler(SheetSurface& g, int32_t width)
{
    g.drawLine(width - 4, 10, width - 4, 406);
    for (int32_t i = 0; i <= 14; ++i) {
        const int32_t t = rulerTick(i);
        g.drawLine(width - 4, t, width - 9, t);
    }
    g.setTextSize(9);
    g.drawString(QStringLiteral("5"), width - 16, 154);
    g.drawString(QStringLiteral("10"), width - 22, 296);
}

void paintHorizontalRuler(SheetSurface& g, int32_t height)
{
    g.drawLine(10, height - 4, 378, height - 4);
    for (int32_t i = 0; i <= 13; ++i) {
        const int32_t t = rulerTick(i);
        g.drawLine(t, height - 4, t, height - 9);
    }
    g.setTextSize(9);
    g.drawString(QStringLiteral("5"), 149, height - 11);
    g.drawString(QStringLiteral("10"), 287, height - 11);
}

} // namespace Sheet
