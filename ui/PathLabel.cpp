#include "ui/PathLabel.h"

#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

namespace {
const QString kEllipsis = QStringLiteral("…");
}

PathLabel::PathLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
}

int PathLabel::linePitch() const
{
    // Japanese fonts carry a tall line spacing; a path reads well closer set.
    const int size = font().pixelSize() > 0 ? font().pixelSize() : fontMetrics().height();
    return size + 2;
}

int PathLabel::layOut(QTextLayout& layout) const
{
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setFont(font());
    layout.setTextOption(option);
    const qreal width = contentsRect().width();
    int lines = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, lines * linePitch()));
        ++lines;
    }
    layout.endLayout();
    return lines;
}

bool PathLabel::fits(const QString& text) const
{
    QTextLayout layout(text);
    return layOut(layout) <= kMaxLines;
}

QString PathLabel::shownText() const
{
    const QString whole = text();
    if (whole.isEmpty() || fits(whole))
        return whole;
    // The longest end of the path that fits behind the ellipsis.
    int lo = 0;
    int hi = int(whole.size());
    while (lo < hi) {
        const int keep = (lo + hi + 1) / 2;
        if (fits(kEllipsis + whole.right(keep)))
            lo = keep;
        else
            hi = keep - 1;
    }
    return kEllipsis + whole.right(lo);
}

void PathLabel::paintEvent(QPaintEvent*)
{
    QTextLayout layout(shownText());
    if (layOut(layout) == 0)
        return;
    QPainter p(this);
    p.setPen(palette().color(foregroundRole()));
    const QRect room = contentsRect();
    // The first baseline one text size below the top, each next one a pitch lower.
    const qreal firstBaseline = room.top() + linePitch() - 2;
    layout.draw(&p, QPointF(room.left(), firstBaseline - layout.lineAt(0).ascent()));
}
