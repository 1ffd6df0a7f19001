#include "MainWindowFixture.h"

#include "ui/ClrCanvas.h"

#include <QFontDatabase>
#include <QAbstractItemView>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionComboBox>
#include <QTabWidget>

using namespace MainWindowTesting;

namespace {

QStringList rowsOf(const QComboBox* c)
{
    QStringList rows;
    for (int i = 0; i < c->count(); ++i)
        rows << c->itemText(i);
    return rows;
}

struct RowsCase {
    const char* popup;
    QStringList rows;
};

const QList<RowsCase>& rowsCases()
{
    static const QList<RowsCase> cases = {
        {"PopupMenu1", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}},
        {"PopupMenu3", {"6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17", "18"}},
        {"PopupMenu14", {"8", "9", "10", "11", "12", "13", "14"}},
        {"PopupMenu16", {"9", "10", "11", "12", "13", "14", "15", "16", "17", "18", "24"}},
        {"PopupMenu18", {"5", "6", "7", "8", "9"}},
        {"PopupMenu20", {"5", "6", "7", "8", "9"}},
        {"PopupMenu4", {"フロッピー", "CD 13x13cm", "CD 12x14cm", "CD 12x12cm"}},
        {"PopupMenu5", {"トンボ", "破線", "実線"}},
        {"PopupMenu6", {"日曜日", "月曜日"}},
        {"PopupMenu7", {"日本語", "英語 - 小文字", "英語 - 大文字", "なし"}},
        {"PopupMenu8", {"なし", "あり - 名なし", "あり - 名あり"}},
        {"PopupMenu9", {"左", "中央", "右"}},
        {"PopupMenu10", {"なし", "あり"}},
        {"PopupMenu11", {"極細線", "1ポイント", "2ポイント", "3ポイント"}},
        {"PopupMenu12", {"最終週に併記", "第一週に記載"}},
        {"PopupMenu21", {"なし", "あり - 名なし", "あり - 名あり", "あり - 名＋色"}},
        {"PopupMenu22", {"縦＋横", "縦のみ", "横のみ"}},
    };
    return cases;
}

struct PlaceCase {
    const char* name;
    QRect rect; // in the window's content area
    int page;   // tab page that shows it, -1 for none
};

const QList<PlaceCase>& placeCases()
{
    static const QList<PlaceCase> cases = {
        {"GroupBox1", {420, 10, 350, 605}, -1},
        {"TabPanel1", {430, 428, 330, 177}, -1},
        {"GroupBox6", {210, 10, 200, 177}, -1},
        {"ListBox1", {10, 25, 190, 162}, -1},
        {"StaticText21", {20, 10, 100, 20}, -1},
        {"PopupMenu1", {280, 75, 80, 20}, -1},
        {"RadioButton1", {230, 120, 80, 20}, -1},
        {"RadioButton2", {230, 150, 100, 20}, -1},
        {"StaticText9", {220, 42, 55, 20}, -1},
        {"StaticText13", {220, 77, 55, 20}, -1},
        {"EditField1", {280, 40, 60, 22}, -1},
        {"LittleArrows1", {345, 40, 13, 23}, -1},
        {"Canvas1", {30, 220, 255, 260}, -1},
        {"PopupMenu4", {545, 40, 120, 20}, -1},
        {"StaticText1", {440, 42, 100, 20}, -1},
        {"PopupMenu5", {545, 72, 120, 20}, -1},
        {"PopupMenu12", {545, 104, 120, 20}, -1},
        {"StaticText20", {440, 106, 100, 20}, -1},
        {"PopupMenu6", {545, 136, 120, 20}, -1},
        {"PopupMenu7", {545, 168, 120, 20}, -1},
        {"PopupMenu9", {545, 200, 120, 20}, -1},
        {"PopupMenu8", {545, 232, 120, 20}, -1},
        {"PopupMenu21", {545, 264, 120, 20}, -1},
        {"PopupMenu22", {545, 296, 120, 20}, -1},
        {"PopupMenu11", {545, 328, 120, 20}, -1},
        {"StaticText12", {440, 330, 100, 20}, -1},
        {"PopupMenu10", {545, 360, 120, 20}, -1},
        {"StaticText19", {440, 362, 100, 20}, -1},
        {"PushButton1", {680, 360, 60, 20}, -1},
        {"StaticText30", {440, 385, 310, 40}, -1},
        {"StaticText29", {430, 410, 110, 20}, -1},
        {"PopupMenu2", {545, 460, 200, 20}, 0},
        {"PopupMenu3", {545, 495, 100, 20}, 0},
        {"StaticText10", {440, 462, 100, 20}, 0},
        {"StaticText11", {440, 497, 100, 20}, 0},
        {"Canvas5", {505, 530, 35, 24}, 0},
        {"StaticText5", {440, 535, 60, 20}, 0},
        {"Canvas6", {505, 565, 35, 24}, 0},
        {"Canvas7", {600, 530, 35, 24}, 0},
        {"StaticText7", {545, 535, 50, 20}, 0},
        {"Canvas8", {600, 565, 35, 24}, 0},
        {"StaticText36", {645, 535, 50, 20}, 0},
        {"Canvas14", {700, 530, 35, 24}, 0},
        {"PopupMenu13", {545, 460, 200, 20}, 1},
        {"PopupMenu14", {545, 495, 100, 20}, 1},
        {"Canvas3", {545, 530, 35, 24}, 1},
        {"StaticText3", {440, 535, 100, 20}, 1},
        {"PopupMenu15", {545, 460, 200, 20}, 2},
        {"PopupMenu16", {545, 495, 100, 20}, 2},
        {"Canvas2", {545, 530, 35, 24}, 2},
        {"PopupMenu17", {545, 460, 200, 20}, 3},
        {"PopupMenu18", {545, 495, 100, 20}, 3},
        {"Canvas11", {545, 530, 35, 24}, 3},
        {"PopupMenu19", {545, 460, 200, 20}, 4},
        {"PopupMenu20", {545, 495, 100, 20}, 4},
        {"Canvas12", {545, 530, 35, 24}, 4},
        {"Canvas13", {545, 565, 35, 24}, 4},
        {"StaticText34", {440, 570, 100, 20}, 4},
        {"Canvas4", {545, 457, 35, 24}, 5},
        {"StaticText4", {440, 462, 100, 20}, 5},
    };
    return cases;
}

} // namespace

TEST_F(MainWindowTest, WindowIsAFixedDocumentWindowAroundTheContentArea)
{
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Morvelin"));
    EXPECT_EQ(content()->size(), QSize(780, 625));
    EXPECT_EQ(w->minimumSize(), w->maximumSize()) << "the user cannot resize it";
    EXPECT_GE(w->height(), 625);
    const Qt::WindowFlags flags = w->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
}

TEST_F(MainWindowTest, EveryPopupHasItsRowsInOrder)
{
    for (const RowsCase& c : rowsCases()) {
        auto* popup = ctl<QComboBox>(c.popup);
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(rowsOf(popup), c.rows) << c.popup;
    }
    const QStringList families = QFontDatabase::families();
    ASSERT_FALSE(families.isEmpty());
    for (const char* name : {"PopupMenu2", "PopupMenu13", "PopupMenu15", "PopupMenu17", "PopupMenu19"})
        EXPECT_EQ(rowsOf(ctl<QComboBox>(name)), families) << name;
}

TEST_F(MainWindowTest, ControlsSitAtTheirWindowPlacesOnEveryPage)
{
    auto* tabs = ctl<QTabWidget>("TabPanel1");
    ASSERT_EQ(tabs->count(), 6);
    const QStringList pages = {"日にち", "曜日", "年月", "祝日名", "記念日", "枠線"};
    for (int i = 0; i < tabs->count(); ++i)
        EXPECT_EQ(tabs->tabText(i), pages[i]);

    for (int page = -1; page < tabs->count(); ++page) {
        if (page >= 0) {
            tabs->setCurrentIndex(page);
            settle();
        }
        for (const PlaceCase& c : placeCases()) {
            if (c.page != page)
                continue;
            auto* widget = ctl<QWidget>(c.name);
            ASSERT_NE(widget, nullptr);
            EXPECT_EQ(placeOf(widget), c.rect) << c.name;
            EXPECT_TRUE(widget->isVisible()) << c.name << " on page " << page;
        }
    }
    // A control shows only while its page is the current one.
    tabs->setCurrentIndex(5);
    settle();
    EXPECT_FALSE(ctl<QWidget>("PopupMenu2")->isVisible());
    EXPECT_TRUE(ctl<QWidget>("Canvas4")->isVisible());
    EXPECT_FALSE(w->pChanged);
}

TEST_F(MainWindowTest, StartMonthPopupLiesAboveThePrintRangeBox)
{
    auto* month = ctl<QComboBox>("PopupMenu1");
    EXPECT_EQ(month->parentWidget(), content());
    QWidget* hit = content()->childAt(QPoint(300, 85));
    ASSERT_NE(hit, nullptr);
    EXPECT_TRUE(hit == month || month->isAncestorOf(hit));
}

TEST_F(MainWindowTest, LayoutValuesBeforeTheOpeningSequence)
{
    Window1 fresh;
    for (const char* name : {"PopupMenu2", "PopupMenu13", "PopupMenu15", "PopupMenu17", "PopupMenu19"})
        EXPECT_EQ(fresh.findChild<QComboBox*>(QLatin1String(name))->count(), 0) << name;
    EXPECT_TRUE(fresh.findChild<QLineEdit*>("EditField1")->text().isEmpty());
    EXPECT_TRUE(fresh.findChild<QLineEdit*>("EditField1")->isReadOnly());
    EXPECT_EQ(fresh.findChild<QLabel*>("StaticText30")->text(), QStringLiteral("ファイルなし"));
    EXPECT_TRUE(fresh.findChild<QRadioButton*>("RadioButton1")->isChecked());
    EXPECT_EQ(fresh.findChild<QTabWidget*>("TabPanel1")->currentIndex(), 0);
    EXPECT_EQ(fresh.findChild<QComboBox*>("PopupMenu4")->currentIndex(), 0);
    EXPECT_FALSE(fresh.pChanged);
    EXPECT_EQ(fresh.pDataset, nullptr);
}

// Every label and every row text fits the room its control gives it, at the
// pixel sizes the window uses.
TEST_F(MainWindowTest, JapaneseTextsFitTheirControls)
{
    for (QLabel* label : content()->findChildren<QLabel*>()) {
        if (label->objectName() == QLatin1String("StaticText30") || label->objectName().isEmpty())
            continue;
        EXPECT_EQ(label->font().pixelSize(), 12) << qPrintable(label->objectName());
        const QFontMetrics fm(label->font());
        EXPECT_LE(fm.horizontalAdvance(label->text()), label->width()) << qPrintable(label->objectName());
        EXPECT_LE(fm.height(), label->height() + 2) << qPrintable(label->objectName());
    }
    EXPECT_EQ(ctl<QLabel>("StaticText30")->font().pixelSize(), 10);
    EXPECT_EQ(ctl<QComboBox>("PopupMenu7")->view()->font().pixelSize(), 12) << "the open pop-up's rows";
    EXPECT_EQ(ctl<QTabWidget>("TabPanel1")->tabBar()->font().pixelSize(), 12);

    for (const RowsCase& c : rowsCases()) {
        auto* popup = ctl<QComboBox>(c.popup);
        QStyleOptionComboBox opt;
        opt.initFrom(popup);
        opt.editable = false;
        const QRect field = popup->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, popup);
        const QFontMetrics fm(popup->font());
        for (const QString& row : c.rows)
            EXPECT_LE(fm.horizontalAdvance(row), field.width()) << c.popup << " " << qPrintable(row);
    }

    for (const char* name : {"RadioButton1", "RadioButton2"}) {
        auto* b = ctl<QAbstractButton>(name);
        EXPECT_LE(b->sizeHint().width(), b->width()) << name;
    }
    // A push button's size hint has a floor of its own; its text and margins are what must fit.
    auto* button = ctl<QPushButton>("PushButton1");
    const int margins = 2 * (button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button)
                             + button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button));
    EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + margins, button->width());
    auto* tabs = ctl<QTabWidget>("TabPanel1");
    EXPECT_LE(tabs->tabBar()->sizeHint().width(), tabs->width());
}

TEST_F(MainWindowTest, OsakaDrawsInAJapaneseGothicFont)
{
    const QString gothic = JapaneseFont::gothicFamily();
    ASSERT_FALSE(gothic.isEmpty()) << "a Japanese font is installed here";
    QFont osaka(QStringLiteral("osaka"));
    osaka.setPixelSize(12);
    EXPECT_EQ(QFontInfo(osaka).family(), gothic);
    // The dataset keeps the name it was given.
    EXPECT_EQ(data().text("dayFont"), QStringLiteral("osaka"));
}

// The preview draws the start month as soon as the window opens. With
// MORVELIN_LOOK_DIR set, the window is also saved there as PNG, once per tab
// page, for a person to look at.
TEST_F(MainWindowTest, OpenWindowShowsTheMonthInThePreview)
{
    const QImage preview = ctl<QWidget>("Canvas1")->grab().toImage();
    ASSERT_EQ(preview.size(), QSize(255, 260));
    int inked = 0;
    for (int y = 0; y < preview.height(); ++y)
        for (int x = 0; x < preview.width(); ++x)
            inked += qGray(preview.pixel(x, y)) < 240;
    EXPECT_GT(inked, 500) << "title, weekday header, grid and day numbers";

    const QString dir = qEnvironmentVariable("MORVELIN_LOOK_DIR");
    if (dir.isEmpty())
        return;
    auto* tabs = ctl<QTabWidget>("TabPanel1");
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        settle();
        EXPECT_TRUE(w->grab().save(QStringLiteral("%1/window-page%2.png").arg(dir).arg(page + 1), "PNG"));
    }
    // The tallest preview and a long picture path.
    ctl<QComboBox>("PopupMenu4")->setCurrentIndex(2);
    ctl<QLabel>("StaticText30")->setText(
        QStringLiteral("/home/ユーザー/.local/share/Morvelin/背景画像/2027年カレンダー用の写真/富士山と桜の風景-001.png"));
    settle();
    EXPECT_TRUE(w->grab().save(QStringLiteral("%1/window-cd12x14.png").arg(dir), "PNG"));
}
