#include "core/DatasetDefaults.h"

namespace DatasetDefaults {

namespace {
const QString kOsaka = QStringLiteral("osaka");

void set(Dataset& d, const char* key, int32_t v) { d.setValue(QString::fromLatin1(key), QVariant(v)); }
void set(Dataset& d, const char* key, const QString& v) { d.setValue(QString::fromLatin1(key), QVariant(v)); }
} // namespace

void initDataset(Dataset& d, const std::array<int32_t, 51>& pref, QDate today)
{
    set(d, "stYY", static_cast<int32_t>(today.year()));
    set(d, "stMM", static_cast<int32_t>(today.month()));
    set(d, "prKind", 0);
    set(d, "size", 0);
    set(d, "cutline", 0);
    d.setValue(QStringLiteral("pict"), QVariant());
    set(d, "pictPath", QStringLiteral(""));
    set(d, "extra", 0);
    set(d, "dow1st", 0);
    set(d, "dowLange", 0);
    set(d, "ymPos", 0);
    set(d, "holName", 2);
    set(d, "line", 1);
    set(d, "dayFont", kOsaka);
    set(d, "dayFsize", 9);
    set(d, "dayColorN", pref[23]);
    set(d, "dayColorS", pref[24]);
    set(d, "dayColorT", pref[25]);
    set(d, "dayColorH", pref[26]);
    set(d, "dowFont", kOsaka);
    set(d, "dowFsize", 10);
    set(d, "dowColor", pref[21]);
    set(d, "ymFont", kOsaka);
    set(d, "ymFsize", 12);
    set(d, "ymColor", pref[20]);
    set(d, "holFont", kOsaka);
    set(d, "holFsize", 7);
    set(d, "holColor", pref[27]);
    set(d, "lineColor", pref[22]);
    initDataset2(d, pref);
    initDataset3(d);
}

void initDataset2(Dataset& d, const std::array<int32_t, 51>& pref)
{
    set(d, "annName", 0);
    set(d, "dayColorA", pref[28]);
    set(d, "annFont", kOsaka);
    set(d, "annFsize", 7);
    set(d, "annColor", pref[29]);
    set(d, "annBkClr", pref[30]);
}

void initDataset3(Dataset& d) { set(d, "frame", 0); }

const QStringList& storedKeys()
{
    static const QStringList keys{
        QStringLiteral("stYY"),      QStringLiteral("stMM"),      QStringLiteral("prKind"),
        QStringLiteral("size"),      QStringLiteral("cutline"),   QStringLiteral("pictPath"),
        QStringLiteral("extra"),     QStringLiteral("dow1st"),    QStringLiteral("dowLange"),
        QStringLiteral("ymPos"),     QStringLiteral("holName"),   QStringLiteral("line"),
        QStringLiteral("dayFont"),   QStringLiteral("dayFsize"),  QStringLiteral("dayColorN"),
        QStringLiteral("dayColorS"), QStringLiteral("dayColorT"), QStringLiteral("dayColorH"),
        QStringLiteral("dowFont"),   QStringLiteral("dowFsize"),  QStringLiteral("dowColor"),
        QStringLiteral("ymFont"),    QStringLiteral("ymFsize"),   QStringLiteral("ymColor"),
        QStringLiteral("holFont"),   QStringLiteral("holFsize"),  QStringLiteral("holColor"),
        QStringLiteral("lineColor"), QStringLiteral("annName"),   QStringLiteral("dayColorA"),
        QStringLiteral("annFont"),   QStringLiteral("annFsize"),  QStringLiteral("annColor"),
        QStringLiteral("annBkClr"),  QStringLiteral("frame"),
    };
    return keys;
}

const QStringList& allKeys()
{
    static const QStringList keys = [] {
        QStringList k = storedKeys();
        k.insert(k.indexOf(QStringLiteral("cutline")) + 1, QStringLiteral("pict"));
        return k;
    }();
    return keys;
}

} // namespace DatasetDefaults
