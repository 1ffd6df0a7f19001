#include "ui/ClrCanvas.h"

#include "core/Globals.h"

#include <QColorDialog>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

ClrCanvas::ClrCanvas(QWidget* parent)
    : QWidget(parent)
    , m_caption(QStringLiteral("色を指定して下さい。"))
{
    setFocusPolicy(Qt::NoFocus);
}

QColor ClrCanvas::shownColor() const
{
    return Globals::gClrItoC(m_clr & 0xFFFFFF);
}

void ClrCanvas::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();

    // Heap-allocated and watched: the picker runs its own event loop, during
    // which this swatch (and the dialog with it) may be destroyed.
    QPointer<ClrCanvas> self(this);
    QPointer<QColorDialog> dlg = new QColorDialog(shownColor(), this);
    dlg->setWindowTitle(m_caption);
    const int answer = dlg->exec();
    if (!self)
        return;
    const QColor picked = dlg ? dlg->selectedColor() : QColor();
    delete dlg.data();

    if (answer == QDialog::Accepted && picked.isValid()) {
        // Only red, green and blue are kept; the picker's alpha never reaches a dataset.
        m_clr = Globals::gClrCtoI(QColor(picked.red(), picked.green(), picked.blue())) & 0xFFFFFF;
        emit ClrChanged();
        if (!self)
            return;
    }
    update();
}

void ClrCanvas::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(0, 0, width(), height(), Qt::black);
    if (width() > 2 && height() > 2)
        p.fillRect(1, 1, width() - 2, height() - 2, shownColor());
}
