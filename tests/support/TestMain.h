#pragma once

#include <QString>

namespace TestEnv {
// The temporary home every test runs in: HOME and the XDG folders point below it,
// so no test reads or writes the real user's files.
QString home();
}
