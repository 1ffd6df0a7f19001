#include "sheet/GridTables.h"

#include "core/DatasetKeys.h"
#include "sheet/SheetSizes.h"

namespace Sheet {

void initDOWLine(DowLine& dowLine, int32_t size)
{
    int32_t base = 8, step = 46;
    if (size == codeOf(SheetSize::FloppyCase)) {
        base = 5;
        step = 35;
    } else if (size == codeOf(SheetSize::Cd13x13)) {
        base = 9;
        step = 50;
    }
    for (int32_t i = 0; i < 8; ++i)
        dowLine[i] = base + step * i;
}

void initWeekLine(WeekLine& weekLine, int32_t size, int32_t extra)
{
    static constexpr int32_t kBase[kSheetSizeCount] = {39, 52, 52, 52};
    static constexpr int32_t kStep[kSheetSizeCount] = {43, 60, 66, 56};
    if (!isSheetSize(size) || extra > codeOf(OverflowPlacement::InFirstWeek))
        return;
    weekLine.resize(6);
    for (int32_t i = 0; i < 6; ++i)
        weekLine[i] = kBase[size] + kStep[size] * i;
}

} // namespace Sheet
