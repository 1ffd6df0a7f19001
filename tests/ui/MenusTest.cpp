// The menu bar and the toolbar of the real main window, driven with the mouse
// and the keyboard as a user drives them: what each menu holds, what is
// enabled when, and that every command runs its operation once.

#include "MainWindowFixture.h"
#include "PrivateCups.h"
#include "support/TestImages.h"
#include "support/TestMain.h"
#include "support/Waiting.h"

#include "core/DatasetFile.h"
#include "platform/Folders.h"

#include "ui/AboutPanel.h"
#include "ui/AnnDlg.h"
#include "ui/AppPrintSetup.h"
#include "ui/MenuBar1.h"
#include "ui/PrefDlg.h"
#include "ui/ToolbarIcons.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

// Readable failures: the captions as text.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

using namespace MainWindowTesting;

namespace {

// The window as the program opens it, with the application's commands on
// its menu bar and their real dialogs.
class MenusTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        // No printer but the PDF printer: the machine's print server stays out of it.
        PrivateCups::pointClientsAt(TestEnv::home() + QStringLiteral("/no-print-server.sock"));
        app = std::make_unique<App>();
        app->InitVal();
        app->InitColor();
        app->InitPref();
        AppPrintSetup::install(*app);
        PrefDlg::install(*app);
        AboutPanel::install(*app);
        MainWindowTest::SetUp();
        Globals::gPref[10] = 0; // no beeps
        MenuBar1::ApplicationAddMenuHandlers(*app, *w->menuBar1());
        // A page setup already made: printing goes straight to its dialog.
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        storePageSetupOf(printer);
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get(), Waiting::kStepMs));
    }

    void TearDown() override
    {
        MainWindowTest::TearDown();
        app.reset();
        Globals::gPrintSetup.clear();
    }

    MenuBar1* bar() const { return w->menuBar1(); }
    QToolBar* toolbar() const { return w->findChild<QToolBar*>(QStringLiteral("Toolbar1")); }

    // Opens a menu with a click on its title; the menu is then showing.
    QMenu* openMenu(const char* menuName) const
    {
        QMenu* m = bar()->menu(QLatin1String(menuName));
        QTest::mouseClick(bar(), Qt::LeftButton, {}, bar()->actionGeometry(m->menuAction()).center());
        EXPECT_TRUE(Waiting::until([m] { return m->isVisible(); })) << menuName;
        return m;
    }

    // Chooses an item with the mouse: its menu opened by a click on the
    // title, then a click on the item.
    void choose(const char* menuName, const char* itemName) const
    {
        QMenu* m = openMenu(menuName);
        QAction* a = bar()->item(QLatin1String(itemName));
        QTest::mouseClick(m, Qt::LeftButton, {}, m->actionGeometry(a).center());
        if (m->isVisible())
            m->hide();
    }

    void press(const QKeySequence& keys) const
    {
        // Back in front after a dialog, as a window manager would bring it
        // (the offscreen platform does not).
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get(), Waiting::kStepMs));
        const QKeyCombination k = keys[0];
        QTest::keyClick(w.get(), k.key(), k.keyboardModifiers());
    }

    void clickToolbar(const char* itemName) const
    {
        auto* a = w->findChild<QAction*>(QLatin1String(itemName));
        QWidget* button = toolbar()->widgetForAction(a);
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    }

    // The items of a menu as a user reads them: caption, or "-" for a
    // separator, and shortcut.
    QStringList itemsOf(const char* menuName) const
    {
        QStringList items;
        for (QAction* a : bar()->menu(QLatin1String(menuName))->actions()) {
            if (a->isSeparator())
                items << QStringLiteral("%1 -").arg(a->objectName());
            else
                items << QStringLiteral("%1 %2 [%3]")
                             .arg(a->objectName(), a->text(), a->shortcut().toString(QKeySequence::PortableText));
        }
        return items;
    }

    std::unique_ptr<App> app;
};

TEST_F(MenusTest, EveryMenuHoldsItsItemsInOrderWithTheirShortcuts)
{
    QStringList menus;
    for (QAction* a : bar()->actions())
        menus << QStringLiteral("%1 %2").arg(a->objectName(), a->text());
    EXPECT_EQ(menus, (QStringList{"FileMenu ファイル", "EditMenu 編集", "Op 操作"}));

    EXPECT_EQ(itemsOf("FileMenu"), (QStringList{
                                       "FileOpen 開く... [Ctrl+O]",
                                       "FileSave 保存 [Ctrl+S]",
                                       "FileSaveAs 別名で保存... [Ctrl+Shift+S]",
                                       "UntitledMenu4 -",
                                       "FileExport 画像書き出し... []",
                                       "UntitledMenu3 -",
                                       "FilePageSetup ページ設定... []",
                                       "FilePrint プリント... [Ctrl+P]",
                                       "UntitledMenu2 -",
                                       "FileQuit 終了 [Ctrl+Q]",
                                   }));
    EXPECT_EQ(itemsOf("EditMenu"), (QStringList{
                                       "EditUndo 取り消し [Ctrl+Z]",
                                       "UntitledMenu1 -",
                                       "EditCut カット [Ctrl+X]",
                                       "EditCopy コピー [Ctrl+C]",
                                       "EditPaste ペースト [Ctrl+V]",
                                       "EditClear クリア []",
                                       "UntitledMenu0 -",
                                       "EditPreferences 環境設定... []",
                                   }));
    EXPECT_EQ(itemsOf("Op"), (QStringList{
                                 "OpAnn 記念日の編集... [Ctrl+E]",
                                 "AppleAbout Morvelinについて... []",
                             }));
}

TEST_F(MenusTest, RightAfterStartUpEverythingButSaveIsAvailable)
{
    const auto enabledNow = [this] {
        QStringList on;
        for (const char* menu : {"FileMenu", "Op"}) {
            for (QAction* a : bar()->menu(QLatin1String(menu))->actions()) {
                if (!a->isSeparator() && a->isEnabled())
                    on << a->objectName();
            }
        }
        return on;
    };
    const QStringList expected{"FileOpen",  "FileSaveAs", "FileExport", "FilePageSetup",
                               "FilePrint", "FileQuit",   "OpAnn",      "AppleAbout"};
    // Before any menu was shown (for the shortcuts), and while it shows.
    EXPECT_EQ(enabledNow(), expected);
    QMenu* file = openMenu("FileMenu");
    EXPECT_EQ(enabledNow(), expected);
    file->hide();
    EXPECT_TRUE(bar()->item(QStringLiteral("EditPreferences"))->isEnabled());
}

TEST_F(MenusTest, AnEditMakesSaveAvailableAtOnce)
{
    QAction* save = bar()->item(QStringLiteral("FileSave"));
    ASSERT_FALSE(save->isEnabled());
    // Setting the controls from a dataset is no edit.
    w->InitControl();
    EXPECT_FALSE(save->isEnabled());
    // The user picks another sheet size: its shortcut works from now on,
    // before any menu has been shown.
    ctl<QComboBox>("PopupMenu4")->setCurrentIndex(2);
    ASSERT_TRUE(w->pWork.hasEdits());
    EXPECT_TRUE(save->isEnabled());
    // Showing the menu keeps it so.
    openMenu("FileMenu")->hide();
    EXPECT_TRUE(save->isEnabled());
}

TEST_F(MenusTest, CtrlSSavesOnlyWhileThereAreUnsavedEdits)
{
    QDir(Folders::datasetsFolder()).removeRecursively();
    QAction* save = bar()->item(QStringLiteral("FileSave"));
    const QKeySequence ctrlS(Qt::CTRL | Qt::Key_S);
    // Answers the save dialog with a name, counting the dialogs.
    const auto saveAs = [this, ctrlS](const QString& name) {
        return answerModal<QFileDialog>([this, ctrlS] { press(ctrlS); }, [name](QFileDialog* dlg) {
            if (name.isEmpty()) {
                dlg->reject();
                return;
            }
            dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
            static_cast<QDialog*>(dlg)->accept();
        });
    };

    // Nothing edited: the key does nothing.
    EXPECT_EQ(saveAs(QStringLiteral("never")), 0);
    EXPECT_FALSE(save->isEnabled());

    // An edit: the untitled dataset asks for a name; a cancel leaves it unsaved.
    ctl<QComboBox>("PopupMenu9")->setCurrentIndex(1);
    EXPECT_EQ(saveAs(QString()), 1);
    EXPECT_TRUE(w->pWork.hasEdits());
    EXPECT_TRUE(save->isEnabled());

    // Named and written: nothing left to save.
    EXPECT_EQ(saveAs(QStringLiteral("春")), 1);
    const QString file = Folders::child(Folders::datasetsFolder(), QStringLiteral("春"));
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_FALSE(w->pWork.hasEdits());
    EXPECT_FALSE(save->isEnabled());
    EXPECT_EQ(saveAs(QStringLiteral("never")), 0);

    // The next edit goes straight into its file.
    ctl<QComboBox>("PopupMenu9")->setCurrentIndex(2);
    EXPECT_TRUE(save->isEnabled());
    EXPECT_EQ(saveAs(QStringLiteral("never")), 0);
    EXPECT_FALSE(save->isEnabled());
    Dataset stored;
    ASSERT_EQ(DatasetFile::load(file, stored, Globals::gPref, [](const QString&) { return QImage(); }),
              DatasetFile::LoadResult::Loaded);
    EXPECT_EQ(stored.i32(QStringLiteral("ymPos")), 2);
    EXPECT_FALSE(QFile::exists(Folders::child(Folders::datasetsFolder(), QStringLiteral("never"))));
}

TEST_F(MenusTest, TheStandardEditingItemsHaveNothingToWorkOnInTheMainWindow)
{
    // The window's one text field is the read-only year, which never takes
    // the focus, not even when clicked.
    auto* year = ctl<QLineEdit>("EditField1");
    QTest::mouseClick(year, Qt::LeftButton, {}, year->rect().center());
    EXPECT_FALSE(year->hasFocus());
    QMenu* edit = openMenu("EditMenu");
    for (const char* name : {"EditUndo", "EditCut", "EditCopy", "EditPaste", "EditClear"})
        EXPECT_FALSE(bar()->item(QLatin1String(name))->isEnabled()) << name;
    EXPECT_TRUE(bar()->item(QStringLiteral("EditPreferences"))->isEnabled());
    edit->hide();
}

// One way of starting a command, and the dialog the command opens.
struct CommandCase {
    const char* name;
    std::function<void(MenusTest&)> start;
    const char* dialogClass;
};

class MenuCommands : public MenusTest, public ::testing::WithParamInterface<CommandCase> {
public:
    // Exposed for the table.
    using MenusTest::choose;
    using MenusTest::clickToolbar;
    using MenusTest::press;
    Window1& window() const { return *w; }
};

TEST_P(MenuCommands, RunsItsOperationOnce)
{
    QStringList opened;
    const int runs = answerModal<QDialog>([this] { GetParam().start(*this); },
                                          [&](QDialog* dlg) {
                                              opened << QLatin1String(dlg->metaObject()->className());
                                              dlg->reject();
                                          });
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(opened, QStringList{QLatin1String(GetParam().dialogClass)});
    // The command left the program running, its window open.
    EXPECT_TRUE(w->isVisible());
}

const auto menu = [](const char* m, const char* item) {
    return [=](MenusTest& t) { static_cast<MenuCommands&>(t).choose(m, item); };
};
const auto key = [](QKeySequence k) { return [=](MenusTest& t) { static_cast<MenuCommands&>(t).press(k); }; };
const auto tool = [](const char* item) {
    return [=](MenusTest& t) { static_cast<MenuCommands&>(t).clickToolbar(item); };
};

INSTANTIATE_TEST_SUITE_P(
    Ways, MenuCommands,
    ::testing::Values(CommandCase{"AboutFromTheMenu", menu("Op", "AppleAbout"), "AboutPanel"},
                      CommandCase{"PreferencesFromTheMenu", menu("EditMenu", "EditPreferences"), "PrefDlg"},
                      CommandCase{"PreferencesFromTheToolbar", tool("ToolbarItem6"), "PrefDlg"},
                      CommandCase{"PageSetupFromTheMenu", menu("FileMenu", "FilePageSetup"), "QPageSetupDialog"},
                      CommandCase{"PageSetupFromTheToolbar", tool("ToolbarItem3"), "QPageSetupDialog"},
                      CommandCase{"AnniversariesFromTheMenu", menu("Op", "OpAnn"), "AnnDlg"},
                      CommandCase{"AnniversariesByCtrlE", key(QKeySequence(Qt::CTRL | Qt::Key_E)), "AnnDlg"},
                      CommandCase{"AnniversariesFromTheToolbar", tool("ToolbarItem1"), "AnnDlg"},
                      CommandCase{"OpenFromTheMenu", menu("FileMenu", "FileOpen"), "QFileDialog"},
                      CommandCase{"OpenByCtrlO", key(QKeySequence(Qt::CTRL | Qt::Key_O)), "QFileDialog"},
                      CommandCase{"SaveAsFromTheMenu", menu("FileMenu", "FileSaveAs"), "QFileDialog"},
                      CommandCase{"SaveAsByCtrlShiftS", key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)),
                                  "QFileDialog"},
                      // With nothing to save, the toolbar's save still asks an
                      // untitled dataset for its name.
                      CommandCase{"SaveFromTheToolbar", tool("ToolbarItem2"), "QFileDialog"},
                      // "保存" can be chosen once there is an edit to save.
                      CommandCase{"SaveFromTheMenu",
                                  [](MenusTest& test) {
                                      auto& c = static_cast<MenuCommands&>(test);
                                      c.window().MarkChanged();
                                      c.choose("FileMenu", "FileSave");
                                  },
                                  "QFileDialog"},
                      CommandCase{"ExportFromTheMenu", menu("FileMenu", "FileExport"), "QFileDialog"},
                      CommandCase{"ExportFromTheToolbar", tool("ToolbarItem5"), "QFileDialog"},
                      CommandCase{"PrintFromTheMenu", menu("FileMenu", "FilePrint"), "QPrintDialog"},
                      CommandCase{"PrintByCtrlP", key(QKeySequence(Qt::CTRL | Qt::Key_P)), "QPrintDialog"},
                      CommandCase{"PrintFromTheToolbar", tool("ToolbarItem4"), "QPrintDialog"}),
    [](const ::testing::TestParamInfo<CommandCase>& test) { return std::string(test.param.name); });

TEST_F(MenusTest, CtrlEOpensTheEditorAfterTheYearFieldWasClicked)
{
    auto* year = ctl<QLineEdit>("EditField1");
    EXPECT_EQ(year->focusPolicy(), Qt::NoFocus);
    QTest::mouseClick(year, Qt::LeftButton, {}, year->rect().center());
    const int runs = answerModal<AnnDlg>([this] { press(QKeySequence(Qt::CTRL | Qt::Key_E)); },
                                         [](AnnDlg* dlg) { dlg->reject(); });
    EXPECT_EQ(runs, 1);
}

TEST_F(MenusTest, TheToolbarStaysPutAndShowsPicturesWithTheirCaptionsBelow)
{
    QToolBar* tb = toolbar();
    ASSERT_NE(tb, nullptr);
    EXPECT_FALSE(tb->isMovable());
    EXPECT_FALSE(tb->isFloatable());
    EXPECT_EQ(tb->iconSize(), QSize(32, 32));
    EXPECT_EQ(tb->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    // Nothing offers to hide it.
    EXPECT_EQ(w->createPopupMenu() == nullptr || w->createPopupMenu()->isEmpty(), true);

    QStringList items;
    for (QAction* a : tb->actions())
        items << (a->isSeparator() ? QStringLiteral("|") : a->text().isEmpty() ? QStringLiteral("<space>") : a->text());
    EXPECT_EQ(items, (QStringList{"データセット保存", "|", "画像として書き出し", "|", "記念日", "|", "ページ設定",
                                  "プリント", "<space>", "環境設定"}));

    // Each command item shows its own picture, composed at 32 x 32.
    for (const ToolbarIcons::Item& item : ToolbarIcons::kItems) {
        auto* a = w->findChild<QAction*>(QLatin1String(item.name));
        ASSERT_NE(a, nullptr) << item.name;
        EXPECT_TRUE(a->isEnabled()) << item.name;
        const QImage shown = a->icon().pixmap(QSize(32, 32), 1.0).toImage();
        const QImage own = ToolbarIcons::toolbarIcon(item.icon).pixmap(QSize(32, 32), 1.0).toImage();
        ASSERT_FALSE(own.isNull()) << item.name;
        EXPECT_PRED_FORMAT2(TestImages::samePixels, shown, own) << item.name;
    }
}

TEST_F(MenusTest, ToolbarHelpTagsAreTheToolTipsAndItemsWithoutOneShowNone)
{
    // What a button shows when the pointer rests on it.
    const auto rest = [this](const char* item) {
        QWidget* button = toolbar()->widgetForAction(w->findChild<QAction*>(QLatin1String(item)));
        QHelpEvent help(QEvent::ToolTip, button->rect().center(), button->mapToGlobal(button->rect().center()));
        QCoreApplication::sendEvent(button, &help);
    };
    // First the items without a help tag, while no tooltip has shown yet.
    for (const char* item : {"ToolbarItem1", "ToolbarItem6"}) {
        rest(item);
        EXPECT_FALSE(QToolTip::isVisible()) << item << " shows " << QToolTip::text().toStdString();
    }
    const std::pair<const char*, QString> tips[] = {
        {"ToolbarItem2", QStringLiteral("現在の設定をファイルに保存します。")},
        {"ToolbarItem5", QStringLiteral("背景画像のガイドとして利用できます。")},
        {"ToolbarItem3", QStringLiteral("印刷設定を行います。")},
        {"ToolbarItem4", QStringLiteral("印刷します。")}};
    for (const auto& [item, tip] : tips) {
        rest(item);
        EXPECT_TRUE(QToolTip::isVisible()) << item;
        EXPECT_EQ(QToolTip::text(), tip) << item;
    }
    QToolTip::hideText();
}

} // namespace
