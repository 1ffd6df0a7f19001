#pragma once

#include "core/Dataset.h"
#include "sheet/SheetContext.h"
#include "sheet/SheetSurface.h"

#include <QString>

#include <array>
#include <cstdint>

namespace Sheet {

// The seven weekday labels, entry i for grid column i, in the dataset's
// label language and first weekday; empty texts for no labels.
std::array<QString, 7> drawCalDow(const Dataset& dataset);

// The year/month title: "2014.4", "2014.12".
QString sheetTitle(int32_t year, int32_t month);

// Draws one complete month sheet with its top-left corner at (x, y) points of
// the surface, at `scale` device units per point: background picture, title,
// weekday header, anniversary backgrounds, grid and days. The one routine
// behind the preview, the exported picture and every printed sheet. It
// restores nothing: the surface keeps the colour, font, size and pen it set last.
void drawCal(SheetSurface& g, const SheetContext& c, int32_t x, int32_t y, double scale, int32_t year,
             int32_t month);

} // namespace Sheet
