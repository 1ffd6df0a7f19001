#include "MainWindowFixture.h"

#include "support/TestImages.h"
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
    QRect rect;       // in the window's content area
    int page;         // tab page that shows it, -1 for none
    const char* text; // its label, title or caption; nullptr for none
};

const QList<PlaceCase>& placeCases()
{
    static const QList<PlaceCase> cases = {
        {"StaticText21", {20, 10, 100, 20}, -1, "データセット"},
        {"ListBox1", {10, 25, 190, 162}, -1, nullptr},
        {"PopupMenu1", {280, 75, 80, 20}, -1, nullptr},
        {"GroupBox6", {210, 10, 200, 177}, -1, "印刷範囲"},
        {"RadioButton1", {230, 120, 80, 20}, -1, "一年"},
        {"RadioButton2", {230, 150, 100, 20}, -1, "A4 一枚"},
        {"StaticText9", {220, 42, 55, 20}, -1, "開始年："},
        {"StaticText13", {220, 77, 55, 20}, -1, "開始月："},
        {"EditField1", {280, 40, 60, 22}, -1, nullptr},
        {"LittleArrows1", {345, 40, 13, 23}, -1, nullptr},
        {"Canvas1", {30, 220, 255, 260}, -1, nullptr},
        {"GroupBox1", {420, 10, 350, 605}, -1, "設定"},
        // Lowered by 8 points so that its tabs clear "フォントと色："; its bottom edge stays.
        {"TabPanel1", {430, 428, 330, 177}, -1, nullptr},
        {"PopupMenu4", {545, 40, 120, 20}, -1, nullptr},
        {"StaticText1", {440, 42, 100, 20}, -1, "サイズ："},
        {"PopupMenu5", {545, 72, 120, 20}, -1, nullptr},
        {"StaticText14", {440, 74, 100, 20}, -1, "切断線："},
        {"PopupMenu12", {545, 104, 120, 20}, -1, nullptr},
        {"StaticText20", {440, 106, 100, 20}, -1, "収まらない日："},
        {"PopupMenu6", {545, 136, 120, 20}, -1, nullptr},
        {"StaticText15", {440, 138, 100, 20}, -1, "週の先頭："},
        {"PopupMenu7", {545, 168, 120, 20}, -1, nullptr},
        {"StaticText16", {440, 170, 100, 20}, -1, "曜日の表記："},
        {"PopupMenu9", {545, 200, 120, 20}, -1, nullptr},
        {"StaticText18", {440, 202, 100, 20}, -1, "年月の位置："},
        {"PopupMenu8", {545, 232, 120, 20}, -1, nullptr},
        {"StaticText17", {440, 234, 100, 20}, -1, "祝日："},
        {"PopupMenu21", {545, 264, 120, 20}, -1, nullptr},
        {"StaticText35", {440, 266, 100, 20}, -1, "記念日："},
        {"PopupMenu22", {545, 296, 120, 20}, -1, nullptr},
        {"StaticText37", {440, 298, 100, 20}, -1, "枠線："},
        {"PopupMenu11", {545, 328, 120, 20}, -1, nullptr},
        {"StaticText12", {440, 330, 100, 20}, -1, "枠線の太さ："},
        {"PopupMenu10", {545, 360, 120, 20}, -1, nullptr},
        {"StaticText19", {440, 362, 100, 20}, -1, "背景："},
        {"PushButton1", {680, 360, 60, 20}, -1, "読込..."},
        {"StaticText30", {440, 385, 310, 40}, -1, "ファイルなし"},
        {"StaticText29", {430, 410, 110, 20}, -1, "フォントと色："},
        {"PopupMenu2", {545, 460, 200, 20}, 0, nullptr},
        {"StaticText10", {440, 462, 100, 20}, 0, "フォント名："},
        {"PopupMenu3", {545, 495, 100, 20}, 0, nullptr},
        {"StaticText11", {440, 497, 100, 20}, 0, "フォントサイズ："},
        {"Canvas5", {505, 530, 35, 24}, 0, nullptr},
        {"StaticText5", {440, 535, 60, 20}, 0, "平日："},
        {"Canvas6", {505, 565, 35, 24}, 0, nullptr},
        {"StaticText6", {440, 570, 60, 20}, 0, "日曜："},
        {"Canvas7", {600, 530, 35, 24}, 0, nullptr},
        {"StaticText7", {545, 535, 50, 20}, 0, "土曜："},
        {"Canvas8", {600, 565, 35, 24}, 0, nullptr},
        {"StaticText8", {545, 570, 50, 20}, 0, "祝日："},
        {"StaticText36", {645, 535, 50, 20}, 0, "記念日："},
        {"Canvas14", {700, 530, 35, 24}, 0, nullptr},
        {"PopupMenu13", {545, 460, 200, 20}, 1, nullptr},
        {"StaticText23", {440, 462, 100, 20}, 1, "フォント名："},
        {"PopupMenu14", {545, 495, 100, 20}, 1, nullptr},
        {"StaticText24", {440, 497, 100, 20}, 1, "フォントサイズ："},
        {"Canvas3", {545, 530, 35, 24}, 1, nullptr},
        {"StaticText3", {440, 535, 100, 20}, 1, "色："},
        {"PopupMenu15", {545, 460, 200, 20}, 2, nullptr},
        {"StaticText25", {440, 462, 100, 20}, 2, "フォント名："},
        {"PopupMenu16", {545, 495, 100, 20}, 2, nullptr},
        {"StaticText26", {440, 497, 100, 20}, 2, "フォントサイズ："},
        {"Canvas2", {545, 530, 35, 24}, 2, nullptr},
        {"StaticText2", {440, 535, 100, 20}, 2, "色："},
        {"PopupMenu17", {545, 460, 200, 20}, 3, nullptr},
        {"StaticText27", {440, 462, 100, 20}, 3, "フォント名："},
        {"PopupMenu18", {545, 495, 100, 20}, 3, nullptr},
        {"StaticText28", {440, 497, 100, 20}, 3, "フォントサイズ："},
        {"Canvas11", {545, 530, 35, 24}, 3, nullptr},
        {"StaticText22", {440, 535, 100, 20}, 3, "色："},
        {"PopupMenu19", {545, 460, 200, 20}, 4, nullptr},
        {"StaticText31", {440, 462, 100, 20}, 4, "フォント名："},
        {"PopupMenu20", {545, 495, 100, 20}, 4, nullptr},
        {"StaticText32", {440, 497, 100, 20}, 4, "フォントサイズ："},
        {"Canvas12", {545, 530, 35, 24}, 4, nullptr},
        {"StaticText33", {440, 535, 100, 20}, 4, "文字："},
        {"Canvas13", {545, 565, 35, 24}, 4, nullptr},
        {"StaticText34", {440, 570, 100, 20}, 4, "背景："},
        {"Canvas4", {545, 457, 35, 24}, 5, nullptr},
        {"StaticText4", {440, 462, 100, 20}, 5, "色："},
    };
    return cases;
}

QString textOf(const QWidget* w)
{
    if (auto* label = qobject_cast<const QLabel*>(w))
        return label->text();
    if (auto* box = qobject_cast<const QGroupBox*>(w))
        return box->title();
    if (auto* button = qobject_cast<const QAbstractButton*>(w))
        return button->text();
    return QString();
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
    // Each installed family once, by its name without Qt's foundry suffix,
    // in the system's order.
    QStringList families;
    for (QString family : QFontDatabase::families()) {
        const qsizetype foundry = family.lastIndexOf(QLatin1String(" ["));
        if (foundry > 0 && family.endsWith(QLatin1Char(']')))
            family.truncate(foundry);
        if (!families.contains(family))
            families << family;
    }
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
            if (c.text) {
                EXPECT_EQ(textOf(widget), QString::fromUtf8(c.text)) << c.name;
            }
            EXPECT_TRUE(widget->isVisible()) << c.name << " on page " << page;
        }
    }
    // A control shows only while its page is the current one.
    tabs->setCurrentIndex(5);
    settle();
    EXPECT_FALSE(ctl<QWidget>("PopupMenu2")->isVisible());
    EXPECT_TRUE(ctl<QWidget>("Canvas4")->isVisible());
    EXPECT_FALSE(w->pWork.hasEdits());
}

TEST_F(MainWindowTest, KeyboardFocusFollowsTheLayoutsTabOrder)
{
    // The settings box (its tab pages first), the start month, the print-range box, the list.
    const QStringList expected = {
        "PopupMenu2",  "PopupMenu3",   "PopupMenu13", "PopupMenu14", "PopupMenu15", "PopupMenu16", "PopupMenu17",
        "PopupMenu18", "PopupMenu19",  "PopupMenu20", "PopupMenu4",  "PushButton1", "PopupMenu5",  "PopupMenu6",
        "PopupMenu7",  "PopupMenu8",   "PopupMenu9",  "PopupMenu10", "PopupMenu11", "PopupMenu12", "PopupMenu21",
        "PopupMenu22", "PopupMenu1",   "RadioButton1", "RadioButton2", "EditField1", "ListBox1",
    };
    QStringList order;
    QWidget* start = ctl<QWidget>(expected.first().toLatin1().constData());
    QWidget* next = start;
    do {
        if (expected.contains(next->objectName()))
            order << next->objectName();
        next = next->nextInFocusChain();
    } while (next != start);
    EXPECT_EQ(order, expected);
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
    EXPECT_FALSE(fresh.pWork.hasEdits());
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
    const QImage preview = TestImages::rendered(ctl<QWidget>("Canvas1"));
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
