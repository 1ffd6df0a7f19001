#pragma once

#include "core/SettingsAtStart.h"
#include "core/SettingsPlace.h"
#include "platform/FileIO.h"

#include <QByteArray>
#include <QString>

#include <utility>

// The quit's save of a settings file, and the report of what came of it.
namespace SettingsFiles {

// Whether a run that found no file and changed nothing writes what it holds
// at quit: the preferences fill the place while it is still empty, so a
// first run leaves its defaults; an anniversary list empty all along leaves
// no file.
enum class FirstRun { LeavesNoFile, FillsAnEmptyPlace };

// What quitting does with a settings file, from what start-up found, the
// bytes this run would write (`held`) and what is at the place now
// (`atQuit`).
enum class QuitStep {
    Nothing,              // unchanged, or the place already holds it
    Write,                // the place still holds what start-up read whole (or nothing)
    KeepDamagedThenWrite, // as start-up saw it, but that could not be read whole
    KeepOtherThenWrite,   // changed since start-up: that version is kept first
};
QuitStep quitStep(const AtStart& atStart, const QByteArray& held, const Place& atQuit,
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

// The quit's save of `held`, the bytes the run holds for the settings file
// at `path`, by quitStep; a file kept aside first gets its second name from
// keptName. A settings folder removed during the run is made again, as
// start-up makes it, when there is something to write into it. Once the
// place holds `held`, `atStart` says so, and a second quit writes nothing
// again. The run always has `held` to store: whether it has anything at all
// is its file's own question, and only the page setup can have nothing
// (PageSetupFile::saveAtQuit, which then does not come here).
QuitOutcome saveAtQuit(const QString& path, AtStart& atStart, const QByteArray& held,
                       qint64 maxBytes = FileIO::kMaxSettingsFileBytes, FirstRun firstRun = FirstRun::LeavesNoFile);

} // namespace SettingsFiles
