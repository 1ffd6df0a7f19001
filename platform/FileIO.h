#pragma once

#include <QByteArray>
#include <QString>

namespace FileIO {

// Replaces (or creates) the file at `path` with `bytes`, whole or not at all:
// the bytes go to a temporary file beside it that takes the file's place only
// once everything is written. On failure the old file stays as it was and
// false is returned. The folder must exist; it is not created here.
bool writeWhole(const QString& path, const QByteArray& bytes);

} // namespace FileIO
