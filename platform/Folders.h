#pragma once

#include <QList>
#include <QString>

// The user's folders the program keeps its files in, and the few file-system
// questions its file code asks.
namespace Folders {

// The user's preferences folder (~/.config); always present as a path.
QString preferencesFolder();
// The user's data folder (~/.local/share), where datasets are kept.
QString applicationSupportFolder();

// "Morvelin初期設定" in the preferences folder: preferences, anniversaries,
// page setup.
QString settingsFolderName();
QString settingsFolder();
// "Morvelin" in the data folder: the saved datasets.
QString datasetsFolderName();
QString datasetsFolder();

// The path of `name` inside `folder`, whether it exists or not; empty when
// `folder` is empty.
QString child(const QString& folder, const QString& name);

bool exists(const QString& path);
bool isFolder(const QString& path);
// Creates the folder with any missing parents; true when it exists afterwards.
bool createFolder(const QString& path);

// One entry of a folder listing.
struct Item {
    QString name;     // finds the entry again with child(folder, name)
    QString path;     // absolute path
    bool visible;     // not a hidden (dot) file
    bool alias;       // a symbolic link
    bool directory;   // a folder (a link to a folder counts too)
    QString macType;  // "pref" for one of the program's own files, else empty
};

// The entries of a folder, hidden ones included, in a stable order (by name).
// Empty when the folder is missing.
QList<Item> items(const QString& folder);

} // namespace Folders
