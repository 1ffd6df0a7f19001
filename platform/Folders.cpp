#include "platform/Folders.h"

#include "platform/FileIO.h"
#include "platform/FileTypes.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>

#include <sys/stat.h>

namespace Folders {

QString preferencesFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString applicationSupportFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString stateFolder()
{
    // Qt 6.4 knows no state location of its own.
    const QString xdg = qEnvironmentVariable("XDG_STATE_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg);
    return QDir::homePath() + QStringLiteral("/.local/state");
}

QString settingsFolderName() { return QStringLiteral("Morvelin初期設定"); }
QString settingsFolder() { return child(preferencesFolder(), settingsFolderName()); }

QString datasetsFolderName() { return QStringLiteral("Morvelin"); }
QString datasetsFolder() { return child(applicationSupportFolder(), datasetsFolderName()); }

QString recoveryFolder() { return child(stateFolder(), QStringLiteral("Morvelin")); }

QString child(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return QString();
    return QDir(folder).filePath(name);
}

bool isFolder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

QString inTheWay(const QString& path)
{
    if (path.isEmpty())
        return QString();
    for (QString p = QDir::cleanPath(QFileInfo(path).absoluteFilePath());; p = QFileInfo(p).path()) {
        const QFileInfo info(p);
        if (FileIO::somethingAt(p))
            return info.isDir() ? QString() : p;
        if (info.isRoot())
            return QString();
    }
}

QString whyUnmade(const Unmade& unmade)
{
    const QString shown = QDir::toNativeSeparators(unmade.path);
    if (unmade.error == ENOTDIR)
        return QStringLiteral("「%1」はフォルダではありません。").arg(shown);
    return QStringLiteral("「%1」を作れません。\n").arg(shown) + FileIO::reasonText(unmade.error);
}

bool createFolder(const QString& path, Unmade* unmade)
{
    const auto fail = [unmade](const QString& at, int error) {
        if (unmade)
            *unmade = Unmade{at, error};
        return false;
    };
    if (path.isEmpty())
        return fail(path, ENOENT);
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (QFileInfo(absolute).isDir())
        return true;
    const QString blocked = inTheWay(absolute);
    if (!blocked.isEmpty())
        return fail(blocked, ENOTDIR);
    // From the deepest folder that exists down to the one asked for, each
    // made with the user's rights only; mkpath would take the umask's.
    QStringList missing;
    for (QString p = QDir::cleanPath(absolute); !FileIO::somethingAt(p);
         p = QFileInfo(p).path()) {
        missing.prepend(p);
        if (QFileInfo(p).isRoot())
            break;
    }
    constexpr mode_t kPrivate = 0700;
    for (const QString& p : missing) {
        if (::mkdir(QFile::encodeName(p).constData(), kPrivate) != 0 && errno != EEXIST)
            return fail(p, errno);
        if (!QFileInfo(p).isDir())
            return fail(p, ENOTDIR);
    }
    return QFileInfo(absolute).isDir() || fail(absolute, ENOENT);
}

QList<Item> items(const QString& folder)
{
    QList<Item> result;
    if (!isFolder(folder))
        return result;
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& info : entries) {
        if (!info.isDir() && !info.isFile())
            continue;
        Item item;
        item.name = info.fileName();
        item.path = info.absoluteFilePath();
        item.visible = !info.isHidden();
        item.alias = info.isSymLink();
        item.directory = info.isDir();
        item.macType = item.directory ? QString() : FileTypes::macTypeOf(item.path);
        result.append(item);
    }
    return result;
}

} // namespace Folders
