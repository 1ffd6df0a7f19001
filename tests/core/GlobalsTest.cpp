#include "core/Globals.h"

#include "support/ModalDialogDriver.h"

#include <gtest/gtest.h>

namespace {

TEST(GlobalsColour, IntegerAndColourConvertBothWays)
{
    const struct {
        int32_t value;
        int r, g, b;
    } cases[] = {
        {0xFF6464, 255, 100, 100}, {0x9A9ADD, 154, 154, 221}, {0x000000, 0, 0, 0},
        {0xFFFFFF, 255, 255, 255}, {0x3FBF3F, 63, 191, 63},   {0x010203, 1, 2, 3},
    };
    for (const auto& c : cases) {
        const QColor colour = Globals::gClrItoC(c.value);
        EXPECT_EQ(colour, QColor(c.r, c.g, c.b)) << std::hex << c.value;
        EXPECT_EQ(Globals::gClrCtoI(QColor(c.r, c.g, c.b)), c.value);
    }
}

TEST(GlobalsColour, OutOfRangeValuesStillGiveAValidColour)
{
    const struct {
        int32_t value;
        QRgb rgb;
    } cases[] = {
        {-1, 0xFFFFFF},
        {0x1000000, 0x000000},
        {0x1FF6464, 0xFF6464},
        {2147483647, 0xFFFFFF},
        {-2147483647 - 1, 0x000000},
    };
    for (const auto& c : cases) {
        const QColor colour = Globals::gClrItoC(c.value);
        EXPECT_TRUE(colour.isValid()) << c.value;
        EXPECT_EQ(colour.rgb() & 0xFFFFFF, c.rgb) << c.value;
    }
    // Alpha never reaches the stored form.
    EXPECT_EQ(Globals::gClrCtoI(QColor(255, 100, 100, 10)), 0xFF6464);
    EXPECT_EQ(Globals::gClrCtoI(QColor()), 0);
}

TEST(GlobalsSwitch, StoredSwitchesFollowThePolarity)
{
    EXPECT_TRUE(Globals::gConvIB(1, true));
    EXPECT_TRUE(Globals::gConvIB(2, true));
    EXPECT_FALSE(Globals::gConvIB(0, true));
    EXPECT_FALSE(Globals::gConvIB(-1, true));
    EXPECT_TRUE(Globals::gConvIB(0, false));
    EXPECT_FALSE(Globals::gConvIB(1, false));
    EXPECT_EQ(Globals::gConvBI(true, true), 1);
    EXPECT_EQ(Globals::gConvBI(false, true), 0);
    EXPECT_EQ(Globals::gConvBI(false, false), 1);
    EXPECT_EQ(Globals::gConvBI(true, false), 0);
}

class CautionDialogTest : public ::testing::Test {
protected:
    void SetUp() override { Globals::gPref[10] = 1; }
    void TearDown() override { Globals::gPref[10] = 0; }
};

TEST_F(CautionDialogTest, TwoButtonQuestionAnswersActionOrCancel)
{
    const auto ask = [](const QString& press) {
        auto seen = MessageBoxDriver::answer(press);
        const int32_t answer = Globals::gCautionDlg(2, QString(), QStringLiteral("キャンセル"), QStringLiteral("削除"),
                                                    QStringLiteral("本当に削除しますか？"),
                                                    QStringLiteral("この操作は取り消しできません。"));
        EXPECT_TRUE(seen->shown);
        EXPECT_EQ(seen->icon, QMessageBox::Warning);
        EXPECT_EQ(seen->text, QStringLiteral("本当に削除しますか？"));
        EXPECT_EQ(seen->informativeText, QStringLiteral("この操作は取り消しできません。"));
        EXPECT_EQ(seen->defaultButton, QStringLiteral("削除"));
        EXPECT_EQ(seen->buttons.size(), 2);
        return answer;
    };
    EXPECT_EQ(ask(QStringLiteral("削除")), Globals::AnswerAction);
    EXPECT_EQ(ask(QStringLiteral("キャンセル")), Globals::AnswerCancel);
}

TEST_F(CautionDialogTest, NoticeHasOneOkButtonWhateverItSays)
{
    Globals::gTempInt = -1;
    auto seen = MessageBoxDriver::answer(QStringLiteral("OK"));
    Globals::gCautionDlg1(QStringLiteral("記念日ファイルを開けません。"), QString());
    ASSERT_TRUE(seen->shown);
    EXPECT_EQ(seen->buttons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(seen->text, QStringLiteral("記念日ファイルを開けません。"));
    EXPECT_TRUE(seen->informativeText.isEmpty());
    EXPECT_EQ(Globals::gTempInt, Globals::AnswerAction);
}

TEST(GlobalsMsgBox, PlainAlertShowsItsMessage)
{
    auto seen = MessageBoxDriver::answer(QStringLiteral("OK"));
    Globals::MsgBox(QStringLiteral("初期設定ファイルがありません。デフォルトの設定で起動します。"));
    ASSERT_TRUE(seen->shown);
    EXPECT_EQ(seen->text, QStringLiteral("初期設定ファイルがありません。デフォルトの設定で起動します。"));
    EXPECT_EQ(seen->buttons, QStringList{QStringLiteral("OK")});
}

} // namespace
