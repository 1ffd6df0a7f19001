#pragma once

#include "core/DatasetKeys.h"

#include <QSize>

#include <array>
#include <cstdint>

namespace Sheet {

// The outer width and height in points of the sheet of each SheetSize: the
// preview's size in pixels, and the size of the sheet on paper and in a picture.
inline constexpr std::array<QSize, kSheetSizeCount> kSheetSizes{
    QSize(255, 260), // FloppyCase
    QSize(368, 365), // Cd13x13
    QSize(337, 391), // Cd12x14
    QSize(340, 340), // Cd12x12
};

// True for a value that names one of the sizes; any other comes only from a
// damaged file.
constexpr bool isSheetSize(int32_t size) { return size >= 0 && size < kSheetSizeCount; }

constexpr QSize sheetSizeInPoints(SheetSize size) { return kSheetSizes[codeOf(size)]; }

} // namespace Sheet
