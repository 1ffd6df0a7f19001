#include "sheet/PictureExport.h"

#include "sheet/NameParts.h"

#include <QBuffer>
#include <QImageWriter>

namespace Sheet {

QByteArray pictureFormatOf(const QString& fileName)
{
    const QString suffix = suffixOf(fileName).toString().toLower();
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

QByteArray encodePicture(const QImage& picture, const QString& fileName)
{
    if (picture.isNull())
        return {};
    QByteArray format = pictureFormatOf(fileName);
    if (format.isEmpty())
        format = QByteArrayLiteral("png");
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    QImageWriter writer(&buffer, format);
    if (!writer.write(picture))
        return {};
    buffer.close();
    return bytes;
}

} // namespace Sheet
