#pragma once

#include "platform/FileIO.h"

#include <QFile>
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

// Opens a settings file for reading. A file that is missing or cannot be read
// gives the loader's own LoadResult for it (NoFile, CannotOpen), so that every
// settings file tells the two apart alike; an open file gives nothing.
template <class LoadResult> std::optional<LoadResult> openFailure(QFile& file)
{
    switch (FileIO::openForReading(file)) {
    case FileIO::OpenResult::Missing:
        return LoadResult::NoFile;
    case FileIO::OpenResult::CannotOpen:
        return LoadResult::CannotOpen;
    case FileIO::OpenResult::Opened:
        break;
    }
    return std::nullopt;
}

} // namespace SettingsFiles
