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

LoadResult load(const QString& settingsFolder, QString& setupString, SettingsFiles::Seen* seen)
{
    SettingsFiles::Seen found;
    if (!Folders::isFolder(settingsFolder)) {
        if (seen)
            *seen = found;
        return LoadResult::NoFolder;
    }
    QByteArray bytes;
    int error = 0;
    const FileIO::ReadResult read
        = FileIO::readWhole(SettingsFiles::pageSetupFileIn(settingsFolder), bytes, kMaxFileBytes, &error);
    found = SettingsFiles::seenOf(read, bytes, error);
    LoadResult result = LoadResult::Unreadable;
    if (found.kind == SettingsFiles::Seen::Kind::Missing)
        result = LoadResult::NoFile;
    else if (found.kind == SettingsFiles::Seen::Kind::Read && decode(bytes, setupString))
        result = LoadResult::Loaded;
    found.sound = result == LoadResult::Loaded;
    if (seen)
        *seen = found;
    return result;
}

SettingsFiles::QuitOutcome saveAtQuit(const QString& settingsFolder, const std::optional<QString>& setupString,
                                      SettingsFiles::Seen& atStart)
{
    if (!setupString)
        return {};
    return SettingsFiles::saveAtQuit(SettingsFiles::pageSetupFileIn(settingsFolder), atStart, encode(*setupString),
                                     kMaxFileBytes);
}

} // namespace PageSetupFile
