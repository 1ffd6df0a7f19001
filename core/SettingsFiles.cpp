#include "core/SettingsFiles.h"

#include "platform/FileIO.h"
#include "platform/Folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace SettingsFiles {

QString folder() { return Folders::settingsFolder(); }

QString preferenceFileIn(const QString& settingsFolder) { return Folders::child(settingsFolder, QStringLiteral("pref")); }
QString anniversaryFileIn(const QString& settingsFolder) { return Folders::child(settingsFolder, QStringLiteral("anvsy")); }
QString pageSetupFileIn(const QString& settingsFolder) { return Folders::child(settingsFolder, QStringLiteral("printSetup")); }

QString preferenceFile() { return preferenceFileIn(folder()); }
QString anniversaryFile() { return anniversaryFileIn(folder()); }
QString pageSetupFile() { return pageSetupFileIn(folder()); }

bool sameFile(const Seen& a, const Seen& b)
{
    return a.kind == b.kind && (a.kind != Seen::Kind::Read || a.bytes == b.bytes);
}

Seen seenOf(FileIO::ReadResult read, const QByteArray& bytes, int error)
{
    Seen seen;
    switch (read) {
    case FileIO::ReadResult::Missing:
        break;
    case FileIO::ReadResult::Read:
        seen.kind = Seen::Kind::Read;
        seen.bytes = bytes;
        break;
    case FileIO::ReadResult::CannotOpen:
    case FileIO::ReadResult::TooLarge:
        seen.kind = Seen::Kind::Unread;
        seen.error = error;
        break;
    }
    return seen;
}

Seen look(const QString& path, qint64 maxBytes)
{
    QByteArray bytes;
    int error = 0;
    const FileIO::ReadResult read = FileIO::readWhole(path, bytes, maxBytes, &error);
    return seenOf(read, bytes, error);
}

QString keptName(const QString& path, const char* suffix)
{
    const QString first = path + QLatin1String(suffix);
    if (!FileIO::somethingAt(first))
        return first;
    for (int n = 2; n < 1000; ++n) {
        const QString name = first + QLatin1Char('.') + QString::number(n);
        if (!FileIO::somethingAt(name))
            return name;
    }
    return QString();
}

QuitStep quitStep(const Seen& atStart, const std::optional<QByteArray>& held, const Seen& atQuit)
{
    if (!held)
        return QuitStep::Nothing;
    // Unchanged during the run: whatever is there now, maybe saved by
    // another copy of the program, stays.
    if (atStart.kind == Seen::Kind::Read && *held == atStart.bytes)
        return QuitStep::Nothing;
    if (!atStart.asLoaded.isEmpty() && *held == atStart.asLoaded)
        return QuitStep::Nothing;
    if (atQuit.kind == Seen::Kind::Read && *held == atQuit.bytes)
        return QuitStep::Nothing;
    if (atQuit.kind == Seen::Kind::Missing)
        return QuitStep::Write;
    if (sameFile(atStart, atQuit))
        return atStart.kind == Seen::Kind::Read && atStart.sound ? QuitStep::Write : QuitStep::KeepDamagedThenWrite;
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

QuitOutcome saveAtQuit(const QString& path, Seen& atStart, const std::optional<QByteArray>& held, qint64 maxBytes)
{
    using Kind = QuitOutcome::Kind;
    if (!held)
        return {};
    if (path.isEmpty())
        return {Kind::NoFolder, QString(), path, ENOENT};
    const Seen now = look(path, maxBytes);
    const QuitStep step = quitStep(atStart, held, now);
    if (step == QuitStep::Nothing) {
        if (now.kind == Seen::Kind::Read && now.bytes == *held)
            atStart = now;
        return {};
    }
    Folders::Unmade unmade;
    if (!Folders::createFolder(QFileInfo(path).absolutePath(), &unmade))
        return {Kind::NoFolder, QString(), unmade.path, unmade.error};
    if (FileIO::somethingAt(path) && !FileIO::isRegularFile(path))
        return {Kind::NotAFile, QString(), QString(), FileIO::kNotARegularFile};

    QString kept;
    if (step == QuitStep::KeepDamagedThenWrite || step == QuitStep::KeepOtherThenWrite) {
        kept = keptName(path, step == QuitStep::KeepOtherThenWrite ? kOtherSuffix : kDamagedSuffix);
        if (!FileIO::keepUnder(path, kept))
            return {Kind::CannotKeep};
    }
    int error = 0;
    if (!FileIO::writeWhole(path, *held, FileIO::Access::Private, &error)) {
        // The file is still in its place, whole: its second name is not needed.
        if (!kept.isEmpty())
            QFile::remove(kept);
        return {Kind::CannotWrite, QString(), QString(), error};
    }
    atStart = Seen{Seen::Kind::Read, *held, true, QByteArray(), 0};
    if (step == QuitStep::KeepOtherThenWrite)
        return {Kind::SavedOtherKept, kept};
    if (step == QuitStep::KeepDamagedThenWrite)
        return {Kind::SavedDamagedKept, kept};
    return {Kind::Saved};
}

} // namespace SettingsFiles
