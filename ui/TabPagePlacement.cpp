#include "ui/TabPagePlacement.h"

#include <QEvent>
#include <QStackedWidget>
#include <QTabWidget>

TabPagePlacement::TabPagePlacement(QTabWidget* tabs, QWidget* root)
    : QObject(tabs)
    , m_root(root)
{
    if (auto* stack = tabs->findChild<QStackedWidget*>())
        stack->installEventFilter(this);
    tabs->installEventFilter(this);
}

void TabPagePlacement::place(QWidget* control, const QRect& rect)
{
    QWidget* page = control->parentWidget();
    if (page && !m_watched.contains(page)) {
        m_watched.insert(page);
        page->installEventFilter(this);
    }
    m_placed.append({control, rect});
    apply(m_placed.last());
}

bool TabPagePlacement::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
        applyAll();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void TabPagePlacement::apply(const Placed& placed) const
{
    if (!placed.control)
        return;
    QWidget* page = placed.control->parentWidget();
    if (!page || !m_root->isAncestorOf(page))
        return;
    const QPoint origin = page->mapTo(m_root, QPoint(0, 0));
    const QRect target = placed.rect.translated(-origin);
    if (placed.control->geometry() != target)
        placed.control->setGeometry(target);
}

void TabPagePlacement::applyAll() const
{
    for (const Placed& placed : m_placed)
        apply(placed);
}
