#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSet>
#include <QWidget>

class QTabWidget;

// Keeps the controls on a tab widget's pages at fixed places of an outer widget
// (the window's content area), whatever room the current style gives the tab
// bar and the page frame. The pages only get their final place once the tab
// widget is laid out, so the controls follow every move of the page stack.
class TabPagePlacement : public QObject {
    Q_OBJECT
public:
    TabPagePlacement(QTabWidget* tabs, QWidget* root);

    // `control` is a child of one of the pages; `rect` is in `root`'s coordinates.
    void place(QWidget* control, const QRect& rect);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Placed {
        QPointer<QWidget> control;
        QRect rect;
    };
    void apply(const Placed& placed) const;
    void applyAll() const;

    QWidget* m_root;
    QList<Placed> m_placed;
    QSet<QObject*> m_watched;
};
