#include "core/DatasetPicture.h"

#include "core/Dataset.h"

#include "platform/FileIO.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {
// Qt refuses pictures over 128 MB of pixels, a 36-megapixel photo among them.
// Any picture Qt can decode is the user's to choose, so the limit is lifted
// for the one read that needs it, and put back after.
class NoAllocationLimit {
public:
    NoAllocationLimit()
        : m_limit(QImageReader::allocationLimit())
    {
        QImageReader::setAllocationLimit(0);
    }
    ~NoAllocationLimit() { QImageReader::setAllocationLimit(m_limit); }
    NoAllocationLimit(const NoAllocationLimit&) = delete;
    NoAllocationLimit& operator=(const NoAllocationLimit&) = delete;

private:
    int m_limit;
};

bool tooLarge(const QSize& size)
{
    return size.width() > DatasetPicture::kMaxSide || size.height() > DatasetPicture::kMaxSide;
}

QSize reduced(const QSize& size)
{
    return size.scaled(DatasetPicture::kMaxSide, DatasetPicture::kMaxSide, Qt::KeepAspectRatio);
}
} // namespace

bool DatasetPicture::load(const QString& path, QImage& out)
{
    out = QImage();
    QFile file(path);
    if (path.isEmpty() || FileIO::openForReading(file) != FileIO::OpenResult::Opened)
        return false;
    QImageReader reader(&file);
    // A file named .png that holds text must be refused, and a picture with a
    // misleading suffix still read.
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    // Reduced while it is read: a JPEG is then never decoded at full size,
    // and other formats are scaled smoothly by the reader itself.
    const QSize stored = reader.size();
    if (stored.isValid() && tooLarge(stored))
        reader.setScaledSize(reduced(stored));
    QImage image;
    {
        const NoAllocationLimit lifted;
        image = reader.read();
    }
    if (image.isNull())
        return false;
    if (tooLarge(image.size())) // a format that tells its size only once read
        image = image.scaled(reduced(image.size()), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
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
