#include "core/SettingsFiles.h"

#include "platform/FileIO.h"
#include "platform/Folders.h"

#include <QFileInfo>

namespace SettingsFiles {

QString folder() { return Folders::settingsFolder(); }

QString preferenceFileIn(const QString& settingsFolder) { return Folders::child(settingsFolder, QStringLiteral("pref")); }
QString anniversaryFileIn(const QString& settingsFolder) { return Folders::child(settingsFolder, QStringLiteral("anvsy")); }
QString pageSetupFileIn(const QString& settingsFolder) { return Folders::child(settingsFolder, QStringLiteral("printSetup")); }

QString preferenceFile() { return preferenceFileIn(folder()); }
QString anniversaryFile() { return anniversaryFileIn(folder()); }
QString pageSetupFile() { return pageSetupFileIn(folder()); }

QString keptName(const QString& path)
{
    const QString first = path + QStringLiteral(".damaged");
    if (!QFileInfo(first).exists() && !QFileInfo(first).isSymLink())
        return first;
    for (int n = 2; n < 1000; ++n) {
        const QString name = first + QLatin1Char('.') + QString::number(n);
        if (!QFileInfo(name).exists() && !QFileInfo(name).isSymLink())
            return name;
    }
    return QString();
}

bool keepAside(const QString& path)
{
    if (!FileIO::isRegularFile(path))
        return true;
    return FileIO::keepUnder(path, keptName(path));
}

} // namespace SettingsFiles
