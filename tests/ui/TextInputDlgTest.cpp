// The year-entry dialog run modally, left by each of its ways out.

#include "MainWindowFixture.h"

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

} // namespace
