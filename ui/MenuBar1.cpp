#include "ui/MenuBar1.h"

#include "core/App.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>

namespace {

// "Cmd" is Ctrl here. Spelled out: Qt's standard Save As key is empty on
// Linux, and its Quit key is empty on some platforms.
QKeySequence ctrl(Qt::Key key) { return QKeySequence(Qt::CTRL | key); }

// The text field that the standard editing items work on: the focused line
// edit, when there is one.
QLineEdit* focusedField() { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }

} // namespace

MenuBar1::MenuBar1(QWidget* parent)
    : QMenuBar(parent)
{
    setObjectName(QStringLiteral("MenuBar1"));
    Untitled1();
    Untitled2();
    Untitled3();
}

QMenu* MenuBar1::addMenuNamed(const char* name, const QString& caption)
{
    QMenu* m = addMenu(caption);
    m->setObjectName(QLatin1String(name));
    m->menuAction()->setObjectName(QLatin1String(name));
    // A menu about to open shows the enabling of this moment.
    connect(m, &QMenu::aboutToShow, this, &MenuBar1::EnableMenuItems);
    return m;
}

QAction* MenuBar1::addItem(const char* menuName, const char* name, const QString& caption,
                           const QKeySequence& shortcut, bool autoEnable)
{
    QMenu* m = menu(QLatin1String(menuName));
    QAction* a = caption == QLatin1String("-") ? m->addSeparator() : m->addAction(caption);
    a->setObjectName(QLatin1String(name));
    // Every item stays where its menu puts it, on any platform.
    a->setMenuRole(QAction::NoRole);
    if (!a->isSeparator()) {
        a->setShortcut(shortcut);
        // Only the window's own shortcuts: a dialog's fields keep their keys.
        a->setShortcutContext(Qt::WindowShortcut);
        const QString key = a->objectName();
        connect(a, &QAction::triggered, this, [this, key] { run(key); });
    }
    if (!autoEnable) {
        m_manual.append(a);
        a->setEnabled(false);
    }
    return a;
}

void MenuBar1::Untitled1()
{
    addMenuNamed("FileMenu", QStringLiteral("ファイル"));
    addItem("FileMenu", "FileOpen", QStringLiteral("開く..."), ctrl(Qt::Key_O), false);
    addItem("FileMenu", "FileSave", QStringLiteral("保存"), ctrl(Qt::Key_S), false);
    addItem("FileMenu", "FileSaveAs", QStringLiteral("別名で保存..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
            false);
    addItem("FileMenu", "UntitledMenu4", QStringLiteral("-"), {}, true);
    addItem("FileMenu", "FileExport", QStringLiteral("画像書き出し..."), {}, true);
    addItem("FileMenu", "UntitledMenu3", QStringLiteral("-"), {}, true);
    addItem("FileMenu", "FilePageSetup", QStringLiteral("ページ設定..."), {}, false);
    addItem("FileMenu", "FilePrint", QStringLiteral("プリント..."), ctrl(Qt::Key_P), false);
    addItem("FileMenu", "UntitledMenu2", QStringLiteral("-"), {}, true);
    addItem("FileMenu", "FileQuit", QStringLiteral("終了"), ctrl(Qt::Key_Q), true)->setMenuRole(QAction::QuitRole);
}

void MenuBar1::Untitled2()
{
    addMenuNamed("EditMenu", QStringLiteral("編集"));
    addItem("EditMenu", "EditUndo", QStringLiteral("取り消し"), ctrl(Qt::Key_Z), true);
    addItem("EditMenu", "UntitledMenu1", QStringLiteral("-"), {}, true);
    addItem("EditMenu", "EditCut", QStringLiteral("カット"), ctrl(Qt::Key_X), true);
    addItem("EditMenu", "EditCopy", QStringLiteral("コピー"), ctrl(Qt::Key_C), true);
    addItem("EditMenu", "EditPaste", QStringLiteral("ペースト"), ctrl(Qt::Key_V), true);
    addItem("EditMenu", "EditClear", QStringLiteral("クリア"), {}, true);
    addItem("EditMenu", "UntitledMenu0", QStringLiteral("-"), {}, true);
    addItem("EditMenu", "EditPreferences", QStringLiteral("環境設定..."), {}, true)
        ->setMenuRole(QAction::PreferencesRole);
}

void MenuBar1::Untitled3()
{
    addMenuNamed("Op", QStringLiteral("操作"));
    addItem("Op", "OpAnn", QStringLiteral("記念日の編集..."), ctrl(Qt::Key_E), true);
    addItem("Op", "AppleAbout", QStringLiteral("Morvelinについて..."), {}, true)->setMenuRole(QAction::AboutRole);
}

QAction* MenuBar1::item(const QString& name) const { return findChild<QAction*>(name); }

QMenu* MenuBar1::menu(const QString& name) const { return findChild<QMenu*>(name, Qt::FindDirectChildrenOnly); }

void MenuBar1::AddMenuHandler(const QString& name, Handler handler)
{
    Q_ASSERT(item(name) && !m_handlers.contains(name));
    m_handlers.insert(name, std::move(handler));
}

void MenuBar1::AddEnabler(Enabler enabler)
{
    m_enablers.append(std::move(enabler));
    // The shortcuts work before any menu has been shown.
    EnableMenuItems();
}

void MenuBar1::run(const QString& name)
{
    bool handled = false;
    if (const auto it = m_handlers.constFind(name); it != m_handlers.cend()) {
        // Copied: the handler may close the window and with it this bar.
        const Handler handler = *it;
        handled = handler();
    } else if (QLineEdit* field = focusedField()) {
        // The standard editing items act on the focused field, as its own
        // keys would.
        handled = true;
        if (name == QLatin1String("EditUndo"))
            field->undo();
        else if (name == QLatin1String("EditCut"))
            field->cut();
        else if (name == QLatin1String("EditCopy"))
            field->copy();
        else if (name == QLatin1String("EditPaste"))
            field->paste();
        else if (name == QLatin1String("EditClear") && field->hasSelectedText() && !field->isReadOnly())
            field->del();
        else
            handled = false;
    }
    if (!handled && name == QLatin1String("FileQuit"))
        emit quitRequested();
}

void MenuBar1::enableTextEditing()
{
    QLineEdit* f = focusedField();
    const bool editable = f && !f->isReadOnly();
    const bool selected = f && f->hasSelectedText();
    const bool pasteable = editable && !QApplication::clipboard()->text().isEmpty();
    item(QStringLiteral("EditUndo"))->setEnabled(editable && f->isUndoAvailable());
    item(QStringLiteral("EditCut"))->setEnabled(editable && selected && f->echoMode() == QLineEdit::Normal);
    item(QStringLiteral("EditCopy"))->setEnabled(selected && f->echoMode() == QLineEdit::Normal);
    item(QStringLiteral("EditPaste"))->setEnabled(pasteable);
    item(QStringLiteral("EditClear"))->setEnabled(editable && selected);
}

void MenuBar1::EnableMenuItems()
{
    for (QAction* a : std::as_const(m_manual))
        a->setEnabled(false);
    enableTextEditing();
    for (const Enabler& enabler : m_enablers)
        enabler();
}

void MenuBar1::ApplicationAddMenuHandlers(App& app, MenuBar1& bar)
{
    bar.AddMenuHandler(QStringLiteral("AppleAbout"), [&app] { return app.AppleAbout_Action(); });
    bar.AddMenuHandler(QStringLiteral("EditPreferences"), [&app] { return app.EditPreferences_Action(); });
    bar.AddMenuHandler(QStringLiteral("FileQuit"), [&app] { return app.FileQuit_Action(); });
    bar.AddMenuHandler(QStringLiteral("FilePageSetup"), [&app] { return app.FilePageSetup_Action(); });
    bar.AddEnabler([&app, &bar] {
        app.Event_EnableMenuItems([&bar](const QString& name) {
            if (QAction* a = bar.item(name))
                a->setEnabled(true);
        });
    });
}
