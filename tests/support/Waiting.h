#pragma once

// Tests wait until what they await has happened, never for a set time. The
// limit only bounds a failure, so it is generous: a loaded machine, one
// processor or a run under valgrind must never reach it on a passing road.

#include <QTest>

namespace Waiting {

// How long one step may take before a test gives up on it: a box to appear or
// be answered, a signal to come, a menu to open.
inline constexpr int kStepMs = 30000;

// Runs the event loop until `done` holds; false when it still does not after
// `limitMs`.
template <class Done> [[nodiscard]] bool until(Done done, int limitMs = kStepMs)
{
    return QTest::qWaitFor(done, limitMs);
}

} // namespace Waiting
