#include "sheet/GridTables.h"

namespace Sheet {

void initDOWLine(DowLine& dowLine, int32_t size)
{
    int32_t base = 8, step = 46;
    if (size == 0) {
        base = 5;
        step = 35;
    } else if (size == 1) {
        base = 9;
        step = 50;
    }
    for (int32_t i = 0; i < 8; ++i)
        dowLine[i] = base + step * i;
}

void initWeekLine(WeekLine& weekLine, int32_t size, int32_t extra)
{
    static constexpr int32_t kBase[4] = {39, 52, 52, 52};
    static constexpr int32_t kStep[4] = {43, 60, 66, 56};
    if (size < 0 || size > 3 || extra >= 2)
        return;
    weekLine.resize(6);
    for (int32_t i = 0; i < 6; ++i)
        weekLine[i] = kBase[size] + kStep[size] * i;
}

} // namespace Sheet
