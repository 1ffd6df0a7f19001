#pragma once

#include "platform/FileIO.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <utility>

// Where the settings files live: the preferences, the anniversary list and
// the page setup, side by side in the settings folder "Morvelin初期設定".
namespace SettingsFiles {

QString folder();
QString preferenceFile();  // "pref"
QString anniversaryFile(); // "anvsy"
QString pageSetupFile();   // "printSetup"

// The same, inside a given settings folder.
QString preferenceFileIn(const QString& settingsFolder);
QString anniversaryFileIn(const QString& settingsFolder);
QString pageSetupFileIn(const QString& settingsFolder);

// What a settings file's place held when it was looked at. Start-up keeps
// it, so that quitting can tell whether the file is still the one this run
// read: the settings files are written only at quit, and another copy of
// the program (or anything else) may have saved them meanwhile.
struct Seen {
    enum class Kind {
        Missing, // nothing there
        Read,    // a regular file, read whole into `bytes`
        Unread,  // something that could not be read whole: no regular file, no
                 // permission, or larger than any file of its kind
    };
    Kind kind = Kind::Missing;
    QByteArray bytes;
    // For Read: the bytes were a sound file of their kind. The loader clears
    // it for a damaged file.
    bool sound = true;
    // When the loader gives it: what the run held once the place was read,
    // as the writer puts it. A file in an older layout, or with bytes no
    // layout holds, reads as values whose file differs from it, and a place
    // with no file or none that could be read leaves the defaults; the run
    // has changed nothing while it holds these.
    QByteArray asLoaded;
    // For Unread: why, as FileIO::reasonText tells it.
    int error = 0;
};

// The same kind and, for Read, the same bytes.
bool sameFile(const Seen& a, const Seen& b);

// The place at `path`, read through the bounded reader.
Seen look(const QString& path, qint64 maxBytes = FileIO::kMaxSettingsFileBytes);
// What a read of the bounded reader saw.
Seen seenOf(FileIO::ReadResult read, const QByteArray& bytes, int error = 0);

// Reads a settings file whole. A file that is missing, cannot be read or is
// larger than `maxBytes` gives the loader's own LoadResult for it (NoFile,
// CannotOpen, Damaged), so that every settings file tells these apart alike;
// a file read whole into `bytes` gives nothing. `seen`, when given, receives
// what the place held.
template <class LoadResult>
std::optional<LoadResult> readFailure(const QString& path, QByteArray& bytes,
                                      qint64 maxBytes = FileIO::kMaxSettingsFileBytes, Seen* seen = nullptr)
{
    int error = 0;
    const FileIO::ReadResult read = FileIO::readWhole(path, bytes, maxBytes, &error);
    if (seen)
        *seen = seenOf(read, bytes, error);
    switch (read) {
    case FileIO::ReadResult::Missing:
        return LoadResult::NoFile;
    case FileIO::ReadResult::CannotOpen:
        return LoadResult::CannotOpen;
    case FileIO::ReadResult::TooLarge:
        return LoadResult::Damaged;
    case FileIO::ReadResult::Read:
        break;
    }
    return std::nullopt;
}

// The suffix of the second name of a file that could not be read, and of one
// that someone else saved while this run held other content for it.
inline constexpr char kDamagedSuffix[] = ".damaged";
inline constexpr char kOtherSuffix[] = ".other";

// The second name a file at `path` is kept under before the quit replaces
// it: "<name><suffix>", then "<name><suffix>.2", ...; an earlier kept file
// is never replaced. Empty when every such name is taken.
QString keptName(const QString& path, const char* suffix);

// What quitting does with a settings file, from what start-up saw there
// (`atStart`), the bytes this run would write (`held`; none when it has
// nothing to store) and what is there now (`atQuit`).
enum class QuitStep {
    Nothing,            // nothing to store, or the place already holds it
    Write,              // the place still holds what start-up saw (or nothing)
    KeepDamagedThenWrite, // as start-up saw it, but that could not be read whole
    KeepOtherThenWrite, // changed since start-up: that version is kept first
};
QuitStep quitStep(const Seen& atStart, const std::optional<QByteArray>& held, const Seen& atQuit);

struct QuitOutcome {
    enum class Kind {
        NothingToSave,
        Saved,
        SavedOtherKept,   // saved; the version someone else saved is under `keptAs`
        SavedDamagedKept, // saved; the file start-up could not read whole is under `keptAs`
        NoFolder,         // the settings folder could not be made again; nothing written
        NotAFile,         // something that is no regular file holds the place
        CannotKeep,       // the file there could not be given a second name; nothing written
        CannotWrite,      // the write failed; the file there stays as it was
    };
    QuitOutcome(Kind k = Kind::NothingToSave, QString kept = QString(), QString at = QString(), int why = 0)
        : kind(k)
        , keptAs(std::move(kept))
        , place(std::move(at))
        , error(why)
    {
    }
    Kind kind;
    QString keptAs;
    // For NoFolder: the path that could not be made, or what stands in its way.
    QString place;
    // For NoFolder and CannotWrite: why, as FileIO::reasonText tells it.
    int error;

    // What the run holds for the file did not reach the disk: a quit now
    // loses it.
    bool lost() const;
};

// What the quit did with one settings file: the file, named as the notices
// name it ("初期設定", "記念日", "用紙設定"), and the outcome.
struct QuitReport {
    QString what;
    QString path;
    QuitOutcome outcome;
};

// The quit's save of the settings file at `path` by quitStep; a file kept
// aside first gets its second name from keptName. A settings folder removed
// during the run is made again, as start-up makes it, when there is
// something to write into it. After a save `atStart` becomes what was
// written, so a second quit writes nothing again.
QuitOutcome saveAtQuit(const QString& path, Seen& atStart, const std::optional<QByteArray>& held,
                       qint64 maxBytes = FileIO::kMaxSettingsFileBytes);

} // namespace SettingsFiles
