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
// Every folder made here is private to the user (0700), as the desktop's own
// folders are: the settings and datasets hold the user's anniversaries. A
// folder that exists already keeps its permissions.
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

// The entries of a folder, hidden ones included, in a stable order (by name):
// its folders and regular files (links to them included). Nothing else (a
// FIFO, a device, a socket, a dangling link) is listed, and nothing listed is
// opened but a regular file, so listing never waits. Empty when the folder
// is missing.
QList<Item> items(const QString& folder);

} // namespace Folders
