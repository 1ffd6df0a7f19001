// The About panel: its texts, and a press anywhere in it ends it.

#include "MainWindowFixture.h"

#include "ui/AboutPanel.h"

#include <QLabel>
#include <QTest>

using namespace MainWindowTesting;

namespace {

struct PressCase {
    const char* name;
    std::function<QWidget*(AboutPanel*)> target;
};

class AboutPanelPress : public ::testing::TestWithParam<PressCase> {};

TEST_P(AboutPanelPress, APressEndsThePanel)
{
    // Twice: every opening is a new panel with the same content.
    for (int opening = 0; opening < 2; ++opening) {
        bool hiddenByPress = false;
        const int runs = answerModal<AboutPanel>([] { AboutPanel::GenAboutPanel(); }, [&](AboutPanel* p) {
            EXPECT_EQ(p->windowTitle(), QStringLiteral("Morvelinについて"));
            EXPECT_EQ(p->StaticText1->text(), QStringLiteral("Morvelin"));
            EXPECT_EQ(p->StaticText3->text(), QStringLiteral("Ver. 1.0b4\nfor\nLinux"));
            QWidget* target = GetParam().target(p);
            QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(target->width() / 2, 5));
            hiddenByPress = !p->isVisible();
        });
        EXPECT_EQ(runs, 1);
        EXPECT_TRUE(hiddenByPress) << opening;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Places, AboutPanelPress,
    ::testing::Values(PressCase{"Panel", [](AboutPanel* p) -> QWidget* { return p; }},
                      PressCase{"Name", [](AboutPanel* p) -> QWidget* { return p->StaticText1; }},
                      PressCase{"Credits", [](AboutPanel* p) -> QWidget* { return p->StaticText2; }},
                      PressCase{"Version", [](AboutPanel* p) -> QWidget* { return p->StaticText3; }}),
    [](const ::testing::TestParamInfo<PressCase>& test) { return std::string(test.param.name); });

TEST(AboutPanel, TheVersionStandsInTheGapOfTheCredits)
{
    AboutPanel p;
    p.StaticText3->setText(QStringLiteral("Ver. 1.0b4\nfor\nLinux"));
    p.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&p));
    EXPECT_EQ(p.size(), QSize(400, 240));
    EXPECT_EQ(p.StaticText3->mapTo(&p, QPoint(0, 0)), QPoint(150, 145));
    // The version's three lines fit in their label, and no credits text lies
    // behind them.
    const QFontMetrics fm(p.StaticText3->font());
    EXPECT_LE(3 * fm.lineSpacing(), p.StaticText3->height());
    const QImage credits = p.StaticText2->grab().toImage();
    p.StaticText3->hide();
    const QImage gap = p.StaticText2->grab().toImage();
    const QRect versionArea(p.StaticText3->geometry());
    const QColor ground = gap.pixelColor(versionArea.topLeft());
    for (int y = versionArea.top(); y <= versionArea.bottom(); ++y) {
        for (int x = versionArea.left(); x <= versionArea.right(); ++x)
            ASSERT_EQ(gap.pixelColor(x, y), ground) << x << "," << y;
    }
    EXPECT_NE(credits, gap);
}

} // namespace
