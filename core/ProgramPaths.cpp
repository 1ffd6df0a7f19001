#include "core/ProgramPaths.h"

#include "platform/Folders.h"

namespace ProgramPaths {

QString settingsFolder() { return Folders::settingsFolder(); }

QString preferenceFileIn(const QString& settingsFolder)
{
    return Folders::child(settingsFolder, QStringLiteral("pref"));
}
QString anniversaryFileIn(const QString& settingsFolder)
{
    return Folders::child(settingsFolder, QStringLiteral("anvsy"));
}
QString pageSetupFileIn(const QString& settingsFolder)
{
    return Folders::child(settingsFolder, QStringLiteral("printSetup"));
}

QString preferenceFile() { return preferenceFileIn(settingsFolder()); }
QString anniversaryFile() { return anniversaryFileIn(settingsFolder()); }
QString pageSetupFile() { return pageSetupFileIn(settingsFolder()); }

} // namespace ProgramPaths
