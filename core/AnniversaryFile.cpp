#include "core/AnniversaryFile.h"

#include "core/ProgramPaths.h"
#include "core/SettingsPlace.h"
#include "core/SettingsReadFailure.h"
#include "platform/BinaryStream.h"
#include "platform/Conv.h"

namespace AnniversaryFile {

static_assert(kMaxTextBytes == BinaryWriter::kMaxPString);

namespace {
// Every record takes at least four bytes and becomes an entry of a few
// hundred bytes in memory, so this bound also bounds the list: a file of a
// mebibyte holds tens of thousands of real anniversaries, far more than any
// calendar needs, and no more than a quarter million of the smallest records.
constexpr qint64 kMaxFileBytes = 1024 * 1024;
} // namespace

QString defaultPath() { return ProgramPaths::anniversaryFile(); }

QByteArray encode(const AnniversaryList& list)
{
    BinaryWriter out;
    out.writePStringBytes(QByteArrayLiteral("ver:1"));
    out.writeInt32(static_cast<int32_t>(list.size()) - 1);
    for (const Anniversary& entry : list) {
        out.writePString(Conv::asText(entry.YY), entry.readFrom[0]);
        out.writePString(Conv::asText(entry.MM), entry.readFrom[1]);
        out.writePString(Conv::asText(entry.DD), entry.readFrom[2]);
        out.writePString(Conv::asText(entry.tt), entry.readFrom[3]);
    }
    return out.bytes();
}

bool decode(BinaryReader& in, AnniversaryList& list)
{
    QByteArray tag; // any tag is read by the same layout
    int32_t last = -1;
    if (!in.readPString(tag) || !in.readInt32(last))
        return false;
    // Each record takes at least four bytes, so a count beyond the data ends
    // at the first record that cannot be read whole; nothing is set aside
    // for the count itself.
    for (int64_t i = 0; i <= last; ++i) {
        QString texts[4];
        Anniversary entry;
        for (int k = 0; k < 4; ++k) {
            if (!in.readPString(texts[k], entry.readFrom[k]))
                return false;
        }
        entry.YY = texts[0];
        entry.MM = texts[1];
        entry.DD = texts[2];
        entry.tt = texts[3];
        list.append(std::move(entry));
    }
    return in.atEnd();
}

bool decode(const QByteArray& bytes, AnniversaryList& list)
{
    BinaryReader in(bytes);
    return decode(in, list);
}

LoadResult load(const QString& path, AnniversaryList& list, SettingsFiles::AtStart* atStart)
{
    SettingsFiles::Place read;
    QByteArray bytes;
    LoadResult result = LoadResult::Loaded;
    if (const auto failed = SettingsFiles::readFailure<LoadResult>(path, bytes, kMaxFileBytes, read))
        result = *failed;
    else if (!decode(bytes, list))
        result = LoadResult::Damaged;
    // Whatever the place held, the list as it stands now is what the run
    // has not changed, also when no file or a file that could not be read
    // gave it no entries: an unchanged run leaves such a place alone.
    if (atStart)
        *atStart = SettingsFiles::AtStart{read, result == LoadResult::Loaded, encode(list)};
    return result;
}

SettingsFiles::QuitOutcome saveAtQuit(const QString& path, const AnniversaryList& list, SettingsFiles::AtStart& atStart)
{
    return SettingsFiles::saveAtQuit(path, atStart, encode(list), kMaxFileBytes);
}

} // namespace AnniversaryFile
