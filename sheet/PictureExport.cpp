#include "sheet/PictureExport.h"

#include "platform/FileIO.h"

#include <QBuffer>
#include <QFileInfo>

namespace Sheet {

QString pictureFileName(const QString& chosen)
{
    if (chosen.isEmpty() || !QFileInfo(chosen).suffix().isEmpty())
        return chosen;
    return chosen + QStringLiteral(".png");
}

bool savePicture(const QImage& picture, const QString& path)
{
    if (picture.isNull())
        return false;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG"))
        return false;
    buffer.close();
    // A picture is made to be passed on: it is as readable as the user's other files.
    return FileIO::writeWhole(path, bytes, FileIO::Access::Shared);
}

} // namespace Sheet
