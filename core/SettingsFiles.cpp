#include "core/SettingsFiles.h"

#include "platform/Folders.h"

namespace SettingsFiles {

QString folder() { return Folders::settingsFolder(); }

QString preferenceFileIn(const QString& settingsFolder) { return Folders::child(settingsFolder, QStringLiteral("pref")); }
QString anniversaryFileIn(const QString& settingsFolder) { return Folders::child(settingsFolder, QStringLiteral("anvsy")); }
QString pageSetupFileIn(const QString& settingsFolder) { return Folders::child(settingsFolder, QStringLiteral("printSetup")); }

QString preferenceFile() { return preferenceFileIn(folder()); }
QString anniversaryFile() { return anniversaryFileIn(folder()); }
QString pageSetupFile() { return pageSetupFileIn(folder()); }

} // namespace SettingsFiles
