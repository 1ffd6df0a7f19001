// Datasets on disk and in the main window's list: saving, opening, choosing
// a row, and the question about unsaved edits, with the real dialogs driven
// as a user answers them.

#include "MainWindowFixture.h"

#include "core/DatasetDefaults.h"
#include "core/DatasetFile.h"
#include "core/Globals.h"
#include "platform/Folders.h"
#include "sheet/GridTables.h"
#include "support/TestImages.h"
#include "support/TestMain.h"
#include "ui/FontFamilies.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QSet>

using namespace MainWindowTesting;

namespace {

const QString kQuestion = QStringLiteral("内容が変更されています。保存しますか？");
const QString kCannotOpen = QStringLiteral("ファイルを開けません。");

// What one modal dialog showed.
struct Shown {
    QString kind; // "question" (a message box) or "save", "open" (a file dialog)
    QString text;
    QString explanation;
    QString folder;
    QStringList filters;
    QStringList buttons;   // a message box's captions, in the order added
    QString defaultButton; // and its default button's
};

using Answer = std::function<void(QDialog*)>;

// Types a name (or a whole path) into the file dialog and accepts it.
Answer typeName(const QString& name)
{
    return [name](QDialog* dlg) {
        auto* edit = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        edit->setText(name);
        dlg->accept();
    };
}

Answer cancel()
{
    return [](QDialog* dlg) { dlg->reject(); };
}

// Presses the message box's button with this caption.
Answer press(const QString& caption)
{
    return [caption](QDialog* dlg) {
        auto* box = qobject_cast<QMessageBox*>(dlg);
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* b : box->buttons()) {
            if (b->text() == caption) {
                b->click();
                return;
            }
        }
        ADD_FAILURE() << "no button " << qPrintable(caption);
        box->reject();
    };
}

// The Escape key, pressed on the message box.
Answer pressEscape()
{
    return [](QDialog* dlg) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(dlg, &key);
        EXPECT_FALSE(dlg->isVisible()) << "Escape left the box open";
    };
}

// The Return key, pressed where the box has the focus, as a user presses it.
Answer pressReturn()
{
    return [](QDialog* dlg) {
        QWidget* at = dlg->focusWidget() ? dlg->focusWidget() : dlg;
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(at, &key);
        EXPECT_FALSE(dlg->isVisible()) << "Return left the box open";
    };
}

// Does `change` to the folder while the dialog is open (as its own 削除 and
// 名前の変更 do), then answers it with `then`.
Answer meanwhile(const std::function<void()>& change, const Answer& then)
{
    return [change, then](QDialog* dlg) {
        change();
        then(dlg);
    };
}

// The box's close button in its title bar.
Answer closeBox()
{
    return [](QDialog* dlg) { EXPECT_TRUE(dlg->close()); };
}

// Answers the file dialog's own question whether to replace a file. "No"
// leaves the file dialog open, to be answered once more.
Answer replaceFile(bool replace)
{
    return [replace](QDialog* dlg) {
        auto* box = qobject_cast<QMessageBox*>(dlg);
        ASSERT_NE(box, nullptr);
        QAbstractButton* button = box->button(replace ? QMessageBox::Yes : QMessageBox::No);
        ASSERT_NE(button, nullptr);
        if (!replace && box->parentWidget())
            ModalDialogs::release(box->parentWidget());
        button->click();
    };
}

// Runs `trigger` and answers the modal dialogs it opens, in order, with
// `answers`; returns what each showed. A dialog beyond the answers is
// cancelled, and shows in the result.
QList<Shown> drive(const std::function<void()>& trigger, QList<Answer> answers)
{
    QList<Shown> shown;
    answerModal<QDialog>(trigger, [&](QDialog* dlg) {
        Shown s;
        if (auto* box = qobject_cast<QMessageBox*>(dlg)) {
            s.kind = QStringLiteral("question");
            s.text = box->text();
            s.explanation = box->informativeText();
            for (QAbstractButton* b : box->buttons())
                s.buttons << b->text();
            if (box->defaultButton())
                s.defaultButton = box->defaultButton()->text();
        } else if (auto* files = qobject_cast<QFileDialog*>(dlg)) {
            s.kind = files->acceptMode() == QFileDialog::AcceptSave ? QStringLiteral("save") : QStringLiteral("open");
            s.folder = files->directory().absolutePath();
            s.filters = files->nameFilters();
        }
        shown.append(s);
        if (answers.isEmpty())
            dlg->reject();
        else
            answers.takeFirst()(dlg);
    });
    EXPECT_TRUE(answers.isEmpty()) << answers.size() << " answers left unused";
    return shown;
}

QStringList kindsOf(const QList<Shown>& shown)
{
    QStringList kinds;
    for (const Shown& s : shown)
        kinds << s.kind;
    return kinds;
}

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class DatasetWindowTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        folder = Folders::datasetsFolder();
        QDir(folder).removeRecursively();
        MainWindowTest::SetUp();
    }

    void TearDown() override
    {
        MainWindowTest::TearDown();
        QDir(folder).removeRecursively();
    }

    // The window closed and opened again as the program opens it.
    void restart()
    {
        w->close();
        w.reset();
        w = std::make_unique<Window1>();
        w->InitApp();
        w->show();
        settle();
    }

    // A dataset file in the datasets folder: the defaults with a few keys set.
    QString saved(const QString& name, const QList<std::pair<const char*, QVariant>>& values = {})
    {
        QDir().mkpath(folder);
        Dataset d;
        DatasetDefaults::initDataset(d, Globals::gPref, QDate(2021, 5, 1));
        for (const auto& [k, v] : values)
            d.setValue(QLatin1String(k), v);
        const QString path = QDir(folder).filePath(name);
        EXPECT_TRUE(DatasetFile::save(path, d));
        return path;
    }

    QString pathOf(const QString& name) const { return QDir(folder).filePath(name); }

    QListWidget* list() const { return ctl<QListWidget>("ListBox1"); }

    QStringList rows() const
    {
        QStringList names;
        for (int i = 0; i < list()->count(); ++i)
            names << list()->item(i)->text();
        return names;
    }

    QString selectedName() const
    {
        const int32_t row = w->ListIndex();
        return row < 0 ? QStringLiteral("<none>") : list()->item(row)->text();
    }

    // A click on a row, as the user makes it; runs the dialogs it opens.
    QList<Shown> clickRow(const QString& name, QList<Answer> answers = {})
    {
        const int row = rows().indexOf(name);
        EXPECT_GE(row, 0) << qPrintable(name);
        const QPoint at = list()->visualItemRect(list()->item(row)).center();
        return drive([&] { clickOn(list()->viewport(), at); }, std::move(answers));
    }

    QList<Shown> clickBelowTheRows(QList<Answer> answers = {})
    {
        const QPoint at(20, list()->viewport()->height() - 4);
        EXPECT_EQ(list()->itemAt(at), nullptr);
        return drive([&] { clickOn(list()->viewport(), at); }, std::move(answers));
    }

    // An edit through a control, as the user makes it.
    void editSize(int row)
    {
        ctl<QComboBox>("PopupMenu4")->setCurrentIndex(row);
        ASSERT_TRUE(w->pWork.hasEdits());
    }

    QSize preview() const { return ctl<QWidget>("Canvas1")->size(); }

    QString folder;
};

// ---- Saving ----

TEST_F(DatasetWindowTest, TheFirstSaveCreatesTheFolderAndListsTheFile)
{
    ASSERT_FALSE(QFileInfo::exists(folder));
    EXPECT_TRUE(rows().isEmpty());
    editSize(1);

    bool ok = false;
    const QList<Shown> shown = drive([&] { ok = w->SaveFile(false); }, {typeName(QStringLiteral("春のカレンダー"))});
    ASSERT_EQ(kindsOf(shown), QStringList{"save"});
    EXPECT_EQ(shown[0].folder, QFileInfo(folder).absoluteFilePath());
    EXPECT_TRUE(ok);
    EXPECT_EQ(QFileInfo(folder).permissions() & (QFile::ReadGroup | QFile::ReadOther), QFileDevice::Permissions());

    // The name as typed, no suffix; the bytes of the dataset.
    const QString path = pathOf(QStringLiteral("春のカレンダー"));
    EXPECT_EQ(bytesOf(path), DatasetFile::encode(data()));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("春のカレンダー")});
    EXPECT_FALSE(w->pWork.hasEdits());
    EXPECT_EQ(w->pWork.path(), path);
    EXPECT_EQ(rows(), QStringList{QStringLiteral("春のカレンダー")});
    EXPECT_EQ(selectedName(), QStringLiteral("春のカレンダー"));

    // Saved once, the dataset has its file: the next save writes it without asking.
    editSize(3);
    EXPECT_TRUE(drive([&] { ok = w->SaveFile(false); }, {}).isEmpty());
    EXPECT_TRUE(ok);
    Dataset back;
    ASSERT_EQ(DatasetFile::load(path, back, Globals::gPref, nullptr), DatasetFile::LoadResult::Loaded);
    EXPECT_EQ(back.text("size"), QStringLiteral("3"));
    EXPECT_FALSE(w->pWork.hasEdits());
}

TEST_F(DatasetWindowTest, ACancelledSaveDialogWritesNothing)
{
    editSize(2);
    bool ok = true;
    EXPECT_EQ(kindsOf(drive([&] { ok = w->SaveFile(false); }, {cancel()})), QStringList{"save"});
    EXPECT_FALSE(ok);
    EXPECT_TRUE(w->pWork.hasEdits());
    EXPECT_TRUE(w->pWork.path().isEmpty());
    // The folder is made for the dialog to open in; nothing is written into it.
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(QDir(folder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

TEST_F(DatasetWindowTest, SaveAsThenSaveWritesTheNewFileAndLeavesTheOldOne)
{
    const QString old = saved(QStringLiteral("old"), {{"size", 1}});
    const QByteArray oldBytes = bytesOf(old);
    w->MakeDatasetList();
    const QList<Shown> opened = drive([&] { w->LoadFile(false); }, {typeName(old)});
    ASSERT_EQ(kindsOf(opened), QStringList{"open"});
    ASSERT_EQ(w->pWork.path(), old);
    ASSERT_EQ(selectedName(), QStringLiteral("old"));

    editSize(2);
    EXPECT_EQ(kindsOf(drive([&] { w->SaveFile(true); }, {typeName(QStringLiteral("new"))})), QStringList{"save"});
    const QString fresh = pathOf(QStringLiteral("new"));
    EXPECT_EQ(w->pWork.path(), fresh);
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("new"), QStringLiteral("old")}));
    EXPECT_EQ(selectedName(), QStringLiteral("new"));

    // The next edit and plain save go to the new file too.
    ctl<QComboBox>("PopupMenu22")->setCurrentIndex(1);
    EXPECT_TRUE(drive([&] { w->SaveFile(false); }, {}).isEmpty());
    Dataset back;
    ASSERT_EQ(DatasetFile::load(fresh, back, Globals::gPref, nullptr), DatasetFile::LoadResult::Loaded);
    EXPECT_EQ(back.text("size"), QStringLiteral("2"));
    EXPECT_EQ(back.text("frame"), QStringLiteral("1"));
    EXPECT_EQ(bytesOf(old), oldBytes);
}

// A save into a new file goes on with that file: the edits stay on screen,
// saved, the file's row is selected, and the next 保存 writes there.
TEST_F(DatasetWindowTest, ASaveIntoANewFileGoesOnWithThatFile)
{
    const QString outside = QDir(TestEnv::home()).filePath(QStringLiteral("elsewhere"));
    const struct {
        const char* what;
        bool fromRowA;      // the design loaded from row "a", else untitled
        bool saveAs;        // 別名で保存, else 保存
        QString target;     // typed into the save dialog: a name or a whole path
        bool replaces;      // the target is a dataset already: the dialog asks, and is told yes
        QString selected;   // the row selected afterwards
    } cases[] = {
        {"save as, from row a", true, true, QStringLiteral("F"), false, QStringLiteral("F")},
        {"the first save of an untitled design", false, false, QStringLiteral("F"), false, QStringLiteral("F")},
        {"save as, untitled", false, true, QStringLiteral("F"), false, QStringLiteral("F")},
        {"save as over another dataset", true, true, QStringLiteral("b"), true, QStringLiteral("b")},
        {"save as outside the datasets folder", true, true, outside, false, QStringLiteral("<none>")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(folder).removeRecursively();
        QFile::remove(outside);
        const QString a = saved(QStringLiteral("a"), {{"size", 1}});
        saved(QStringLiteral("b"), {{"size", 2}});
        const QByteArray aBytes = bytesOf(a);
        w->pWork.dropEdits();
        w->InitDefault();
        w->MakeDatasetList();
        if (c.fromRowA)
            clickRow(QStringLiteral("a"));
        editSize(3);

        QList<Answer> answers{typeName(c.target)};
        if (c.replaces)
            answers << replaceFile(true);
        const QList<Shown> shown =
            drive([&] { c.saveAs ? w->FileSaveAs_Action() : w->FileSave_Action(); }, answers);
        EXPECT_EQ(kindsOf(shown).value(0), QStringLiteral("save"));
        const QString target = QFileInfo(c.target).isAbsolute() ? c.target : pathOf(c.target);

        EXPECT_EQ(bytesOf(target), DatasetFile::encode(data()));
        EXPECT_EQ(data().text("size"), QStringLiteral("3"));
        EXPECT_EQ(preview(), QSize(340, 340));
        EXPECT_FALSE(w->pWork.hasEdits());
        EXPECT_FALSE(w->FileSave()->isEnabled());
        EXPECT_EQ(w->pWork.path(), target);
        EXPECT_EQ(selectedName(), c.selected);
        EXPECT_EQ(bytesOf(a), aBytes);

        // The next edit and plain save go there, asking nothing.
        ctl<QComboBox>("PopupMenu22")->setCurrentIndex(1);
        EXPECT_TRUE(drive([&] { w->FileSave_Action(); }, {}).isEmpty());
        Dataset back;
        ASSERT_EQ(DatasetFile::load(target, back, Globals::gPref, nullptr), DatasetFile::LoadResult::Loaded);
        EXPECT_EQ(back.text("size"), QStringLiteral("3"));
        EXPECT_EQ(back.text("frame"), QStringLiteral("1"));
        EXPECT_EQ(bytesOf(a), aBytes);
        EXPECT_EQ(selectedName(), c.selected);
    }
    QFile::remove(outside);
}

TEST_F(DatasetWindowTest, SaveAsOverAnotherRowReplacesItOnlyWhenTheUserSaysSo)
{
    const QString other = saved(QStringLiteral("other"), {{"size", 1}});
    const QByteArray otherBytes = bytesOf(other);
    w->MakeDatasetList();
    editSize(2);

    // The dialog asks before it replaces a file; "No" goes back to the dialog.
    QList<Shown> shown = drive([&] { w->SaveFile(true); },
                               {typeName(QStringLiteral("other")), replaceFile(false), cancel()});
    EXPECT_EQ(kindsOf(shown), (QStringList{"save", "question", "save"}));
    EXPECT_EQ(bytesOf(other), otherBytes);
    EXPECT_TRUE(w->pWork.hasEdits());

    shown = drive([&] { w->SaveFile(true); }, {typeName(QStringLiteral("other")), replaceFile(true)});
    EXPECT_EQ(kindsOf(shown), (QStringList{"save", "question"}));
    EXPECT_EQ(bytesOf(other), DatasetFile::encode(data()));
    EXPECT_EQ(rows(), QStringList{QStringLiteral("other")});
    EXPECT_FALSE(w->pWork.hasEdits());
}

TEST_F(DatasetWindowTest, AFolderInTheFilesPlaceIsToldAndTheEditsStayUnsaved)
{
    const QString path = saved(QStringLiteral("taken"));
    w->MakeDatasetList();
    clickRow(QStringLiteral("taken"));
    ASSERT_EQ(w->pWork.path(), path);
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkpath(path));
    editSize(1);

    bool ok = true;
    const QList<Shown> shown = drive([&] { ok = w->SaveFile(false); }, {press(QStringLiteral("OK"))});
    ASSERT_EQ(kindsOf(shown), QStringList{"question"});
    EXPECT_EQ(shown[0].text, kCannotOpen);
    EXPECT_EQ(shown[0].explanation, QStringLiteral("保存は行われません。"));
    EXPECT_FALSE(ok);
    EXPECT_TRUE(w->pWork.hasEdits());
    EXPECT_EQ(w->pWork.path(), path);
    EXPECT_EQ(selectedName(), QStringLiteral("taken"));
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST_F(DatasetWindowTest, ANameBeginningWithADotIsRefused)
{
    // Saved under such a name the dataset would be a hidden file, never listed.
    const QList<Answer> dotName = {typeName(QStringLiteral(".秘密")), press(QStringLiteral("OK"))};
    const struct {
        const char* what;
        bool fromRow; // the design loaded from row "a", else untitled
        std::function<QList<Shown>()> save;
        QStringList dialogs;
    } roads[] = {
        {"the first save", false, [&] { return drive([&] { w->FileSave_Action(); }, dotName); },
         {"save", "question"}},
        {"save as", true, [&] { return drive([&] { w->FileSaveAs_Action(); }, dotName); }, {"save", "question"}},
        {"保存 in the question before another row", false,
         [&] { return clickRow(QStringLiteral("b"), QList<Answer>{press(QStringLiteral("保存"))} + dotName); },
         {"question", "save", "question"}},
    };
    for (const auto& r : roads) {
        SCOPED_TRACE(r.what);
        QDir(folder).removeRecursively();
        const QString a = saved(QStringLiteral("a"), {{"size", 1}});
        saved(QStringLiteral("b"), {{"size", 2}});
        w->pWork.dropEdits();
        w->InitDefault();
        w->MakeDatasetList();
        if (r.fromRow)
            clickRow(QStringLiteral("a"));
        editSize(3);

        const QList<Shown> shown = r.save();
        ASSERT_EQ(kindsOf(shown), r.dialogs);
        EXPECT_EQ(shown.last().text, QStringLiteral("名前の先頭に「.」は使えません。"));
        EXPECT_EQ(shown.last().explanation, QStringLiteral("別の名前を付けて下さい。"));
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), (QStringList{"a", "b"}));
        EXPECT_EQ(data().text("size"), QStringLiteral("3"));
        EXPECT_TRUE(w->pWork.hasEdits());
        EXPECT_TRUE(w->FileSave()->isEnabled());
        EXPECT_EQ(w->pWork.path(), r.fromRow ? a : QString());
        EXPECT_EQ(selectedName(), r.fromRow ? QStringLiteral("a") : QStringLiteral("<none>"));
    }
}

// ---- Choosing a row ----

TEST_F(DatasetWindowTest, ChoosingARowWithoutEditsLoadsItAtOnce)
{
    const QString cd = saved(QStringLiteral("cd"), {{"size", 1}, {"stYY", 2030}});
    w->MakeDatasetList();
    PaintCounter paints(ctl<QWidget>("Canvas1"));

    EXPECT_TRUE(clickRow(QStringLiteral("cd")).isEmpty());
    settle();
    EXPECT_EQ(w->pWork.path(), cd);
    EXPECT_EQ(w->pLBname, QStringLiteral("cd"));
    EXPECT_EQ(data().text("stYY"), QStringLiteral("2030"));
    EXPECT_EQ(ctl<QLineEdit>("EditField1")->text(), QStringLiteral("2030"));
    EXPECT_EQ(preview(), QSize(368, 365));
    EXPECT_GT(paints.paints, 0);
    EXPECT_FALSE(w->pWork.hasEdits());
}

// ---- The question about unsaved edits, on each road to another dataset ----

// Where the edited design came from.
enum class Start {
    RowA,           // row "a" chosen and loaded
    Untitled,       // the untitled defaults, no row selected
    RowAUnwritable, // row "a", whose file has since become a folder
};

struct EditsCase {
    const char* what;
    Start start;
    bool damagedB;          // "b" cut short after the list was built
    QList<Answer> answers;  // for the dialogs after the road's own
    QStringList dialogs;    // every dialog shown, the road's own included
    const char* shows;      // afterwards: "edits", "b" or "defaults"
    const char* selected;   // the row selected afterwards
    const char* editsIn;    // the file holding the edits afterwards; "" for none
};

class EditsQuestionTest : public DatasetWindowTest {
protected:
    // Datasets "a" (size 1) and "b" (size 2), and the design edited to size 3.
    void editFrom(const EditsCase& c)
    {
        QDir(folder).removeRecursively();
        saved(QStringLiteral("a"), {{"size", 1}});
        const QString b = saved(QStringLiteral("b"), {{"size", 2}});
        bBytes = bytesOf(b);
        w->pWork.dropEdits();
        w->InitDefault();
        w->MakeDatasetList();
        if (c.start == Start::Untitled)
            clickBelowTheRows();
        else
            clickRow(QStringLiteral("a"));
        if (c.start == Start::RowAUnwritable) {
            ASSERT_TRUE(QFile::remove(pathOf("a")));
            ASSERT_TRUE(QDir().mkpath(pathOf("a")));
        }
        if (c.damagedB) {
            QFile f(b);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(bBytes.left(40));
            bBytes = bBytes.left(40);
        }
        editSize(3);
    }

    static std::string sizeOnDisk(const QString& path)
    {
        Dataset d;
        if (DatasetFile::load(path, d, Globals::gPref, nullptr) != DatasetFile::LoadResult::Loaded)
            return "unreadable";
        return d.text("size").toStdString();
    }

    void expectAfter(const EditsCase& c, const QList<Shown>& shown)
    {
        EXPECT_EQ(kindsOf(shown), c.dialogs);
        bool asked = false;
        for (const Shown& s : shown) {
            if (s.kind != QLatin1String("question"))
                continue;
            if (s.text == kQuestion) {
                asked = true;
                EXPECT_EQ(s.explanation, QStringLiteral("保存しないと、変更内容は失われます。"));
                EXPECT_EQ(s.buttons, (QStringList{"保存", "キャンセル", "保存しない"}));
                EXPECT_EQ(s.defaultButton, QStringLiteral("保存"));
            } else {
                EXPECT_EQ(s.text.toStdString(), kCannotOpen.toStdString());
            }
        }
        // A file that will not open is refused before anything is asked.
        EXPECT_EQ(asked, !c.damagedB);

        const std::string shows = c.shows;
        const bool kept = shows == "edits";
        const QString startFile = c.start == Start::Untitled ? QString() : pathOf("a");
        const QString file = kept ? startFile : shows == "b" ? pathOf("b") : QString();
        EXPECT_EQ(w->pWork.path().toStdString(), file.toStdString());
        const char* size = kept ? "3" : shows == "b" ? "2" : "0";
        EXPECT_EQ(data().text("size").toStdString(), size);
        const QSize previews[] = {{255, 260}, {368, 365}, {337, 391}, {340, 340}};
        EXPECT_EQ(preview(), previews[size[0] - '0']);
        EXPECT_EQ(w->pWork.hasEdits(), kept);
        EXPECT_EQ(w->FileSave()->isEnabled(), kept);
        EXPECT_EQ(selectedName().toStdString(), c.selected);
        const QString selected = QLatin1String(c.selected);
        EXPECT_EQ(w->pLBname, selected == QLatin1String("<none>") ? QString() : selected);

        const std::string editsIn = c.editsIn;
        if (c.start != Start::RowAUnwritable) {
            EXPECT_EQ(sizeOnDisk(pathOf("a")), editsIn == "a" ? "3" : "1");
        }
        EXPECT_EQ(bytesOf(pathOf("b")), bBytes);
        if (editsIn == "c") {
            EXPECT_EQ(sizeOnDisk(pathOf("c")), "3");
            EXPECT_EQ(rows(), (QStringList{"a", "b", "c"}));
        } else if (c.start == Start::RowAUnwritable && selected == QLatin1String("<none>")) {
            // A list read again no longer shows the folder in a's place.
            EXPECT_EQ(rows(), QStringList{"b"});
        } else {
            EXPECT_FALSE(QFileInfo::exists(pathOf("c")));
            EXPECT_EQ(rows(), (QStringList{"a", "b"}));
        }

        // Edits that stayed are still unsaved: closing the window asks.
        if (kept) {
            auto close = MessageBoxDriver::answer(QStringLiteral("キャンセル"));
            w->close();
            EXPECT_EQ(close->text, kQuestion);
            EXPECT_TRUE(w->isVisible());
        }
    }

    void run(const std::function<QList<Shown>(QList<Answer>)>& road, const QList<EditsCase>& cases)
    {
        for (const EditsCase& c : cases) {
            SCOPED_TRACE(c.what);
            editFrom(c);
            if (::testing::Test::HasFatalFailure())
                return;
            expectAfter(c, road(c.answers));
        }
    }

    QByteArray bBytes;
};

const QString kSave = QStringLiteral("保存");
const QString kDontSave = QStringLiteral("保存しない");
const QString kCancel = QStringLiteral("キャンセル");

TEST_F(EditsQuestionTest, ChoosingAnotherRow)
{
    run([&](QList<Answer> answers) { return clickRow(QStringLiteral("b"), std::move(answers)); },
        {
            {"保存 into the loaded file", Start::RowA, false, {press(kSave)}, {"question"}, "b", "b", "a"},
            {"保存 of the untitled design names a new file", Start::Untitled, false,
             {press(kSave), typeName(QStringLiteral("c"))}, {"question", "save"}, "b", "b", "c"},
            {"保存, the save dialog cancelled", Start::Untitled, false, {press(kSave), cancel()},
             {"question", "save"}, "edits", "<none>", ""},
            {"保存, the write failed", Start::RowAUnwritable, false, {press(kSave), press(QStringLiteral("OK"))},
             {"question", "question"}, "edits", "a", ""},
            {"保存しない", Start::RowA, false, {press(kDontSave)}, {"question"}, "b", "b", ""},
            {"キャンセル", Start::RowA, false, {press(kCancel)}, {"question"}, "edits", "a", ""},
            {"キャンセル, untitled", Start::Untitled, false, {press(kCancel)}, {"question"}, "edits", "<none>", ""},
            {"Escape", Start::RowA, false, {pressEscape()}, {"question"}, "edits", "a", ""},
            {"the close box", Start::RowA, false, {closeBox()}, {"question"}, "edits", "a", ""},
            {"a damaged row", Start::RowA, true, {press(QStringLiteral("OK"))}, {"question"}, "edits", "a", ""},
            {"a damaged row, untitled", Start::Untitled, true, {press(QStringLiteral("OK"))}, {"question"}, "edits",
             "<none>", ""},
        });
}

TEST_F(EditsQuestionTest, LeavingNoRowSelected)
{
    run([&](QList<Answer> answers) { return clickBelowTheRows(std::move(answers)); },
        {
            {"保存", Start::RowA, false, {press(kSave)}, {"question"}, "defaults", "<none>", "a"},
            {"保存, the write failed", Start::RowAUnwritable, false, {press(kSave), press(QStringLiteral("OK"))},
             {"question", "question"}, "edits", "a", ""},
            {"保存しない", Start::RowA, false, {press(kDontSave)}, {"question"}, "defaults", "<none>", ""},
            {"キャンセル", Start::RowA, false, {press(kCancel)}, {"question"}, "edits", "a", ""},
            {"Escape", Start::RowA, false, {pressEscape()}, {"question"}, "edits", "a", ""},
            {"the close box", Start::RowA, false, {closeBox()}, {"question"}, "edits", "a", ""},
        });
}

TEST_F(EditsQuestionTest, OpeningAFile)
{
    // The row of whatever the window works on afterwards is selected.
    run(
        [&](QList<Answer> answers) {
            answers.prepend(typeName(pathOf("b")));
            return drive([&] { w->LoadFile(false); }, std::move(answers));
        },
        {
            {"保存 into the loaded file", Start::RowA, false, {press(kSave)}, {"open", "question"}, "b", "b", "a"},
            {"保存 of the untitled design names a new file", Start::Untitled, false,
             {press(kSave), typeName(QStringLiteral("c"))}, {"open", "question", "save"}, "b", "b", "c"},
            {"保存, the save dialog cancelled", Start::Untitled, false, {press(kSave), cancel()},
             {"open", "question", "save"}, "edits", "<none>", ""},
            {"保存, the write failed", Start::RowAUnwritable, false, {press(kSave), press(QStringLiteral("OK"))},
             {"open", "question", "question"}, "edits", "<none>", ""},
            {"保存しない", Start::RowA, false, {press(kDontSave)}, {"open", "question"}, "b", "b", ""},
            {"キャンセル", Start::RowA, false, {press(kCancel)}, {"open", "question"}, "edits", "a", ""},
            {"Escape", Start::RowA, false, {pressEscape()}, {"open", "question"}, "edits", "a", ""},
            {"the close box", Start::RowA, false, {closeBox()}, {"open", "question"}, "edits", "a", ""},
            {"a damaged file", Start::RowA, true, {press(QStringLiteral("OK"))}, {"open", "question"}, "edits", "a",
             ""},
        });
}

TEST_F(DatasetWindowTest, SavingTheEditsIntoTheFileBeingOpenedOpensWhatWasSaved)
{
    // The file was read before the question; the save then changed it.
    const QString a = saved(QStringLiteral("a"), {{"size", 1}});
    w->MakeDatasetList();
    clickRow(QStringLiteral("a"));
    editSize(3);
    const QList<Shown> shown = drive([&] { w->LoadFile(false); }, {typeName(a), press(QStringLiteral("保存"))});
    EXPECT_EQ(kindsOf(shown), (QStringList{"open", "question"}));
    EXPECT_EQ(w->pWork.path(), a);
    EXPECT_EQ(data().text("size"), QStringLiteral("3"));
    EXPECT_FALSE(w->pWork.hasEdits());
}

TEST_F(DatasetWindowTest, RemovingTheSelectionGivesTheUntitledDefaults)
{
    const QString picture = QDir(TestEnv::home()).filePath(QStringLiteral("back.png"));
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(picture, "PNG"));
    saved(QStringLiteral("cd"), {{"size", 1}, {"pictPath", picture}});
    w->MakeDatasetList();
    clickRow(QStringLiteral("cd"));
    ASSERT_EQ(preview(), QSize(368, 365));
    ASSERT_TRUE(ctl<QPushButton>("PushButton1")->isEnabled());
    ASSERT_EQ(ctl<QLabel>("StaticText30")->text(), picture);
    ASSERT_FALSE(data().pict().isNull());

    PaintCounter paints(ctl<QWidget>("Canvas1"));
    EXPECT_TRUE(clickBelowTheRows().isEmpty());
    settle();
    EXPECT_EQ(w->ListIndex(), -1);
    EXPECT_EQ(list()->currentRow(), 0) << "Qt keeps the current row; the selection is what counts";
    EXPECT_EQ(w->pLBname, QString());
    EXPECT_TRUE(w->pWork.path().isEmpty());
    EXPECT_EQ(preview(), QSize(255, 260));
    EXPECT_EQ(w->pDOWline[1] - w->pDOWline[0], 35);
    EXPECT_FALSE(ctl<QPushButton>("PushButton1")->isEnabled());
    EXPECT_EQ(ctl<QLabel>("StaticText30")->text(), QStringLiteral("ファイルなし"));
    EXPECT_TRUE(data().pict().isNull());
    EXPECT_GT(paints.paints, 0);
}

TEST_F(DatasetWindowTest, ARebuildWithARowSelectedLoadsNothing)
{
    saved(QStringLiteral("a"), {{"size", 1}});
    w->MakeDatasetList();
    clickRow(QStringLiteral("a"));
    editSize(2);
    saved(QStringLiteral("a"), {{"size", 3}});

    EXPECT_TRUE(drive([&] { w->MakeDatasetList(); }, {}).isEmpty());
    EXPECT_EQ(w->ListIndex(), -1);
    EXPECT_EQ(w->pLBname, QString());
    EXPECT_EQ(data().text("size"), QStringLiteral("2"));
    EXPECT_TRUE(w->pWork.hasEdits());
    EXPECT_EQ(w->pWork.path(), pathOf("a"));
}

TEST_F(DatasetWindowTest, ARowWhoseFileCannotBeReadChangesNothing)
{
    saved(QStringLiteral("good"), {{"size", 1}});
    const QString bad = saved(QStringLiteral("bad"), {{"size", 2}});
    w->MakeDatasetList();
    clickRow(QStringLiteral("good"));
    const QByteArray whole = bytesOf(bad);

    const struct {
        const char* what;
        std::function<void()> damage;
    } damages[] = {
        {"cut short", [&] { QFile f(bad); ASSERT_TRUE(f.open(QIODevice::WriteOnly)); f.write(whole.left(40)); }},
        {"size 7", [&] { saved(QStringLiteral("bad"), {{"size", 7}}); }},
    };
    for (const auto& d : damages) {
        SCOPED_TRACE(d.what);
        clickRow(QStringLiteral("good"));
        d.damage();
        const QList<Shown> shown = clickRow(QStringLiteral("bad"), {press(QStringLiteral("OK"))});
        ASSERT_EQ(kindsOf(shown), QStringList{"question"});
        EXPECT_EQ(shown[0].text, kCannotOpen);
        EXPECT_EQ(shown[0].explanation, QString());
        EXPECT_EQ(w->pWork.path(), pathOf("good"));
        EXPECT_EQ(data().text("size"), QStringLiteral("1"));
        EXPECT_EQ(preview(), QSize(368, 365));
        // The row shown selected is the dataset on screen.
        EXPECT_EQ(selectedName(), QStringLiteral("good"));
        saved(QStringLiteral("bad"), {{"size", 2}});
    }
}

// ---- Loading ----

TEST_F(DatasetWindowTest, ThePreviewIsDrawnAgainAfterALoadThatKeepsItsSize)
{
    // Every sheet here is the floppy size of the start: no resize repaints the
    // preview, only the load itself can.
    saved(QStringLiteral("a"), {{"stYY", 2030}});
    const QString b = saved(QStringLiteral("b"), {{"stYY", 2031}});
    w->MakeDatasetList();
    settle();
    const struct {
        const char* what;
        std::function<void()> act;
        QString file;
    } roads[] = {
        {"a row chosen", [&] { clickRow(QStringLiteral("a")); }, pathOf("a")},
        {"the selection removed", [&] { clickBelowTheRows(); }, QString()},
        {"a file opened", [&] { drive([&] { w->LoadFile(false); }, {typeName(b)}); }, b},
    };
    for (const auto& r : roads) {
        SCOPED_TRACE(r.what);
        PaintCounter paints(ctl<QWidget>("Canvas1"));
        r.act();
        settle();
        EXPECT_EQ(w->pWork.path(), r.file);
        EXPECT_EQ(preview(), QSize(255, 260));
        EXPECT_GT(paints.paints, 0);
    }
}

TEST_F(DatasetWindowTest, LoadingSetsThePreviewGridAndBackgroundControls)
{
    const QString picture = QDir(TestEnv::home()).filePath(QStringLiteral("photo.png"));
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(image.save(picture, "PNG"));
    const QString cd = saved(QStringLiteral("cd13"), {{"size", 1}, {"pictPath", picture}});
    const QString plain = saved(QStringLiteral("plain"), {{"size", 3}});

    ASSERT_TRUE(w->LoadDataset(cd));
    EXPECT_EQ(preview(), QSize(368, 365));
    Sheet::DowLine dow{};
    Sheet::initDOWLine(dow, 1);
    Sheet::WeekLine week;
    Sheet::initWeekLine(week, 1, 0);
    EXPECT_EQ(w->pDOWline, dow);
    EXPECT_EQ(w->pWEEKline, week);
    EXPECT_TRUE(ctl<QPushButton>("PushButton1")->isEnabled());
    EXPECT_EQ(ctl<QLabel>("StaticText30")->text(), picture);
    EXPECT_EQ(data().pict().size(), QSize(10, 10));

    // The next dataset has no picture: neither the button nor the old path stays.
    ASSERT_TRUE(w->LoadDataset(plain));
    EXPECT_EQ(preview(), QSize(340, 340));
    EXPECT_FALSE(ctl<QPushButton>("PushButton1")->isEnabled());
    EXPECT_EQ(ctl<QLabel>("StaticText30")->text(), QStringLiteral("ファイルなし"));
    EXPECT_TRUE(data().pict().isNull());
    EXPECT_EQ(w->pWork.path(), plain);
    EXPECT_FALSE(w->pWork.hasEdits());
}

TEST_F(DatasetWindowTest, TheOpenDialogShowsEveryFileAndRefusesForeignOnes)
{
    saved(QStringLiteral("mine"), {{"size", 2}});
    const QString foreign = pathOf(QStringLiteral("memo.txt"));
    {
        QFile f(foreign);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("買い物リスト");
    }
    w->MakeDatasetList();
    clickRow(QStringLiteral("mine"));
    editSize(1);

    QList<Shown> shown = drive([&] { w->LoadFile(false); }, {typeName(foreign), press(QStringLiteral("OK"))});
    ASSERT_EQ(kindsOf(shown), (QStringList{"open", "question"}));
    EXPECT_EQ(shown[0].folder, QFileInfo(folder).absoluteFilePath());
    ASSERT_EQ(shown[0].filters.size(), 1);
    EXPECT_TRUE(shown[0].filters[0].contains(QLatin1String("(*)"))) << qPrintable(shown[0].filters[0]);
    EXPECT_EQ(shown[1].text, kCannotOpen);
    EXPECT_EQ(data().text("size"), QStringLiteral("1"));
    EXPECT_EQ(w->pWork.path(), pathOf("mine"));
    EXPECT_TRUE(w->pWork.hasEdits());

    // A cancel changes nothing either.
    EXPECT_EQ(kindsOf(drive([&] { w->LoadFile(false); }, {cancel()})), QStringList{"open"});
    EXPECT_EQ(data().text("size"), QStringLiteral("1"));

    // Opening a dataset asks about the edits first; dropping them opens it,
    // and its row, listed once the dialog closed, is selected.
    const QString other = saved(QStringLiteral("other"), {{"size", 3}});
    const QByteArray mineBefore = bytesOf(pathOf("mine"));
    PaintCounter paints(ctl<QWidget>("Canvas1"));
    const QList<Shown> asked = drive([&] { w->LoadFile(false); }, {typeName(other), press(QStringLiteral("保存しない"))});
    ASSERT_EQ(kindsOf(asked), (QStringList{"open", "question"}));
    EXPECT_EQ(asked[1].text, QStringLiteral("内容が変更されています。保存しますか？"));
    settle();
    EXPECT_EQ(w->pWork.path(), other);
    EXPECT_EQ(preview(), QSize(340, 340));
    EXPECT_GT(paints.paints, 0);
    EXPECT_EQ(selectedName(), QStringLiteral("other"));
    EXPECT_FALSE(w->pWork.hasEdits());
    EXPECT_EQ(bytesOf(pathOf("mine")), mineBefore); // the dropped edits were not saved

    // Without edits nothing is asked.
    EXPECT_EQ(kindsOf(drive([&] { w->LoadFile(false); }, {typeName(pathOf("mine"))})), QStringList{"open"});
    EXPECT_EQ(w->pWork.path(), pathOf("mine"));
}

TEST_F(DatasetWindowTest, LoadingFromTheListNeedsARowAndTheFolder)
{
    saved(QStringLiteral("a"), {{"size", 1}});
    w->MakeDatasetList();
    EXPECT_TRUE(drive([&] { w->LoadFile(true); }, {}).isEmpty());
    EXPECT_TRUE(w->pWork.path().isEmpty());

    clickRow(QStringLiteral("a"));
    w->InitDefault();
    QDir(folder).removeRecursively();
    EXPECT_TRUE(drive([&] { w->LoadFile(true); }, {}).isEmpty());
    EXPECT_TRUE(w->pWork.path().isEmpty());
    EXPECT_EQ(preview(), QSize(255, 260));
}

// ---- Opening a file ----

TEST_F(DatasetWindowTest, OpeningAFileSelectsItsRowAndAnyOtherRowThenLoads)
{
    const QString outside = QDir(TestEnv::home()).filePath(QStringLiteral("outside"));
    const struct {
        const char* what;
        QString file;
        QString selected;
    } cases[] = {
        {"a dataset in the folder", QString(), QStringLiteral("b")},
        {"a dataset outside the folder", outside, QStringLiteral("<none>")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(folder).removeRecursively();
        const QString a = saved(QStringLiteral("a"), {{"size", 1}});
        const QString file = c.file.isEmpty() ? saved(QStringLiteral("b"), {{"size", 2}}) : c.file;
        if (!c.file.isEmpty()) {
            Dataset d;
            DatasetDefaults::initDataset(d, Globals::gPref, QDate(2021, 5, 1));
            d.setValue(QStringLiteral("size"), 2);
            ASSERT_TRUE(DatasetFile::save(file, d));
        }
        w->pWork.dropEdits();
        w->InitDefault();
        w->MakeDatasetList();
        clickRow(QStringLiteral("a"));

        EXPECT_EQ(kindsOf(drive([&] { w->FileOpen_Action(); }, {typeName(file)})), QStringList{"open"});
        EXPECT_EQ(w->pWork.path(), file);
        EXPECT_EQ(data().text("size"), QStringLiteral("2"));
        EXPECT_EQ(selectedName(), c.selected);

        // A click on row "a" loads it again; with edits, asked about first.
        EXPECT_TRUE(clickRow(QStringLiteral("a")).isEmpty());
        EXPECT_EQ(w->pWork.path(), a);
        EXPECT_EQ(data().text("size"), QStringLiteral("1"));
        EXPECT_EQ(selectedName(), QStringLiteral("a"));

        drive([&] { w->FileOpen_Action(); }, {typeName(file)});
        editSize(3);
        const QList<Shown> kept = clickRow(QStringLiteral("a"), {press(QStringLiteral("キャンセル"))});
        ASSERT_EQ(kindsOf(kept), QStringList{"question"});
        EXPECT_EQ(kept[0].text, kQuestion);
        EXPECT_EQ(w->pWork.path(), file);
        EXPECT_EQ(data().text("size"), QStringLiteral("3"));
        EXPECT_EQ(selectedName(), c.selected);
        EXPECT_TRUE(clickRow(QStringLiteral("a"), {press(QStringLiteral("保存しない"))}).size() == 1);
        EXPECT_EQ(w->pWork.path(), a);
        EXPECT_EQ(selectedName(), QStringLiteral("a"));
    }
    QFile::remove(outside);
}

// ---- The list follows the folder ----

TEST_F(DatasetWindowTest, TheListIsReadAgainWhenAnyFileDialogCloses)
{
    // While the dialog is open, its own 削除 and 名前の変更 change the folder.
    const auto change = [this] {
        ASSERT_TRUE(QFile::remove(pathOf("b")));
        ASSERT_TRUE(QFile::rename(pathOf("c"), pathOf("d")));
    };
    // With a page setup stored, the print dialog is the first dialog shown.
    const auto printWithAPageSetup = [this] {
        const QVariantMap before = Globals::gPrintSetup;
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        storePageSetupOf(printer);
        w->FilePrint_Action();
        Globals::gPrintSetup = before;
    };
    const struct {
        const char* what;
        std::function<void()> road;
        QList<Answer> answers;
    } roads[] = {
        {"開く, cancelled", [&] { w->FileOpen_Action(); }, {meanwhile(change, cancel())}},
        {"別名で保存, cancelled", [&] { w->FileSaveAs_Action(); }, {meanwhile(change, cancel())}},
        {"別名で保存 under a dot name", [&] { w->FileSaveAs_Action(); },
         {meanwhile(change, typeName(QStringLiteral(".x"))), press(QStringLiteral("OK"))}},
        {"the background picture, cancelled", [&] { w->GetPictFile(); }, {meanwhile(change, cancel())}},
        {"画像書き出し, cancelled", [&] { w->FileExport_Action(); }, {meanwhile(change, cancel())}},
        {"the print dialog, cancelled", [&] { printWithAPageSetup(); }, {meanwhile(change, cancel())}},
    };
    for (const auto& r : roads) {
        SCOPED_TRACE(r.what);
        QDir(folder).removeRecursively();
        const QString a = saved(QStringLiteral("a"), {{"size", 1}});
        saved(QStringLiteral("b"));
        saved(QStringLiteral("c"));
        w->pWork.dropEdits();
        w->InitDefault();
        w->MakeDatasetList();
        clickRow(QStringLiteral("a"));

        drive(r.road, r.answers);
        EXPECT_EQ(rows(), (QStringList{"a", "d"}));
        EXPECT_EQ(selectedName(), QStringLiteral("a"));
        EXPECT_EQ(w->pWork.path(), a);
        EXPECT_EQ(data().text("size"), QStringLiteral("1"));
    }
}

TEST_F(DatasetWindowTest, ARowWhoseFileHasGoneIsNamedAndTheListReadAgain)
{
    for (const bool edits : {false, true}) {
        SCOPED_TRACE(edits ? "with unsaved edits" : "without edits");
        QDir(folder).removeRecursively();
        const QString a = saved(QStringLiteral("a"), {{"size", 1}});
        saved(QStringLiteral("b"));
        saved(QStringLiteral("gone"));
        w->pWork.dropEdits();
        w->InitDefault();
        w->MakeDatasetList();
        clickRow(QStringLiteral("a"));
        if (edits)
            editSize(3);
        ASSERT_TRUE(QFile::remove(pathOf("gone")));
        saved(QStringLiteral("new"));

        const QList<Shown> shown = clickRow(QStringLiteral("gone"), {press(QStringLiteral("OK"))});
        ASSERT_EQ(kindsOf(shown), QStringList{"question"});
        EXPECT_EQ(shown[0].text, QStringLiteral("「gone」がみつかりません。"));
        EXPECT_EQ(shown[0].explanation, QString());
        EXPECT_EQ(rows(), (QStringList{"a", "b", "new"}));
        EXPECT_EQ(selectedName(), QStringLiteral("a"));
        EXPECT_EQ(w->pWork.path(), a);
        EXPECT_EQ(data().text("size"), edits ? QStringLiteral("3") : QStringLiteral("1"));
        EXPECT_EQ(w->pWork.hasEdits(), edits);
    }
}

// ---- A file changed by someone else ----

TEST_F(DatasetWindowTest, ASaveOverAFileChangedElsewhereAsksFirst)
{
    const QString kReplace = QStringLiteral("置き換える");
    const QString kCancelCaption = QStringLiteral("キャンセル");
    // Another copy of the program saves "a" with its own edits.
    const auto rewrite = [this] { saved(QStringLiteral("a"), {{"size", 2}}); };
    const struct {
        const char* what;
        bool savedFirst;          // this window saved "a" itself before the other copy did
        bool viaRowB;             // the save is the 保存 of the question before row "b"
        std::function<void()> meanwhile;
        QList<Answer> answers;    // for the question about the changed file
        bool asked;
        bool written;
    } cases[] = {
        {"キャンセル", false, false, rewrite, {press(kCancelCaption)}, true, false},
        {"Return", false, false, rewrite, {pressReturn()}, true, false},
        {"Escape", false, false, rewrite, {pressEscape()}, true, false},
        {"置き換える", false, false, rewrite, {press(kReplace)}, true, true},
        {"changed after this window's own save", true, false, rewrite, {press(kCancelCaption)}, true, false},
        {"the same bytes written again later", false, false,
         [this] {
             const QByteArray same = bytesOf(pathOf("a"));
             QFile f(pathOf("a"));
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write(same);
             f.close();
             ASSERT_TRUE(f.open(QIODevice::ReadWrite));
             f.setFileTime(QDateTime::currentDateTime().addSecs(3600), QFileDevice::FileModificationTime);
         },
         {}, false, true},
        {"removed", false, false, [this] { ASSERT_TRUE(QFile::remove(pathOf("a"))); }, {}, false, true},
        {"before another row, キャンセル", false, true, rewrite, {press(kCancelCaption)}, true, false},
        {"before another row, 置き換える", false, true, rewrite, {press(kReplace)}, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(folder).removeRecursively();
        const QString a = saved(QStringLiteral("a"), {{"size", 1}});
        saved(QStringLiteral("b"), {{"size", 0}});
        w->pWork.dropEdits();
        w->InitDefault();
        w->MakeDatasetList();
        clickRow(QStringLiteral("a"));
        if (c.savedFirst) {
            ctl<QComboBox>("PopupMenu22")->setCurrentIndex(1);
            ASSERT_TRUE(drive([&] { w->FileSave_Action(); }, {}).isEmpty());
        }
        editSize(3);
        const QByteArray edits = DatasetFile::encode(data());
        c.meanwhile();
        const QByteArray theirs = bytesOf(a);

        QList<Shown> shown;
        if (c.viaRowB)
            shown = clickRow(QStringLiteral("b"), QList<Answer>{press(QStringLiteral("保存"))} + c.answers);
        else
            shown = drive([&] { w->FileSave_Action(); }, c.answers);
        if (c.viaRowB) {
            ASSERT_FALSE(shown.isEmpty());
            EXPECT_EQ(shown.takeFirst().text, kQuestion);
        }
        if (c.asked) {
            ASSERT_EQ(kindsOf(shown), QStringList{"question"});
            EXPECT_EQ(shown[0].text, QStringLiteral("「a」は、読み込んだ後にほかで書き換えられています。置き換えますか？"));
            EXPECT_EQ(shown[0].buttons, (QStringList{kReplace, kCancelCaption}));
            EXPECT_EQ(shown[0].defaultButton, kCancelCaption);
        } else {
            EXPECT_TRUE(shown.isEmpty());
        }

        if (c.written) {
            EXPECT_EQ(bytesOf(a), edits);
            EXPECT_FALSE(w->pWork.hasEdits());
            EXPECT_EQ(rows(), (QStringList{"a", "b"}));
            EXPECT_EQ(selectedName(), c.viaRowB ? QStringLiteral("b") : QStringLiteral("a"));
            continue;
        }
        // Nothing written; the edits stay, unsaved, and 別名で保存 takes them.
        EXPECT_EQ(bytesOf(a), theirs);
        EXPECT_EQ(data().text("size"), QStringLiteral("3"));
        EXPECT_TRUE(w->pWork.hasEdits());
        EXPECT_TRUE(w->FileSave()->isEnabled());
        EXPECT_EQ(w->pWork.path(), a);
        EXPECT_EQ(selectedName(), QStringLiteral("a"));
        EXPECT_EQ(kindsOf(drive([&] { w->FileSaveAs_Action(); }, {typeName(QStringLiteral("mine"))})),
                  QStringList{"save"});
        EXPECT_EQ(bytesOf(pathOf("mine")), edits);
        EXPECT_EQ(bytesOf(a), theirs);
        EXPECT_FALSE(w->pWork.hasEdits());
        EXPECT_EQ(selectedName(), QStringLiteral("mine"));
    }
}

// ---- The list ----

TEST_F(DatasetWindowTest, TheListShowsTheDatasetFilesByName)
{
    saved(QStringLiteral("b10"));
    saved(QStringLiteral("b9"));
    saved(QStringLiteral("秋"));
    saved(QStringLiteral(".hidden"));
    QDir().mkpath(pathOf(QStringLiteral("a folder")));
    QFile::link(pathOf(QStringLiteral("b9")), pathOf(QStringLiteral("a link")));
    {
        QFile f(pathOf(QStringLiteral("notes")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("no dataset");
    }
    restart();
    EXPECT_EQ(rows(), DatasetFile::listNames(folder));
    EXPECT_TRUE(rows().contains(QStringLiteral("秋")));
    EXPECT_EQ(rows().size(), 3);
    EXPECT_LT(rows().indexOf(QStringLiteral("b9")), rows().indexOf(QStringLiteral("b10")));
    EXPECT_EQ(w->ListIndex(), -1);
    EXPECT_TRUE(w->pWork.path().isEmpty());
    EXPECT_EQ(w->SaveFileLB(QStringLiteral("b9")), rows().indexOf(QStringLiteral("b9")));
    EXPECT_EQ(w->SaveFileLB(QStringLiteral("B9")), -1);
    EXPECT_EQ(w->SaveFileLB(QString()), -1);
}

TEST_F(DatasetWindowTest, EverySecondRowIsOnALightBlueStripe)
{
    for (const char* name : {"one", "three", "two"})
        saved(QLatin1String(name));
    w->MakeDatasetList();
    settle();
    // As the screen shows it: in device pixels, so the probes are scaled.
    const QImage shot = list()->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal ratio = shot.devicePixelRatio();
    const QColor stripe(237, 243, 254);
    for (int row = 0; row < 3; ++row) {
        const QRect r = list()->visualItemRect(list()->item(row));
        // Right of the name, where only the background shows.
        const QColor seen = shot.pixelColor((QPointF(r.right() - 10, r.center().y()) * ratio).toPoint());
        if (row % 2 == 1)
            EXPECT_EQ(seen, stripe) << "row " << row;
        else
            EXPECT_NE(seen, stripe) << "row " << row;
    }
    // Below the rows there is no stripe either.
    EXPECT_NE(shot.pixelColor((QPointF(20, list()->viewport()->height() - 4) * ratio).toPoint()), stripe);

    const QString dir = qEnvironmentVariable("MORVELIN_LOOK_DIR");
    if (!dir.isEmpty()) {
        EXPECT_TRUE(w->grab().save(QStringLiteral("%1/window-datasets.png").arg(dir), "PNG"));
    }
}

// ---- Font pop-ups ----

TEST(FontFamilies, EachFamilyIsListedOnceByItsName)
{
    const QStringList qt = {"C059 [UKWN]", "C059 [urw]", "DejaVu Sans", "Nimbus Sans [urw]", "Nimbus Sans [URW ]",
                            "Noto Sans CJK JP", "Nimbus Sans [UKWN]", "Odd [Name] Font", "[bracketed]"};
    EXPECT_EQ(FontFamilies::distinct(qt), (QStringList{"C059", "DejaVu Sans", "Nimbus Sans", "Noto Sans CJK JP",
                                                       "Odd [Name] Font", "[bracketed]"}));
}

TEST_F(DatasetWindowTest, AFontThatIsNotInstalledShowsItsNameAndNoRow)
{
    auto* dayFont = ctl<QComboBox>("PopupMenu2");
    ASSERT_GT(dayFont->count(), 1);
    if (dayFont->findText(QStringLiteral("osaka"), Qt::MatchFixedString) < 0) {
        EXPECT_EQ(dayFont->currentIndex(), -1);
        EXPECT_EQ(dayFont->placeholderText(), QStringLiteral("osaka"));
    }
    const QString installed = dayFont->itemText(1);
    const QString path = saved(QStringLiteral("fonts"), {{"dayFont", installed}, {"dowFont", "Gone Sans"}});
    ASSERT_TRUE(w->LoadDataset(path));
    EXPECT_EQ(dayFont->currentText(), installed);
    auto* dowFont = ctl<QComboBox>("PopupMenu13");
    EXPECT_EQ(dowFont->currentIndex(), -1);
    EXPECT_EQ(dowFont->placeholderText(), QStringLiteral("Gone Sans"));
    EXPECT_EQ(data().text("dowFont"), QStringLiteral("Gone Sans"));
    EXPECT_FALSE(w->pWork.hasEdits());

    // After a dataset whose font is installed, one whose font is gone must not
    // leave the installed font showing: the sheet is not drawn in it.
    const QString gone = saved(QStringLiteral("gone"), {{"dayFont", "Gone Serif"}});
    ASSERT_TRUE(w->LoadDataset(gone));
    EXPECT_EQ(dayFont->currentIndex(), -1);
    EXPECT_EQ(dayFont->placeholderText(), QStringLiteral("Gone Serif"));
    EXPECT_EQ(data().text("dayFont"), QStringLiteral("Gone Serif"));
}

TEST_F(DatasetWindowTest, TheFiveFontPopUpsListTheSameFamiliesEachOnce)
{
    const QStringList families = FontFamilies::distinct(QFontDatabase::families());
    ASSERT_FALSE(families.isEmpty());
    for (const char* name : {"PopupMenu2", "PopupMenu13", "PopupMenu15", "PopupMenu17", "PopupMenu19"}) {
        auto* popup = ctl<QComboBox>(name);
        QStringList shown;
        for (int i = 0; i < popup->count(); ++i)
            shown << popup->itemText(i);
        EXPECT_EQ(shown, families) << name;
        EXPECT_EQ(QSet<QString>(shown.begin(), shown.end()).size(), shown.size()) << name;
    }
}

// ---- A user's road ----

// Design a sheet, save it under a Japanese name, quit, start again, choose it
// from the list: the preview shows the same sheet.
TEST_F(DatasetWindowTest, ASavedDesignComesBackAfterARestart)
{
    editSize(1);
    ctl<QComboBox>("PopupMenu7")->setCurrentIndex(2);  // English upper-case weekdays
    ctl<QComboBox>("PopupMenu9")->setCurrentIndex(1);  // title centred
    ctl<QComboBox>("PopupMenu22")->setCurrentIndex(2); // horizontal lines only
    ctl<QComboBox>("PopupMenu1")->setCurrentIndex(11); // December
    settle();
    const QImage designed = ctl<QWidget>("Canvas1")->grab().toImage();
    drive([&] { w->SaveFile(false); }, {typeName(QStringLiteral("年末のカレンダー"))});
    ASSERT_FALSE(w->pWork.hasEdits());

    restart();
    EXPECT_EQ(rows(), QStringList{QStringLiteral("年末のカレンダー")});
    EXPECT_EQ(preview(), QSize(255, 260));
    EXPECT_TRUE(clickRow(QStringLiteral("年末のカレンダー")).isEmpty());
    settle();
    EXPECT_EQ(preview(), QSize(368, 365));
    EXPECT_EQ(ctl<QComboBox>("PopupMenu1")->currentText(), QStringLiteral("12"));
    const QImage chosen = ctl<QWidget>("Canvas1")->grab().toImage();
    EXPECT_PRED_FORMAT2(TestImages::samePixels, chosen, designed);

    const QString dir = qEnvironmentVariable("MORVELIN_LOOK_DIR");
    if (!dir.isEmpty()) {
        EXPECT_TRUE(designed.save(QStringLiteral("%1/restart-designed.png").arg(dir), "PNG"));
        EXPECT_TRUE(w->grab().save(QStringLiteral("%1/restart-chosen.png").arg(dir), "PNG"));
    }
}

} // namespace
