#pragma once

#include <QString>

// Where the settings files live: the preferences, the anniversary list and
// the page setup, side by side in the settings folder "Morvelin初期設定".
namespace SettingsFiles {

QString folder();
QString preferenceFile();  // "pref"
QString anniversaryFile(); // "anvsy"
QString pageSetupFile();   // "printSetup"

// The same, inside a given settings folder.
QString preferenceFileIn(const QString& settingsFolder);
QString anniversaryFileIn(const QString& settingsFolder);
QString pageSetupFileIn(const QString& settingsFolder);

// Before a file that could not be read whole is replaced: keeps it beside
// itself as "<name>.damaged" (then "<name>.damaged.2", ...; an earlier kept
// file is never replaced), so what it held is not lost. True when the file
// may now be replaced: it was kept, or there is no regular file to keep.
bool keepAside(const QString& path);
// The name keepAside would give the file at `path` now.
QString keptName(const QString& path);

} // namespace SettingsFiles
