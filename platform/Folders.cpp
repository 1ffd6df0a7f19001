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
    return QDir().mkpath(path);
}

QList<Item> items(const QString& folder)
{
    QList<Item> result;
    if (!isFolder(folder))
        return result;
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& info : entries) {
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
