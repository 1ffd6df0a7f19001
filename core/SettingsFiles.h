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

// What a settings file's place holds when it is looked at.
struct Place {
    enum class Kind {
        Missing, // nothing there
        Read,    // a regular file, read whole into `bytes`
        Unread,  // something that could not be read whole: no regular file, no
                 // permission, or larger than any file of its kind
    };
    Kind kind = Kind::Missing;
    QByteArray bytes;
    // For Unread: why, as FileIO::reasonText tells it.
    int error = 0;

    // A regular file of exactly these bytes.
    bool holds(const QByteArray& content) const { return kind == Kind::Read && bytes == content; }
    // The same kind and, for Read, the same bytes.
    bool sameAs(const Place& other) const;
};

// The place at `path`, read through the bounded reader.
Place look(const QString& path, qint64 maxBytes = FileIO::kMaxSettingsFileBytes);
// What a read of the bounded reader saw.
Place placeOf(FileIO::ReadResult read, const QByteArray& bytes, int error = 0);

// What start-up found of a settings file. The settings files are written
// only at quit, and another copy of the program (or anything else) may have
// saved them meanwhile: the quit compares with this. Each file's loader
// fills it at the end of its reading.
struct AtStart {
    // What start-up read at the file's place.
    Place read;
    // The place held a sound file of its kind, taken into the run whole: a
    // quit may replace it as it stands. A damaged one, or one with bytes no
    // layout holds, is first kept under a second name.
    bool readWhole = false;
    // What the run held once start-up was done, as the writer puts it: a run
    // that holds the same at quit has changed nothing. None when start-up
    // left the run nothing that counts as unchanged (preferences that could
    // not be read: the defaults that stand in for them are written at quit).
    std::optional<QByteArray> heldAtStart;
};

// Reads a settings file whole. A file that is missing, cannot be read or is
// larger than `maxBytes` gives the loader's own LoadResult for it (NoFile,
// CannotOpen, Damaged), so that every settings file tells these apart alike;
// a file read whole into `bytes` gives nothing. `place` receives what the
// place held.
template <class LoadResult>
std::optional<LoadResult> readFailure(const QString& path, QByteArray& bytes, qint64 maxBytes, Place& place)
{
    int error = 0;
    const FileIO::ReadResult read = FileIO::readWhole(path, bytes, maxBytes, &error);
    place = placeOf(read, bytes, error);
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

// Whether a run that found no file and changed nothing writes what it holds
// at quit: the preferences fill the place while it is still empty, so a
// first run leaves its defaults; an anniversary list empty all along leaves
// no file.
enum class FirstRun { LeavesNoFile, FillsAnEmptyPlace };

// What quitting does with a settings file, from what start-up found, the
// bytes this run would write (`held`; none when it has nothing to store) and
// what is at the place now (`atQuit`).
enum class QuitStep {
    Nothing,              // nothing to store, unchanged, or the place already holds it
    Write,                // the place still holds what start-up read whole (or nothing)
    KeepDamagedThenWrite, // as start-up saw it, but that could not be read whole
    KeepOtherThenWrite,   // changed since start-up: that version is kept first
};
QuitStep quitStep(const AtStart& atStart, const std::optional<QByteArray>& held, const Place& atQuit,
                  FirstRun firstRun = FirstRun::LeavesNoFile);

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
// something to write into it. Once the place holds `held`, `atStart` says
// so, and a second quit writes nothing again.
QuitOutcome saveAtQuit(const QString& path, AtStart& atStart, const std::optional<QByteArray>& held,
                       qint64 maxBytes = FileIO::kMaxSettingsFileBytes, FirstRun firstRun = FirstRun::LeavesNoFile);

} // namespace SettingsFiles
