// The anniversary editor, driven as a user drives it: rows clicked, the edit
// controls changed, rows dragged, the questions answered.

#include "MainWindowFixture.h"

#include "core/AnniversaryFile.h"
#include "sheet/MonthWalk.h"
#include "support/ModalDialogDriver.h"
#include "support/Waiting.h"
#include "ui/AnnDlg.h"
#include "ui/Canvas.h"
#include "ui/RowReorderList.h"
#include "ui/TextInputDlg.h"

#include <QClipboard>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

using namespace MainWindowTesting;

namespace {

Anniversary entry(QVariant yy, QVariant mm, QVariant dd, QVariant tt) { return Anniversary{yy, mm, dd, tt}; }

bool heldAs(const QVariant& v, QMetaType::Type type) { return v.metaType().id() == int(type); }

// A pop-up's rows as the user sees them, a separator as "-".
QStringList popupRows(const QComboBox* c)
{
    QStringList rows;
    for (int i = 0; i < c->count(); ++i) {
        const bool separator = c->itemData(i, Qt::AccessibleDescriptionRole).toString() == QLatin1String("separator");
        rows << (separator ? QStringLiteral("-") : c->itemText(i));
    }
    return rows;
}

// Brings the data a row's drag carries over the list and drops it at a point
// of the list, as a drag under the window system does; true when the list
// took the drop.
bool dropOnList(RowReorderList* list, const QMimeData& data, QPoint at)
{
    QWidget* target = list->viewport();
    QDragEnterEvent enter(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(QPointF(at), Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

const QStringList kNoRowYear = {QStringLiteral("毎年"), QStringLiteral("-"), QStringLiteral("指定...")};

class AnnEditor : public ::testing::Test {
protected:
    void open(const AnniversaryList& list)
    {
        dlg = std::make_unique<AnnDlg>();
        dlg->SetRows(list);
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get(), Waiting::kStepMs));
    }

    RowReorderList* list() const { return dlg->ListBox1; }

    QStringList row(int r) const
    {
        const QTreeWidgetItem* item = list()->topLevelItem(r);
        return item ? QStringList{item->text(0), item->text(1), item->text(2), item->text(3)} : QStringList();
    }
    QList<QStringList> rows() const
    {
        QList<QStringList> all;
        for (int r = 0; r < list()->topLevelItemCount(); ++r)
            all << row(r);
        return all;
    }
    QStringList texts() const
    {
        QStringList t;
        for (int r = 0; r < list()->topLevelItemCount(); ++r)
            t << list()->topLevelItem(r)->text(3);
        return t;
    }

    QPoint centreOf(int r) const { return list()->visualItemRect(list()->topLevelItem(r)).center(); }
    void clickRow(int r) { QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, centreOf(r)); }

    // What the edit box shows: enabling of "＋", "ー" and the box, then the
    // year rows, month, day and text.
    void expectNoRowState() const
    {
        EXPECT_TRUE(dlg->BevelButton1->isEnabled());
        EXPECT_FALSE(dlg->BevelButton2->isEnabled());
        EXPECT_FALSE(dlg->GroupBox1->isEnabled());
        EXPECT_EQ(popupRows(dlg->PopupMenu1), kNoRowYear);
        EXPECT_EQ(dlg->PopupMenu1->currentIndex(), 0);
        EXPECT_EQ(dlg->PopupMenu2->currentText(), QStringLiteral("1"));
        EXPECT_EQ(dlg->PopupMenu3->currentText(), QStringLiteral("1"));
        EXPECT_EQ(dlg->EditField1->text(), QString());
    }

    bool dropAt(const QMimeData& data, QPoint at) { return dropOnList(list(), data, at); }

    std::unique_ptr<AnnDlg> dlg;
};

const AnniversaryList kThree = {entry(0, QStringLiteral("5"), QStringLiteral("5"), QStringLiteral("A")),
                                entry(QStringLiteral("2014"), QStringLiteral("12"), QStringLiteral("24"),
                                      QStringLiteral("B")),
                                entry(QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("14"), QStringLiteral("C"))};

} // namespace

// ---- Opening ----

TEST_F(AnnEditor, OpensWithTheEntriesAndNoRowSelected)
{
    // The year as the file or the editor left it: every value that reads as 0
    // is an entry of every year.
    open({entry(0, 1, 1, QStringLiteral("int zero")),
          entry(QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("text zero")),
          entry(QStringLiteral("2014"), QStringLiteral("12"), QStringLiteral("24"), QStringLiteral("イブ")),
          entry(QString(), QStringLiteral("4"), QStringLiteral("1"), QStringLiteral("empty")),
          entry(QStringLiteral("abc"), QStringLiteral("4"), QStringLiteral("2"), QStringLiteral("no number")),
          entry(QStringLiteral("2015年"), QStringLiteral("4"), QStringLiteral("3"), QStringLiteral("suffix"))});
    const QList<QStringList> expected = {
        {QStringLiteral("毎年"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("int zero")},
        {QStringLiteral("毎年"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("text zero")},
        {QStringLiteral("2014"), QStringLiteral("12"), QStringLiteral("24"), QStringLiteral("イブ")},
        {QStringLiteral("毎年"), QStringLiteral("4"), QStringLiteral("1"), QStringLiteral("empty")},
        {QStringLiteral("毎年"), QStringLiteral("4"), QStringLiteral("2"), QStringLiteral("no number")},
        {QStringLiteral("2015年"), QStringLiteral("4"), QStringLiteral("3"), QStringLiteral("suffix")}};
    EXPECT_EQ(rows(), expected);
    EXPECT_EQ(list()->selectedRow(), -1);
    expectNoRowState();
    EXPECT_FALSE(dlg->pReturn);
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("記念日の設定"));
    EXPECT_EQ(list()->headerItem()->text(3), QStringLiteral("内容"));
}

TEST_F(AnnEditor, SelectingARowShowsItWithoutWritingIt)
{
    open(kThree);
    clickRow(1);
    EXPECT_FALSE(dlg->BevelButton1->isEnabled());
    EXPECT_TRUE(dlg->BevelButton2->isEnabled());
    EXPECT_TRUE(dlg->GroupBox1->isEnabled());
    EXPECT_EQ(popupRows(dlg->PopupMenu1),
              (QStringList{QStringLiteral("2014"), QStringLiteral("-"), QStringLiteral("編集...")}));
    EXPECT_EQ(dlg->PopupMenu2->currentText(), QStringLiteral("12"));
    EXPECT_EQ(dlg->PopupMenu3->currentText(), QStringLiteral("24"));
    EXPECT_EQ(dlg->EditField1->text(), QStringLiteral("B"));

    clickRow(2);
    EXPECT_EQ(dlg->PopupMenu1->currentText(), QStringLiteral("毎年"));
    EXPECT_EQ(dlg->PopupMenu2->currentText(), QStringLiteral("2"));
    EXPECT_EQ(rows().at(1).at(3), QStringLiteral("B"));
    EXPECT_FALSE(dlg->pReturn);

    // A click below the rows clears the selection (Qt keeps its current row).
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, QPoint(40, list()->viewport()->height() - 10));
    EXPECT_EQ(list()->selectedRow(), -1);
    expectNoRowState();
    EXPECT_FALSE(dlg->pReturn);
}

TEST_F(AnnEditor, AMonthOrDayOutsideThePopupsShowsNoChoiceAndIsKept)
{
    // Only a file written elsewhere holds such values.
    open({entry(0, QStringLiteral("13"), QStringLiteral("0"), QStringLiteral("odd")),
          entry(0, QStringLiteral("x"), QStringLiteral("99999999999"), QStringLiteral("odder"))});
    for (int r : {0, 1}) {
        clickRow(r);
        EXPECT_EQ(dlg->PopupMenu2->currentIndex(), -1) << r;
        EXPECT_EQ(dlg->PopupMenu3->currentIndex(), -1) << r;
    }
    EXPECT_EQ(row(0), (QStringList{QStringLiteral("毎年"), QStringLiteral("13"), QStringLiteral("0"),
                                   QStringLiteral("odd")}));
    EXPECT_FALSE(dlg->pReturn);
}

// ---- Adding ----

TEST_F(AnnEditor, AddOnAnEmptyListGivesAnEveryYearRowSelected)
{
    open({});
    QTest::mouseClick(dlg->BevelButton1, Qt::LeftButton);
    ASSERT_EQ(list()->topLevelItemCount(), 1);
    EXPECT_EQ(row(0), (QStringList{QStringLiteral("毎年"), QStringLiteral("1"), QStringLiteral("1"), QString()}));
    EXPECT_EQ(list()->selectedRow(), 0);
    EXPECT_TRUE(dlg->GroupBox1->isEnabled());
    EXPECT_FALSE(dlg->BevelButton1->isEnabled());
    EXPECT_TRUE(dlg->BevelButton2->isEnabled());
    EXPECT_EQ(popupRows(dlg->PopupMenu1),
              (QStringList{QStringLiteral("毎年"), QStringLiteral("-"), QStringLiteral("編集...")}));
    EXPECT_TRUE(dlg->pReturn);

    // The new row is filled through the edit controls.
    dlg->PopupMenu2->setCurrentIndex(6);
    QTest::keyClicks(dlg->EditField1, QStringLiteral("Tanabata"));
    EXPECT_EQ(row(0), (QStringList{QStringLiteral("毎年"), QStringLiteral("7"), QStringLiteral("1"),
                                   QStringLiteral("Tanabata")}));
}

TEST_F(AnnEditor, AddAppendsBelowTheExistingRows)
{
    open(kThree);
    QTest::mouseClick(dlg->BevelButton1, Qt::LeftButton);
    EXPECT_EQ(texts(), (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QString()}));
    EXPECT_EQ(list()->selectedRow(), 3);
    EXPECT_EQ(list()->currentIndex().row(), 3);
}

// ---- Editing ----

TEST_F(AnnEditor, EditsGoToTheSelectedRowEvenWhenTheCurrentRowIsAnother)
{
    open(kThree);
    clickRow(1);
    // Qt moves its current row without selecting, as its own focus handling does.
    list()->selectionModel()->setCurrentIndex(list()->model()->index(0, 0), QItemSelectionModel::NoUpdate);
    ASSERT_EQ(list()->currentIndex().row(), 0);
    ASSERT_EQ(list()->selectedRow(), 1);

    dlg->PopupMenu2->setCurrentIndex(2);
    dlg->PopupMenu3->setCurrentIndex(30);
    dlg->EditField1->selectAll();
    QTest::keyClicks(dlg->EditField1, QStringLiteral("New"));
    EXPECT_EQ(row(1), (QStringList{QStringLiteral("2014"), QStringLiteral("3"), QStringLiteral("31"),
                                   QStringLiteral("New")}));
    EXPECT_EQ(row(0), (QStringList{QStringLiteral("毎年"), QStringLiteral("5"), QStringLiteral("5"),
                                   QStringLiteral("A")}));
    EXPECT_TRUE(dlg->pReturn);
}

TEST_F(AnnEditor, TheTextIsWrittenAtEveryKeystroke)
{
    open(kThree);
    clickRow(0);
    dlg->EditField1->clear();
    EXPECT_EQ(row(0).at(3), QString());
    QTest::keyClick(dlg->EditField1, Qt::Key_X);
    EXPECT_EQ(row(0).at(3), QStringLiteral("x"));
}

// What the file keeps of a text: 255 bytes of UTF-8 on one line. The field
// takes no more than that, whole characters only, and a pasted line break or
// tab becomes a space; what it held before stays.
TEST_F(AnnEditor, ThePastedTextIsTakenAsTheFileKeepsIt)
{
    const QString a250 = QString(250, u'a');
    const QString kana85 = QString(85, u'あ'); // 3 bytes each, 255 in all
    const struct {
        const char* name;
        QString before;
        int at; // where the text goes in
        QString pasted;
        QString after;
    } cases[] = {
        {"AsciiCutAtTheLimit", {}, 0, QString(300, u'x'), QString(255, u'x')},
        {"KanaJustFitting", {}, 0, kana85, kana85},
        {"KanaOneTooMany", {}, 0, kana85 + u'い', kana85},
        {"KanaStraddling", a250, 250, QStringLiteral("かき"), a250 + u'か'},
        {"EmojiStraddling", a250 + QStringLiteral("bcd"), 253, QStringLiteral("\U0001F600"), a250 + QStringLiteral("bcd")},
        {"EmojiJustFitting", a250 + u'b', 251, QStringLiteral("\U0001F600z"), a250 + QStringLiteral("b\U0001F600")},
        {"AccentNotSplitFromItsLetter", a250 + QStringLiteral("bcd"), 253, QStringLiteral("ze\u0301"),
         a250 + QStringLiteral("bcdz")},
        {"IntoTheMiddleTheEndStays", a250, 5, QStringLiteral("ABCDEFGH"),
         QString(5, u'a') + QStringLiteral("ABCDE") + QString(245, u'a')},
        {"LineBreaksAndTabs", QStringLiteral("[]"), 1, QStringLiteral("one\ntwo\tthree\r\nfour\rfive\u2028six"),
         QStringLiteral("[one two three four five six]")},
        {"ABreakThatMakesRoom", a250, 250, QStringLiteral("\r\nbcde"), a250 + QStringLiteral(" bcde")},
    };
    open(kThree);
    clickRow(0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dlg->EditField1->setText(c.before);
        dlg->EditField1->setCursorPosition(c.at);
        QGuiApplication::clipboard()->setText(c.pasted);
        dlg->EditField1->paste();
        EXPECT_EQ(dlg->EditField1->text(), c.after);
        EXPECT_LE(dlg->EditField1->text().toUtf8().size(), 255);
        EXPECT_EQ(row(0).at(3), c.after);
    }
    // Pasted over a selection: what replaces it is cut, what follows stays.
    dlg->EditField1->setText(QString(250, u'a') + QStringLiteral("bcd"));
    dlg->EditField1->setSelection(3, 2);
    QGuiApplication::clipboard()->setText(QStringLiteral("XYZWV"));
    dlg->EditField1->paste();
    EXPECT_EQ(dlg->EditField1->text(), QStringLiteral("aaaXYZW") + QString(245, u'a') + QStringLiteral("bcd"));
}

TEST_F(AnnEditor, AFullTextTakesNoMoreKeys)
{
    open(kThree);
    clickRow(0);
    const QString full = QString(84, u'あ') + QStringLiteral("bcd");
    dlg->EditField1->setText(full);
    dlg->EditField1->setCursorPosition(10);
    QTest::keyClicks(dlg->EditField1, QStringLiteral("xy"));
    EXPECT_EQ(dlg->EditField1->text(), full);
    EXPECT_EQ(row(0).at(3), full);
    // A kana taken out makes room for three bytes, no more.
    QTest::keyClick(dlg->EditField1, Qt::Key_Backspace);
    QTest::keyClicks(dlg->EditField1, QStringLiteral("wxyz"));
    EXPECT_EQ(dlg->EditField1->text().toStdString(),
              (QString(9, u'あ') + QStringLiteral("wxy") + QString(74, u'あ') + QStringLiteral("bcd")).toStdString());
}

TEST_F(AnnEditor, EditControlsWriteNothingWithoutASelectedRow)
{
    open(kThree);
    clickRow(0);
    // A click below the rows: no row selected, Qt's current row still the first.
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, QPoint(40, list()->viewport()->height() - 10));
    ASSERT_EQ(list()->selectedRow(), -1);
    ASSERT_EQ(list()->currentIndex().row(), 0);
    // Controls changed while no row is selected (the box is disabled then, but
    // the program itself may set them).
    dlg->PopupMenu2->setCurrentIndex(9);
    dlg->EditField1->setText(QStringLiteral("stray"));
    EXPECT_EQ(texts(), (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
    EXPECT_EQ(row(0).at(1), QStringLiteral("5"));
    EXPECT_FALSE(dlg->pReturn);
}

// ---- The year through the year-entry dialog ----

struct YearCase {
    const char* name;
    bool confirm;
    const char* typed;
    const char* cell;      // column 0 afterwards
    const char* firstRow;  // the year pop-up's first row afterwards
};

class AnnEditorYear : public AnnEditor, public ::testing::WithParamInterface<YearCase> {};

TEST_P(AnnEditorYear, EditYearRunsTheYearEntryDialogOnce)
{
    const YearCase c = GetParam();
    open(kThree);
    clickRow(1);
    bool fieldWasEmpty = false;
    const int dialogs = answerModal<TextInputDlg>([&] { dlg->PopupMenu1->setCurrentIndex(2); },
                                                  [&](TextInputDlg* t) {
                                                      fieldWasEmpty = t->EditField1->text().isEmpty();
                                                      t->EditField1->setText(QString::fromUtf8(c.typed));
                                                      QTest::keyClick(t, c.confirm ? Qt::Key_Return : Qt::Key_Escape);
                                                  });
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(fieldWasEmpty);
    EXPECT_EQ(row(1).at(0), QString::fromUtf8(c.cell));
    EXPECT_EQ(popupRows(dlg->PopupMenu1),
              (QStringList{QString::fromUtf8(c.firstRow), QStringLiteral("-"), QStringLiteral("編集...")}));
    EXPECT_EQ(dlg->PopupMenu1->currentIndex(), 0);
    // The other cells of the row are untouched.
    EXPECT_EQ(row(1).mid(1), (QStringList{QStringLiteral("12"), QStringLiteral("24"), QStringLiteral("B")}));
    EXPECT_TRUE(dlg->pReturn);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, AnnEditorYear,
    ::testing::Values(YearCase{"Typed", true, "2015", "2015", "2015"},
                      YearCase{"TypedFullWidth", true, "　２０２７", "2027", "2027"},
                      YearCase{"TypedEveryYear", true, "毎年", "毎年", "毎年"},
                      YearCase{"Cancelled", false, "1999", "2014", "2014"}),
    [](const ::testing::TestParamInfo<YearCase>& test) { return std::string(test.param.name); });

TEST_F(AnnEditor, ARefusedYearKeepsTheDialogOpenAndTheRowAsItWas)
{
    open(kThree);
    clickRow(1);
    std::shared_ptr<SeenMessageBox> notice;
    bool stayed = false;
    QString left;
    answerModal<TextInputDlg>([&] { dlg->PopupMenu1->setCurrentIndex(2); },
                              [&](TextInputDlg* t) {
                                  t->EditField1->setText(QStringLiteral("１００００"));
                                  notice = MessageBoxDriver::answer(QStringLiteral("OK"));
                                  QTest::keyClick(t->EditField1, Qt::Key_Return);
                                  stayed = t->isVisible();
                                  left = t->EditField1->text();
                                  QTest::keyClick(t->EditField1, Qt::Key_Escape);
                              });
    ASSERT_TRUE(notice->shown);
    EXPECT_EQ(notice->text, QStringLiteral("年の指定が正しくありません。"));
    EXPECT_TRUE(stayed);
    EXPECT_EQ(left, QStringLiteral("１００００"));
    EXPECT_EQ(row(1).at(0), QStringLiteral("2014"));
    EXPECT_EQ(dlg->PopupMenu1->currentText(), QStringLiteral("2014"));
}

TEST_F(AnnEditor, TheYearEntryDialogIsEmptyAgainOnItsNextUse)
{
    open(kThree);
    clickRow(0);
    QStringList seen;
    for (const char* typed : {"2001", "2002"}) {
        answerModal<TextInputDlg>([&] { dlg->PopupMenu1->setCurrentIndex(2); },
                                  [&](TextInputDlg* t) {
                                      seen << t->EditField1->text();
                                      QTest::keyClicks(t->EditField1, QString::fromLatin1(typed));
                                      QTest::mouseClick(t->PushButton2, Qt::LeftButton);
                                  });
    }
    EXPECT_EQ(seen, (QStringList{QString(), QString()}));
    EXPECT_EQ(row(0).at(0), QStringLiteral("2002"));
}

// ---- Deleting ----

TEST_F(AnnEditor, DeleteAskedAndAnsweredDelete)
{
    open(kThree);
    clickRow(1);
    auto seen = MessageBoxDriver::answer(QStringLiteral("削除"));
    QTest::mouseClick(dlg->BevelButton2, Qt::LeftButton);
    ASSERT_TRUE(seen->shown);
    EXPECT_EQ(seen->text, QStringLiteral("本当に削除しますか？"));
    EXPECT_EQ(seen->informativeText, QStringLiteral("この操作は取り消しできません。"));
    EXPECT_EQ(seen->buttons, (QStringList{QStringLiteral("削除"), QStringLiteral("キャンセル")}));

    EXPECT_EQ(texts(), (QStringList{QStringLiteral("A"), QStringLiteral("C")}));
    // Qt would select the neighbour: nothing is selected, and no row is current.
    EXPECT_EQ(list()->selectedRow(), -1);
    EXPECT_FALSE(list()->currentIndex().isValid());
    expectNoRowState();
    EXPECT_TRUE(dlg->pReturn);

    // With nothing selected the text field writes nowhere.
    dlg->EditField1->setText(QStringLiteral("stray"));
    EXPECT_EQ(texts(), (QStringList{QStringLiteral("A"), QStringLiteral("C")}));
}

// The question's texts each stand on one line, no word broken. With
// MORVELIN_LOOK_DIR set, the box is also saved there as a PNG to look at.
TEST_F(AnnEditor, TheDeleteQuestionGivesItsTextsTheRoomTheyNeed)
{
    open(kThree);
    clickRow(1);
    QStringList texts;
    QList<bool> oneLine;
    QSize size;
    const int boxes = answerModal<QMessageBox>([&] { QTest::mouseClick(dlg->BevelButton2, Qt::LeftButton); },
                                               [&](QMessageBox* box) {
                                                   QCoreApplication::processEvents();
                                                   size = box->size();
                                                   for (QLabel* l : box->findChildren<QLabel*>()) {
                                                       if (l->text().isEmpty() || !l->isVisible())
                                                           continue;
                                                       texts << l->text();
                                                       // As high as the text laid out with no limit of width.
                                                       oneLine << (!l->wordWrap()
                                                                   || l->heightForWidth(l->width())
                                                                          == l->heightForWidth(QWIDGETSIZE_MAX));
                                                   }
                                                   const QString dir = qEnvironmentVariable("MORVELIN_LOOK_DIR");
                                                   if (!dir.isEmpty())
                                                       box->grab().save(dir + QStringLiteral("/delete-question.png"), "PNG");
                                                   for (QAbstractButton* b : box->buttons())
                                                       if (b->text() == QStringLiteral("キャンセル"))
                                                           b->click();
                                               });
    ASSERT_EQ(boxes, 1);
    texts.sort();
    EXPECT_EQ(texts, (QStringList{QStringLiteral("この操作は取り消しできません。"), QStringLiteral("本当に削除しますか？")}));
    EXPECT_EQ(oneLine, (QList<bool>{true, true})) << size.width() << "x" << size.height();
    EXPECT_EQ(list()->topLevelItemCount(), 3);
}

TEST_F(AnnEditor, DeleteAnsweredOtherwiseThanDeleteKeepsTheRow)
{
    // The keys go where a user's would: to the box's focused button.
    const auto press = [](Qt::Key key) {
        return [key](QMessageBox* box) {
            QWidget* focused = QApplication::focusWidget();
            QTest::keyClick(focused && box->isAncestorOf(focused) ? focused : box, key);
        };
    };
    const auto clickCancel = [](QMessageBox* box) {
        for (QAbstractButton* b : box->buttons())
            if (b->text() == QStringLiteral("キャンセル"))
                b->click();
    };
    const struct {
        const char* how;
        std::function<void(QMessageBox*)> answer;
    } cases[] = {{"キャンセル", clickCancel}, {"Return", press(Qt::Key_Return)}, {"Escape", press(Qt::Key_Escape)}};
    for (const auto& c : cases) {
        open(kThree);
        clickRow(2);
        SeenMessageBox seen;
        const int boxes = answerModal<QMessageBox>([&] { QTest::mouseClick(dlg->BevelButton2, Qt::LeftButton); },
                                                   [&](QMessageBox* box) {
                                                       MessageBoxDriver::record(box, seen);
                                                       c.answer(box);
                                                   });
        ASSERT_EQ(boxes, 1) << c.how;
        // Nothing that cannot be undone is the default.
        EXPECT_EQ(seen.defaultButton, QStringLiteral("キャンセル")) << c.how;
        EXPECT_EQ(texts(), (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")})) << c.how;
        EXPECT_EQ(list()->selectedRow(), 2) << c.how;
        EXPECT_TRUE(dlg->BevelButton2->isEnabled()) << c.how;
        EXPECT_FALSE(dlg->pReturn) << c.how;
    }
}

TEST_F(AnnEditor, DeleteWithNoRowSelectedAsksNothing)
{
    open(kThree);
    // A question would be asked from inside the call, in a loop of its own.
    EXPECT_EQ(answerModal<QMessageBox>([&] { dlg->BevelButton2_Action(); }, [](QMessageBox* box) { box->reject(); }), 0);
    EXPECT_EQ(list()->topLevelItemCount(), 3);
}

TEST_F(AnnEditor, DeletingTheLastRowsLeavesAnEmptyList)
{
    open(kThree);
    for (int i = 0; i < 3; ++i) {
        clickRow(0);
        MessageBoxDriver::answer(QStringLiteral("削除"));
        QTest::mouseClick(dlg->BevelButton2, Qt::LeftButton);
    }
    EXPECT_EQ(list()->topLevelItemCount(), 0);
    expectNoRowState();
}

// ---- Reordering ----

struct DropCase {
    const char* name;
    int from;
    int onto;   // the row dropped on, -1 for the empty space below the rows
    int offset; // from that row's centre, in pixels
    const char* order;
    bool moved;
};

class AnnEditorDrop : public AnnEditor, public ::testing::WithParamInterface<DropCase> {};

TEST_P(AnnEditorDrop, ADraggedRowOnlyChangesPlaces)
{
    const DropCase c = GetParam();
    open({entry(0, 1, 1, QStringLiteral("A")), entry(0, 1, 2, QStringLiteral("B")),
          entry(0, 1, 3, QStringLiteral("C")), entry(0, 1, 4, QStringLiteral("D"))});
    const int rowHeight = list()->visualItemRect(list()->topLevelItem(0)).height();
    clickRow(c.from);
    const QPoint at = c.onto < 0 ? QPoint(40, list()->viewport()->height() - 5)
                                 : centreOf(c.onto) + QPoint(0, c.offset * rowHeight / 10);
    std::unique_ptr<QMimeData> data(list()->rowDragData(c.from));
    EXPECT_TRUE(dropAt(*data, at));

    EXPECT_EQ(texts().join(QString()), QString::fromLatin1(c.order));
    // A row dropped on another never becomes its child.
    for (int r = 0; r < list()->topLevelItemCount(); ++r)
        EXPECT_EQ(list()->topLevelItem(r)->childCount(), 0);
    EXPECT_EQ(dlg->pReturn, c.moved);
    // The dragged row stays selected, shown in the edit controls.
    const int now = texts().indexOf(QString(QChar(QLatin1Char('A' + c.from))));
    EXPECT_EQ(list()->selectedRow(), now);
    EXPECT_EQ(dlg->EditField1->text(), texts().at(now));
}

// Offsets are in tenths of a row height from the row's centre.
INSTANTIATE_TEST_SUITE_P(
    Drops, AnnEditorDrop,
    ::testing::Values(DropCase{"LastToTop", 3, 0, -4, "DABC", true},
                      DropCase{"FirstBelowThird", 0, 2, 4, "BCAD", true},
                      DropCase{"OntoTheMiddleOfARow", 2, 0, 0, "ACBD", true},
                      DropCase{"BelowAllRows", 1, -1, 0, "ACDB", true},
                      DropCase{"BackToItsOwnPlace", 1, 2, -4, "ABCD", false}),
    [](const ::testing::TestParamInfo<DropCase>& test) { return std::string(test.param.name); });

TEST_F(AnnEditor, NothingFromElsewhereCanBeDropped)
{
    open(kThree);
    RowReorderList other;
    other.addTopLevelItem(RowReorderList::newRow({QStringLiteral("x")}));
    other.addTopLevelItem(RowReorderList::newRow({QStringLiteral("y")}));
    std::unique_ptr<QMimeData> foreignRow(other.rowDragData(1));
    QMimeData text;
    text.setText(QStringLiteral("2020\t1\t1\tdropped"));
    for (const QMimeData* data : std::initializer_list<const QMimeData*>{foreignRow.get(), &text}) {
        QDragEnterEvent enter(centreOf(0), Qt::MoveAction | Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list()->viewport(), &enter);
        EXPECT_FALSE(enter.isAccepted());
        EXPECT_FALSE(dropAt(*data, centreOf(0)));
    }
    EXPECT_EQ(texts(), (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
    EXPECT_FALSE(dlg->pReturn);
}

// ---- The heading ----

TEST_F(AnnEditor, AHeadingClickShowsTheNoticeAndDoesNotSort)
{
    open({entry(0, 3, 1, QStringLiteral("b")), entry(0, 1, 1, QStringLiteral("c")), entry(0, 2, 1, QStringLiteral("a"))});
    QHeaderView* header = list()->header();
    for (int column : {1, 3}) {
        auto seen = MessageBoxDriver::answer(QStringLiteral("OK"));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
        ASSERT_TRUE(seen->shown) << column;
        EXPECT_EQ(seen->text, QStringLiteral("ヘッダプレスによる並べ替えには対応していません。"));
        EXPECT_EQ(seen->informativeText, QString());
    }
    EXPECT_EQ(texts(), (QStringList{QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("a")}));
    EXPECT_FALSE(dlg->pReturn);
}

// ---- The editor opened from the main window ----

class AnnEditorRun : public MainWindowTest {
protected:
    // Opens the editor on the window's list and lets `act` work in it.
    void run(const std::function<void(AnnDlg*)>& act)
    {
        const int runs = answerModal<AnnDlg>([this] { w->ShowAnnDlg(); }, act);
        ASSERT_EQ(runs, 1);
    }

    static void close(AnnDlg* d) { QTest::mouseClick(d->PushButton1, Qt::LeftButton); }

    static void select(AnnDlg* d, int r)
    {
        QTest::mouseClick(d->ListBox1->viewport(), Qt::LeftButton, {},
                          d->ListBox1->visualItemRect(d->ListBox1->topLevelItem(r)).center());
    }
};

TEST_F(AnnEditorRun, AnEmptyListStaysEmptyAndThePreviewIsRepainted)
{
    w->pAnvsy.clear();
    PaintCounter paints(w->Canvas1);
    run([&](AnnDlg* d) {
        EXPECT_EQ(d->ListBox1->topLevelItemCount(), 0);
        EXPECT_TRUE(d->isModal());
        settle();
        paints.paints = 0;
        close(d);
    });
    settle();
    EXPECT_TRUE(w->pAnvsy.isEmpty());
    EXPECT_GE(paints.paints, 1);
}

TEST_F(AnnEditorRun, AddThenCloseGivesOneEveryYearEntry)
{
    w->pAnvsy.clear();
    run([&](AnnDlg* d) {
        QTest::mouseClick(d->BevelButton1, Qt::LeftButton);
        close(d);
    });
    ASSERT_EQ(w->pAnvsy.size(), 1);
    const Anniversary& a = w->pAnvsy.at(0);
    EXPECT_TRUE(heldAs(a.YY, QMetaType::Int));
    EXPECT_EQ(a.YY.toInt(), 0);
    EXPECT_EQ(a.MM, QVariant(QStringLiteral("1")));
    EXPECT_EQ(a.DD, QVariant(QStringLiteral("1")));
    EXPECT_EQ(a.tt, QVariant(QString()));
}

TEST_F(AnnEditorRun, WithoutAChangeTheEntriesKeepTheirValuesAndKinds)
{
    w->pAnvsy = {entry(QStringLiteral("0"), 5, 5, QStringLiteral("A")),
                 entry(QStringLiteral("2014"), QStringLiteral("12"), QStringLiteral("24"), QStringLiteral("B"))};
    run([&](AnnDlg* d) {
        select(d, 1); // looking is not changing
        close(d);
    });
    ASSERT_EQ(w->pAnvsy.size(), 2);
    EXPECT_TRUE(heldAs(w->pAnvsy.at(0).YY, QMetaType::QString));
    EXPECT_TRUE(heldAs(w->pAnvsy.at(0).MM, QMetaType::Int));
    EXPECT_EQ(w->pAnvsy.at(0).MM.toInt(), 5);
    EXPECT_EQ(w->pAnvsy.at(1).tt, QVariant(QStringLiteral("B")));
}

TEST_F(AnnEditorRun, AChangedTextComesBackAndEveryEntryTakesTheEditorsKinds)
{
    w->pAnvsy = {entry(QStringLiteral("0"), QStringLiteral("5"), QStringLiteral("5"), QStringLiteral("A")),
                 entry(QStringLiteral("2014"), QStringLiteral("12"), QStringLiteral("24"), QStringLiteral("B"))};
    run([&](AnnDlg* d) {
        select(d, 1);
        d->EditField1->setText(QStringLiteral("クリスマスイブ"));
        close(d);
    });
    ASSERT_EQ(w->pAnvsy.size(), 2);
    EXPECT_TRUE(heldAs(w->pAnvsy.at(0).YY, QMetaType::Int));
    EXPECT_EQ(w->pAnvsy.at(0).YY.toInt(), 0);
    EXPECT_EQ(w->pAnvsy.at(1).YY, QVariant(QStringLiteral("2014")));
    EXPECT_EQ(w->pAnvsy.at(1).tt, QVariant(QStringLiteral("クリスマスイブ")));
    EXPECT_EQ(w->pAnvsy.at(0).tt, QVariant(QStringLiteral("A")));
}

TEST_F(AnnEditorRun, AnEmptyYearIsRefusedAndTheEntryKeepsItsYear)
{
    // Nothing typed is no year: every year is the pop-up's own row.
    w->pAnvsy = {entry(QStringLiteral("2014"), QStringLiteral("12"), QStringLiteral("24"), QStringLiteral("B"))};
    std::shared_ptr<SeenMessageBox> notice;
    run([&](AnnDlg* d) {
        select(d, 0);
        answerModal<TextInputDlg>([&] { d->PopupMenu1->setCurrentIndex(2); },
                                  [&](TextInputDlg* t) {
                                      notice = MessageBoxDriver::answer(QStringLiteral("OK"));
                                      QTest::mouseClick(t->PushButton2, Qt::LeftButton);
                                      QTest::mouseClick(t->PushButton1, Qt::LeftButton);
                                  });
        close(d);
    });
    ASSERT_TRUE(notice->shown);
    EXPECT_EQ(notice->text, QStringLiteral("年の指定が正しくありません。"));
    EXPECT_EQ(w->pAnvsy.at(0).YY, QVariant(QStringLiteral("2014")));
}

TEST_F(AnnEditorRun, DeletingEveryRowEmptiesTheList)
{
    w->pAnvsy = {entry(0, 1, 1, QStringLiteral("A")), entry(0, 1, 2, QStringLiteral("B"))};
    run([&](AnnDlg* d) {
        for (int i = 0; i < 2; ++i) {
            select(d, 0);
            MessageBoxDriver::answer(QStringLiteral("削除"));
            QTest::mouseClick(d->BevelButton2, Qt::LeftButton);
        }
        close(d);
    });
    EXPECT_TRUE(w->pAnvsy.isEmpty());
}

TEST_F(AnnEditorRun, ARowDraggedToTheTopIsTheOneDrawn)
{
    // Two entries on one day: only the upper one is drawn.
    w->pAnvsy = {entry(0, QStringLiteral("5"), QStringLiteral("5"), QStringLiteral("first")),
                 entry(0, QStringLiteral("5"), QStringLiteral("5"), QStringLiteral("second"))};
    run([&](AnnDlg* d) {
        select(d, 1);
        std::unique_ptr<QMimeData> data(d->ListBox1->rowDragData(1));
        const QPoint top = d->ListBox1->visualItemRect(d->ListBox1->topLevelItem(0)).topLeft() + QPoint(5, 2);
        EXPECT_TRUE(dropOnList(d->ListBox1, *data, top));
        close(d);
    });
    ASSERT_EQ(w->pAnvsy.size(), 2);
    EXPECT_EQ(w->pAnvsy.at(0).tt, QVariant(QStringLiteral("second")));
    QString text;
    Sheet::drawCal2anniversary(Anniversaries::datesOf(w->pAnvsy), 2030, 5, 5, text);
    EXPECT_EQ(text, QStringLiteral("second"));
}

TEST_F(AnnEditorRun, AnUneditedTextThatIsNoUtf8KeepsItsBytesWhenAnotherRowMovesAboveIt)
{
    // One record of the anniversary file: four texts, each its length then its bytes.
    const auto record = [](const QByteArray& yy, const QByteArray& mm, const QByteArray& dd, const QByteArray& tt) {
        QByteArray r;
        for (const QByteArray& text : {yy, mm, dd, tt})
            r += char(text.size()) + text;
        return r;
    };
    const QByteArray header = QByteArray::fromHex("057665723a31" "00000002");
    const QByteArray first = record("0", "5", "5", "A");
    const QByteArray sjis = record("0", "5", "6", QByteArray::fromHex("82a082a2")); // "あい" in Shift_JIS
    const QByteArray third = record("0", "1", "1", "C");
    ASSERT_TRUE(AnniversaryFile::decode(header + first + sjis + third, w->pAnvsy));
    ASSERT_EQ(w->pAnvsy.size(), 3);

    // The last row is edited and dragged to the top: the row that cannot be
    // shown as read moves down one place and is never touched.
    run([&](AnnDlg* d) {
        select(d, 2);
        d->EditField1->setText(QStringLiteral("元日"));
        std::unique_ptr<QMimeData> data(d->ListBox1->rowDragData(2));
        const QPoint top = d->ListBox1->visualItemRect(d->ListBox1->topLevelItem(0)).topLeft() + QPoint(5, 2);
        EXPECT_TRUE(dropOnList(d->ListBox1, *data, top));
        close(d);
    });
    ASSERT_EQ(w->pAnvsy.size(), 3);
    EXPECT_EQ(AnniversaryFile::encode(w->pAnvsy).toHex().toStdString(),
              (header + record("0", "1", "1", QStringLiteral("元日").toUtf8()) + first + sjis).toHex().toStdString());
}

struct EndCase {
    const char* name;
    std::function<void(AnnDlg*)> end;
};

class AnnEditorEnd : public AnnEditorRun, public ::testing::WithParamInterface<EndCase> {};

// There is no cancel for the whole editor: every way out keeps the changes.
TEST_P(AnnEditorEnd, EveryWayOutKeepsTheChanges)
{
    w->pAnvsy = {entry(0, 1, 1, QStringLiteral("A"))};
    run([&](AnnDlg* d) {
        select(d, 0);
        d->EditField1->setFocus();
        d->EditField1->setText(QStringLiteral("edited"));
        GetParam().end(d);
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_EQ(w->pAnvsy.at(0).tt, QVariant(QStringLiteral("edited")));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, AnnEditorEnd,
    ::testing::Values(EndCase{"CloseButton", [](AnnDlg* d) { QTest::mouseClick(d->PushButton1, Qt::LeftButton); }},
                      EndCase{"ReturnKey", [](AnnDlg* d) { QTest::keyClick(d->EditField1, Qt::Key_Return); }},
                      EndCase{"EscapeKey", [](AnnDlg* d) { QTest::keyClick(d->EditField1, Qt::Key_Escape); }},
                      EndCase{"CloseBox", [](AnnDlg* d) { d->close(); }}),
    [](const ::testing::TestParamInfo<EndCase>& test) { return std::string(test.param.name); });
