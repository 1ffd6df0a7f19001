#include "platform/FileIO.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileIO {

namespace {

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// Opens the regular file at `path` for reading. The opening cannot wait for
// anything: it is asked not to, and whatever turns out not to be a regular
// file once open (it may have been swapped in since it was looked at) is
// closed again at once.
bool openRegular(const QString& path, QFile& file)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)
        || !file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

bool somethingThere(const QFileInfo& info) { return info.exists() || info.isSymLink(); }

} // namespace

bool isRegularFile(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

bool writeWhole(const QString& path, const QByteArray& bytes, Access access)
{
    if (path.isEmpty())
        return false;
    const QFileInfo old(path);
    if (somethingThere(old) && !old.isFile())
        return false;
    QSaveFile file(path);
    // Unbuffered: every byte goes to the file in write() itself, so a write
    // that the file system refuses shows here and not in a final flush whose
    // failure commit() may not report.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (access == Access::Private && !file.setPermissions(kOwnerOnly)) {
        file.cancelWriting();
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

OpenResult openForReading(QFile& file)
{
    const QFileInfo info(file.fileName());
    if (!somethingThere(info))
        return OpenResult::Missing;
    if (!info.isFile() || !openRegular(info.filePath(), file))
        return OpenResult::CannotOpen;
    return OpenResult::Opened;
}

ReadResult readWhole(const QString& path, QByteArray& out, qint64 maxBytes)
{
    const QFileInfo info(path);
    if (!somethingThere(info))
        return ReadResult::Missing;
    if (!info.isFile())
        return ReadResult::CannotOpen;
    if (info.size() > maxBytes)
        return ReadResult::TooLarge;
    QFile file;
    if (!openRegular(path, file))
        return ReadResult::CannotOpen;
    // The size can change between the look and the read: never take more
    // than the bound, and count one byte past it as too large. Room is made
    // for the size seen and the one byte that tells growth, not for the
    // bound, so a small file costs a small buffer; a file that did grow is
    // read on up to the bound.
    QByteArray bytes = file.read(std::min(info.size(), maxBytes) + 1);
    if (bytes.size() > info.size() && bytes.size() <= maxBytes && file.error() == QFileDevice::NoError)
        bytes += file.read(maxBytes + 1 - bytes.size());
    if (file.error() != QFileDevice::NoError)
        return ReadResult::CannotOpen;
    if (bytes.size() > maxBytes)
        return ReadResult::TooLarge;
    out = std::move(bytes);
    return ReadResult::Read;
}

bool keepUnder(const QString& path, const QString& keptPath)
{
    if (!isRegularFile(path) || keptPath.isEmpty() || somethingThere(QFileInfo(keptPath)))
        return false;
    // A second name for the same bytes costs nothing and cannot fail halfway;
    // where the file system has no such names, a copy does the same.
    if (::linkat(AT_FDCWD, QFile::encodeName(path).constData(), AT_FDCWD, QFile::encodeName(keptPath).constData(),
                 AT_SYMLINK_FOLLOW)
        == 0)
        return true;
    return QFile::copy(path, keptPath);
}

} // namespace FileIO
