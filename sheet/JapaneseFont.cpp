#include "sheet/JapaneseFont.h"

#include "core/DatasetDefaults.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

QString JapaneseFont::gothicFamily()
{
    static const QStringList preferred = {
        QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"), QStringLiteral("IPAexGothic"),
        QStringLiteral("IPAGothic"), QStringLiteral("TakaoGothic"), QStringLiteral("VL Gothic"),
    };
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : preferred) {
        if (installed.contains(family, Qt::CaseInsensitive))
            return family;
    }
    // Any family that writes Japanese will do.
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    return japanese.isEmpty() ? QString() : japanese.first();
}

void JapaneseFont::installSubstitutes()
{
    const QString family = gothicFamily();
    if (family.isEmpty())
        return;
    const QString& osaka = DatasetDefaults::kDefaultFont;
    if (!QFont::substitutes(osaka).contains(family))
        QFont::insertSubstitution(osaka, family);
}
