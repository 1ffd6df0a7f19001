#pragma once

#include "platform/FileIO.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <memory>
#include <vector>

class QLockFile;

// What a run keeps of a design's unsaved edits, so that a run that ends
// before they are saved (a signal, a kill, a power cut) does not lose them:
// the next run offers them. The copy lives in a folder of its own, never
// beside the dataset files, and never replaces the dataset's own file.
//
// A copy file: tag "recovery:1", then as Int32 byte counts and their bytes:
// the dataset's file path (UTF-8, empty for an untitled design), when the
// copy was written (ISO 8601, UTC), the bytes the window last read from that
// file or wrote there, and the design itself as a dataset file holds it.
namespace RecoveryCopy {

struct Content {
    // The dataset's own file, absolute; empty for a design never saved.
    QString path;
    QDateTime written;
    // What the run last read from that file or wrote there: a save after
    // the copy is restored still sees whether someone changed the file since.
    QByteArray fileBytes;
    // The design as DatasetFile::encode gives it.
    QByteArray dataset;
};

QByteArray encode(const Content& content);
// False when the bytes are no whole copy (damaged, cut short, of another
// format, or a design that is no whole dataset); `out` is then unchanged.
bool decode(const QByteArray& bytes, Content& out);

// A copy holds a dataset and what its file held: room for two of the
// largest, and the rest.
inline constexpr qint64 kMaxBytes = 2 * FileIO::kMaxSettingsFileBytes + 64 * 1024;

} // namespace RecoveryCopy

// A copy that a run which has ended left behind. While this lives, this run
// holds it: no other run offers it or takes it.
class LeftCopy {
public:
    LeftCopy(LeftCopy&&) noexcept;
    LeftCopy& operator=(LeftCopy&&) noexcept;
    ~LeftCopy();

    // The copy's file.
    QString file;
    // False when the copy could not be read whole.
    bool readable = false;
    RecoveryCopy::Content content;

private:
    friend class RecoveryKeeper;
    LeftCopy();
    QString m_id;
    std::unique_ptr<QLockFile> m_lock;
};

// This run's copy, in `folder`, and the copies other runs left there. Each
// run's copy carries a lock the run holds while it lives; the system lets go
// of it when the run ends however it ends, so a copy whose lock nobody holds
// was left by a run that has ended, and a copy whose run still lives is
// never offered, taken or removed by another.
class RecoveryKeeper {
public:
    explicit RecoveryKeeper(const QString& folder);
    ~RecoveryKeeper();
    RecoveryKeeper(const RecoveryKeeper&) = delete;
    RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

    // Writes this run's copy, whole or not at all, making the folder first
    // (the user's alone). False when it could not be written; `why`, when
    // given, then says why as a sentence for the user.
    bool keep(const RecoveryCopy::Content& content, QString* why = nullptr);
    // Removes this run's copy; nothing happens when there is none.
    void drop();
    // The file of this run's copy; empty before the first keep.
    QString file() const;

    // The copies left by runs that have ended: the unreadable ones first,
    // then the others, newest first. Each is held by this run from now on.
    // Locks that no copy goes with, left by runs that ended, are cleared.
    std::vector<LeftCopy> claimLeftBehind();
    // The copy becomes this run's own: the next keep writes over it, drop
    // removes it. A copy of this run's own that was there goes.
    void adopt(LeftCopy&& left);
    // Removes the copy for good; false when it could not be removed
    // (`error` then holds the errno value).
    static bool discard(LeftCopy&& left, int* error = nullptr);
    // Gives the copy a name no run takes a copy from, beside it, and lets it
    // go: it is neither offered again nor removed. The new path, or empty
    // when it could not be renamed (it then stays under its name).
    static QString keepAside(LeftCopy&& left);

private:
    bool takeLock(QString* why);

    QString m_folder;
    QString m_id;
    std::unique_ptr<QLockFile> m_lock;
    bool m_hasCopy = false;
};
