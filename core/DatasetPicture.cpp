#include "core/DatasetPicture.h"

#include "core/Dataset.h"

#include <QFileInfo>
#include <QImageReader>

bool DatasetPicture::load(const QString& path, QImage& out)
{
    out = QImage();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    QImageReader reader(path);
    // A file named .png that holds text must be refused, and a picture with a
    // misleading suffix still read.
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        return false;
    out = std::move(image);
    return true;
}

QImage DatasetPicture::loadStored(const QString& path)
{
    // Stored paths are absolute; a relative one would depend on the working folder.
    QImage image;
    if (!path.isEmpty() && QFileInfo(path).isAbsolute())
        load(path, image);
    return image;
}

void DatasetPicture::restore(Dataset& dataset)
{
    dataset.setPict(loadStored(dataset.text(DatasetKey::pictPath)));
}

bool DatasetPicture::choose(Dataset& dataset, const QString& path)
{
    QImage image;
    if (!load(path, image))
        return false;
    dataset.setPict(image);
    dataset.setValue(DatasetKey::pictPath, QFileInfo(path).absoluteFilePath());
    return true;
}

void DatasetPicture::clear(Dataset& dataset)
{
    dataset.setPict(QImage());
    dataset.setValue(DatasetKey::pictPath, QString());
}

QString DatasetPicture::label(const Dataset& dataset)
{
    const QString path = dataset.text(DatasetKey::pictPath);
    return path.isEmpty() ? QStringLiteral("ファイルなし") : path;
}
