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

} // namespace FileIO
