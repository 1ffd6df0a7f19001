// The About panel: its texts, and a press anywhere in it ends it.

#include "MainWindowFixture.h"

#include "support/TestImages.h"
#include "ui/AboutPanel.h"

#include <QLabel>
#include <QTest>

#include <cstdlib>

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
            // The release the build names (the metainfo and the manual pages too).
            EXPECT_EQ(p->StaticText3->text(), QStringLiteral("Ver. " MORVELIN_VERSION "\nfor\nLinux"));
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

// The panel on screen with its version, as the About command opens it.
bool showAsItOpens(AboutPanel& p)
{
    p.ShowVersion();
    p.show();
    return QTest::qWaitForWindowExposed(&p);
}

// The rows in which `image` differs from `other`, or from its own top-left
// pixel (the ground) when `other` is null.
QList<int> rowsOff(const QImage& image, const QImage& other = QImage())
{
    const QRgb ground = image.pixel(0, 0);
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != (other.isNull() ? ground : other.pixel(x, y))) {
                rows << y;
                break;
            }
        }
    }
    return rows;
}

// Whatever fonts the credits' Japanese lines fall back to (Noto CJK, VL
// Gothic, IPAex Gothic: each has lines of its own height), the version's
// three lines stand wholly in the empty lines between the credits' second
// line and their last.
TEST(AboutPanel, TheVersionStandsInTheGapOfTheCredits)
{
    AboutPanel p;
    ASSERT_TRUE(showAsItOpens(p));
    const QString dir = qEnvironmentVariable("MORVELIN_LOOK_DIR");
    if (!dir.isEmpty()) {
        EXPECT_TRUE(p.grab().save(dir + QStringLiteral("/about-panel.png"), "PNG"));
    }
    EXPECT_EQ(p.size(), QSize(400, 240));
    const QRect versionArea = p.StaticText3->geometry(); // in the credits' coordinates
    EXPECT_EQ(p.StaticText3->mapTo(&p, QPoint(0, 0)).x(), 150);
    EXPECT_EQ(versionArea.width(), 100);
    // The version's three lines fit in their label, as the label lays them out.
    const QRect versionText = p.StaticText3->fontMetrics().boundingRect(
        p.StaticText3->contentsRect(), int(p.StaticText3->alignment()), p.StaticText3->text());
    EXPECT_TRUE(p.StaticText3->contentsRect().contains(versionText));

    // Drawn one pixel per point whatever the screen's scale, with the version
    // and without it: what differs is the version's ink.
    const QImage both = TestImages::rendered(p.StaticText2);
    p.StaticText3->hide();
    const QImage credits = TestImages::rendered(p.StaticText2);
    const QList<int> versionRows = rowsOff(both, credits);
    ASSERT_FALSE(versionRows.isEmpty()) << "the version shows";

    // Credits above the version and below it, none in its rows or touching
    // them, and the version in the middle of the clear rows between: its
    // place follows the lines as they are drawn, not a count of lines in
    // one font.
    int lastAbove = -1;
    int firstBelow = -1;
    for (int y : rowsOff(credits)) {
        EXPECT_TRUE(y < versionRows.first() - 1 || y > versionRows.last() + 1) << "credits in row " << y;
        if (y < versionRows.first())
            lastAbove = y;
        else if (firstBelow < 0 && y > versionRows.last())
            firstBelow = y;
    }
    ASSERT_GE(lastAbove, 0) << "credits above the version";
    ASSERT_GE(firstBelow, 0) << "credits below the version";
    const int clearAbove = versionRows.first() - lastAbove - 1;
    const int clearBelow = firstBelow - versionRows.last() - 1;
    // Within half a line of the middle.
    EXPECT_LE(std::abs(clearAbove - clearBelow), p.StaticText3->fontMetrics().lineSpacing())
        << clearAbove << " rows clear above the version, " << clearBelow << " below";
}

// The runs of consecutive rows in `rows` (ascending): one a line of text.
QList<QPair<int, int>> bands(const QList<int>& rows)
{
    QList<QPair<int, int>> runs;
    for (int y : rows) {
        if (!runs.isEmpty() && runs.last().second == y - 1)
            runs.last().second = y;
        else
            runs.append({y, y});
    }
    return runs;
}

// The columns in which `image` differs from its top-left pixel, in rows
// `first` to `last`.
QList<int> columnsOff(const QImage& image, int first, int last)
{
    const QRgb ground = image.pixel(0, 0);
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = first; y <= last; ++y) {
            if (image.pixel(x, y) != ground) {
                columns << x;
                break;
            }
        }
    }
    return columns;
}

// The licence has the credits' last line, under the holidays' line and apart
// from it, drawn whole inside the panel whatever font the Japanese falls back
// to: a line more than the credits' block holds, or one wider than it, would
// be cut off at its edge.
TEST(AboutPanel, TheLicenceHasTheLastLineOfTheCreditsWhole)
{
    AboutPanel p;
    ASSERT_TRUE(showAsItOpens(p));
    const QStringList lines = p.StaticText2->text().split(u'\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines.last(), QStringLiteral("GNU 一般公衆利用許諾書 第3版以降 (GPL-3.0-or-later) で配布します。"));
    EXPECT_EQ(lines[lines.size() - 2], QStringLiteral("祝日は「国民の祝日に関する法律」によります。"));

    // As the label lays its text out, in the fonts it really draws in.
    const QLabel* credits = p.StaticText2;
    EXPECT_TRUE(p.rect().contains(credits->geometry())) << "the credits' block lies inside the panel";
    const QRect laidOut = credits->fontMetrics().boundingRect(credits->contentsRect(), int(credits->alignment()),
                                                             credits->text());
    EXPECT_TRUE(credits->contentsRect().contains(laidOut))
        << "the credits take " << laidOut.width() << " x " << laidOut.height() << " in a block of "
        << credits->contentsRect().width() << " x " << credits->contentsRect().height();

    // As drawn: below the version, two lines of ink, the holidays' and the
    // licence's, with clear rows between them; neither touches the block's
    // edges, where a cut would leave it.
    p.StaticText3->hide();
    const QImage drawn = TestImages::rendered(p.StaticText2);
    p.StaticText3->show();
    const QImage withVersion = TestImages::rendered(p.StaticText2);
    const QList<int> versionRows = rowsOff(withVersion, drawn);
    ASSERT_FALSE(versionRows.isEmpty()) << "the version shows";
    QList<int> below;
    for (int y : rowsOff(drawn))
        if (y > versionRows.last())
            below << y;
    const QList<QPair<int, int>> belowLines = bands(below);
    ASSERT_EQ(belowLines.size(), 2) << "lines of ink below the version";
    const auto [licenceTop, licenceBottom] = belowLines.last();
    EXPECT_LT(licenceBottom, drawn.height() - 1) << "the licence reaches the block's foot";
    const QList<int> licenceColumns = columnsOff(drawn, licenceTop, licenceBottom);
    ASSERT_FALSE(licenceColumns.isEmpty());
    EXPECT_GT(licenceColumns.first(), 0) << "the licence reaches the block's left edge";
    EXPECT_LT(licenceColumns.last(), drawn.width() - 1) << "the licence reaches the block's right edge";
}

} // namespace
