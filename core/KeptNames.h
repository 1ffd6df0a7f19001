#pragma once

#include <QString>

namespace SettingsFiles {

// The suffix of the second name of a file that could not be read, and of one
// that someone else saved while this run held other content for it.
inline constexpr char kDamagedSuffix[] = ".damaged";
inline constexpr char kOtherSuffix[] = ".other";

// The second name a file at `path` is kept under before the quit replaces
// it: "<name><suffix>", then "<name><suffix>.2", ...; an earlier kept file
// is never replaced. Empty when every such name is taken.
QString keptName(const QString& path, const char* suffix);

} // namespace SettingsFiles
