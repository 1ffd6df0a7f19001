#include "core/SettingsQuit.h"

#include "core/KeptNames.h"
#include "platform/FileIO.h"
#include "platform/Folders.h"

#include <QFile>
#include <QFileInfo>

namespace SettingsFiles {

QuitStep quitStep(const AtStart& atStart, const QByteArray& held, const Place& atQuit, FirstRun firstRun)
{
    if (atQuit.holds(held))
        return QuitStep::Nothing;
    // Unchanged during the run: whatever is there now, maybe saved by
    // another copy of the program, stays. Only a first run's preferences
    // still go into a place that has stayed empty.
    if (atStart.heldAtStart == held) {
        const bool fills = firstRun == FirstRun::FillsAnEmptyPlace && atStart.read.kind == Place::Kind::Missing
                           && atQuit.kind == Place::Kind::Missing;
        if (!fills)
            return QuitStep::Nothing;
    }
    if (atQuit.kind == Place::Kind::Missing)
        return QuitStep::Write;
    if (atQuit.sameAs(atStart.read))
        return atStart.wasReadWhole ? QuitStep::Write : QuitStep::KeepDamagedThenWrite;
    return QuitStep::KeepOtherThenWrite;
}

bool QuitOutcome::lost() const
{
    switch (kind) {
    case Kind::NoFolder:
    case Kind::NotAFile:
    case Kind::CannotKeep:
    case Kind::CannotWrite:
        return true;
    case Kind::NothingToSave:
    case Kind::Saved:
    case Kind::SavedOtherKept:
    case Kind::SavedDamagedKept:
        break;
    }
    return false;
}

QuitOutcome saveAtQuit(const QString& path, AtStart& atStart, const QByteArray& held, qint64 maxBytes,
                       FirstRun firstRun)
{
    using Kind = QuitOutcome::Kind;
    const Place now = look(path, maxBytes);
    const QuitStep step = quitStep(atStart, held, now, firstRun);
    // Once the place holds what the run holds, a later quit of the same run
    // compares with that.
    const auto nowHeld = [&] { atStart = AtStart{Place{Place::Kind::Read, held, 0}, true, held}; };
    if (step == QuitStep::Nothing) {
        if (now.holds(held))
            nowHeld();
        return {};
    }
    Folders::Unmade unmade;
    if (!Folders::createFolder(path.isEmpty() ? QString() : QFileInfo(path).absolutePath(), &unmade))
        return {Kind::NoFolder, QString(), unmade.path, unmade.error};
    if (now.kind == Place::Kind::Unread && now.error == FileIO::kNotARegularFile)
        return {Kind::NotAFile, QString(), QString(), FileIO::kNotARegularFile};

    QString kept;
    if (step == QuitStep::KeepDamagedThenWrite || step == QuitStep::KeepOtherThenWrite) {
        kept = keptName(path, step == QuitStep::KeepOtherThenWrite ? kOtherSuffix : kDamagedSuffix);
        if (!FileIO::keepUnder(path, kept))
            return {Kind::CannotKeep};
    }
    int error = 0;
    if (!FileIO::writeWhole(path, held, FileIO::Access::Private, &error)) {
        // The file is still in its place, whole: its second name is not needed.
        if (!kept.isEmpty())
            QFile::remove(kept);
        return {Kind::CannotWrite, QString(), QString(), error};
    }
    nowHeld();
    if (step == QuitStep::KeepOtherThenWrite)
        return {Kind::SavedOtherKept, kept};
    if (step == QuitStep::KeepDamagedThenWrite)
        return {Kind::SavedDamagedKept, kept};
    return {Kind::Saved};
}

} // namespace SettingsFiles
