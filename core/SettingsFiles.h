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

} // namespace SettingsFiles
