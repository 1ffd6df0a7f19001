#pragma once

#include "sheet/MonthWalk.h"
#include "sheet/SheetContext.h"
#include "sheet/SheetSurface.h"

#include <cstdint>

namespace Sheet {

// Fills one grid cell, between its grid lines, with the anniversary background
// colour; only while anniversaries are shown with their background.
void drawCal2Fillrect(SheetSurface& g, const SheetContext& c, int32_t x, int32_t y, double s, int32_t row,
                      int32_t column);

// The two passes over a month the sheet has walked once and hands to both.
// The first, before the grid lines: the backgrounds of anniversary cells,
// the shared cells of overflow days included. Draws only filled rectangles.
void drawCalDaysBack(SheetSurface& g, const SheetContext& c, int32_t x, int32_t y, double s, const MonthWalk& walk);
// The second, over the grid lines: day numbers in their colours, the
// anniversary texts under them, holiday names at the cells' bottoms and the
// overflow days where the OverflowPlacement puts them. Draws only text.
void drawCalDays(SheetSurface& g, const SheetContext& c, int32_t x, int32_t y, double s, const MonthWalk& walk);

} // namespace Sheet
