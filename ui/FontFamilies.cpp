#include "ui/FontFamilies.h"

#include <QRegularExpression>
#include <QSet>

QStringList FontFamilies::distinct(const QStringList& qtFamilies)
{
    static const QRegularExpression foundry(QStringLiteral("^(.+) \\[[^\\[\\]]*\\]$"));
    QStringList result;
    QSet<QString> seen;
    for (const QString& family : qtFamilies) {
        const QRegularExpressionMatch m = foundry.match(family);
        const QString name = m.hasMatch() ? m.captured(1) : family;
        if (!seen.contains(name)) {
            seen.insert(name);
            result.append(name);
        }
    }
    return result;
}
