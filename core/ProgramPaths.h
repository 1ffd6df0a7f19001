#pragma once

#include <QString>

// Where the program's folders are, and the names of the files it keeps in
// them: ask here for a path, never build one from a folder and a name
// elsewhere. The user's own folders, and the names of the program's folders
// in them, come from platform/Folders.
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
