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

int32_t ClrCanvas::ClrCtoI(const QColor& colour) { return Globals::gClrCtoI(colour); }
QColor ClrCanvas::ClrItoC(int32_t clr) { return Globals::gClrItoC(clr); }

QColor ClrCanvas::shownColor() const { return ClrItoC(m_clr); }

void ClrCanvas::mousePressEvent(QMouseEvent* event)
{
    // Only the primary button picks, as it activates every control here; the
    // others stay free for what the desktop gives them.
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
        m_clr = ClrCtoI(picked);
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
