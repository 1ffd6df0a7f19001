#include "platform/FileIO.h"

#include <QFileInfo>
#include <QSaveFile>

namespace FileIO {

bool writeWhole(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

OpenResult openForReading(QFile& file)
{
    const QFileInfo info(file.fileName());
    if (!info.exists())
        return OpenResult::Missing;
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        return OpenResult::CannotOpen;
    return OpenResult::Opened;
}

ReadResult readWhole(const QString& path, QByteArray& out, qint64 maxBytes)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return ReadResult::Missing;
    if (!info.isFile())
        return ReadResult::CannotOpen;
    if (info.size() > maxBytes)
        return ReadResult::TooLarge;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return ReadResult::CannotOpen;
    // The size can change between the look and the read: never take more
    // than the bound, and count one byte past it as too large.
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return ReadResult::CannotOpen;
    if (bytes.size() > maxBytes)
        return ReadResult::TooLarge;
    out = std::move(bytes);
    return ReadResult::Read;
}

} // namespace FileIO
