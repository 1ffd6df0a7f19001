#include "core/DatasetPicture.h"

#include "core/Dataset.h"
#include "core/DatasetDefaults.h"
#include "core/DatasetFile.h"
#include "support/TestMain.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

class DatasetPictureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        cwd = QDir::currentPath();
        dir = TestEnv::home() + QStringLiteral("/背景テスト");
        QDir().mkpath(dir);
        png = dir + QStringLiteral("/空.png");
        QImage img(20, 10, QImage::Format_RGB32);
        img.fill(qRgb(200, 30, 40));
        ASSERT_TRUE(img.save(png, "PNG"));
    }
    void TearDown() override
    {
        QDir::setCurrent(cwd);
        QDir(dir).removeRecursively();
    }

    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir + '/' + name;
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    static void expectThePicture(const QImage& img)
    {
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.size(), QSize(20, 10));
        EXPECT_EQ(img.pixel(5, 5) | 0xFF000000, qRgb(200, 30, 40));
    }

    QString cwd;
    QString dir;
    QString png;
};

TEST_F(DatasetPictureTest, RealPictureLoadsWhateverItsName)
{
    QImage out;
    ASSERT_TRUE(DatasetPicture::load(png, out));
    expectThePicture(out);

    QFile src(png);
    ASSERT_TRUE(src.open(QIODevice::ReadOnly));
    const QString misnamed = write(QStringLiteral("picture.txt"), src.readAll());
    QImage again;
    ASSERT_TRUE(DatasetPicture::load(misnamed, again));
    expectThePicture(again);
}

TEST_F(DatasetPictureTest, NonPicturesAreRefusedWithANullImage)
{
    const QString cases[] = {
        write(QStringLiteral("memo.png"), "これは絵ではありません\n"),
        write(QStringLiteral("empty.png"), QByteArray()),
        write(QStringLiteral("cut.png"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)),
        dir + QStringLiteral("/missing.png"),
        dir,
        QString(),
    };
    for (const QString& path : cases) {
        QImage out(4, 4, QImage::Format_RGB32);
        out.fill(Qt::white);
        EXPECT_FALSE(DatasetPicture::load(path, out)) << path.toStdString();
        EXPECT_TRUE(out.isNull()) << path.toStdString();
    }
}

TEST_F(DatasetPictureTest, StoredPathGivesPictureOnlyWhenAbsoluteAndReadable)
{
    expectThePicture(DatasetPicture::loadStored(png));
    EXPECT_TRUE(DatasetPicture::loadStored(QString()).isNull());
    EXPECT_TRUE(DatasetPicture::loadStored(dir + QStringLiteral("/gone.png")).isNull());
    // A relative path would be read against whatever the working folder is.
    QDir::setCurrent(dir);
    EXPECT_TRUE(DatasetPicture::loadStored(QStringLiteral("空.png")).isNull());
}

// As a dataset file is read: the picture is the one its stored path names now.
TEST_F(DatasetPictureTest, ADatasetReadTakesThePictureItsPathNamesAndDropsAStaleOne)
{
    const std::array<int32_t, 51> pref{};
    Dataset stored;
    DatasetDefaults::initDataset(stored, pref, QDate(2014, 11, 1));
    stored.setValue(QStringLiteral("pictPath"), png);
    const QByteArray withPath = DatasetFile::encode(stored);
    Dataset ds;
    ASSERT_TRUE(DatasetFile::decode(withPath, ds, pref, DatasetPicture::loadStored));
    expectThePicture(ds.pict());

    ASSERT_TRUE(QFile::remove(png));
    ASSERT_TRUE(DatasetFile::decode(withPath, ds, pref, DatasetPicture::loadStored));
    EXPECT_TRUE(ds.pict().isNull());
    EXPECT_EQ(ds.text(QStringLiteral("pictPath")), png);  // the path is kept as stored

    stored.setValue(QStringLiteral("pictPath"), QString());
    ds.setPict(QImage(2, 2, QImage::Format_RGB32));
    ASSERT_TRUE(DatasetFile::decode(DatasetFile::encode(stored), ds, pref, DatasetPicture::loadStored));
    EXPECT_TRUE(ds.pict().isNull());
}

TEST_F(DatasetPictureTest, ChoosingAPictureSetsPictureAndAbsolutePath)
{
    Dataset ds;
    QDir::setCurrent(dir);
    ASSERT_TRUE(DatasetPicture::choose(ds, QStringLiteral("空.png")));
    expectThePicture(ds.pict());
    EXPECT_EQ(ds.text(QStringLiteral("pictPath")), png);
    EXPECT_EQ(DatasetPicture::label(ds), png);
}

TEST_F(DatasetPictureTest, ChoosingANonPictureLeavesTheDatasetAsItWas)
{
    Dataset ds;
    ASSERT_TRUE(DatasetPicture::choose(ds, png));
    const QString text = write(QStringLiteral("memo.png"), "text");
    EXPECT_FALSE(DatasetPicture::choose(ds, text));
    EXPECT_FALSE(DatasetPicture::choose(ds, dir + QStringLiteral("/missing.png")));
    expectThePicture(ds.pict());
    EXPECT_EQ(ds.text(QStringLiteral("pictPath")), png);

    Dataset fresh;
    EXPECT_FALSE(DatasetPicture::choose(fresh, text));
    EXPECT_TRUE(fresh.pict().isNull());
    EXPECT_TRUE(fresh.text(QStringLiteral("pictPath")).isEmpty());
    EXPECT_EQ(DatasetPicture::label(fresh), QStringLiteral("ファイルなし"));
}

TEST_F(DatasetPictureTest, ClearingDropsPictureAndPath)
{
    Dataset ds;
    ASSERT_TRUE(DatasetPicture::choose(ds, png));
    DatasetPicture::clear(ds);
    EXPECT_TRUE(ds.pict().isNull());
    EXPECT_TRUE(ds.contains(QStringLiteral("pictPath")));
    EXPECT_EQ(ds.text(QStringLiteral("pictPath")), QString());
    EXPECT_EQ(DatasetPicture::label(ds), QStringLiteral("ファイルなし"));
}

// Photos of today's cameras, over Qt's default allocation limit of 128 MB
// once decoded (7000 x 5000 at four bytes a pixel is 140 MB).
class LargePictureTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        QDir().mkpath(folder());
        QImage halves(7000, 5000, QImage::Format_RGB32);
        halves.fill(qRgb(200, 30, 40));
        for (int y = 0; y < halves.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(halves.scanLine(y));
            std::fill(line + 3500, line + 7000, qRgb(30, 40, 200));
        }
        ASSERT_TRUE(halves.save(folder() + QStringLiteral("/photo.jpg"), "JPEG", 90));
        // Columns one pixel wide, black and white by turns: only a smooth
        // reduction gives the grey they average to.
        QImage stripes(7000, 5000, QImage::Format_RGB32);
        for (int y = 0; y < stripes.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(stripes.scanLine(y));
            for (int x = 0; x < stripes.width(); ++x)
                line[x] = x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
        }
        ASSERT_TRUE(stripes.save(folder() + QStringLiteral("/stripes.png"), "PNG", 0));
        QImage portrait(2000, 4000, QImage::Format_RGB32);
        portrait.fill(qRgb(10, 120, 10));
        ASSERT_TRUE(portrait.save(folder() + QStringLiteral("/portrait.png"), "PNG"));
    }
    static void TearDownTestSuite() { QDir(folder()).removeRecursively(); }
    static QString folder() { return TestEnv::home() + QStringLiteral("/大きな写真"); }

    static bool near(QRgb got, QRgb expected, int tolerance)
    {
        return std::abs(qRed(got) - qRed(expected)) <= tolerance && std::abs(qGreen(got) - qGreen(expected)) <= tolerance
            && std::abs(qBlue(got) - qBlue(expected)) <= tolerance;
    }
};

TEST_F(LargePictureTest, APhotoOverQtsLimitLoadsReducedToWhatASheetNeeds)
{
    // The limit in force: Qt's 128 MB, or what QT_IMAGEIO_MAXALLOC says,
    // which then wins over any the program sets.
    const int before = QImageReader::allocationLimit();

    QImage photo;
    ASSERT_TRUE(DatasetPicture::load(folder() + QStringLiteral("/photo.jpg"), photo));
    EXPECT_EQ(photo.size(), QSize(2400, 1714));
    EXPECT_TRUE(near(photo.pixel(600, 857), qRgb(200, 30, 40), 12));
    EXPECT_TRUE(near(photo.pixel(1800, 857), qRgb(30, 40, 200), 12));

    Dataset ds;
    ASSERT_TRUE(DatasetPicture::choose(ds, folder() + QStringLiteral("/photo.jpg")));
    EXPECT_EQ(ds.pict().size(), QSize(2400, 1714));

    // The limit the load lifted is in force again afterwards.
    EXPECT_EQ(QImageReader::allocationLimit(), before);
}

TEST_F(LargePictureTest, ReductionIsSmoothAndKeepsTheProportions)
{
    QImage stripes;
    ASSERT_TRUE(DatasetPicture::load(folder() + QStringLiteral("/stripes.png"), stripes));
    EXPECT_EQ(stripes.size(), QSize(2400, 1714));
    for (const int x : {100, 1201, 2302}) {
        const int grey = qGray(stripes.pixel(x, 857));
        EXPECT_GT(grey, 64) << x;
        EXPECT_LT(grey, 192) << x;
    }

    QImage portrait;
    ASSERT_TRUE(DatasetPicture::load(folder() + QStringLiteral("/portrait.png"), portrait));
    EXPECT_EQ(portrait.size(), QSize(1200, 2400));
    EXPECT_EQ(portrait.pixel(600, 1200) | 0xFF000000, qRgb(10, 120, 10));
}

} // namespace
