#include "core/App.h"
#include "sheet/JapaneseFont.h"
#include "sheet/SheetSurface.h"
#include "support/TestImages.h"
#include "ui/Canvas.h"
#include "ui/Window1.h"

#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

QImage drawnByDrawCal(const Window1& w, int width, int height)
{
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    SheetSurface g(p);
    w.DrawCal(g, 0, 0, 1.0, w.pDataset->i32(QStringLiteral("stYY")), w.pDataset->i32(QStringLiteral("stMM")));
    p.end();
    return img;
}

// The canvas as it shows, one pixel per point as DrawCal draws them.
QImage shown(QWidget* w) { return TestImages::rendered(w).convertToFormat(QImage::Format_RGB32); }

TEST(Window1Sheet, CanvasesStandAtTheirPlaces)
{
    Window1 w;
    ASSERT_NE(w.Canvas1, nullptr);
    ASSERT_NE(w.Canvas9, nullptr);
    ASSERT_NE(w.Canvas10, nullptr);
    EXPECT_EQ(w.findChild<Canvas*>(QStringLiteral("Canvas1")), w.Canvas1);
    EXPECT_EQ(w.findChild<Canvas*>(QStringLiteral("Canvas9")), w.Canvas9);
    EXPECT_EQ(w.findChild<Canvas*>(QStringLiteral("Canvas10")), w.Canvas10);
    EXPECT_EQ(w.Canvas1->geometry(), QRect(30, 220, 255, 260));
    EXPECT_EQ(w.Canvas9->geometry(), QRect(0, 210, 30, 410));
    EXPECT_EQ(w.Canvas10->geometry(), QRect(20, 190, 390, 30));

    // No dataset yet: the preview is white and nothing else.
    const QImage img = shown(w.Canvas1);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            ASSERT_EQ(img.pixel(x, y), qRgb(255, 255, 255));
}

TEST(Window1Sheet, PreviewShowsTheStartMonthDrawnByDrawCal)
{
    JapaneseFont::installSubstitutes();
    App app;
    app.InitVal();
    app.InitColor();
    app.InitPref();
    Window1 w;
    w.InitApp();
    ASSERT_TRUE(w.pDataset);
    w.pDataset->setValue(QStringLiteral("stYY"), 2014);
    w.pDataset->setValue(QStringLiteral("stMM"), 11);

    EXPECT_PRED_FORMAT2(TestImages::samePixels, shown(w.Canvas1), drawnByDrawCal(w, 255, 260));

    // The size pop-up resizes the preview and rebuilds the grid it draws.
    auto* size = w.findChild<QComboBox*>(QStringLiteral("PopupMenu4"));
    ASSERT_NE(size, nullptr);
    size->setCurrentIndex(2);
    EXPECT_EQ(w.Canvas1->size(), QSize(337, 391));
    EXPECT_EQ(w.pWEEKline, (QList<int32_t>{52, 118, 184, 250, 316, 382}));
    const QImage cd = shown(w.Canvas1);
    EXPECT_PRED_FORMAT2(TestImages::samePixels, cd, drawnByDrawCal(w, 337, 391));
    EXPECT_EQ(cd.pixel(8, 52), w.pDataset->i32(QStringLiteral("lineColor")) | 0xFF000000u);
}

} // namespace
