// The main window's menu commands, their enabling, and the toolbar that
// starts six of the same commands with one click.

#include "ui/Window1.h"

#include "core/App.h"
#include "ui/MenuBar1.h"
#include "ui/ToolbarIcons.h"

#include <QAction>
#include <QEvent>
#include <QToolBar>
#include <QToolButton>

namespace {

// Keeps a toolbar button from showing a tooltip: an item without a help tag
// would otherwise repeat its caption, which stands right below its icon.
class NoToolTip : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* e) override { return e->type() == QEvent::ToolTip; }
};

} // namespace

// ---- Menus ----

MenuBar1* Window1::menuBar1() const { return qobject_cast<MenuBar1*>(menuBar()); }

QAction* Window1::MenuItem(const char* name) const { return menuBar1()->item(QLatin1String(name)); }

void Window1::AddMenuHandlers()
{
    MenuBar1* bar = menuBar1();
    bar->AddMenuHandler(QStringLiteral("FilePrint"), [this] { return FilePrint_Action(); });
    bar->AddMenuHandler(QStringLiteral("FileSave"), [this] { return FileSave_Action(); });
    bar->AddMenuHandler(QStringLiteral("FileSaveAs"), [this] { return FileSaveAs_Action(); });
    bar->AddMenuHandler(QStringLiteral("FileOpen"), [this] { return FileOpen_Action(); });
    bar->AddMenuHandler(QStringLiteral("FileExport"), [this] { return FileExport_Action(); });
    bar->AddMenuHandler(QStringLiteral("OpAnn"), [this] { return OpAnn_Action(); });
    bar->AddEnabler([this] { Event_EnableMenuItems(); });
    connect(bar, &MenuBar1::quitRequested, this, &Window1::AppQuit);
}

void Window1::Event_EnableMenuItems()
{
    FileOpen()->setEnabled(true);
    if (pWork.hasEdits())
        FileSave()->setEnabled(true);
    FileSaveAs()->setEnabled(true);
    FilePrint()->setEnabled(true);
}

void Window1::UpdateMenuItems() { menuBar1()->EnableMenuItems(); }

bool Window1::FileOpen_Action()
{
    LoadFile(false);
    RefreshPreview();
    return false;
}

bool Window1::FileSave_Action()
{
    SaveFile(false);
    return false;
}

bool Window1::FileSaveAs_Action()
{
    SaveFile(true);
    return false;
}

bool Window1::FileExport_Action()
{
    ExportCanvas1();
    return false;
}

bool Window1::FilePrint_Action()
{
    PrintSheet();
    return false;
}

bool Window1::OpAnn_Action()
{
    ShowAnnDlg();
    return false;
}

// ---- Toolbar ----

void Window1::CreateToolbar()
{
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("Toolbar1"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(32, 32));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    // The toolbar is always there: the window offers no menu to hide it.
    bar->toggleViewAction()->setVisible(false);
    addToolBar(Qt::TopToolBarArea, bar);

    auto* noTip = new NoToolTip(bar);
    const auto command = [this, bar, noTip](const char* name, const QString& caption, const QString& helpTag,
                                            void (Window1::*handler)()) {
        QAction* a = bar->addAction(caption);
        a->setObjectName(QLatin1String(name));
        if (helpTag.isEmpty())
            bar->widgetForAction(a)->installEventFilter(noTip);
        else
            a->setToolTip(helpTag);
        connect(a, &QAction::triggered, this, handler);
    };
    const auto separator = [bar](const char* name) { bar->addSeparator()->setObjectName(QLatin1String(name)); };

    command("ToolbarItem2", QStringLiteral("データセット保存"), QStringLiteral("現在の設定をファイルに保存します。"),
            &Window1::ToolbarItem2_Action);
    separator("StandardToolbarItem1");
    command("ToolbarItem5", QStringLiteral("画像として書き出し"), QStringLiteral("背景画像のガイドとして利用できます。"),
            &Window1::ToolbarItem5_Action);
    separator("StandardToolbarItem2");
    command("ToolbarItem1", QStringLiteral("記念日"), QString(), &Window1::ToolbarItem1_Action);
    separator("StandardToolbarItem3");
    command("ToolbarItem3", QStringLiteral("ページ設定"), QStringLiteral("印刷設定を行います。"),
            &Window1::ToolbarItem3_Action);
    command("ToolbarItem4", QStringLiteral("プリント"), QStringLiteral("印刷します。"), &Window1::ToolbarItem4_Action);
    // The flexible space: the preferences stand apart at the far end.
    auto* space = new QWidget(bar);
    space->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    bar->addWidget(space)->setObjectName(QStringLiteral("StandardToolbarItem4"));
    command("ToolbarItem6", QStringLiteral("環境設定"), QString(), &Window1::ToolbarItem6_Action);
}

void Window1::InitIcon()
{
    for (const ToolbarIcons::Item& item : ToolbarIcons::kItems) {
        if (auto* a = findChild<QAction*>(QLatin1String(item.name)))
            a->setIcon(ToolbarIcons::toolbarIcon(item.icon));
    }
}

void Window1::ToolbarItem2_Action() { FileSave_Action(); }
void Window1::ToolbarItem5_Action() { FileExport_Action(); }
void Window1::ToolbarItem1_Action() { OpAnn_Action(); }

void Window1::ToolbarItem3_Action()
{
    if (App* app = App::instance())
        app->PrintSetup();
}

void Window1::ToolbarItem4_Action() { FilePrint_Action(); }

void Window1::ToolbarItem6_Action()
{
    if (App* app = App::instance())
        app->ShowPrefDlg();
}
