// The preferences dialog, run by App as the menu runs it and answered as a
// user would, from inside its own modal loop.

#include "ui/PrefDlg.h"

#include "MainWindowFixture.h"
#include "core/App.h"
#include "core/Globals.h"
#include "core/PrefDlgValues.h"
#include "core/ProgramPaths.h"
#include "platform/Folders.h"
#include "support/ModalDialogDriver.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <gtest/gtest.h>

#include <functional>

namespace {

using MainWindowTesting::answerModal;

class PrefDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedPref = Globals::gPref;
        app.InitVal();
        app.InitColor();
        app.InitPref();
        PrefDlg::install(app);
    }
    void TearDown() override { Globals::gPref = savedPref; }

    // Runs App::ShowPrefDlg with `answer` acting in the dialog; the number of
    // dialogs that opened.
    int show(const std::function<void(PrefDlg*)>& answer)
    {
        return answerModal<PrefDlg>([this] { app.ShowPrefDlg(); }, answer);
    }

    template <class T> static T* in(QWidget* dlg, const char* name)
    {
        T* c = dlg->findChild<T*>(QLatin1String(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static QString field(QWidget* dlg, int i) { return in<QLineEdit>(dlg, fieldName(i))->text(); }
    static const char* fieldName(int i)
    {
        static const char* const names[4] = {"EditField1", "EditField2", "EditField3", "EditField4"};
        return names[i];
    }
    static void save(PrefDlg* dlg) { in<QPushButton>(dlg, "PushButton2")->click(); }
    static void cancel(PrefDlg* dlg) { in<QPushButton>(dlg, "PushButton1")->click(); }

    // The eight preferences the dialog edits.
    static std::array<int32_t, 8> edited()
    {
        const auto& p = Globals::gPref;
        return {p[3], p[4], p[5], p[10], p[40], p[41], p[42], p[43]};
    }

    App app;
    std::array<int32_t, 51> savedPref{};
};

TEST_F(PrefDlgTest, OpensOnThePrinterPageWithTheStoredValues)
{
    struct Seen {
        QString title;
        QSize size;
        int page = -1;
        QStringList pages;
        QStringList widths;
        bool high = false, low = true;
        bool box1 = true, box2 = true, box3 = false;
        QString defaultButton;
    } seen;
    const auto before = Globals::gPref;
    ASSERT_EQ(show([&](PrefDlg* dlg) {
                  seen.title = dlg->windowTitle();
                  seen.size = dlg->size();
                  auto* tabs = in<QTabWidget>(dlg, "TabPanel1");
                  seen.page = tabs->currentIndex();
                  for (int i = 0; i < tabs->count(); ++i)
                      seen.pages << tabs->tabText(i);
                  for (int i = 0; i < 4; ++i)
                      seen.widths << field(dlg, i);
                  seen.high = in<QRadioButton>(dlg, "RadioButton1")->isChecked();
                  seen.low = in<QRadioButton>(dlg, "RadioButton2")->isChecked();
                  seen.box1 = in<QCheckBox>(dlg, "CheckBox1")->isChecked();
                  seen.box2 = in<QCheckBox>(dlg, "CheckBox2")->isChecked();
                  seen.box3 = in<QCheckBox>(dlg, "CheckBox3")->isChecked();
                  for (auto* b : dlg->findChildren<QPushButton*>())
                      if (b->isDefault())
                          seen.defaultButton += b->text();
                  save(dlg);
              }),
              1);
    EXPECT_EQ(seen.title, QStringLiteral("環境設定"));
    EXPECT_EQ(seen.size, QSize(410, 300));
    EXPECT_EQ(seen.page, 0);
    EXPECT_EQ(seen.pages, (QStringList{QStringLiteral("プリンタ"), QStringLiteral("印刷補正"), QStringLiteral("その他")}));
    EXPECT_EQ(seen.widths, (QStringList{QStringLiteral("90"), QStringLiteral("130"), QStringLiteral("119"),
                                        QStringLiteral("120")}));
    EXPECT_TRUE(seen.high);
    EXPECT_FALSE(seen.low);
    EXPECT_FALSE(seen.box1);
    EXPECT_FALSE(seen.box2);
    EXPECT_TRUE(seen.box3);
    EXPECT_EQ(seen.defaultButton, QStringLiteral("保存"));
    // "保存" without edits leaves every preference as it was.
    EXPECT_EQ(Globals::gPref, before);
}

TEST_F(PrefDlgTest, EveryControlHasThePlaceAndTextOfTheLayout)
{
    PrefDlg dlg;
    dlg.show();
    QCoreApplication::processEvents();
    const struct {
        const char* name;
        QRect place; // in the dialog
        const char16_t* text;
    } controls[] = {
        {"PushButton1", {222, 260, 82, 20}, u"キャンセル"},
        {"PushButton2", {316, 260, 70, 20}, u"保存"},
        {"CheckBox1", {30, 70, 240, 20}, u"用紙設定を保持する"},
        {"CheckBox2", {30, 105, 300, 20}, u"２枚目以降は印刷ダイアログを表示しない"},
        {"CheckBox3", {30, 140, 240, 20}, u"ダイアログ表示時、ビープ音を鳴らす"},
        {"StaticText1", {30, 50, 346, 62},
         u"実際に印刷されたサイズが想定値と異なる場合に調整します。\n印刷時の１月分の横幅（実測値）を指定して下さい。\n"
         u"小数点以下１位まで指定できます。"},
        {"EditField1", {115, 110, 80, 22}, u""},
        {"EditField2", {115, 140, 80, 22}, u""},
        {"EditField3", {115, 170, 80, 22}, u""},
        {"EditField4", {115, 200, 80, 22}, u""},
        {"StaticText2", {35, 112, 70, 20}, u"FD"},
        {"StaticText3", {35, 142, 70, 20}, u"CD 13x13"},
        {"StaticText4", {35, 172, 70, 20}, u"CD 12x14"},
        {"StaticText5", {35, 202, 70, 20}, u"CD 12x12"},
        {"StaticText6", {200, 112, 150, 20}, u"mm（想定値：90mm）"},
        {"StaticText7", {200, 142, 150, 20}, u"mm（想定値：130mm）"},
        {"StaticText8", {200, 172, 150, 20}, u"mm（想定値：119mm）"},
        {"StaticText9", {200, 202, 150, 20}, u"mm（想定値：120mm）"},
        {"GroupBox1", {30, 50, 200, 100}, u"印刷解像度"},
        {"RadioButton1", {50, 80, 150, 20}, u"高（360 DPI）"},
        {"RadioButton2", {50, 110, 150, 20}, u"低（72 DPI）"},
    };
    auto* tabs = in<QTabWidget>(&dlg, "TabPanel1");
    EXPECT_EQ(QRect(tabs->mapTo(&dlg, QPoint(0, 0)), tabs->size()), QRect(10, 5, 390, 245));
    for (const auto& c : controls) {
        SCOPED_TRACE(c.name);
        QWidget* w = in<QWidget>(&dlg, c.name);
        ASSERT_NE(w, nullptr);
        // A control on a hidden page has its place all the same.
        for (int page = 0; page < tabs->count(); ++page)
            if (tabs->widget(page)->isAncestorOf(w))
                tabs->setCurrentIndex(page);
        QCoreApplication::processEvents();
        EXPECT_EQ(QRect(w->mapTo(&dlg, QPoint(0, 0)), w->size()), c.place);
        QString text;
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            text = b->text();
        else if (auto* l = qobject_cast<QLabel*>(w))
            text = l->text();
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            text = g->title();
        else if (auto* e = qobject_cast<QLineEdit*>(w))
            text = e->text();
        EXPECT_EQ(text, QString::fromUtf16(c.text));
    }
}

TEST_F(PrefDlgTest, SaveWritesEveryControlBackToThePreferencesInMemoryOnly)
{
    ASSERT_TRUE(Folders::createFolder(ProgramPaths::settingsFolder()));
    app.SavePref();
    QFile file(ProgramPaths::preferenceFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray onDisk = file.readAll();
    file.close();

    ASSERT_EQ(show([](PrefDlg* dlg) {
                  in<QRadioButton>(dlg, "RadioButton2")->click();
                  in<QLineEdit>(dlg, "EditField1")->setText(QStringLiteral("90.5"));
                  in<QLineEdit>(dlg, "EditField2")->setText(QStringLiteral("１２９．５５")); // as an input method types it
                  in<QLineEdit>(dlg, "EditField3")->setText(QStringLiteral(" 118 "));
                  in<QCheckBox>(dlg, "CheckBox1")->click();
                  in<QCheckBox>(dlg, "CheckBox2")->click();
                  in<QCheckBox>(dlg, "CheckBox3")->click();
                  save(dlg);
              }),
              1);
    EXPECT_EQ(edited(), (std::array<int32_t, 8>{1, 1, 1, 0, 905, 1296, 1180, 1200}));

    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), onDisk);
    QDir(ProgramPaths::settingsFolder()).removeRecursively();
}

TEST_F(PrefDlgTest, EveryWayOutButSaveChangesNothing)
{
    const struct {
        const char* how;
        std::function<void(PrefDlg*)> leave;
    } ways[] = {
        {"キャンセル", [](PrefDlg* dlg) { cancel(dlg); }},
        {"Escape",
         [](PrefDlg* dlg) {
             QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QApplication::sendEvent(in<QLineEdit>(dlg, "EditField1"), &esc);
         }},
        {"the close box", [](PrefDlg* dlg) { dlg->close(); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        const auto before = Globals::gPref;
        bool stillOpen = true;
        ASSERT_EQ(show([&](PrefDlg* dlg) {
                      in<QRadioButton>(dlg, "RadioButton2")->click();
                      for (int i = 0; i < 4; ++i)
                          in<QLineEdit>(dlg, fieldName(i))->setText(QStringLiteral("100"));
                      in<QCheckBox>(dlg, "CheckBox1")->click();
                      in<QCheckBox>(dlg, "CheckBox2")->click();
                      in<QCheckBox>(dlg, "CheckBox3")->click();
                      way.leave(dlg);
                      stillOpen = dlg->isVisible();
                  }),
                  1);
        EXPECT_FALSE(stillOpen);
        EXPECT_EQ(Globals::gPref, before);
    }
}

TEST_F(PrefDlgTest, ReturnInAFieldSaves)
{
    ASSERT_EQ(show([](PrefDlg* dlg) {
                  auto* f = in<QLineEdit>(dlg, "EditField4");
                  f->setText(QStringLiteral("121.3"));
                  QKeyEvent ret(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                  QApplication::sendEvent(f, &ret);
              }),
              1);
    EXPECT_EQ(Globals::gPref[43], 1213);
}

TEST_F(PrefDlgTest, ValuesOutsideTheDialogsRangeAreBroughtIntoItOnSave)
{
    Globals::gPref[5] = 7;   // shown as high, stored as 0
    Globals::gPref[3] = 2;   // ticked, stored as 1
    Globals::gPref[4] = -1;  // unticked, stored as 0
    Globals::gPref[10] = 2;  // ticked (though no dialog beeps at 2), stored as 1
    Globals::gPref[42] = 905;
    bool high = false, box1 = false, box2 = true, box3 = false;
    QString shown;
    ASSERT_EQ(show([&](PrefDlg* dlg) {
                  high = in<QRadioButton>(dlg, "RadioButton1")->isChecked();
                  box1 = in<QCheckBox>(dlg, "CheckBox1")->isChecked();
                  box2 = in<QCheckBox>(dlg, "CheckBox2")->isChecked();
                  box3 = in<QCheckBox>(dlg, "CheckBox3")->isChecked();
                  shown = field(dlg, 2);
                  save(dlg);
              }),
              1);
    EXPECT_TRUE(high);
    EXPECT_TRUE(box1);
    EXPECT_FALSE(box2);
    EXPECT_TRUE(box3);
    EXPECT_EQ(shown, QStringLiteral("90.5"));
    EXPECT_EQ(edited(), (std::array<int32_t, 8>{1, 0, 0, 1, 900, 1300, 905, 1200}));
}

TEST_F(PrefDlgTest, AWidthThatIsNoWidthIsRefusedAndTheDialogStaysOnIt)
{
    // The sheet "CD 13x13" is 130 mm wide: 65 to 260 mm are taken.
    const char16_t* const refused[] = {u"",      u"abc",   u"0",     u"0.1",    u"64.9", u"６４．９",
                                       u"260.1", u"-90.5", u"119.2.7", u"10000", u"99999999999999999999"};
    for (const char16_t* typed : refused) {
        const QString text = QString::fromUtf16(typed);
        SCOPED_TRACE(text.toStdString());
        Globals::gPref = savedPref;
        app.InitPref();
        std::shared_ptr<SeenMessageBox> notice;
        bool stayed = false;
        int page = -1;
        QWidget* focused = nullptr;
        QLineEdit* refusedField = nullptr;
        ASSERT_EQ(show([&](PrefDlg* dlg) {
                      in<QCheckBox>(dlg, "CheckBox2")->click();
                      refusedField = in<QLineEdit>(dlg, "EditField2");
                      refusedField->setText(text);
                      notice = MessageBoxDriver::answer(QStringLiteral("OK"));
                      save(dlg);
                      stayed = dlg->isVisible();
                      page = in<QTabWidget>(dlg, "TabPanel1")->currentIndex();
                      focused = dlg->focusWidget();
                      // Put right, the same dialog saves.
                      refusedField->setText(QStringLiteral("130.5"));
                      save(dlg);
                  }),
                  1);
        ASSERT_TRUE(notice->shown);
        EXPECT_EQ(notice->text, QStringLiteral("「CD 13x13」の横幅が正しくありません。"));
        EXPECT_EQ(notice->informativeText, QStringLiteral("65〜260 mm の範囲で入力して下さい。"));
        EXPECT_TRUE(stayed);
        EXPECT_EQ(page, 1);
        EXPECT_EQ(focused, refusedField);
        EXPECT_EQ(edited(), (std::array<int32_t, 8>{0, 1, 0, 1, 900, 1305, 1190, 1200}));
    }
}

// A width out of range that the preferences file held (damaged, or written
// elsewhere) is shown as it is stored and kept while its field is not edited,
// so the other changes can be saved; once edited, the field must hold a
// plausible width.
TEST_F(PrefDlgTest, AStoredWidthOutOfRangeIsKeptUntilItsFieldIsEdited)
{
    const int32_t stored[] = {0, 1, -5, 449, 1801, 99999, 2147483647};
    for (const int32_t width : stored) {
        SCOPED_TRACE(width);
        Globals::gPref = savedPref;
        app.InitPref();
        Globals::gPref[40] = width;
        QString shown;
        std::shared_ptr<SeenMessageBox> notice;
        bool closed = false;
        ASSERT_EQ(show([&](PrefDlg* dlg) {
                      shown = field(dlg, 0);
                      in<QCheckBox>(dlg, "CheckBox2")->click();
                      in<QLineEdit>(dlg, "EditField2")->setText(QStringLiteral("131"));
                      notice = MessageBoxDriver::answer(QStringLiteral("OK"), MessageBoxDriver::Action::Click,
                                                        MessageBoxDriver::kUntilStopped);
                      save(dlg);
                      closed = !dlg->isVisible();
                      notice->stopWaiting = true;
                  }),
                  1);
        EXPECT_EQ(shown, PrefWidth::text(width));
        EXPECT_TRUE(closed);
        EXPECT_FALSE(notice->shown);
        EXPECT_EQ(edited(), (std::array<int32_t, 8>{0, 1, 0, 1, width, 1310, 1190, 1200}));

        // Edited, the same field is held to the range of its sheet.
        ASSERT_EQ(show([&](PrefDlg* dlg) {
                      auto* fd = in<QLineEdit>(dlg, "EditField1");
                      fd->setText(QStringLiteral("44.8"));
                      notice = MessageBoxDriver::answer(QStringLiteral("OK"));
                      save(dlg);
                      closed = !dlg->isVisible();
                      fd->setText(QStringLiteral("180"));
                      save(dlg);
                  }),
                  1);
        ASSERT_TRUE(notice->shown);
        EXPECT_EQ(notice->text, QStringLiteral("「FD」の横幅が正しくありません。"));
        EXPECT_EQ(notice->informativeText, QStringLiteral("45〜180 mm の範囲で入力して下さい。"));
        EXPECT_FALSE(closed);
        EXPECT_EQ(Globals::gPref[40], 1800);
    }
}

// Each sheet's range is its own: half to twice its nominal width.
TEST_F(PrefDlgTest, EachFieldTakesTheRangeOfItsSheet)
{
    const struct {
        int field;
        const char* lowest;
        const char* highest;
        int32_t lowTenths, highTenths;
    } sheets[] = {{0, "45", "180", 450, 1800}, {1, "65", "260", 650, 2600}, {2, "59.5", "238", 595, 2380},
                  {3, "60", "240", 600, 2400}};
    for (const auto& sheet : sheets) {
        SCOPED_TRACE(sheet.field);
        for (const bool high : {false, true}) {
            Globals::gPref = savedPref;
            app.InitPref();
            ASSERT_EQ(show([&](PrefDlg* dlg) {
                          in<QLineEdit>(dlg, fieldName(sheet.field))
                              ->setText(QString::fromLatin1(high ? sheet.highest : sheet.lowest));
                          save(dlg);
                      }),
                      1);
            EXPECT_EQ(Globals::gPref[40 + sheet.field], high ? sheet.highTenths : sheet.lowTenths);
        }
    }
}

TEST_F(PrefDlgTest, EachRunStartsAfreshOnThePrinterPage)
{
    ASSERT_EQ(show([](PrefDlg* dlg) {
                  in<QTabWidget>(dlg, "TabPanel1")->setCurrentIndex(2);
                  in<QLineEdit>(dlg, "EditField1")->setText(QStringLiteral("abc"));
                  cancel(dlg);
              }),
              1);
    int page = -1;
    QString width;
    ASSERT_EQ(show([&](PrefDlg* dlg) {
                  page = in<QTabWidget>(dlg, "TabPanel1")->currentIndex();
                  width = field(dlg, 0);
                  cancel(dlg);
              }),
              1);
    EXPECT_EQ(page, 0);
    EXPECT_EQ(width, QStringLiteral("90"));
}

// The width a button leaves its text, in the button's own font: a check
// box's or radio button's indicator and the space after it come first, a
// push button's margins lie on both sides.
int textRoom(QAbstractButton* b)
{
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    if (qobject_cast<QCheckBox*>(b))
        contents = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<QRadioButton*>(b))
        contents = QStyle::SE_RadioButtonContents;
    return b->style()->subElementRect(contents, &opt, b).width();
}

TEST_F(PrefDlgTest, LooksRightOnEveryPage)
{
    const QString dir = qEnvironmentVariable("MORVELIN_LOOK_DIR");
    PrefDlg dlg;
    PrefDlgValues v;
    v.widths = {QStringLiteral("90"), QStringLiteral("130"), QStringLiteral("119"), QStringLiteral("120.5")};
    v.beep = true;
    dlg.setValues(v);
    dlg.show();
    auto* tabs = in<QTabWidget>(&dlg, "TabPanel1");
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        QCoreApplication::processEvents();
        const QImage shot = dlg.grab().toImage();
        EXPECT_EQ(shot.size() / shot.devicePixelRatio(), QSize(410, 300));
        // Every text fits its box: none is cut short by the style's sizes.
        for (QWidget* w : tabs->widget(page)->findChildren<QWidget*>()) {
            if (auto* b = qobject_cast<QAbstractButton*>(w)) {
                EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()), textRoom(b)) << b->text().toStdString();
            }
        }
        if (!dir.isEmpty())
            shot.save(QStringLiteral("%1/prefdlg-page%2.png").arg(dir).arg(page + 1), "PNG");
    }
}

} // namespace
