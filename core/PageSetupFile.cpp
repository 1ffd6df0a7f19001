#include "core/PageSetupFile.h"

#include "core/SettingsFiles.h"
#include "platform/BinaryStream.h"
#include "platform/FileIO.h"
#include "platform/Folders.h"

namespace PageSetupFile {

namespace {
const QByteArray kTag = QByteArrayLiteral("printSetup");

// A setup text is a few hundred bytes; anything near this is no page setup.
constexpr qint64 kMaxFileBytes = 64 * 1024;
} // namespace

QByteArray encode(const QString& setupString)
{
    BinaryWriter out;
    out.writePStringBytes(kTag);
    out.writeLongBytes(setupString.toUtf8());
    return out.bytes();
}

bool decode(const QByteArray& bytes, QString& setupString)
{
    BinaryReader in(bytes);
    QByteArray tag;
    QByteArray text;
    if (!in.readPString(tag) || !in.readLongBytes(text))
        return false;
    setupString = QString::fromUtf8(text);
    return true;
}

LoadResult load(const QString& settingsFolder, QString& setupString)
{
    if (!Folders::isFolder(settingsFolder))
        return LoadResult::NoFolder;
    QByteArray bytes;
    if (FileIO::readWhole(SettingsFiles::pageSetupFileIn(settingsFolder), bytes, kMaxFileBytes)
        != FileIO::ReadResult::Read)
        return LoadResult::Unreadable;
    return decode(bytes, setupString) ? LoadResult::Loaded : LoadResult::Unreadable;
}

SaveResult save(const QString& settingsFolder, const QString& setupString)
{
    if (!Folders::isFolder(settingsFolder))
        return SaveResult::NoFolder;
    return FileIO::writeWhole(SettingsFiles::pageSetupFileIn(settingsFolder), encode(setupString))
               ? SaveResult::Saved
               : SaveResult::CannotWrite;
}

} // namespace PageSetupFile
