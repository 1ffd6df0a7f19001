// The toolbar's pictures from the application's resources.

#include "ui/ToolbarIcons.h"

#include "support/TestImages.h"

#include <QPixmap>
#include <gtest/gtest.h>

#include <string>

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

// The pixels clear in `picture` that are not clear in `icon`: how many and
// the first; empty when there are none.
std::string shownWhereClear(const QImage& picture, const QImage& icon)
{
    int shown = 0;
    QPoint first;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (qAlpha(picture.pixel(x, y)) == 0 && qAlpha(icon.pixel(x, y)) != 0 && shown++ == 0)
                first = QPoint(x, y);
        }
    }
    if (shown == 0)
        return {};
    return std::to_string(shown) + " pixel(s), the first at (" + std::to_string(first.x()) + ", "
           + std::to_string(first.y()) + ")";
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
    // shows its own picture only, with nothing of the one before. Composing
    // goes through a premultiplied image, so the colours of its partly
    // transparent pixels are its own up to Qt's rounding; where the picture
    // is clear, the icon is clear.
    QList<QImage> images;
    for (const ToolbarIcons::Item& item : ToolbarIcons::kItems)
        images << ToolbarIcons::toolbarIcon(item.icon).pixmap(QSize(32, 32), 1.0).toImage();
    for (int i = 0; i < int(ToolbarIcons::kItems.size()); ++i) {
        const char* name = ToolbarIcons::kItems[i].name;
        const QImage own = ToolbarIcons::picture(ToolbarIcons::kItems[i].icon).convertToFormat(QImage::Format_ARGB32);
        const QImage icon = images.at(i).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(icon.size(), QSize(32, 32)) << name;
        EXPECT_EQ(shownWhereClear(own, icon), "") << name;
        EXPECT_PRED_FORMAT2(TestImages::sameUpToRounding, images.at(i), own) << name;
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
        // Asked for in logical pixels, as a window asks: on a screen of
        // scale 2 it holds twice as many.
        const QPixmap pixmap = icon.pixmap(size, size);
        EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(size, size));
        EXPECT_TRUE(pixmap.toImage().hasAlphaChannel());
    }
}

} // namespace
