#include "platform/Folders.h"

#include "platform/FileTypes.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace Folders {

QString preferencesFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString applicationSupportFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString settingsFolderName() { return QStringLiteral("Morvelin初期設定"); }
QString settingsFolder() { return child(preferencesFolder(), settingsFolderName()); }

QString datasetsFolderName() { return QStringLiteral("Morvelin"); }
QString datasetsFolder() { return child(applicationSupportFolder(), datasetsFolderName()); }

QString child(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return QString();
    return QDir(folder).filePath(name);
}

bool exists(const QString& path) { return !path.isEmpty() && QFileInfo::exists(path); }

bool isFolder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

bool createFolder(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (QFileInfo(absolute).isDir())
        return true;
    // From the deepest folder that exists down to the one asked for, each
    // made with the user's rights only; mkpath would take the umask's.
    QStringList missing;
    for (QString p = QDir::cleanPath(absolute); !QFileInfo(p).exists() && !QFileInfo(p).isSymLink();
         p = QFileInfo(p).path()) {
        missing.prepend(p);
        if (QFileInfo(p).isRoot())
            break;
    }
    constexpr QFileDevice::Permissions kPrivate = QFileDevice::ReadOwner | QFileDevice::WriteOwner
        | QFileDevice::ExeOwner;
    for (const QString& p : missing) {
        if (!QDir().mkdir(p, kPrivate) && !QFileInfo(p).isDir())
            return false;
    }
    return QFileInfo(absolute).isDir();
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
