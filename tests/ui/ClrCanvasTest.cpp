#include "ui/ClrCanvas.h"

#include "support/ModalDialogDriver.h"

#include <QApplication>
#include <QColorDialog>
#include <QImage>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

void pressOn(QWidget* w, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    QPointer<QWidget> alive(w);
    const QPointF global = w->mapToGlobal(QPointF(at));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, button, button, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    if (!alive)
        return;
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

// Clicks the swatch and answers the colour dialog it opens with `answer`, which
// runs inside the dialog's own event loop. Returns whether a dialog was seen.
bool clickAndAnswer(QWidget* swatch, const std::function<void(QColorDialog*)>& answer)
{
    return ModalDialogs::answerModal<QColorDialog>([&] { pressOn(swatch, {5, 5}); }, answer) > 0;
}

QRgb rgbOf(int32_t clr) { return qRgb((clr >> 16) & 0xFF, (clr >> 8) & 0xFF, clr & 0xFF); }

class ClrCanvasTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        swatch.resize(35, 24);
        swatch.show();
        QObject::connect(&swatch, &ClrCanvas::ClrChanged, [this] { ++changed; });
    }
    ClrCanvas swatch;
    int changed = 0;
};

TEST_F(ClrCanvasTest, NewSwatchIsBlackWithThePickerPrompt)
{
    EXPECT_EQ(swatch.Clr(), 0);
    EXPECT_EQ(swatch.Caption(), QStringLiteral("色を指定して下さい。"));
    EXPECT_EQ(swatch.sizeHint(), QSize(35, 24));
}

struct PickCase {
    const char* name;
    int32_t before;
    QColor picked;  // what the user sets in the picker
    int32_t after;
};

class ClrCanvasPickTest : public ClrCanvasTest, public ::testing::WithParamInterface<PickCase> {};

TEST_P(ClrCanvasPickTest, ConfirmedPickStoresRgbAndEmitsOnce)
{
    const PickCase& c = GetParam();
    swatch.setClr(c.before);
    QColor offered;
    QString title;
    ASSERT_TRUE(clickAndAnswer(&swatch, [&](QColorDialog* dlg) {
        offered = dlg->currentColor();
        title = dlg->windowTitle();
        if (c.picked.alpha() != 255)
            dlg->setOption(QColorDialog::ShowAlphaChannel);
        dlg->setCurrentColor(c.picked);
        dlg->accept();
    }));
    EXPECT_EQ(title, QStringLiteral("色を指定して下さい。"));
    EXPECT_EQ(offered.rgb(), rgbOf(c.before));
    EXPECT_EQ(swatch.Clr(), c.after);
    EXPECT_EQ(changed, 1);
}

INSTANTIATE_TEST_SUITE_P(Picks, ClrCanvasPickTest,
    ::testing::Values(
        PickCase{"PresetAndNewColour", 0xFF6464, QColor(63, 191, 63), 0x3FBF3F},
        PickCase{"SameColourStillEmits", 0x3FBF3F, QColor(63, 191, 63), 0x3FBF3F},
        PickCase{"WhiteFromBlack", 0, QColor(255, 255, 255), 0xFFFFFF},
        PickCase{"AlphaIsDropped", 0x000000, QColor(10, 20, 30, 128), 0x0A141E},
        PickCase{"OutOfRangeOffersLow24Bits", 0x01123456, QColor(1, 2, 3), 0x010203}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(ClrCanvasTest, CancelledPickChangesNothing)
{
    swatch.setClr(0x123456);
    ASSERT_TRUE(clickAndAnswer(&swatch, [](QColorDialog* dlg) {
        dlg->setCurrentColor(QColor(200, 0, 0));
        dlg->reject();
    }));
    EXPECT_EQ(swatch.Clr(), 0x123456);
    EXPECT_EQ(changed, 0);
}

TEST_F(ClrCanvasTest, SettingFromCodeEmitsNothing)
{
    swatch.setClr(0xABCDEF);
    swatch.setProperty("Clr", 0x102030);
    EXPECT_EQ(swatch.Clr(), 0x102030);
    EXPECT_EQ(changed, 0);
}

TEST_F(ClrCanvasTest, RightClickOpensNoPicker)
{
    // A picker would open inside the press, in a loop of its own.
    EXPECT_EQ(ModalDialogs::answerModal<QDialog>([&] { pressOn(&swatch, {5, 5}, Qt::RightButton); },
                                                 [](QDialog* dlg) { dlg->reject(); }),
              0);
    EXPECT_EQ(changed, 0);
}

TEST_F(ClrCanvasTest, SwatchDestroyedWhilePickerOpen)
{
    auto* doomed = new ClrCanvas;
    doomed->resize(35, 24);
    doomed->show();
    QPointer<ClrCanvas> watch(doomed);
    QObject::connect(doomed, &ClrCanvas::ClrChanged, [this] { ++changed; });
    EXPECT_TRUE(clickAndAnswer(doomed, [doomed](QColorDialog*) { delete doomed; }));
    EXPECT_TRUE(watch.isNull());
    EXPECT_EQ(changed, 0);
}

struct PaintCase {
    const char* name;
    int32_t clr;
    QRgb inside;
};

class ClrCanvasPaintTest : public ::testing::TestWithParam<PaintCase> {};

TEST_P(ClrCanvasPaintTest, ColourInsideOnePixelBlackFrame)
{
    const PaintCase& c = GetParam();
    ClrCanvas swatch;
    swatch.resize(35, 24);
    swatch.setClr(c.clr);
    QImage img(35, 24, QImage::Format_RGB32);
    img.fill(qRgb(1, 2, 3));
    swatch.render(&img);

    int frame = 0, inside = 0, other = 0;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 35; ++x) {
            const bool edge = x == 0 || y == 0 || x == 34 || y == 23;
            const QRgb px = img.pixel(x, y) | 0xFF000000;
            if (edge && px == qRgb(0, 0, 0))
                ++frame;
            else if (!edge && px == (c.inside | 0xFF000000))
                ++inside;
            else
                ++other;
        }
    }
    EXPECT_EQ(frame, 2 * 35 + 2 * 22);
    EXPECT_EQ(inside, 33 * 22);
    EXPECT_EQ(other, 0);
}

INSTANTIATE_TEST_SUITE_P(Colours, ClrCanvasPaintTest,
    ::testing::Values(
        PaintCase{"Black", 0, qRgb(0, 0, 0)},
        PaintCase{"White", 0xFFFFFF, qRgb(255, 255, 255)},
        PaintCase{"Rose", 0xFF6464, qRgb(255, 100, 100)},
        PaintCase{"MinusOneAsLow24Bits", -1, qRgb(255, 255, 255)},
        PaintCase{"AboveRangeAsLow24Bits", 0x01123456, qRgb(0x12, 0x34, 0x56)},
        PaintCase{"Int32MinAsLow24Bits", INT32_MIN, qRgb(0, 0, 0)}),
    [](const auto& test) { return std::string(test.param.name); });

} // namespace
