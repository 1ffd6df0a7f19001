#pragma once

#include "core/SettingsPlace.h"
#include "platform/FileIO.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace SettingsFiles {

// Reads a settings file whole. A file that is missing, cannot be read or is
// larger than `maxBytes` gives the loader's own LoadResult for it (NoFile,
// CannotOpen, Damaged), so that every settings file tells these apart alike;
// a file read whole into `bytes` gives nothing. `place` receives what the
// place held.
template <class LoadResult>
std::optional<LoadResult> readFailure(const QString& path, QByteArray& bytes, qint64 maxBytes, Place& place)
{
    int error = 0;
    const FileIO::ReadResult read = FileIO::readWhole(path, bytes, maxBytes, &error);
    place = placeOf(read, bytes, error);
    switch (read) {
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

} // namespace SettingsFiles
