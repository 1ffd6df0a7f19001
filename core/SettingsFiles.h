#pragma once

#include "platform/FileIO.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Where the settings files live: the preferences, the anniversary list and
// the page setup, side by side in the settings folder "Morvelin初期設定".
namespace SettingsFiles {

QString folder();
QString preferenceFile();  // "pref"
QString anniversaryFile(); // "anvsy"
QString pageSetupFile();   // "printSetup"

// The same, inside a given settings folder.
QString preferenceFileIn(const QString& settingsFolder);
QString anniversaryFileIn(const QString& settingsFolder);
QString pageSetupFileIn(const QString& settingsFolder);

// Reads a settings file whole. A file that is missing, cannot be read or is
// larger than `maxBytes` gives the loader's own LoadResult for it (NoFile,
// CannotOpen, Damaged), so that every settings file tells these apart alike;
// a file read whole into `bytes` gives nothing.
template <class LoadResult>
std::optional<LoadResult> readFailure(const QString& path, QByteArray& bytes,
                                      qint64 maxBytes = FileIO::kMaxSettingsFileBytes)
{
    switch (FileIO::readWhole(path, bytes, maxBytes)) {
    case FileIO::ReadResult::Missing:
        return LoadResult::NoFile;
    case FileIO::ReadResult::CannotOpen:
        return LoadResult::CannotOpen;
    case FileIO::ReadResult::TooLarge:
        return LoadResult::Damaged;
    case FileIO::ReadResult::Read:
        break;
    }
    return std::nullopt;
}

// Before a file that could not be read whole is replaced: keeps it beside
// itself as "<name>.damaged" (then "<name>.damaged.2", ...; an earlier kept
// file is never replaced), so what it held is not lost. True when the file
// may now be replaced: it was kept, or there is no regular file to keep.
bool keepAside(const QString& path);
// The name keepAside would give the file at `path` now.
QString keptName(const QString& path);

} // namespace SettingsFiles
