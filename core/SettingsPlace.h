#pragma once

#include "platform/FileIO.h"

#include <QByteArray>
#include <QString>

namespace SettingsFiles {

// What a settings file's place holds when it is looked at.
struct Place {
    enum class Kind {
        Missing, // nothing there
        Read,    // a regular file, read whole into `bytes`
        Unread,  // something that could not be read whole: no regular file, no
                 // permission, or larger than any file of its kind
    };
    Kind kind = Kind::Missing;
    QByteArray bytes;
    // For Unread: why, as FileIO::reasonText tells it.
    int error = 0;

    // A regular file of exactly these bytes.
    bool holds(const QByteArray& content) const { return kind == Kind::Read && bytes == content; }
    // The same kind and, for Read, the same bytes.
    bool sameAs(const Place& other) const;
};

// The place at `path`, read through the bounded reader.
Place look(const QString& path, qint64 maxBytes = FileIO::kMaxSettingsFileBytes);
// What a read of the bounded reader saw.
Place placeOf(FileIO::ReadResult read, const QByteArray& bytes, int error = 0);

} // namespace SettingsFiles
