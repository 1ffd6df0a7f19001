#pragma once

#include "core/DatasetKeys.h"
#include "sheet/SheetSurface.h"

#include <array>
#include <cstdint>

namespace Sheet {

// Where the sheets of one printed page lie. Row 0 holds the number of sheets
// in column 0 (column 1 is unused); rows 1..count hold the x and y of each
// sheet's top-left corner, in points from the printable area's top-left
// corner, in the order the months are printed. Unused rows stay 0.
using SheetPositions = std::array<std::array<int32_t, 2>, 7>;

// The sheet sizes that are laid out six to a page; every other size goes two
// to a page.
inline bool sixUp(int32_t size) { return size == codeOf(SheetSize::FloppyCase); }

// Fills the positions for a SheetSize: six floppy sheets touching each other,
// two columns by three rows, the block centred on the printable area; two CD
// sheets stacked 20 points from the left, 20 points from the top, the 12x14 cm
// pair centred vertically instead. `sheetWidth` x `sheetHeight` is one sheet,
// `printWidth` x `printHeight` the printable area, all in points. Rows beyond
// the page's sheets are left as they are.
void getSheetPos(SheetPositions& positions, int32_t size, int32_t sheetWidth, int32_t sheetHeight,
                 int32_t printWidth, int32_t printHeight);

// The cutting guides around the sheets `positions` holds, at `scale` device
// pixels per point, in the CutGuideStyle `style` (0 crop marks, 1 dashed
// lines, 2 solid lines; any other draws nothing). The pen is set to one device
// pixel; the colour is whatever the surface holds, which on a printed page is
// what the last sheet drawn left. A null surface draws nothing.
void printSheet2CL(SheetSurface* g, const SheetPositions& positions, int32_t size, int32_t style,
                   int32_t sheetWidth, int32_t sheetHeight, double printWidth, double printHeight, double scale);

// One dashed horizontal (y1 == y2) or vertical line in device pixels: dashes
// of two pixels every four, the first at the start. A line ending before its
// start draws nothing.
void printSheet2CLBreak(SheetSurface& g, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

} // namespace Sheet
