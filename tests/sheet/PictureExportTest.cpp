#include "sheet/PictureExport.h"

#include "support/TestImages.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

namespace {

// The picture the bytes hold, and its format told by the bytes alone.
struct Decoded {
    QByteArray format;
    QImage picture;
};

Decoded decode(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    Decoded d;
    d.format = reader.format();
    d.picture = reader.read().convertToFormat(QImage::Format_RGB32);
    return d;
}

// A few colours in a few places, so that a picture turned or mixed up shows.
QImage smallPicture()
{
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(0, 0, qRgb(200, 0, 0));
    picture.setPixel(7, 5, qRgb(0, 0, 200));
    picture.setPixel(3, 2, qRgb(0, 120, 0));
    return picture;
}

TEST(PictureExport, EncodesInTheFormatTheNameAsksForAndPngForAnyOther)
{
    const struct {
        const char* name;
        const char* format;
    } cases[] = {
        {"/home/u/a.png", "png"}, {"B.PNG", "png"}, {"c.jpg", "jpeg"},        {"d.JPEG", "jpeg"},
        {"e.Bmp", "bmp"},         {"f.gif", "png"}, {"calendar.2026", "png"}, {"sheet", "png"},
    };
    const QImage picture = smallPicture();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Decoded d = decode(Sheet::encodePicture(picture, QString::fromUtf8(c.name)));
        EXPECT_EQ(d.format, QByteArray(c.format));
        EXPECT_EQ(d.picture.size(), picture.size());
        if (d.format != "jpeg") {
            EXPECT_PRED_FORMAT2(TestImages::samePixels, d.picture, picture);
        }
    }
}

// Nothing to write: the export tells the user rather than leave an empty file.
TEST(PictureExport, ANullPictureHasNoBytes)
{
    EXPECT_TRUE(Sheet::encodePicture(QImage(), QStringLiteral("a.png")).isEmpty());
}

} // namespace
