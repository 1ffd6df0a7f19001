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
    return FileIO::writeWhole(path, bytes);
}

} // namespace Sheet
