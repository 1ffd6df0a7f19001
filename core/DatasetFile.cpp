#include "core/DatasetFile.h"

#include "core/DatasetDefaults.h"
#include "core/DatasetKeys.h"
#include "platform/BinaryStream.h"
#include "platform/Conv.h"
#include "platform/FileIO.h"
#include "platform/FileTypes.h"
#include "platform/Folders.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace DatasetFile {

namespace {

const QByteArray kTag = QByteArrayLiteral("ver:3");
const QByteArray kSecondTag = QByteArrayLiteral("ver:2");

// Fields in every layout: stYY .. lineColor; "ver:2" adds annName .. annBkClr,
// "ver:3" adds frame.
constexpr qsizetype kOldestFields = 28;
constexpr qsizetype kSecondFields = 34;
constexpr qsizetype kNewestFields = 35;

// A value as read: its text, or, when its bytes are no UTF-8, the bytes
// themselves. They read as the same text through Conv, and a value nobody
// edited goes back to the file unchanged instead of as stand-in characters
// (which would not even fit a PString again).
QVariant storedText(const QByteArray& bytes)
{
    const QString text = QString::fromUtf8(bytes);
    if (text.toUtf8() == bytes)
        return text;
    return bytes;
}

} // namespace

QByteArray encode(const Dataset& dataset)
{
    BinaryWriter out;
    out.writePStringBytes(kTag);
    for (const QString& key : DatasetDefaults::storedKeys()) {
        // A value read as bytes that are no UTF-8 goes back as those bytes.
        const QVariant value = dataset.value(key);
        const QByteArray bytes =
            value.typeId() == QMetaType::QByteArray ? value.toByteArray() : dataset.text(key).toUtf8();
        // The picture path alone may be longer than a PString holds.
        if (key == DatasetKey::pictPath)
            out.writeLongBytes(bytes);
        else
            out.writePStringBytes(bytes);
    }
    return out.bytes();
}

bool decode(const QByteArray& bytes, Dataset& out, const std::array<int32_t, 51>& pref,
            const PictureLoader& loadPicture)
{
    BinaryReader in(bytes);
    QByteArray tag;
    if (!in.readPString(tag))
        return false;
    const bool newest = tag == kTag;
    const bool second = newest || tag == kSecondTag;
    const qsizetype fields = newest ? kNewestFields : second ? kSecondFields : kOldestFields;

    // Read into a dataset of its own: a file that turns out to be damaged
    // must not leave half of itself in the current design.
    Dataset read;
    const QStringList& keys = DatasetDefaults::storedKeys();
    for (qsizetype i = 0; i < fields; ++i) {
        QByteArray value;
        const bool ok = keys[i] == DatasetKey::pictPath ? in.readLongBytes(value) : in.readPString(value);
        if (!ok)
            return false;
        read.setValue(keys[i], storedText(value));
    }
    // Only the four sheet sizes have a preview, a grid and a page layout.
    const int32_t size = read.i32(DatasetKey::size);
    if (size < 0 || size >= kSheetSizeCount)
        return false;
    if (!second)
        DatasetDefaults::initDataset2(read, pref);
    if (!newest)
        DatasetDefaults::initDataset3(read);
    read.setPict(loadPicture ? loadPicture(read.text(DatasetKey::pictPath)) : QImage());
    out = std::move(read);
    return true;
}

bool isDatasetContent(const QByteArray& head)
{
    return FileTypes::startsWithProgramTag(head) && head.mid(1, 4) == "ver:";
}

bool isDatasetFile(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || info.isSymLink() || !info.isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // A tag is a PString: its length byte and at most 255 bytes.
    return isDatasetContent(file.read(1 + BinaryWriter::kMaxPString));
}

LoadResult load(const QString& path, Dataset& out, const std::array<int32_t, 51>& pref,
                const PictureLoader& loadPicture, QByteArray* bytesRead)
{
    QByteArray bytes;
    switch (FileIO::readWhole(path, bytes)) {
    case FileIO::ReadResult::Read:
        break;
    case FileIO::ReadResult::Missing:
        return LoadResult::Missing;
    case FileIO::ReadResult::CannotOpen:
    case FileIO::ReadResult::TooLarge:
        return LoadResult::CannotOpen;
    }
    if (!isDatasetContent(bytes))
        return LoadResult::NotDataset;
    if (!decode(bytes, out, pref, loadPicture))
        return LoadResult::Damaged;
    if (bytesRead)
        *bytesRead = bytes;
    return LoadResult::Loaded;
}

bool save(const QString& path, const Dataset& dataset, QByteArray* written)
{
    const QByteArray bytes = encode(dataset);
    if (!FileIO::writeWhole(path, bytes))
        return false;
    if (written)
        *written = bytes;
    return true;
}

OnDisk onDisk(const QString& path, const QByteArray& left)
{
    QByteArray now;
    switch (FileIO::readWhole(path, now)) {
    case FileIO::ReadResult::Read:
        return now == left ? OnDisk::AsLeft : OnDisk::ChangedElsewhere;
    case FileIO::ReadResult::Missing:
        return OnDisk::Gone;
    case FileIO::ReadResult::TooLarge:
        return OnDisk::ChangedElsewhere;
    case FileIO::ReadResult::CannotOpen:
        break;
    }
    return FileIO::isRegularFile(path) ? OnDisk::ChangedElsewhere : OnDisk::NoFile;
}

QString nameInFolder(const QString& folder, const QString& path)
{
    if (folder.isEmpty() || path.isEmpty())
        return QString();
    const QFileInfo file(path);
    // QDir compares the folders' canonical paths where they exist, so a path
    // through a link to the datasets folder still lies in it.
    return file.dir() == QDir(folder) ? file.fileName() : QString();
}

void sortNames(QStringList& names, const QLocale& locale)
{
    // The C locale collates by code point and knows no numbers; a file
    // manager there still sorts by the alphabet, as English does.
    const QLocale collated = locale.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates)
                                                             : locale;
    QCollator collator(collated);
    collator.setNumericMode(true);
    std::stable_sort(names.begin(), names.end(), [&collator](const QString& a, const QString& b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
}

QStringList listNames(const QString& folder, const QLocale& locale)
{
    QStringList names;
    for (const Folders::Item& item : Folders::items(folder)) {
        if (item.visible && !item.alias && !item.directory && item.macType == FileTypes::prefFile().macType &&
            isDatasetFile(item.path))
            names.append(item.name);
    }
    sortNames(names, locale);
    return names;
}

} // namespace DatasetFile
