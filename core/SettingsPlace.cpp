#include "core/SettingsPlace.h"

namespace SettingsFiles {

bool Place::sameAs(const Place& other) const
{
    return kind == other.kind && (kind != Kind::Read || bytes == other.bytes);
}

Place placeOf(FileIO::ReadResult read, const QByteArray& bytes, int error)
{
    Place place;
    switch (read) {
    case FileIO::ReadResult::Missing:
        break;
    case FileIO::ReadResult::Read:
        place.kind = Place::Kind::Read;
        place.bytes = bytes;
        break;
    case FileIO::ReadResult::CannotOpen:
    case FileIO::ReadResult::TooLarge:
        place.kind = Place::Kind::Unread;
        place.error = error;
        break;
    }
    return place;
}

Place look(const QString& path, qint64 maxBytes)
{
    QByteArray bytes;
    int error = 0;
    const FileIO::ReadResult read = FileIO::readWhole(path, bytes, maxBytes, &error);
    return placeOf(read, bytes, error);
}

} // namespace SettingsFiles
