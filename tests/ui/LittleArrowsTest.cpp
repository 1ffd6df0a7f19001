#include "ui/LittleArrows.h"

#include "support/Waiting.h"

#include <QApplication>
#include <QMouseEvent>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

void send(QWidget* w, QEvent::Type type, QPoint at)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

class LittleArrowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        arrows.move(345, 40);
        arrows.show();
        QObject::connect(&arrows, &LittleArrows::up, [this] { ++ups; });
        QObject::connect(&arrows, &LittleArrows::down, [this] { ++downs; });
    }

    // Presses where the user would, on whatever control lies under that point.
    void clickAt(QPoint at)
    {
        QWidget* target = arrows.childAt(at);
        ASSERT_NE(target, nullptr) << "nothing at " << at.x() << "," << at.y();
        const QPoint local = target->mapFrom(&arrows, at);
        send(target, QEvent::MouseButtonPress, local);
        send(target, QEvent::MouseButtonRelease, local);
    }

    LittleArrows arrows;
    int ups = 0;
    int downs = 0;
};

TEST_F(LittleArrowsTest, TwoArrowsStackedInThirteenByTwentyThree)
{
    EXPECT_EQ(arrows.size(), QSize(13, 23));
    EXPECT_EQ(arrows.upButton()->arrowType(), Qt::UpArrow);
    EXPECT_EQ(arrows.downButton()->arrowType(), Qt::DownArrow);
    EXPECT_EQ(arrows.upButton()->geometry(), QRect(0, 0, 13, 11));
    EXPECT_EQ(arrows.downButton()->geometry(), QRect(0, 11, 13, 12));
    EXPECT_EQ(arrows.focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(arrows.upButton()->focusPolicy(), Qt::NoFocus);
}

TEST_F(LittleArrowsTest, ResizedArrowsStillSplitTheHeight)
{
    arrows.resize(20, 40);
    EXPECT_EQ(arrows.upButton()->geometry(), QRect(0, 0, 20, 20));
    EXPECT_EQ(arrows.downButton()->geometry(), QRect(0, 20, 20, 20));
}

TEST_F(LittleArrowsTest, EachClickStepsOnceInItsDirection)
{
    clickAt({6, 2});
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(downs, 0);
    clickAt({6, 21});
    clickAt({6, 12});
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(downs, 2);
}

TEST_F(LittleArrowsTest, DisabledArrowsStayQuiet)
{
    arrows.setEnabled(false);
    send(arrows.upButton(), QEvent::MouseButtonPress, {6, 5});
    send(arrows.upButton(), QEvent::MouseButtonRelease, {6, 5});
    send(arrows.downButton(), QEvent::MouseButtonPress, {6, 5});
    send(arrows.downButton(), QEvent::MouseButtonRelease, {6, 5});
    EXPECT_EQ(ups + downs, 0);
}

TEST_F(LittleArrowsTest, HoldingAnArrowRepeatsItsStep)
{
    QToolButton* down = arrows.downButton();
    send(down, QEvent::MouseButtonPress, {6, 5});
    // Two steps while the button is still held: a click steps only as it is
    // let go, so every step before that comes from the repeat.
    EXPECT_TRUE(Waiting::until([&] { return downs >= 2; })) << downs << " steps";
    send(down, QEvent::MouseButtonRelease, {6, 5});
    EXPECT_EQ(ups, 0);
}

} // namespace
