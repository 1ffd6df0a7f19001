#include "platform/FileIO.h"

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

} // namespace FileIO
