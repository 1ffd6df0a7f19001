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

} // namespace FileIO
