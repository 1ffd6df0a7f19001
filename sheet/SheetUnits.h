#pragma once

#include "core/Dataset.h"
#include "core/Globals.h"
#include "platform/Conv.h"

#include <QColor>
#include <QString>

#include <cstdint>

// The small conversions every sheet routine makes: layout points to device
// units, and a dataset's stored colours to colours.
namespace Sheet {

// A sum of layout points (kept wide, so that no origin overflows) scaled to
// device units, the fraction dropped.
inline int32_t dev(int64_t layoutSum, double s) { return Conv::toInt32(double(layoutSum) * s); }

// A baseline: the layout sum scaled, then an offset in device units, truncated once.
inline int32_t devPlus(int64_t layoutSum, double s, double offset)
{
    return Conv::toInt32(double(layoutSum) * s + offset);
}

// The colour a colour key holds.
inline QColor colourOf(const Dataset& ds, const QString& key) { return Globals::gClrItoC(ds.i32(key)); }

} // namespace Sheet
