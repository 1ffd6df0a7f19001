#include "core/PageSetup.h"

#include "platform/Conv.h"

#include <QPageSize>
#include <QRectF>
#include <QSizeF>
#include <QStringList>

#include <cmath>

namespace PageSetup {

namespace {

const QString kHeader = QStringLiteral("Morvelin page setup 1");

// A page larger than this (about 35 m) is no page anyone sets up; refusing it
// keeps every size the printer code derives within Int32.
constexpr double kMaxPoints = 100000.0;

QString numbers(std::initializer_list<double> values)
{
    QStringList parts;
    for (double v : values)
        parts << Conv::str(v);
    return parts.join(u' ');
}

// Exactly `count` finite numbers separated by blanks, each within [lowest, kMaxPoints].
bool readNumbers(const QString& text, qsizetype count, double lowest, QList<double>& out)
{
    const QStringList parts = text.split(u' ', Qt::SkipEmptyParts);
    if (parts.size() != count)
        return false;
    out.clear();
    for (const QString& part : parts) {
        bool ok = false;
        const double v = part.toDouble(&ok); // C locale, whatever the user's
        if (!ok || !std::isfinite(v) || v < lowest || v > kMaxPoints)
            return false;
        out << v;
    }
    return true;
}

std::optional<QPageSize::PageSizeId> idForKey(const QString& key)
{
    for (int i = 0; i <= int(QPageSize::LastPageSize); ++i) {
        const auto id = static_cast<QPageSize::PageSizeId>(i);
        if (id != QPageSize::Custom && QPageSize::key(id) == key)
            return id;
    }
    return std::nullopt;
}

QString oneLine(QString text)
{
    text.remove(u'\r');
    text.remove(u'\n');
    return text;
}

} // namespace

QString encode(const PageFormat& format)
{
    const QPageSize size = format.layout.pageSize();
    const QSizeF points = size.size(QPageSize::Point);
    const QMarginsF margins = format.layout.margins(QPageLayout::Point);

    QStringList lines;
    lines << kHeader;
    lines << QStringLiteral("printer=") + oneLine(format.printerName);
    if (size.isValid() && size.id() != QPageSize::Custom)
        lines << QStringLiteral("page=") + QPageSize::key(size.id());
    lines << QStringLiteral("size=") + numbers({points.width(), points.height()});
    lines << QStringLiteral("orientation=")
                 + (format.layout.orientation() == QPageLayout::Landscape ? QStringLiteral("landscape")
                                                                           : QStringLiteral("portrait"));
    lines << QStringLiteral("margins=")
                 + numbers({margins.left(), margins.top(), margins.right(), margins.bottom()});
    return lines.join(u'\n') + u'\n';
}

std::optional<PageFormat> decode(const QString& text)
{
    const QStringList lines = text.split(u'\n');
    if (lines.isEmpty() || lines.first() != kHeader)
        return std::nullopt;

    QString printer;
    QString key;
    QList<double> size;
    QList<double> margins{0, 0, 0, 0};
    auto orientation = QPageLayout::Portrait;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        const QString name = line.left(eq);
        const QString value = line.mid(eq + 1);
        if (name == u"printer") {
            printer = value;
        } else if (name == u"page") {
            key = value;
        } else if (name == u"size") {
            if (!readNumbers(value, 2, 0.0, size) || size[0] <= 0.0 || size[1] <= 0.0)
                return std::nullopt;
        } else if (name == u"orientation") {
            if (value == u"landscape")
                orientation = QPageLayout::Landscape;
            else if (value == u"portrait")
                orientation = QPageLayout::Portrait;
            else
                return std::nullopt;
        } else if (name == u"margins") {
            if (!readNumbers(value, 4, 0.0, margins))
                return std::nullopt;
        }
    }
    if (size.isEmpty())
        return std::nullopt;

    QPageSize pageSize;
    if (const auto id = idForKey(key); id && !key.isEmpty())
        pageSize = QPageSize(*id);
    else
        pageSize = QPageSize(QSizeF(size[0], size[1]), QPageSize::Point, QString(), QPageSize::ExactMatch);
    if (!pageSize.isValid())
        return std::nullopt;

    PageFormat format;
    format.printerName = printer;
    format.layout = QPageLayout(pageSize, orientation, QMarginsF(margins[0], margins[1], margins[2], margins[3]),
                                QPageLayout::Point);
    // Margins that leave nothing to print on make no page setup.
    if (format.layout.paintRect(QPageLayout::Point).isEmpty())
        return std::nullopt;
    return format;
}

} // namespace PageSetup
