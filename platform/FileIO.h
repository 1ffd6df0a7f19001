#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace FileIO {

// Who may read a file the program writes. The program's own files (settings,
// anniversaries, datasets) are the user's alone; a file made for the user to
// pass on, such as an exported picture, follows the user's umask.
enum class Access { Private, Shared };

// Replaces (or creates) the file at `path` with `bytes`, whole or not at all:
// the bytes go unbuffered to a temporary file beside it that takes the file's
// place only once every byte is known to have reached the disk, so a full disk
// or any other write error leaves the old file byte for byte and gives false.
// The temporary is hidden (".<name>.XXXXXX", the name cut short where the
// whole would not fit the file system, so that any name the file system takes
// can be written), so even a kill before the rename leaves no name that a
// listing of the folder shows; a failed write
// removes it. A Private file ends up readable and writable by its owner only
// (0600), whatever it was before; a Shared one keeps the mode of the file it
// replaces, and a new one gets what the umask gives. Through a symbolic link
// the file it names is replaced. Something at `path` that is not a regular
// file (a folder, a FIFO, a device), and a file its owner made read-only, are
// never opened nor replaced: false. The folder must exist; it is not created
// here. `error`, when given, receives why a write did not happen, as
// reasonText tells it.
bool writeWhole(const QString& path, const QByteArray& bytes, Access access = Access::Private,
                int* error = nullptr);

// The error of something that is there but is no regular file, where the
// system has no errno value of its own for it.
inline constexpr int kNotARegularFile = -1;
// Why a file operation failed, from the errno value (or kNotARegularFile) it
// left, as a sentence for the user: "ディスクに空きがありません。" and the like.
QString reasonText(int error);

enum class OpenResult { Opened, Missing, CannotOpen };

// Opens the file (its name already set) for reading. A missing file is told
// apart from one that is there but cannot be read; only a regular file is
// opened, and the opening never waits (a FIFO in its place is CannotOpen).
OpenResult openForReading(QFile& file);

// The largest settings or dataset file any real use produces, with room to
// spare; a larger one is taken as damaged rather than read into memory.
inline constexpr qint64 kMaxSettingsFileBytes = 4 * 1024 * 1024;

enum class ReadResult { Read, Missing, CannotOpen, TooLarge };

// The one bounded reader of the program's own files: reads the regular file
// at `path` into `out` in one piece. Anything that is not a regular file (a
// folder, a FIFO, a device) is CannotOpen and is never opened, so reading
// cannot block; a file over `maxBytes` is TooLarge and is not read. `out` is
// changed only on Read. `error`, when given, receives why a CannotOpen could
// not be read (an errno value, or kNotARegularFile).
ReadResult readWhole(const QString& path, QByteArray& out, qint64 maxBytes = kMaxSettingsFileBytes,
                     int* error = nullptr);

// True when `path` names a regular file (after following links).
bool isRegularFile(const QString& path);
// True when anything at all holds the name `path`: a file, a folder, or even
// a symbolic link that leads nowhere. A name taken so is never written
// through nor given to another file.
bool somethingAt(const QString& path);

// Gives the regular file at `path` a second name, `keptPath`, without
// touching it: a later writeWhole to `path` then leaves the old bytes under
// `keptPath`. Never replaces anything already at `keptPath`. False when
// `path` is no regular file or the second name cannot be made.
bool keepUnder(const QString& path, const QString& keptPath);

} // namespace FileIO
