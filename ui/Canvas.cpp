#include "ui/Canvas.h"

#include <QPainter>

#include <utility>

Canvas::Canvas(QWidget* parent)
    : QWidget(parent)
{
}

void Canvas::setPaintHandler(PaintHandler handler) { m_handler = std::move(handler); }

void Canvas::paintEvent(QPaintEvent*)
{
    if (!m_handler)
        return;
    QPainter painter(this);
    m_handler(painter);
}
