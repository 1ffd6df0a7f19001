#include "core/DatasetDefaults.h"

#include <QSet>
#include <gtest/gtest.h>

#include <array>

namespace {

// Distinct colours in gPref(20) to gPref(30), so each key shows where its
// default came from.
std::array<int32_t, 51> prefWithColours()
{
    std::array<int32_t, 51> pref{};
    for (int i = 20; i <= 30; ++i)
        pref[i] = 0x100000 + i;
    return pref;
}

TEST(DatasetDefaults, ANewDatasetOfMarch2009HoldsEveryDefault)
{
    Dataset d;
    DatasetDefaults::initDataset(d, prefWithColours(), QDate(2009, 3, 15));

    const struct {
        const char* key;
        QVariant value;
    } table[] = {
        {"stYY", int32_t(2009)},        {"stMM", int32_t(3)},           {"prKind", int32_t(0)},
        {"size", int32_t(0)},           {"cutline", int32_t(0)},        {"pictPath", QStringLiteral("")},
        {"extra", int32_t(0)},          {"dow1st", int32_t(0)},         {"dowLange", int32_t(0)},
        {"ymPos", int32_t(0)},          {"holName", int32_t(2)},        {"line", int32_t(1)},
        {"dayFont", QStringLiteral("osaka")}, {"dayFsize", int32_t(9)}, {"dayColorN", int32_t(0x100017)},
        {"dayColorS", int32_t(0x100018)}, {"dayColorT", int32_t(0x100019)}, {"dayColorH", int32_t(0x10001A)},
        {"dowFont", QStringLiteral("osaka")}, {"dowFsize", int32_t(10)}, {"dowColor", int32_t(0x100015)},
        {"ymFont", QStringLiteral("osaka")}, {"ymFsize", int32_t(12)},  {"ymColor", int32_t(0x100014)},
        {"holFont", QStringLiteral("osaka")}, {"holFsize", int32_t(7)}, {"holColor", int32_t(0x10001B)},
        {"lineColor", int32_t(0x100016)}, {"annName", int32_t(0)},      {"dayColorA", int32_t(0x10001C)},
        {"annFont", QStringLiteral("osaka")}, {"annFsize", int32_t(7)}, {"annColor", int32_t(0x10001D)},
        {"annBkClr", int32_t(0x10001E)}, {"frame", int32_t(0)},
    };
    for (const auto& row : table) {
        const QVariant v = d.value(QString::fromLatin1(row.key));
        EXPECT_EQ(v.typeId(), row.value.typeId()) << row.key; // Int32 or text, as a new Dataset holds it
        EXPECT_EQ(v, row.value) << row.key;
    }
    EXPECT_TRUE(d.contains(QStringLiteral("pict")));
    EXPECT_FALSE(d.value(QStringLiteral("pict")).isValid());
    EXPECT_TRUE(d.pict().isNull());

    const QStringList held = d.keys();
    const QStringList& all = DatasetDefaults::allKeys();
    EXPECT_EQ(held.size(), 36);
    EXPECT_EQ(QSet<QString>(all.begin(), all.end()), QSet<QString>(held.begin(), held.end()));

    EXPECT_EQ(d.text(QStringLiteral("stYY")), QStringLiteral("2009"));
    // The sizes read as text are rows of their size menus.
    EXPECT_EQ(d.text(QStringLiteral("dayFsize")), QStringLiteral("9"));
    EXPECT_EQ(d.text(QStringLiteral("dowFsize")), QStringLiteral("10"));
    EXPECT_EQ(d.text(QStringLiteral("ymFsize")), QStringLiteral("12"));
    EXPECT_EQ(d.text(QStringLiteral("holFsize")), QStringLiteral("7"));
    EXPECT_EQ(d.dbl(QStringLiteral("annFsize")), 7.0);
}

TEST(DatasetDefaults, StartYearReadsTheSameFromEveryKindOfValue)
{
    Dataset d;
    for (const QVariant& v : {QVariant(int32_t(2009)), QVariant(2009.0), QVariant(QStringLiteral("2009"))}) {
        d.setValue(QStringLiteral("stYY"), v);
        EXPECT_EQ(d.i32(QStringLiteral("stYY")), 2009);
        EXPECT_EQ(d.text(QStringLiteral("stYY")), QStringLiteral("2009"));
    }
}

TEST(DatasetDefaults, LaterLayoutDefaultsTouchOnlyTheirOwnKeys)
{
    // A Dataset as a file of the oldest layout leaves it: every value a text.
    Dataset loaded;
    for (const QString& key : DatasetDefaults::storedKeys())
        loaded.setValue(key, QStringLiteral("loaded"));
    const QStringList second = {"annName", "dayColorA", "annFont", "annFsize", "annColor", "annBkClr"};

    auto pref = prefWithColours();
    DatasetDefaults::initDataset2(loaded, pref);
    for (const QString& key : DatasetDefaults::storedKeys()) {
        if (!second.contains(key) && key != QStringLiteral("frame")) {
            EXPECT_EQ(loaded.text(key), QStringLiteral("loaded")) << key.toStdString();
        }
    }
    EXPECT_EQ(loaded.value(QStringLiteral("annName")), QVariant(int32_t(0)));
    EXPECT_EQ(loaded.value(QStringLiteral("dayColorA")), QVariant(int32_t(0x10001C)));
    EXPECT_EQ(loaded.value(QStringLiteral("annBkClr")), QVariant(int32_t(0x10001E)));
    EXPECT_EQ(loaded.text(QStringLiteral("frame")), QStringLiteral("loaded"));

    DatasetDefaults::initDataset3(loaded);
    EXPECT_EQ(loaded.value(QStringLiteral("frame")), QVariant(int32_t(0)));
    EXPECT_EQ(loaded.text(QStringLiteral("annFont")), QStringLiteral("osaka"));
    EXPECT_EQ(loaded.text(QStringLiteral("stYY")), QStringLiteral("loaded"));
}

TEST(DatasetDefaults, StoredKeysAreTheFieldOrder)
{
    const QStringList& keys = DatasetDefaults::storedKeys();
    ASSERT_EQ(keys.size(), 35);
    EXPECT_EQ(keys.first(), QStringLiteral("stYY"));
    EXPECT_EQ(keys.indexOf(QStringLiteral("pictPath")), 5);
    EXPECT_EQ(keys.indexOf(QStringLiteral("lineColor")), 27);
    EXPECT_EQ(keys.indexOf(QStringLiteral("annName")), 28);
    EXPECT_EQ(keys.indexOf(QStringLiteral("annBkClr")), 33);
    EXPECT_EQ(keys.last(), QStringLiteral("frame"));
    EXPECT_FALSE(keys.contains(QStringLiteral("pict")));
    EXPECT_EQ(DatasetDefaults::allKeys().indexOf(QStringLiteral("pict")), 5);
}

TEST(DatasetPict, HoldsAPictureOrNothing)
{
    Dataset d;
    EXPECT_TRUE(d.pict().isNull());
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    d.setPict(image);
    EXPECT_EQ(d.pict().size(), QSize(3, 2));
    EXPECT_EQ(d.pict().pixel(1, 1), qRgb(255, 0, 0));

    d.setPict(QImage());
    EXPECT_TRUE(d.contains(QStringLiteral("pict")));
    EXPECT_FALSE(d.value(QStringLiteral("pict")).isValid());

    d.setValue(QStringLiteral("pict"), QStringLiteral("/not/a/picture"));
    EXPECT_TRUE(d.pict().isNull());
}

} // namespace
