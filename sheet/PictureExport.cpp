#include "sheet/PictureExport.h"

#include "platform/FileIO.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>

namespace Sheet {

QByteArray pictureFormatOf(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return QByteArrayLiteral("png");
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return QByteArrayLiteral("jpeg");
    if (suffix == QLatin1String("bmp"))
        return QByteArrayLiteral("bmp");
    return {};
}

QString pictureFileName(const QString& chosen)
{
    if (chosen.isEmpty() || !pictureFormatOf(chosen).isEmpty())
        return chosen;
    return chosen + (chosen.endsWith(u'.') ? QStringLiteral("png") : QStringLiteral(".png"));
}

bool savePicture(const QImage& picture, const QString& path)
{
    if (picture.isNull())
        return false;
    QByteArray format = pictureFormatOf(path);
    if (format.isEmpty())
        format = QByteArrayLiteral("png");
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&buffer, format);
    if (!writer.write(picture))
        return false;
    buffer.close();
    // A picture is made to be passed on: it is as readable as the user's other files.
    return FileIO::writeWhole(path, bytes, FileIO::Access::Shared);
}

} // namespace Sheet
