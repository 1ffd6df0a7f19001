#include "ui/LittleArrows.h"

#include <QToolButton>

namespace {
QToolButton* makeArrow(QWidget* parent, Qt::ArrowType type, const char* name)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setArrowType(type);
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRaise(false);
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return b;
}
} // namespace

LittleArrows::LittleArrows(QWidget* parent)
    : QWidget(parent)
    , m_up(makeArrow(this, Qt::UpArrow, "upButton"))
    , m_down(makeArrow(this, Qt::DownArrow, "downButton"))
{
    setFocusPolicy(Qt::NoFocus);
    connect(m_up, &QToolButton::clicked, this, &LittleArrows::up);
    connect(m_down, &QToolButton::clicked, this, &LittleArrows::down);
    resize(sizeHint());
    placeArrows();
}

void LittleArrows::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeArrows();
}

void LittleArrows::placeArrows()
{
    const int upHeight = height() / 2;
    m_up->setGeometry(0, 0, width(), upHeight);
    m_down->setGeometry(0, upHeight, width(), height() - upHeight);
}
