#pragma once

#include "core/SettingsPlace.h"

#include <QByteArray>

#include <optional>

namespace SettingsFiles {

// What start-up found of a settings file. The settings files are written
// only at quit, and another copy of the program (or anything else) may have
// saved them meanwhile: the quit compares with this. Each file's loader
// fills it at the end of its reading.
struct AtStart {
    // What start-up read at the file's place.
    Place read;
    // Whether start-up read that file whole: the place held a sound file of
    // its kind, taken into the run as it stands, so a quit may replace it.
    // A damaged one, or one with bytes no layout holds, is first kept under
    // a second name.
    bool wasReadWhole = false;
    // What the run held once start-up was done, as the writer puts it: a run
    // that holds the same at quit has changed nothing. None when start-up
    // left the run nothing that counts as unchanged (preferences that could
    // not be read: the defaults that stand in for them are written at quit).
    std::optional<QByteArray> heldAtStart;
};

} // namespace SettingsFiles
