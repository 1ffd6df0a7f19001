#include "platform/Question.h"

#include "support/ModalDialogDriver.h"

#include <gtest/gtest.h>

namespace {

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

Question::Answer askThree(const QString& press, MessageBoxDriver::Action how = MessageBoxDriver::Action::Click)
{
    auto seen = MessageBoxDriver::answer(press, how);
    const auto answer = Question::ask(3, QStringLiteral("破棄"), QStringLiteral("キャンセル"), QStringLiteral("保存"),
                                      QStringLiteral("質問"), QStringLiteral("説明"), false);
    EXPECT_TRUE(seen->shown);
    return answer;
}

TEST(Question, ShowsACautionAlertWithMessageExplanationAndDefaultAction)
{
    auto seen = MessageBoxDriver::answer(QStringLiteral("保存"));
    const auto answer = Question::ask(2, QStringLiteral("使われない"), QStringLiteral("キャンセル"), QStringLiteral("保存"),
                                      QStringLiteral("内容が変更されています。保存しますか？"),
                                      QStringLiteral("保存しないと、変更内容は失われます。"), true);
    ASSERT_TRUE(seen->shown);
    EXPECT_EQ(answer, Question::Answer::Action);
    EXPECT_EQ(seen->icon, QMessageBox::Warning);
    EXPECT_EQ(seen->text, QStringLiteral("内容が変更されています。保存しますか？"));
    EXPECT_EQ(seen->informativeText, QStringLiteral("保存しないと、変更内容は失われます。"));
    EXPECT_EQ(sorted(seen->buttons), sorted({QStringLiteral("保存"), QStringLiteral("キャンセル")}));
    EXPECT_EQ(seen->defaultButton, QStringLiteral("保存"));
    EXPECT_TRUE(seen->applicationModal);
    EXPECT_FALSE(seen->hasParent);
}

TEST(Question, ButtonCountDecidesWhichButtonsShow)
{
    const struct {
        int32_t count;
        QStringList buttons;
    } cases[] = {
        {-1, {"A"}},
        {0, {"A"}},
        {1, {"A"}},
        {2, {"A", "C"}},
        {3, {"A", "C", "X"}},
        {7, {"A", "C", "X"}},
    };
    for (const auto& c : cases) {
        auto seen = MessageBoxDriver::answer(QStringLiteral("A"));
        const auto answer = Question::ask(c.count, QStringLiteral("X"), QStringLiteral("C"), QStringLiteral("A"),
                                          QStringLiteral("m"), QString(), false);
        EXPECT_EQ(answer, Question::Answer::Action) << c.count;
        EXPECT_EQ(sorted(seen->buttons), sorted(c.buttons)) << c.count;
    }
}

TEST(Question, EachButtonGivesItsAnswerAndEscapeCancels)
{
    EXPECT_EQ(askThree(QStringLiteral("保存")), Question::Answer::Action);
    EXPECT_EQ(askThree(QStringLiteral("キャンセル")), Question::Answer::Cancel);
    EXPECT_EQ(askThree(QStringLiteral("破棄")), Question::Answer::Alternate);
    EXPECT_EQ(askThree(QString(), MessageBoxDriver::Action::PressEscape), Question::Answer::Cancel);
}

TEST(Question, CancelCanBeTheDefaultWhereTheActionDestroysSomething)
{
    const struct {
        int32_t count;
        Question::Answer asked;
        const char* expected;
    } cases[] = {
        {2, Question::Answer::Cancel, "C"},
        {3, Question::Answer::Alternate, "X"},
        {3, Question::Answer::Action, "A"},
        {1, Question::Answer::Cancel, "A"}, // no cancel button to be the default
    };
    for (const auto& c : cases) {
        auto seen = MessageBoxDriver::answer(QString(), MessageBoxDriver::Action::PressEscape);
        const auto answer = Question::ask(c.count, QStringLiteral("X"), QStringLiteral("C"), QStringLiteral("A"),
                                          QStringLiteral("m"), QString(), false, c.asked);
        ASSERT_TRUE(seen->shown) << c.count;
        EXPECT_EQ(seen->defaultButton, QString::fromLatin1(c.expected)) << c.count;
        if (c.count > 1) {
            EXPECT_EQ(answer, Question::Answer::Cancel) << "Escape still cancels";
        }
    }
}

TEST(Question, PlainAlertHasOneOkButtonAndNoIcon)
{
    auto seen = MessageBoxDriver::answer(QStringLiteral("OK"));
    Question::alert(QStringLiteral("初期設定ファイルがありません。デフォルトの設定で起動します。"));
    ASSERT_TRUE(seen->shown);
    EXPECT_EQ(seen->text, QStringLiteral("初期設定ファイルがありません。デフォルトの設定で起動します。"));
    EXPECT_EQ(seen->buttons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(seen->icon, QMessageBox::NoIcon);
    EXPECT_TRUE(seen->informativeText.isEmpty());
}

} // namespace
