// Writes the seed corpora: files as the program itself writes them (defaults,
// an older layout, long texts, many entries), one folder per fuzz target.
// Usage: morvelin_fuzz_seeds OUTPUT_FOLDER

#include "FuzzSupport.h"

#include "core/AnniversaryFile.h"
#include "core/DatasetDefaults.h"
#include "core/DatasetFile.h"
#include "core/DatasetKeys.h"
#include "core/PageSetup.h"
#include "core/PageSetupFile.h"
#include "core/RecoveryCopy.h"
#include "platform/BinaryStream.h"
#include "platform/Conv.h"
#include "platform/FileIO.h"

#include <QDir>
#include <QPageLayout>
#include <QMarginsF>
#include <QPageSize>
#include <QSizeF>

#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

namespace {

QString g_out;
int g_failures = 0;

void seed(const char* target, const char* name, const QByteArray& bytes)
{
    const QString folder = g_out + QLatin1Char('/') + QLatin1String(target);
    const QString path = folder + QLatin1Char('/') + QLatin1String(name);
    if (!QDir().mkpath(folder) || !FileIO::writeWhole(path, bytes)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        ++g_failures;
    }
}

// A text longer than a PString holds, of three-byte characters, so that the
// writer must cut it at a character boundary.
QString longJapanese(int characters)
{
    QString text;
    const QString word = QStringLiteral("記念日のお知らせ");
    while (text.size() < characters)
        text += word;
    return text.left(characters);
}

void preferenceSeeds()
{
    const Fuzz::PrefState defaults;
    seed("preferences", "defaults", defaults.encode());

    Fuzz::PrefState edited = defaults;
    edited.pref[3] = 1;
    edited.pref[4] = 1;
    edited.pref[5] = 1;
    edited.pref[10] = 0;
    edited.pref[40] = 905;
    edited.pref[43] = 1198;
    edited.prefS[7] = QStringLiteral("用紙の設定");
    seed("preferences", "edited", edited.encode());

    // Fewer entries than the arrays hold: the rest keep their defaults.
    Fuzz::PrefState few = defaults;
    few.pref[0] = 10;
    few.prefS[0] = QStringLiteral("5");
    seed("preferences", "few-entries", few.encode());

    // No sheet widths: the reader puts the nominal ones back.
    Fuzz::PrefState noWidths = defaults;
    noWidths.pref[40] = 0;
    seed("preferences", "no-widths", noWidths.encode());

    Fuzz::PrefState texts = defaults;
    texts.prefS[8] = longJapanese(120);
    texts.prefS[9] = QString(255, QLatin1Char('a'));
    texts.prefS[10] = QStringLiteral("x") + longJapanese(100);
    texts.prefS[50] = QStringLiteral("最後の項目");
    seed("preferences", "long-texts", texts.encode());

    // The older layout: tag "pref" and the integers as decimal texts.
    BinaryWriter old;
    old.writePStringBytes(QByteArrayLiteral("pref"));
    old.writeInt32(51);
    for (int32_t v : defaults.pref)
        old.writePString(QString::number(v));
    old.writeInt32(51);
    for (const QString& s : defaults.prefS)
        old.writePString(s);
    seed("preferences", "old-layout", old.bytes());
}

void anniversarySeeds()
{
    seed("anniversaries", "empty", AnniversaryFile::encode({}));
    seed("anniversaries", "one-every-year",
         AnniversaryFile::encode({Anniversary{int32_t(0), QStringLiteral("5"), QStringLiteral("5"), QStringLiteral("abc")}}));
    // Values as the editor hands them over: an Int32 0, texts, doubles.
    seed("anniversaries", "from-the-editor",
         AnniversaryFile::encode({
             Anniversary{int32_t(0), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("元日")},
             Anniversary{QStringLiteral("2009"), QStringLiteral("12"), QStringLiteral("24"), QString()},
             Anniversary{2011.0, 7.0, QStringLiteral("07"), QStringLiteral("七夕")},
         }));
    seed("anniversaries", "long-texts",
         AnniversaryFile::encode({
             Anniversary{int32_t(0), QStringLiteral("2"), QStringLiteral("3"), longJapanese(100)},
             Anniversary{int32_t(0), QStringLiteral("2"), QStringLiteral("4"), QString(255, QLatin1Char('b'))},
             Anniversary{int32_t(0), QStringLiteral("2"), QStringLiteral("5"), QStringLiteral("y") + longJapanese(100)},
         }));
    AnniversaryList many;
    for (int i = 0; i < 64; ++i)
        many.append(Anniversary{QString::number(2000 + i % 30), QString::number(1 + i % 12), QString::number(1 + i % 28),
                                QStringLiteral("記念日") + QString::number(i)});
    seed("anniversaries", "many-entries", AnniversaryFile::encode(many));
}

QByteArray doubleBytes(double v)
{
    QByteArray b(sizeof v, Qt::Uninitialized);
    std::memcpy(b.data(), &v, sizeof v);
    return b;
}

void datasetSeeds()
{
    const Fuzz::PrefState prefs;
    Dataset fresh;
    DatasetDefaults::initDataset(fresh, prefs.pref, QDate(2009, 4, 1));
    seed("datasets", "defaults", DatasetFile::encode(fresh));

    // A styled sheet on each size, with Japanese font names, sizes as texts
    // and a long picture path.
    for (int size = 0; size < 4; ++size) {
        Dataset styled = fresh;
        styled.setValue(DatasetKey::size, size);
        styled.setValue(DatasetKey::stYY, 2011.0);
        styled.setValue(DatasetKey::stMM, 12.0);
        styled.setValue(DatasetKey::dayFont, QStringLiteral("Noto Sans CJK JP"));
        styled.setValue(DatasetKey::ymFont, QStringLiteral("游明朝"));
        styled.setValue(DatasetKey::dayFsize, QStringLiteral("10.5"));
        styled.setValue(DatasetKey::dowLange, size % 4);
        styled.setValue(DatasetKey::frame, size % 3);
        styled.setValue(DatasetKey::pictPath,
                        size == 0 ? QString() : QStringLiteral("/home/user/写真/") + longJapanese(40 * size) + QStringLiteral(".jpg"));
        seed("datasets", qPrintable(QStringLiteral("size-%1").arg(size)), DatasetFile::encode(styled));
    }

    // The older layouts: "ver:2" without frame, and the oldest without the
    // anniversary keys either.
    const QStringList& keys = DatasetDefaults::storedKeys();
    for (const auto& [tag, fields] : {std::pair<const char*, int>{"ver:2", 34}, {"ver:1", 28}}) {
        BinaryWriter old;
        old.writePStringBytes(QByteArray(tag));
        for (int i = 0; i < fields; ++i) {
            if (keys[i] == DatasetKey::pictPath)
                old.writeLongText(fresh.text(keys[i]));
            else
                old.writePString(fresh.text(keys[i]));
        }
        seed("datasets", qPrintable(QStringLiteral("old-%1").arg(QLatin1String(tag).mid(4))), old.bytes());
    }
}

void pageSetupSeeds()
{
    seed("pagesetup", "empty", PageSetupFile::encode(QString()));
    const struct {
        const char* name;
        const char* printer;
        QPageSize size;
        QPageLayout::Orientation orientation;
        QMarginsF margins;
    } formats[] = {
        {"a4", "", QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18)},
        {"letter-landscape", "Office_Laser", QPageSize(QPageSize::Letter), QPageLayout::Landscape,
         QMarginsF(12.5, 10, 12.5, 10)},
        {"b5-japanese-printer", "事務所のプリンタ", QPageSize(QPageSize::JisB5), QPageLayout::Portrait, QMarginsF()},
        {"custom", "PDF", QPageSize(QSizeF(283.5, 425.25), QPageSize::Point, QString(), QPageSize::ExactMatch),
         QPageLayout::Portrait, QMarginsF(0.5, 1, 1.5, 2)},
    };
    for (const auto& f : formats) {
        PageSetup::PageFormat format;
        format.printerName = QString::fromUtf8(f.printer);
        format.layout = QPageLayout(f.size, f.orientation, f.margins, QPageLayout::Point);
        seed("pagesetup", f.name, PageSetupFile::encode(PageSetup::encode(format)));
    }
}

void recoverySeeds()
{
    const Fuzz::PrefState prefs;
    Dataset design;
    DatasetDefaults::initDataset(design, prefs.pref, QDate(2027, 4, 1));
    const QDateTime when = QDateTime::fromSecsSinceEpoch(1796000000, Qt::UTC);
    seed("recovery", "untitled", RecoveryCopy::encode({QString(), when, QByteArray(), DatasetFile::encode(design)}));
    const QByteArray saved = DatasetFile::encode(design);
    design.setValue(DatasetKey::size, 2);
    seed("recovery", "saved",
         RecoveryCopy::encode({QStringLiteral("/home/user/.local/share/Morvelin/春の") + longJapanese(20), when, saved,
                               DatasetFile::encode(design)}));
}

void conversionSeeds()
{
    // Texts as the program stores numbers, and what a damaged file may hold.
    const char* texts[] = {"2009", "90.5", "12.9", "-0.5", " \t1e3年", "9.0", ".5", "5.", "+7e-2x", "1e400", "-1e-400",
                           "5e-324", "1.7976931348623157e308", "0x10", "２０１１"};
    int i = 0;
    for (const char* t : texts)
        seed("conv", qPrintable(QStringLiteral("text-%1").arg(i++)), QByteArray(t));
    const double values[] = {2009.0,  0.1, -0.5, 12.9, 2147483647.0, 2147483648.0, -2147483649.0, 1e15, 1e300,
                             5e-324, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()};
    i = 0;
    for (double v : values)
        seed("conv", qPrintable(QStringLiteral("double-%1").arg(i++)), doubleBytes(v) + Conv::str(v).toUtf8());
}

void streamSeeds()
{
    // The stream target takes the file from the front and its reads from the
    // back: real files with a few reads after them.
    const Fuzz::PrefState defaults;
    seed("stream", "preferences", defaults.encode() + QByteArray("\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a", 11));
    seed("stream", "anniversaries",
         AnniversaryFile::encode({Anniversary{int32_t(0), QStringLiteral("5"), QStringLiteral("5"), longJapanese(90)}})
             + QByteArray("\x01\x01\x01\x02\x03\x06\x07\x08\x09\x0a", 10));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    g_out = QString::fromLocal8Bit(argv[1]);
    preferenceSeeds();
    anniversarySeeds();
    datasetSeeds();
    pageSetupSeeds();
    recoverySeeds();
    conversionSeeds();
    streamSeeds();
    return g_failures == 0 ? 0 : 1;
}
