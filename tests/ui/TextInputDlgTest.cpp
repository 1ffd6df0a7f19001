// The year-entry dialog run modally, left by each of its ways out.

#include "MainWindowFixture.h"

#include "support/ModalDialogDriver.h"
#include "ui/TextInputDlg.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace MainWindowTesting;

namespace {

struct WayOut {
    const char* name;
    std::function<void(TextInputDlg*)> leave;
    bool confirmed;
};

class YearEntryWayOut : public ::testing::TestWithParam<WayOut> {};

TEST_P(YearEntryWayOut, TellsWhetherTheTextWasConfirmed)
{
    TextInputDlg dlg;
    EXPECT_FALSE(dlg.pReturn);
    const int runs = answerModal<TextInputDlg>([&] { dlg.exec(); }, [&](TextInputDlg* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("年を入力"));
        EXPECT_EQ(d->EditField1->text(), QString());
        // Typing goes to the field from the start.
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2015"));
        GetParam().leave(d);
    });
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.pReturn, GetParam().confirmed);
    EXPECT_EQ(dlg.EditField1->text(), QStringLiteral("2015"));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, YearEntryWayOut,
    ::testing::Values(
        WayOut{"ReturnInTheField", [](TextInputDlg* d) { QTest::keyClick(d->EditField1, Qt::Key_Return); }, true},
        // Return presses "実行" even while "キャンセル" has the focus.
        WayOut{"ReturnOnCancel",
               [](TextInputDlg* d) {
                   d->PushButton1->setFocus();
                   QTest::keyClick(d->PushButton1, Qt::Key_Return);
               },
               true},
        WayOut{"ExecuteButton", [](TextInputDlg* d) { QTest::mouseClick(d->PushButton2, Qt::LeftButton); }, true},
        WayOut{"CancelButton", [](TextInputDlg* d) { QTest::mouseClick(d->PushButton1, Qt::LeftButton); }, false},
        WayOut{"Escape", [](TextInputDlg* d) { QTest::keyClick(d->EditField1, Qt::Key_Escape); }, false},
        WayOut{"CloseBox", [](TextInputDlg* d) { d->close(); }, false}),
    [](const ::testing::TestParamInfo<WayOut>& test) { return std::string(test.param.name); });

// "実行" with a text: a year (as Anniversaries::yearOf reads it) is taken,
// anything else (nothing typed too) refused with a notice while the dialog
// stays open with the text in its field.
TEST(YearEntry, ExecuteTakesAYearOrRefusesTheTextWithANotice)
{
    const struct {
        const char16_t* typed;
        const char16_t* year; // null: refused
    } cases[] = {
        {u"2027", u"2027"},
        {u"\u3000１２\u3000", u"12"}, // as a Japanese input method types it
        {u"毎年", u"毎年"},
        {u"", nullptr}, // every year is the pop-up's own row "毎年"
        {u"10000", nullptr},
        {u"2027年", nullptr},
    };
    for (const auto& c : cases) {
        const QString typed = QString::fromUtf16(c.typed);
        SCOPED_TRACE(typed.toStdString());
        TextInputDlg dlg;
        std::shared_ptr<SeenMessageBox> notice;
        bool stayed = false;
        QString left;
        answerModal<TextInputDlg>([&] { dlg.exec(); }, [&](TextInputDlg* d) {
            d->EditField1->setText(typed);
            notice = MessageBoxDriver::answer(QStringLiteral("OK"), MessageBoxDriver::Action::Click,
                                              MessageBoxDriver::kUntilStopped);
            QTest::mouseClick(d->PushButton2, Qt::LeftButton);
            stayed = d->isVisible();
            left = d->EditField1->text();
            if (stayed)
                QTest::mouseClick(d->PushButton1, Qt::LeftButton);
        });
        if (c.year) {
            EXPECT_FALSE(stayed);
            EXPECT_TRUE(dlg.pReturn);
            EXPECT_EQ(dlg.Year(), QString::fromUtf16(c.year));
            EXPECT_FALSE(notice->shown);
        } else {
            ASSERT_TRUE(notice->shown);
            EXPECT_EQ(notice->text, QStringLiteral("年の指定が正しくありません。"));
            EXPECT_EQ(notice->informativeText, QStringLiteral("1〜9999 の数字で入力して下さい。毎年の記念日には「毎年」を選んで下さい。"));
            EXPECT_TRUE(stayed);
            EXPECT_EQ(left, typed);
            EXPECT_FALSE(dlg.pReturn);
        }
        notice->stopWaiting = true;
    }
}

} // namespace
