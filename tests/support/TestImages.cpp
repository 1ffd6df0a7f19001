#include "TestImages.h"

#include <QDebug>
#include <QPainter>
#include <QString>
#include <QWidget>

#include <cstdlib>
#include <functional>

void PrintTo(const QImage& image, std::ostream* os)
{
    QString text;
    QDebug(&text).nospace() << image;
    *os << text.toStdString();
}

namespace TestImages {

namespace {

QString argb(QRgb v) { return QStringLiteral("#%1").arg(v, 8, 16, QLatin1Char('0')); }

// Compares pixel by pixel with `same`; on failure names the first pixel that
// differs, both values and how many differ.
::testing::AssertionResult compare(const char* aText, const char* bText, const QImage& a, const QImage& b,
                                   const std::function<bool(QRgb, QRgb)>& same, const char* how)
{
    if (a.size() != b.size()) {
        return ::testing::AssertionFailure()
               << aText << " and " << bText << " differ in size:\n  " << ::testing::PrintToString(a) << "\n  "
               << ::testing::PrintToString(b);
    }
    int differing = 0;
    QPoint first;
    QRgb firstA = 0;
    QRgb firstB = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* la = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* lb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if (same(la[x], lb[x]))
                continue;
            if (differing++ == 0) {
                first = QPoint(x, y);
                firstA = la[x];
                firstB = lb[x];
            }
        }
    }
    if (differing == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << aText << " and " << bText << " differ" << how << " in " << differing << " pixel(s); the first at ("
           << first.x() << ", " << first.y() << "): " << argb(firstA).toStdString() << " against "
           << argb(firstB).toStdString() << "\n  " << ::testing::PrintToString(a) << "\n  "
           << ::testing::PrintToString(b);
}

} // namespace

QImage rendered(QWidget* widget)
{
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(1.0);
    image.fill(Qt::transparent);
    widget->render(&image);
    return image;
}

::testing::AssertionResult samePixels(const char* aText, const char* bText, const QImage& a, const QImage& b)
{
    // Both as plain ARGB words; an opaque format reads as alpha 255.
    const QImage pa = a.convertToFormat(QImage::Format_ARGB32);
    const QImage pb = b.convertToFormat(QImage::Format_ARGB32);
    return compare(aText, bText, pa, pb, [](QRgb x, QRgb y) { return x == y; }, "");
}

::testing::AssertionResult sameUpToRounding(const char* aText, const char* bText, const QImage& a,
                                            const QImage& b)
{
    const QImage pa = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage pb = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const auto near = [](QRgb x, QRgb y) {
        if (qAlpha(x) != qAlpha(y))
            return false;
        const int slack = qAlpha(x) == 0 || qAlpha(x) == 255 ? 0 : 1;
        return std::abs(qRed(x) - qRed(y)) <= slack && std::abs(qGreen(x) - qGreen(y)) <= slack
               && std::abs(qBlue(x) - qBlue(y)) <= slack;
    };
    return compare(aText, bText, pa, pb, near, " (premultiplied, beyond rounding)");
}

} // namespace TestImages
