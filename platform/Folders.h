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
// The user's state folder: $XDG_STATE_HOME when it is set to an absolute
// path, else ~/.local/state.
QString stateFolder();

// "Morvelin初期設定" in the preferences folder: preferences, anniversaries,
// page setup.
QString settingsFolderName();
QString settingsFolder();
// "Morvelin" in the data folder: the saved datasets.
QString datasetsFolderName();
QString datasetsFolder();
// "Morvelin" in the state folder: what a run keeps of unsaved edits, for the
// next run to offer when this one ends before they are saved.
QString recoveryFolder();

// The path of `name` inside `folder`, whether it exists or not; empty when
// `folder` is empty.
QString child(const QString& folder, const QString& name);

bool isFolder(const QString& path);
// What kept a folder from being made: the path that could not be made, or
// what stands in its way (itself or a parent that is there but no folder),
// and why, as FileIO::reasonText tells it (ENOTDIR for something in the way).
struct Unmade {
    QString path;
    int error = 0;
};
// What kept the folder from being made, as a sentence for the user that
// names the path: "「~/.config」はフォルダではありません。" and the like.
QString whyUnmade(const Unmade& unmade);
// Creates the folder with any missing parents; true when it exists afterwards.
// Every folder made here is private to the user (0700), as the desktop's own
// folders are: the settings and datasets hold the user's anniversaries. A
// folder that exists already keeps its permissions. `unmade`, when given,
// receives why a folder could not be made.
bool createFolder(const QString& path, Unmade* unmade = nullptr);
// The path at or above `path` that is there but is no folder (a file, or a
// dangling link), so that no folder can be made at `path`; empty when none.
QString inTheWay(const QString& path);

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
