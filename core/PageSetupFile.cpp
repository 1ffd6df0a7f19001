#include "core/PageSetupFile.h"

#include "core/PageSetup.h"
#include "core/ProgramPaths.h"
#include "core/SettingsPlace.h"
#include "platform/BinaryStream.h"
#include "platform/Folders.h"

#include <optional>

namespace PageSetupFile {

namespace {
const QByteArray kTag = QByteArrayLiteral("printSetup");

// A setup text is a few hundred bytes; anything near this is no page setup.
constexpr qint64 kMaxFileBytes = 64 * 1024;

// Without the preference the page setup is not kept, and an empty text is no
// setup at all: the run has nothing to store.
bool nothingToStore(bool keepPageSetup, const QString& setupString) { return !keepPageSetup || setupString.isEmpty(); }
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

LoadResult load(const QString& settingsFolder, QString& setupString, SettingsFiles::AtStart* atStart)
{
    SettingsFiles::Place read;
    LoadResult result = LoadResult::NoFolder;
    if (Folders::isFolder(settingsFolder)) {
        read = SettingsFiles::look(ProgramPaths::pageSetupFileIn(settingsFolder), kMaxFileBytes);
        if (read.kind == SettingsFiles::Place::Kind::Missing)
            result = LoadResult::NoFile;
        else if (read.kind == SettingsFiles::Place::Kind::Read && decode(read.bytes, setupString))
            result = LoadResult::Loaded;
        else
            result = LoadResult::Unreadable;
    }
    if (atStart) {
        // A text that is no page setup of ours makes a damaged file, though
        // the file's layout holds it. Without a setup read, the run holds
        // none of the file's.
        const bool loaded = result == LoadResult::Loaded;
        *atStart = SettingsFiles::AtStart{read, loaded && PageSetup::decode(setupString).has_value(),
                                          loaded ? std::optional(encode(setupString)) : std::nullopt};
    }
    return result;
}

SettingsFiles::QuitOutcome saveAtQuit(const QString& settingsFolder, bool keepPageSetup, const QString& setupString,
                                      SettingsFiles::AtStart& atStart)
{
    if (nothingToStore(keepPageSetup, setupString))
        return {};
    return SettingsFiles::saveAtQuit(ProgramPaths::pageSetupFileIn(settingsFolder), atStart, encode(setupString),
                                     kMaxFileBytes);
}

} // namespace PageSetupFile
