#pragma once

#include <QHash>
#include <QMenuBar>
#include <QString>

#include <functional>

class App;
class QAction;
class QMenu;

// The program's one menu bar: "ファイル", "編集" and "操作". Every item is a
// QAction named after the item; commands are bound to their handlers by
// that name, never by the item object.
//
// Qt has no enabling pass before a menu shows or a shortcut acts, and a
// disabled action's shortcut is dead. So the pass is run whenever the state
// it follows changes, and again before every menu shows: the items that do
// not enable themselves are switched off, then each enabler switches on what
// it may.
class MenuBar1 : public QMenuBar {
    Q_OBJECT
public:
    explicit MenuBar1(QWidget* parent = nullptr);

    // The item of that name anywhere in the bar (for a menu, its action);
    // null when there is none.
    QAction* item(const QString& name) const;
    QMenu* menu(const QString& name) const;

    // A command handler: false lets the program go on with its own handling
    // of the item, which for the quit item is the quit.
    using Handler = std::function<bool()>;
    void AddMenuHandler(const QString& name, Handler handler);

    using Enabler = std::function<void()>;
    void AddEnabler(Enabler enabler);
    // The enabling pass.
    void EnableMenuItems();

    // The application's four commands and its enabler.
    static void ApplicationAddMenuHandlers(App& app, MenuBar1& bar);

signals:
    // The quit item was chosen and its handler left it unhandled.
    void quitRequested();

private:
    void Untitled1();
    void Untitled2();
    void Untitled3();
    QMenu* addMenuNamed(const char* name, const QString& caption);
    QAction* addItem(const char* menuName, const char* name, const QString& caption, const QKeySequence& shortcut,
                     bool autoEnable);
    void run(const QString& name);
    void enableTextEditing();

    QHash<QString, Handler> m_handlers;
    QList<Enabler> m_enablers;
    QList<QAction*> m_manual; // the items that do not enable themselves
};
