#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace FileIO {

// Replaces (or creates) the file at `path` with `bytes`, whole or not at all:
// the bytes go to a temporary file beside it that takes the file's place only
// once everything is written. On failure the old file stays as it was and
// false is returned. The folder must exist; it is not created here.
bool writeWhole(const QString& path, const QByteArray& bytes);

enum class OpenResult { Opened, Missing, CannotOpen };

// Opens the file (its name already set) for reading. A missing file is told
// apart from one that is there but cannot be read, such as a folder in its place.
OpenResult openForReading(QFile& file);

// The largest settings or dataset file any real use produces, with room to
// spare; a larger one is taken as damaged rather than read into memory.
inline constexpr qint64 kMaxSettingsFileBytes = 4 * 1024 * 1024;

enum class ReadResult { Read, Missing, CannotOpen, TooLarge };

// The one bounded reader of the program's own files: reads the regular file
// at `path` into `out` in one piece. Anything that is not a regular file (a
// folder, a FIFO, a device) is CannotOpen and is never opened, so reading
// cannot block; a file over `maxBytes` is TooLarge and is not read. `out` is
// changed only on Read.
ReadResult readWhole(const QString& path, QByteArray& out, qint64 maxBytes = kMaxSettingsFileBytes);

} // namespace FileIO
