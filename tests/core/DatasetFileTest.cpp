#include "core/DatasetFile.h"

#include "core/DatasetDefaults.h"
#include "core/Globals.h"
#include "core/Preferences.h"
#include "platform/BinaryStream.h"
#include "platform/Conv.h"
#include "platform/FileIO.h"

#include "support/TestFiles.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <gtest/gtest.h>

#include <array>

namespace {

using Pref = std::array<int32_t, 51>;

// The preferences of a first start: the built-in palette's default colours.
Pref startUpPref()
{
    Preferences::Palette clr;
    Preferences::initColor(clr);
    Preferences::IntPrefs pref{};
    Preferences::TextPrefs prefS{};
    Preferences::initPref(pref, prefS, clr, {900, 1300, 1190, 1200});
    return pref;
}

Dataset march2009()
{
    Dataset d;
    DatasetDefaults::initDataset(d, startUpPref(), QDate(2009, 3, 15));
    return d;
}

QByteArray pstring(const QByteArray& text)
{
    return char(text.size()) + text;
}

QImage noPicture(const QString&) { return QImage(); }

// A dataset that a failed read must leave exactly as it is.
Dataset sentinel()
{
    Dataset d;
    d.setValue(QStringLiteral("stYY"), QStringLiteral("1999"));
    d.setValue(QStringLiteral("size"), int32_t(2));
    return d;
}

void expectSentinel(const Dataset& d, const char* what)
{
    EXPECT_EQ(d.keys().size(), 2) << what;
    EXPECT_EQ(d.text(QStringLiteral("stYY")), QStringLiteral("1999")) << what;
    EXPECT_EQ(d.i32(QStringLiteral("size")), 2) << what;
}

// The bytes of a file of the given tag, with its first `fields` fields
// taken from an encoded dataset.
QByteArray withLayout(const QByteArray& tag, const QByteArray& newest, int fields)
{
    BinaryReader in(newest);
    QByteArray skipped;
    in.readPString(skipped);
    BinaryWriter out;
    out.writePStringBytes(tag);
    const QStringList& keys = DatasetDefaults::storedKeys();
    for (int i = 0; i < fields; ++i) {
        QByteArray value;
        if (keys[i] == QLatin1String("pictPath")) {
            in.readLongBytes(value);
            out.writeLongBytes(value);
        } else {
            in.readPString(value);
            out.writePStringBytes(value);
        }
    }
    return out.bytes();
}

QString folderFor(const char* name)
{
    const QString path = QDir(TestEnv::home()).filePath(QLatin1String(name));
    QDir(path).removeRecursively();
    QDir().mkpath(path);
    return path;
}


// ---- Layout ----

TEST(DatasetFileLayout, ADefaultDatasetOfMarch2009IsTheDocumentedBytes)
{
    const QByteArray head = QByteArrayLiteral("\x05ver:3" "\x04" "2009" "\x01" "3" "\x01" "0" "\x01" "0" "\x01" "0")
                            + QByteArray(4, '\0') + QByteArrayLiteral("\x01" "0");
    // The colours of a first start: 0x9A9A9A, 0xFF6464, 0x9A9ADD, 0xBFBFBF,
    // 0x3FBF3F and 0xFFEBFF as decimal digits.
    const QByteArrayList rest = {
        "0",        "0",        "0",        "2",        "1",  "osaka",    "9",        "10132122", "16737380",
        "10132189", "16737380", "osaka",    "10",       "10132122", "osaka", "12",  "10132122", "osaka",
        "7",        "10132122", "12566463", "0",        "4177727",  "osaka", "7",   "10132122", "16772095",
        "0",
    };
    QByteArray expected = head;
    for (const QByteArray& text : rest)
        expected += pstring(text);

    const QByteArray bytes = DatasetFile::encode(march2009());
    EXPECT_EQ(bytes.left(head.size()).toHex(' '), head.toHex(' '));
    EXPECT_EQ(bytes.toHex(' '), expected.toHex(' '));
    EXPECT_EQ(bytes.size(), 179);
    // Saving twice writes the same bytes.
    EXPECT_EQ(DatasetFile::encode(march2009()), bytes);
}

TEST(DatasetFileLayout, EveryKeyComesBackAsTheTextThatWasWritten)
{
    // Each key holds a value of another kind than its default, as an edit or
    // a load leaves it; the value read back is its text.
    Dataset d = march2009();
    int n = 0;
    for (const QString& key : DatasetDefaults::storedKeys()) {
        ++n;
        switch (n % 3) {
        case 0:
            d.setValue(key, int32_t(n));
            break;
        case 1:
            d.setValue(key, double(2000 + n));
            break;
        default:
            d.setValue(key, QStringLiteral("値%1").arg(n));
            break;
        }
    }
    d.setValue(QStringLiteral("size"), double(3));
    d.setValue(QStringLiteral("dayColorN"), int32_t(0x9A9A9A));
    d.setValue(QStringLiteral("pictPath"), QStringLiteral("/写真/背景.png"));

    QStringList askedFor;
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::red);
    Dataset back;
    ASSERT_TRUE(DatasetFile::decode(DatasetFile::encode(d), back, startUpPref(), [&](const QString& path) {
        askedFor << path;
        return picture;
    }));
    for (const QString& key : DatasetDefaults::storedKeys()) {
        EXPECT_EQ(back.value(key).typeId(), QMetaType::QString) << qPrintable(key);
        EXPECT_EQ(back.text(key), d.text(key)) << qPrintable(key);
    }
    EXPECT_EQ(back.text(QStringLiteral("stYY")), QStringLiteral("2001"));
    EXPECT_EQ(back.text(QStringLiteral("size")), QStringLiteral("3"));
    EXPECT_EQ(back.i32(QStringLiteral("dayColorN")), 0x9A9A9A);
    EXPECT_EQ(askedFor, QStringList{QStringLiteral("/写真/背景.png")});
    EXPECT_EQ(back.pict().size(), QSize(4, 3));
    EXPECT_EQ(back.keys().size(), 36);
}

TEST(DatasetFileLayout, APictureHasNoneWhenThePathIsEmpty)
{
    Dataset back;
    ASSERT_TRUE(DatasetFile::decode(DatasetFile::encode(march2009()), back, startUpPref(), noPicture));
    EXPECT_EQ(back.text(QStringLiteral("pictPath")), QString());
    EXPECT_TRUE(back.pict().isNull());
    EXPECT_TRUE(back.contains(QStringLiteral("pict")));
}

TEST(DatasetFileLayout, APicturePathOver255BytesIsStoredWhole)
{
    Dataset d = march2009();
    QString path = QStringLiteral("/home/ユーザー");
    while (path.toUtf8().size() <= 400)
        path += QStringLiteral("/とても長いフォルダ名");
    path += QStringLiteral("/背景.jpg");
    d.setValue(QStringLiteral("pictPath"), path);
    const QByteArray bytes = DatasetFile::encode(d);
    const QByteArray utf8 = path.toUtf8();
    EXPECT_EQ(bytes.size(), 179 + utf8.size());
    EXPECT_NE(bytes.indexOf(utf8), -1);

    Dataset back;
    ASSERT_TRUE(DatasetFile::decode(bytes, back, startUpPref(), noPicture));
    EXPECT_EQ(back.text(QStringLiteral("pictPath")), path);
    EXPECT_EQ(back.text(QStringLiteral("extra")), QStringLiteral("0"));
}

// A dataset file whose values for some keys are replaced by raw bytes.
QByteArray withValues(const QByteArray& newest, const QHash<QString, QByteArray>& replaced)
{
    BinaryReader in(newest);
    QByteArray tag;
    in.readPString(tag);
    BinaryWriter out;
    out.writePStringBytes(tag);
    for (const QString& key : DatasetDefaults::storedKeys()) {
        QByteArray value;
        const bool longText = key == QLatin1String("pictPath");
        longText ? in.readLongBytes(value) : in.readPString(value);
        value = replaced.value(key, value);
        longText ? out.writeLongBytes(value) : out.writePStringBytes(value);
    }
    return out.bytes();
}

TEST(DatasetFileLayout, ValuesThatAreNoUtf8GoBackByteForByteUntilEdited)
{
    // "ＭＳ 明朝" in Shift_JIS as the day font, as an older tool may have left
    // it, and a 254-byte Shift_JIS text, whose stand-in characters would not
    // fit a PString, as the title font.
    const QByteArray sjisFont = QByteArray::fromHex("826c827220" "96be92a9");
    const QByteArray longSjis = QByteArray::fromHex("82a0").repeated(127);
    const QByteArray file = withValues(DatasetFile::encode(march2009()),
                                       {{QStringLiteral("dayFont"), sjisFont}, {QStringLiteral("ymFont"), longSjis}});

    Dataset read;
    ASSERT_TRUE(DatasetFile::decode(file, read, startUpPref(), noPicture));
    EXPECT_EQ(read.text(QStringLiteral("dayFont")), QString::fromUtf8(sjisFont)); // what the user sees of it
    EXPECT_EQ(DatasetFile::encode(read).toHex().toStdString(), file.toHex().toStdString());

    // Only the edited value changes; the other keeps its bytes.
    read.setValue(QStringLiteral("dayFont"), QStringLiteral("游ゴシック"));
    const QByteArray edited = DatasetFile::encode(read);
    Dataset back;
    ASSERT_TRUE(DatasetFile::decode(edited, back, startUpPref(), noPicture));
    EXPECT_EQ(back.text(QStringLiteral("dayFont")), QStringLiteral("游ゴシック"));
    EXPECT_EQ(edited.toHex().toStdString(),
              withValues(file, {{QStringLiteral("dayFont"), QStringLiteral("游ゴシック").toUtf8()}}).toHex().toStdString());
    EXPECT_EQ(DatasetFile::encode(back), edited);
}

TEST(DatasetFileLayout, OlderLayoutsGetTheDefaultsOfTheTimeOfTheLoad)
{
    Dataset d = march2009();
    const QStringList added = {QStringLiteral("annName"), QStringLiteral("dayColorA"), QStringLiteral("annFont"),
                               QStringLiteral("annFsize"), QStringLiteral("annColor"), QStringLiteral("annBkClr"),
                               QStringLiteral("frame")};
    for (const QString& key : added)
        d.setValue(key, QStringLiteral("3"));
    d.setValue(QStringLiteral("lineColor"), int32_t(0x123456));
    const QByteArray newest = DatasetFile::encode(d);

    // The preferences have changed since the file was saved.
    Pref now = startUpPref();
    now[28] = 0x010203;
    now[29] = 0x040506;
    now[30] = 0x070809;

    const struct {
        const char* tag;
        int fields;
        bool hasAnniversaries;
    } layouts[] = {
        {"ver:2", 34, true},
        {"ver:1", 28, false},
        {"ver:4", 28, false}, // a version this program does not know reads as the oldest
        {"VER:3", 28, false}, // the tags are compared exactly
    };
    for (const auto& l : layouts) {
        // Bytes after the layout do not count.
        const QByteArray bytes = withLayout(l.tag, newest, l.fields) + QByteArrayLiteral("\x01" "2");
        Dataset back;
        ASSERT_TRUE(DatasetFile::decode(bytes, back, now, noPicture)) << l.tag;
        EXPECT_EQ(back.keys().size(), 36) << l.tag;
        EXPECT_EQ(back.i32(QStringLiteral("lineColor")), 0x123456) << l.tag;
        EXPECT_EQ(back.i32(QStringLiteral("frame")), 0) << l.tag;
        if (l.hasAnniversaries) {
            EXPECT_EQ(back.text(QStringLiteral("annName")), QStringLiteral("3")) << l.tag;
            EXPECT_EQ(back.text(QStringLiteral("annBkClr")), QStringLiteral("3")) << l.tag;
        } else {
            EXPECT_EQ(back.i32(QStringLiteral("annName")), 0) << l.tag;
            EXPECT_EQ(back.text(QStringLiteral("annFont")), QStringLiteral("osaka")) << l.tag;
            EXPECT_EQ(back.i32(QStringLiteral("annFsize")), 7) << l.tag;
            EXPECT_EQ(back.i32(QStringLiteral("dayColorA")), 0x010203) << l.tag;
            EXPECT_EQ(back.i32(QStringLiteral("annColor")), 0x040506) << l.tag;
            EXPECT_EQ(back.i32(QStringLiteral("annBkClr")), 0x070809) << l.tag;
        }
    }
}

// ---- Damaged files change nothing ----

TEST(DatasetFileDamage, AFileCutAtAnyByteIsRefused)
{
    Dataset d = march2009();
    d.setValue(QStringLiteral("pictPath"), QStringLiteral("/pictures/back.png"));
    const struct {
        const char* layout;
        QByteArray bytes;
    } files[] = {
        {"ver:3", DatasetFile::encode(d)},
        {"ver:2", withLayout("ver:2", DatasetFile::encode(d), 34)},
        {"oldest", withLayout("ver:1", DatasetFile::encode(d), 28)},
    };
    for (const auto& f : files) {
        int pictures = 0;
        const auto countPictures = [&](const QString&) {
            ++pictures;
            return QImage();
        };
        for (qsizetype n = 0; n < f.bytes.size(); ++n) {
            Dataset out = sentinel();
            EXPECT_FALSE(DatasetFile::decode(f.bytes.left(n), out, startUpPref(), countPictures))
                << f.layout << " cut at " << n;
            expectSentinel(out, f.layout);
        }
        // No picture is read for a file that is refused.
        EXPECT_EQ(pictures, 0) << f.layout;
        Dataset whole = sentinel();
        EXPECT_TRUE(DatasetFile::decode(f.bytes, whole, startUpPref(), countPictures)) << f.layout;
        EXPECT_EQ(pictures, 1) << f.layout;
    }
}

TEST(DatasetFileDamage, BadCountsAndSheetSizesAreRefused)
{
    const QByteArray good = DatasetFile::encode(march2009());
    // The picture path's count sits after the tag and five one-digit fields.
    const qsizetype countAt = 6 + 5 + 4 * 2;
    ASSERT_EQ(good.mid(countAt, 4), QByteArray(4, '\0'));
    const auto withCount = [&](const QByteArray& count) {
        QByteArray b = good;
        b.replace(countAt, 4, count);
        return b;
    };
    const auto withSize = [&](const QByteArray& size) {
        Dataset d = march2009();
        d.setValue(QStringLiteral("size"), QString::fromLatin1(size));
        return DatasetFile::encode(d);
    };
    const struct {
        const char* what;
        QByteArray bytes;
    } damaged[] = {
        {"count past the end", withCount(QByteArray::fromHex("000000b0"))},
        {"count of 2^31-1", withCount(QByteArray::fromHex("7fffffff"))},
        {"negative count", withCount(QByteArray::fromHex("ffffffff"))},
        {"size 7", withSize("7")},
        {"size 4", withSize("4")},
        {"size -1", withSize("-1")},
        {"empty file", QByteArray()},
    };
    for (const auto& c : damaged) {
        Dataset out = sentinel();
        EXPECT_FALSE(DatasetFile::decode(c.bytes, out, startUpPref(), noPicture)) << c.what;
        expectSentinel(out, c.what);
    }
    for (const char* size : {"0", "3"}) {
        Dataset out;
        EXPECT_TRUE(DatasetFile::decode(withSize(size), out, startUpPref(), noPicture)) << size;
    }
}

// ---- Files ----

TEST(DatasetFileOnDisk, SaveWritesTheBytesAndLoadReadsThemBack)
{
    const QString folder = folderFor("save-load");
    const QString path = QDir(folder).filePath(QStringLiteral("春のカレンダー"));
    Dataset d = march2009();
    d.setValue(QStringLiteral("size"), int32_t(1));
    ASSERT_TRUE(DatasetFile::save(path, d));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), DatasetFile::encode(d));
    EXPECT_TRUE(DatasetFile::isDatasetFile(path));
    // A design is the user's own, like the settings.
    EXPECT_EQ(QFileInfo(path).permissions() & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser),
              QFileDevice::Permissions());

    Dataset back;
    EXPECT_EQ(DatasetFile::load(path, back, startUpPref(), noPicture), DatasetFile::LoadResult::Loaded);
    EXPECT_EQ(back.text(QStringLiteral("size")), QStringLiteral("1"));
}

TEST(DatasetFileOnDisk, WhatIsNoReadableDatasetFileChangesNothing)
{
    const QString folder = folderFor("refused");
    const QDir dir(folder);
    QDir().mkpath(dir.filePath(QStringLiteral("a folder")));
    TestFiles::plant(dir.filePath(QStringLiteral("notes.txt")), "ver:3 is not a PString here");
    TestFiles::plant(dir.filePath(QStringLiteral("pref")), Preferences::encode(startUpPref(), {}));
    TestFiles::plant(dir.filePath(QStringLiteral("empty")), QByteArray());
    QByteArray cut = DatasetFile::encode(march2009());
    cut.chop(1);
    TestFiles::plant(dir.filePath(QStringLiteral("cut")), cut);

    const struct {
        const char* name;
        DatasetFile::LoadResult result;
    } cases[] = {
        {"missing", DatasetFile::LoadResult::Missing},
        {"a folder", DatasetFile::LoadResult::CannotOpen},
        {"notes.txt", DatasetFile::LoadResult::NotDataset},
        {"pref", DatasetFile::LoadResult::NotDataset}, // the preferences are no dataset
        {"empty", DatasetFile::LoadResult::NotDataset},
        {"cut", DatasetFile::LoadResult::Damaged},
    };
    for (const auto& c : cases) {
        Dataset out = sentinel();
        EXPECT_EQ(DatasetFile::load(dir.filePath(QLatin1String(c.name)), out, startUpPref(), noPicture), c.result)
            << c.name;
        expectSentinel(out, c.name);
    }
}

TEST(DatasetFileOnDisk, AFailedSaveKeepsTheOldFile)
{
    const QString folder = folderFor("failed-save");
    const QDir dir(folder);
    QDir().mkpath(dir.filePath(QStringLiteral("taken")));
    Dataset d = march2009();
    EXPECT_FALSE(DatasetFile::save(dir.filePath(QStringLiteral("taken")), d));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("taken"))).isDir());
    EXPECT_FALSE(DatasetFile::save(dir.filePath(QStringLiteral("no such folder/name")), d));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("no such folder"))));
}

TEST(DatasetFileOnDisk, AFileIsAsLeftWhileItHoldsTheBytesReadOrWritten)
{
    const QDir dir(folderFor("as-left"));
    const QString path = dir.filePath(QStringLiteral("a"));
    QByteArray written;
    ASSERT_TRUE(DatasetFile::save(path, march2009(), &written));
    EXPECT_EQ(written, DatasetFile::encode(march2009()));
    Dataset back;
    QByteArray read;
    ASSERT_EQ(DatasetFile::load(path, back, startUpPref(), noPicture, &read), DatasetFile::LoadResult::Loaded);
    EXPECT_EQ(read, written);

    Dataset other = march2009();
    other.setValue(QStringLiteral("size"), int32_t(2));
    QDir().mkpath(dir.filePath(QStringLiteral("a folder")));
    TestFiles::plant(dir.filePath(QStringLiteral("other")), DatasetFile::encode(other));
    TestFiles::plant(dir.filePath(QStringLiteral("huge")), QByteArray(FileIO::kMaxSettingsFileBytes + 1, 'x'));
    const struct {
        const char* name;
        DatasetFile::OnDisk state;
    } cases[] = {
        {"a", DatasetFile::OnDisk::AsLeft},
        {"other", DatasetFile::OnDisk::ChangedElsewhere},
        {"huge", DatasetFile::OnDisk::ChangedElsewhere},
        {"missing", DatasetFile::OnDisk::Gone},
        {"a folder", DatasetFile::OnDisk::NoFile},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DatasetFile::onDisk(dir.filePath(QLatin1String(c.name)), written), c.state) << c.name;
}

TEST(DatasetFileListing, AFileHasANameInTheFolderThatHoldsItItself)
{
    const QString folder = folderFor("named");
    const QDir dir(folder);
    QDir().mkpath(dir.filePath(QStringLiteral("inner")));
    const QString link = QDir(TestEnv::home()).filePath(QStringLiteral("named-link"));
    QFile::remove(link);
    ASSERT_TRUE(QFile::link(folder, link));
    const struct {
        QString path;
        QString name;
    } cases[] = {
        {dir.filePath(QStringLiteral("春")), QStringLiteral("春")},
        {dir.filePath(QStringLiteral("inner/../春")), QStringLiteral("春")},
        {QDir(link).filePath(QStringLiteral("春")), QStringLiteral("春")}, // the folder through a link
        {dir.filePath(QStringLiteral("inner/春")), QString()},
        {QDir(TestEnv::home()).filePath(QStringLiteral("春")), QString()},
        {QString(), QString()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DatasetFile::nameInFolder(folder, c.path), c.name) << qPrintable(c.path);
    EXPECT_EQ(DatasetFile::nameInFolder(QString(), dir.filePath(QStringLiteral("春"))), QString());
    QFile::remove(link);
}

// ---- Listing ----

TEST(DatasetFileListing, OnlyVisibleRegularDatasetFilesAreListed)
{
    const QString folder = folderFor("listing");
    const QDir dir(folder);
    const QByteArray dataset = DatasetFile::encode(march2009());
    TestFiles::plant(dir.filePath(QStringLiteral("冬")), dataset);
    TestFiles::plant(dir.filePath(QStringLiteral("Summer")), dataset);
    TestFiles::plant(dir.filePath(QStringLiteral("old one")), withLayout("ver:1", dataset, 28));
    TestFiles::plant(dir.filePath(QStringLiteral(".hidden")), dataset);
    TestFiles::plant(dir.filePath(QStringLiteral("photo.png")), "\x89PNG\r\n\x1a\n");
    TestFiles::plant(dir.filePath(QStringLiteral("pref")), Preferences::encode(startUpPref(), {}));
    TestFiles::plant(dir.filePath(QStringLiteral("empty")), QByteArray());
    QDir().mkpath(dir.filePath(QStringLiteral("folder")));
    TestFiles::plant(dir.filePath(QStringLiteral("folder/inside")), dataset);
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("冬")), dir.filePath(QStringLiteral("link"))));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("folder")), dir.filePath(QStringLiteral("folder link"))));

    const QLocale ja(QLocale::Japanese, QLocale::Japan);
    EXPECT_EQ(DatasetFile::listNames(folder, ja),
              (QStringList{QStringLiteral("old one"), QStringLiteral("Summer"), QStringLiteral("冬")}));
    EXPECT_TRUE(DatasetFile::listNames(dir.filePath(QStringLiteral("missing")), ja).isEmpty());
}

TEST(DatasetFileListing, NamesAreSortedAsAFileManagerShowsThem)
{
    const struct {
        const char* locale;
        QStringList shuffled;
        QStringList sorted;
    } cases[] = {
        {"ja_JP",
         {"カレンダー", "b", "a10", "2010年", "A2", "a9", "あき", "Apple"},
         {"2010年", "A2", "a9", "a10", "Apple", "b", "あき", "カレンダー"}},
        // The C locale of a bare session still sorts by the alphabet and by numbers.
        {"C", {"b", "a10", "B", "a9"}, {"a9", "a10", "b", "B"}},
        // Names equal to the collation keep one fixed order.
        {"en_US", {"a1", "a01", "A1"}, {"a01", "a1", "A1"}},
    };
    for (const auto& c : cases) {
        QStringList names = c.shuffled;
        DatasetFile::sortNames(names, QLocale(QLatin1String(c.locale)));
        EXPECT_EQ(names, c.sorted) << c.locale;
        QStringList reversed(c.shuffled.rbegin(), c.shuffled.rend());
        DatasetFile::sortNames(reversed, QLocale(QLatin1String(c.locale)));
        EXPECT_EQ(reversed, c.sorted) << c.locale << " (reversed input)";
    }
}

} // namespace
