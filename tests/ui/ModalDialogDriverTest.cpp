#include "support/ModalDialogDriver.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

// What the code under test got back from its dialogs (the failure macros
// below take no local variables).
int gOuterResult = -2;
int gBoxResult = -2;
int gAnswered = -1;
int gTurns = 0;

// The trigger's dialog is taken, and its answer opens a box nobody answers,
// one that even refuses Escape and the close box.
void leaveABoxOverTheDialogUnanswered()
{
    gAnswered = ModalDialogs::answerModal<QInputDialog>(
        [] {
            QInputDialog outer;
            gOuterResult = outer.exec();
        },
        [](QInputDialog* dlg) {
            QMessageBox box(QMessageBox::Warning, QStringLiteral("確認"), QStringLiteral("誰も答えない箱"),
                            QMessageBox::NoButton, dlg);
            box.addButton(QStringLiteral("続ける"), QMessageBox::ActionRole);
            gBoxResult = box.exec();
        },
        100);
}

// A road that opens a dialog after every dialog closed, until the third.
void leaveARoadOfDialogsUnanswered()
{
    gTurns = 0;
    gAnswered = ModalDialogs::answerModal<QMessageBox>(
        [] {
            while (gTurns < 3) {
                ++gTurns;
                QInputDialog dlg;
                dlg.exec();
            }
        },
        [](QMessageBox*) {}, 100);
}

TEST(ModalDialogDriver, GivesUpOnADialogNobodyAnswersClosingItAndEveryDialogUnderIt)
{
    EXPECT_NONFATAL_FAILURE(leaveABoxOverTheDialogUnanswered(), "QMessageBox \"確認\": 誰も答えない箱 / ; QInputDialog");
    EXPECT_EQ(gAnswered, 1);
    EXPECT_EQ(gBoxResult, QDialog::Rejected);
    EXPECT_EQ(gOuterResult, QDialog::Rejected);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(ModalDialogDriver, OnceItGaveUpEveryLaterDialogOfTheRoadIsClosedAsItShows)
{
    EXPECT_NONFATAL_FAILURE(leaveARoadOfDialogsUnanswered(), "No answer came within 100 ms");
    EXPECT_EQ(gTurns, 3);
    EXPECT_EQ(gAnswered, 0);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
