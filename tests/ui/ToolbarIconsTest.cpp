// The toolbar's pictures from the application's resources.

#include "ui/ToolbarIcons.h"

#include <QPixmap>
#include <gtest/gtest.h>

namespace {

int transparentPixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(image.pixel(x, y)) == 0;
    }
    return n;
}

TEST(ToolbarIcons, EachCommandHasItsOwnClearPicture)
{
    QList<QImage> seen;
    for (const ToolbarIcons::Item& item : ToolbarIcons::kItems) {
        const QImage picture = ToolbarIcons::picture(item.icon);
        ASSERT_FALSE(picture.isNull()) << item.name;
        EXPECT_EQ(picture.size(), QSize(32, 32)) << item.name;
        ASSERT_TRUE(picture.hasAlphaChannel()) << item.name;
        // A shape on a transparent ground: neither empty nor a full square.
        const int clear = transparentPixels(picture.convertToFormat(QImage::Format_ARGB32));
        EXPECT_GT(clear, 32) << item.name;
        EXPECT_LT(clear, 32 * 32 / 2) << item.name;
        for (const QImage& other : seen)
            EXPECT_NE(picture, other) << item.name;
        seen << picture;
    }
}

TEST(ToolbarIcons, EachItemImageIsComposedAfresh)
{
    // Composed one after the other, as the window composes them: each image
    // shows its own picture only, with nothing of the one before.
    QList<QImage> images;
    for (const ToolbarIcons::Item& item : ToolbarIcons::kItems)
        images << ToolbarIcons::toolbarIcon(item.icon).pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
    for (int i = 0; i < int(ToolbarIcons::kItems.size()); ++i) {
        const QImage own = ToolbarIcons::picture(ToolbarIcons::kItems[i].icon).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(images.at(i).size(), QSize(32, 32));
        EXPECT_EQ(images.at(i), own) << ToolbarIcons::kItems[i].name;
    }
}

TEST(ToolbarIcons, APictureIsReadOnce)
{
    const QImage first = ToolbarIcons::picture(ToolbarIcons::Disk);
    const QImage again = ToolbarIcons::picture(ToolbarIcons::Disk);
    EXPECT_EQ(first.cacheKey(), again.cacheKey());
}

TEST(ToolbarIcons, AMissingPictureGivesNoIcon)
{
    // The mask numbers have no pictures of their own: transparency is in the icons.
    for (int id : {169, 177, 0, -1, 100000}) {
        EXPECT_TRUE(ToolbarIcons::picture(id).isNull()) << id;
        EXPECT_TRUE(ToolbarIcons::toolbarIcon(id).isNull()) << id;
        EXPECT_TRUE(ToolbarIcons::picture(id).isNull()) << id;
    }
}

TEST(ToolbarIcons, TheProgramHasAnIconForItsWindows)
{
    const QIcon icon = ToolbarIcons::applicationIcon();
    ASSERT_FALSE(icon.isNull());
    for (int size : {48, 256}) {
        const QImage image = icon.pixmap(size, size).toImage();
        EXPECT_EQ(image.size(), QSize(size, size));
        EXPECT_TRUE(image.hasAlphaChannel());
    }
}

} // namespace
