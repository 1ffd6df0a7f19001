#include "ui/PathLabel.h"

#include <QPainter>

namespace {
constexpr int kFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWrapAnywhere;
const QString kEllipsis = QStringLiteral("…");
} // namespace

PathLabel::PathLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
}

bool PathLabel::fits(const QString& text) const
{
    const QRect room = contentsRect();
    const QRect needed = fontMetrics().boundingRect(QRect(room.topLeft(), QSize(room.width(), 100000)), kFlags, text);
    return needed.height() <= room.height();
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
    QPainter p(this);
    p.setPen(palette().color(foregroundRole()));
    p.setFont(font());
    p.drawText(contentsRect(), kFlags, shownText());
}
