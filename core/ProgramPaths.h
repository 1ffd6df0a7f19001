#pragma once

#include <QString>

// Where the settings files are: ask here for one's path, never build it from
// the folder and a name elsewhere. The user's own folders, and the program's
// folders in them (the datasets', the recovery copies'), come from
// platform/Folders; a dataset is named by the user, a recovery copy by
// RecoveryKeeper.
namespace ProgramPaths {

// The settings folder "Morvelin初期設定" in the user's preferences folder
// (~/.config): the preferences, the anniversary list and the page setup,
// side by side.
QString settingsFolder();
QString preferenceFile();  // "pref"
QString anniversaryFile(); // "anvsy"
QString pageSetupFile();   // "printSetup"

// The same files, inside a given settings folder.
QString preferenceFileIn(const QString& settingsFolder);
QString anniversaryFileIn(const QString& settingsFolder);
QString pageSetupFileIn(const QString& settingsFolder);

} // namespace ProgramPaths
