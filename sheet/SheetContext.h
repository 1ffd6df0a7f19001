#pragma once

#include "core/Anniversary.h"
#include "core/Dataset.h"
#include "sheet/GridTables.h"

#include <cstdint>

namespace Sheet {

// Everything a month sheet is drawn from, as the main window holds it at the
// moment of drawing. Nothing here is cached between sheets.
struct SheetContext {
    const Dataset& dataset;
    const AnniversaryList& anniversaries;
    const DowLine& dowLine;
    const WeekLine& weekLine;
    // The sheet's outer width in points: the preview canvas's current width,
    // also when the sheet goes to paper or into a picture.
    int32_t sheetWidth;
};

} // namespace Sheet
