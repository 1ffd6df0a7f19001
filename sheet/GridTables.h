#pragma once

#include <QList>

#include <array>
#include <cstdint>

namespace Sheet {

// The x of the grid's eight column lines, in points from the sheet's left edge.
using DowLine = std::array<int32_t, 8>;
// The y of the grid's six row lines, in points from the sheet's top edge.
using WeekLine = QList<int32_t>;

// Fills all eight column lines for a SheetSize; any size other than the floppy
// case and the 13 cm CD gets the 12 cm CD columns.
void initDOWLine(DowLine& dowLine, int32_t size);

// Rebuilds the six row lines for a SheetSize 0..3 while the OverflowPlacement
// is below 2; any other size or placement leaves the table exactly as it was.
void initWeekLine(WeekLine& weekLine, int32_t size, int32_t extra);

// True when the tables hold a whole grid (eight columns lines, six row lines).
inline bool gridBuilt(const WeekLine& weekLine) { return weekLine.size() >= 6; }

} // namespace Sheet
