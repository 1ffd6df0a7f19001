#pragma once

#include <QList>
#include <QTreeWidget>

class QMimeData;

// A flat list of rows in columns whose order the user changes by dragging a
// row to another place. A drag carries only the row's place in this list:
// nothing from elsewhere can be dropped on it, and a row dropped on another
// lands above or below it, never inside it.
class RowReorderList : public QTreeWidget {
    Q_OBJECT
public:
    explicit RowReorderList(QWidget* parent = nullptr);

    // The row that is selected, -1 when none. Not the current row, which Qt
    // keeps where the keyboard or a click on no row left it.
    int selectedRow() const;

    // A new row with these cells, draggable but never a drop target.
    static QTreeWidgetItem* newRow(const QStringList& cells);

    // Takes a row out with nothing selected and no current row afterwards
    // (left alone, Qt would select a neighbour). The caller owns the row.
    QTreeWidgetItem* takeRow(int row);

    // Widths of the leading columns as shares of the list's inner width; the
    // last column takes what is left.
    void setColumnShares(const QList<double>& shares);

    // What a drag of the row carries.
    QMimeData* rowDragData(int row) const;
    // Where a drop at this point of the viewport puts the dragged row: the
    // index of the row it lands before, or the row count for the end.
    int dropSlotAt(const QPoint& pos) const;

signals:
    // A row was dragged from one place to another; the list shows the new order.
    void rowMoved(int from, int to);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The row a drag started in this list carries; -1 for anything else.
    int draggedRow(const QMimeData* mime) const;
    void applyColumnShares();
    void endDrag();

    QList<double> m_shares;
    bool m_dragOver = false;
    QPoint m_dragPos; // viewport coordinates of the drag, for the drop line
};
