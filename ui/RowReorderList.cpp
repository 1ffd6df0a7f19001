#include "ui/RowReorderList.h"

#include <QApplication>
#include <QCursor>
#include <QDrag>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>

namespace {

const QString kRowFormat = QStringLiteral("application/x-morvelin-list-row");

// Identifies the list a drag came from, so that a drag from another list or
// another running copy of the program is never taken for one of ours.
QByteArray listToken(const RowReorderList* list)
{
    return QByteArray::number(QApplication::applicationPid()) + ' '
           + QByteArray::number(reinterpret_cast<quintptr>(list));
}

} // namespace

RowReorderList::RowReorderList(QWidget* parent)
    : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The drags are our own (startDrag and the drop handlers below); Qt's own
    // moving would take items in and out of the tree, children included.
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(false);
    header()->setSectionsMovable(false);
    header()->setSectionResizeMode(QHeaderView::Fixed);
    header()->setStretchLastSection(true);
    header()->setSortIndicatorShown(false);
    header()->setSectionsClickable(true);
    // Nothing may ever be dropped into the invisible root's place either.
    invisibleRootItem()->setFlags(invisibleRootItem()->flags() & ~Qt::ItemIsDropEnabled);
}

int RowReorderList::selectedRow() const
{
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.first());
}

QTreeWidgetItem* RowReorderList::newRow(const QStringList& cells)
{
    auto* item = new QTreeWidgetItem(cells);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren);
    return item;
}

QTreeWidgetItem* RowReorderList::takeRow(int row)
{
    if (row < 0 || row >= topLevelItemCount())
        return nullptr;
    clearSelection();
    selectionModel()->clearCurrentIndex();
    return takeTopLevelItem(row);
}

void RowReorderList::setColumnShares(const QList<double>& shares)
{
    m_shares = shares;
    applyColumnShares();
}

void RowReorderList::applyColumnShares()
{
    const int inner = viewport()->width();
    for (int i = 0; i < m_shares.size() && i < columnCount() - 1; ++i)
        header()->resizeSection(i, int(inner * m_shares.at(i)));
}

void RowReorderList::resizeEvent(QResizeEvent* event)
{
    QTreeWidget::resizeEvent(event);
    applyColumnShares();
}

QMimeData* RowReorderList::rowDragData(int row) const
{
    auto* mime = new QMimeData;
    mime->setData(kRowFormat, listToken(this) + ' ' + QByteArray::number(row));
    return mime;
}

int RowReorderList::draggedRow(const QMimeData* mime) const
{
    if (!mime || !mime->hasFormat(kRowFormat))
        return -1;
    const QList<QByteArray> parts = mime->data(kRowFormat).split(' ');
    if (parts.size() != 3 || parts.at(0) + ' ' + parts.at(1) != listToken(this))
        return -1;
    bool ok = false;
    const int row = parts.at(2).toInt(&ok);
    return ok && row >= 0 && row < topLevelItemCount() ? row : -1;
}

int RowReorderList::dropSlotAt(const QPoint& pos) const
{
    QTreeWidgetItem* item = itemAt(pos);
    if (!item)
        return topLevelItemCount();
    const int row = indexOfTopLevelItem(item);
    return pos.y() < visualItemRect(item).center().y() ? row : row + 1;
}

void RowReorderList::startDrag(Qt::DropActions)
{
    const int row = selectedRow();
    if (row < 0)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(rowDragData(row));
    const QRect rect = visualItemRect(topLevelItem(row));
    drag->setPixmap(viewport()->grab(rect));
    drag->setHotSpot(viewport()->mapFromGlobal(QCursor::pos()) - rect.topLeft());
    drag->exec(Qt::MoveAction, Qt::MoveAction);
    endDrag();
}

// Entering is the first move of a drag: the same rows are accepted.
void RowReorderList::dragEnterEvent(QDragEnterEvent* event) { dragMoveEvent(event); }

void RowReorderList::dragMoveEvent(QDragMoveEvent* event)
{
    if (draggedRow(event->mimeData()) < 0) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    m_dragOver = true;
    m_dragPos = event->position().toPoint();
    const int margin = autoScrollMargin();
    if (hasAutoScroll() && (m_dragPos.y() < margin || m_dragPos.y() > viewport()->height() - margin))
        startAutoScroll();
    viewport()->update();
}

void RowReorderList::dragLeaveEvent(QDragLeaveEvent*) { endDrag(); }

void RowReorderList::endDrag()
{
    stopAutoScroll();
    m_dragOver = false;
    viewport()->update();
}

void RowReorderList::dropEvent(QDropEvent* event)
{
    endDrag();
    const int from = draggedRow(event->mimeData());
    if (from < 0) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    const int slot = dropSlotAt(event->position().toPoint());
    const int to = slot > from ? slot - 1 : slot;
    if (to == from)
        return;
    QTreeWidgetItem* item = takeRow(from);
    insertTopLevelItem(to, item);
    setCurrentItem(item);
    emit rowMoved(from, to);
}

void RowReorderList::paintEvent(QPaintEvent* event)
{
    QTreeWidget::paintEvent(event);
    if (!m_dragOver)
        return;
    // The line where the dragged row would land.
    const int slot = dropSlotAt(m_dragPos);
    int y = 0;
    if (slot < topLevelItemCount())
        y = visualItemRect(topLevelItem(slot)).top();
    else if (topLevelItemCount() > 0)
        y = visualItemRect(topLevelItem(topLevelItemCount() - 1)).bottom() + 1;
    QPainter p(viewport());
    p.setPen(QPen(palette().color(QPalette::Highlight), 2));
    p.drawLine(0, y, viewport()->width(), y);
}
