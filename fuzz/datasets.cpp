// The DatasetFile reader. The input is a dataset file; it is read over the
// design on screen, from memory and through the loading road, and what it
// gave is written and read again.

#include "FuzzSupport.h"

#include "core/DatasetDefaults.h"
#include "core/DatasetFile.h"
#include "core/DatasetKeys.h"
#include "platform/BinaryStream.h"

#include <QDir>
#include <QImage>

namespace {

// The picture of a stored path, without opening anything the input names: a
// tiny picture that tells the paths apart.
QImage pictureFor(const QString& path)
{
    if (path.isEmpty())
        return QImage();
    QImage image(1, 1, QImage::Format_RGB32);
    image.fill(static_cast<uint>(qHash(path)) & 0xFFFFFFu);
    return image;
}

bool sameDataset(const Dataset& a, const Dataset& b)
{
    for (const QString& key : DatasetDefaults::allKeys()) {
        if (a.contains(key) != b.contains(key) || a.value(key) != b.value(key))
            return false;
    }
    return a.keys().size() == b.keys().size();
}

// The stored values a file holds in its layout, raw, walked by the layout
// alone; the tag first.
QList<QByteArray> storedValues(const QByteArray& file, qsizetype fields)
{
    BinaryReader in(file);
    QList<QByteArray> values;
    QByteArray tag;
    if (!in.readPString(tag))
        return values;
    values << tag;
    const QStringList& keys = DatasetDefaults::storedKeys();
    for (qsizetype i = 0; i < fields; ++i) {
        QByteArray v;
        if (!(keys[i] == DatasetKey::pictPath ? in.readLongBytes(v) : in.readPString(v)))
            break;
        values << v;
    }
    return values;
}

qsizetype fieldsFor(const QByteArray& tag)
{
    if (tag == "ver:3")
        return 35;
    return tag == "ver:2" ? 34 : 28;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray file = Fuzz::bytes(data, size);
    const Fuzz::PrefState prefs;
    Dataset onScreen;
    DatasetDefaults::initDataset(onScreen, prefs.pref, QDate(2009, 4, 1));

    Dataset read = onScreen;
    QStringList asked;
    const auto loader = [&asked](const QString& path) {
        asked << path;
        return pictureFor(path);
    };
    const bool ok = DatasetFile::decode(file, read, prefs.pref, loader);

    // The loading road: only files that begin as dataset files, read the same.
    static const QString path = QDir(Fuzz::scratchFolder()).filePath(QStringLiteral("dataset"));
    Fuzz::putFile(path, file);
    Dataset loaded = onScreen;
    const DatasetFile::LoadResult result = DatasetFile::load(path, loaded, prefs.pref, pictureFor);
    if (!DatasetFile::isDatasetContent(file)) {
        FUZZ_CHECK(result == DatasetFile::LoadResult::NotDataset);
        FUZZ_CHECK(sameDataset(loaded, onScreen));
        FUZZ_CHECK(!file.startsWith(QByteArray("\x05ver:3")) && !file.startsWith(QByteArray("\x05ver:2")));
    } else {
        FUZZ_CHECK(result == (ok ? DatasetFile::LoadResult::Loaded : DatasetFile::LoadResult::Damaged));
        FUZZ_CHECK(sameDataset(loaded, read));
    }

    if (!ok) {
        // A damaged file leaves the design on screen as it was and loads no picture.
        FUZZ_CHECK(sameDataset(read, onScreen));
        FUZZ_CHECK(asked.isEmpty());
        return 0;
    }
    // What was accepted is a whole design on one of the four sheet sizes, its
    // picture the one its path names.
    for (const QString& key : DatasetDefaults::storedKeys())
        FUZZ_CHECK(read.contains(key));
    FUZZ_CHECK(read.i32(DatasetKey::size) >= 0 && read.i32(DatasetKey::size) <= 3);
    FUZZ_CHECK(asked == QStringList{read.text(DatasetKey::pictPath)});
    FUZZ_CHECK(read.pict() == pictureFor(read.text(DatasetKey::pictPath)));

    // Written and read again into an empty dataset, it is the same design;
    // the second writing gives the same bytes as the first.
    const QByteArray written = DatasetFile::encode(read);
    Dataset again;
    FUZZ_CHECK(DatasetFile::decode(written, again, prefs.pref, pictureFor));
    for (const QString& key : DatasetDefaults::storedKeys())
        FUZZ_CHECK(again.text(key) == read.text(key));
    FUZZ_CHECK(again.pict() == read.pict());
    FUZZ_CHECK(DatasetFile::encode(again) == written);

    // The values the file held go out as the bytes they came in as, UTF-8 or
    // not, in the newest layout whatever the file's.
    const QList<QByteArray> before = storedValues(file, fieldsFor(file.mid(1, static_cast<unsigned char>(file[0]))));
    const QList<QByteArray> after = storedValues(written, 35);
    FUZZ_CHECK(after.size() == 36 && after[0] == "ver:3");
    for (qsizetype i = 1; i < before.size(); ++i)
        FUZZ_CHECK(after[i] == before[i]);
    // So a file in the newest layout comes out byte for byte.
    if (file.startsWith(QByteArray("\x05ver:3")) && file.size() == written.size())
        FUZZ_CHECK(written == file);

    // An edited font name is cut at a character; the picture path, which
    // holds any length, is never cut.
    Dataset edited = read;
    edited.setValue(DatasetKey::dayFont, read.text(DatasetKey::dayFont) + Fuzz::longEdit());
    edited.setValue(DatasetKey::pictPath, read.text(DatasetKey::pictPath) + Fuzz::longEdit());
    const QList<QByteArray> editedValues = storedValues(DatasetFile::encode(edited), 35);
    const QStringList& keys = DatasetDefaults::storedKeys();
    FUZZ_CHECK(editedValues.size() == 36);
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const QByteArray& v = editedValues[i + 1];
        if (keys[i] == DatasetKey::dayFont)
            FUZZ_CHECK(Fuzz::cutAtCharacter(edited.text(keys[i]), v));
        else if (keys[i] == DatasetKey::pictPath)
            FUZZ_CHECK(v == edited.text(DatasetKey::pictPath).toUtf8());
        else
            FUZZ_CHECK(v == after[i + 1]);
    }
    return 0;
}
