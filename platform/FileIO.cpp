#include "platform/FileIO.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileIO {

namespace {

// Opens the regular file at `path` for reading. The opening cannot wait for
// anything: it is asked not to, and whatever turns out not to be a regular
// file once open (it may have been swapped in since it was looked at) is
// closed again at once.
// `why` receives the reason it could not be (reasonText).
bool openRegular(const QString& path, QFile& file, int* why = nullptr)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (why)
            *why = errno;
        return false;
    }
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (!regular || !file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        if (why)
            *why = regular ? EIO : kNotARegularFile;
        ::close(fd);
        return false;
    }
    return true;
}

// Every byte, straight to the file: a refusal of the file system (a full
// disk, a file size limit) shows in the write itself.
bool writeAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            errno = ENOSPC;
        if (n <= 0)
            return false;
        data += n;
        left -= n;
    }
    return true;
}

// The file a whole-file write fills before it takes the target's place, in
// the target's own folder so that the rename that ends the write cannot cross
// file systems. Where the file system allows, it has no name at all while it
// is written: a crash or a kill then leaves nothing. Only for the rename does
// it get one, ".<name>.XXXXXX", hidden, as it is from the start where the
// file system has no unnamed files; so no write cut short ever leaves a name
// that a listing of the folder shows. Unless it is renamed over the target,
// it is removed again.
//
// QSaveFile names its temporary "<name>.XXXXXX" and QTemporaryFile makes every
// file 0600; the name and the mode here are both ours to choose.
class HiddenTemporary {
public:
    HiddenTemporary(const QString& folder, const QString& name, mode_t mode)
        : m_stem(QFile::encodeName(folder) + "/." + nameWithin(QFile::encodeName(name), NAME_MAX - 8) + '.')
    {
        // The unnamed file is named through /proc, without which it could not be.
        if (::access("/proc/self/fd", X_OK) == 0) {
            m_fd = ::open(QFile::encodeName(folder).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
            if (m_fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
                return;
        }
        giveName([&](const QByteArray& path) {
            m_fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
            return m_fd >= 0;
        });
    }
    ~HiddenTemporary()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_path.isEmpty())
            ::unlink(m_path.constData());
    }
    HiddenTemporary(const HiddenTemporary&) = delete;
    HiddenTemporary& operator=(const HiddenTemporary&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }

    // Every byte on the disk, not only in the system's cache, before the file
    // takes the target's place, which rename(2) gives it in one step
    // (QFile::rename would refuse an existing target). A file system that has
    // no such sync has nothing to hold back.
    bool renameOver(const QString& target)
    {
        if (m_fd < 0 || (::fsync(m_fd) != 0 && errno != EINVAL && errno != ENOTSUP))
            return false;
        if (m_path.isEmpty()) {
            const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_fd);
            if (!giveName([&](const QByteArray& path) {
                    return ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, path.constData(), AT_SYMLINK_FOLLOW) == 0;
                }))
                return false;
        }
        const bool closed = ::close(m_fd) == 0 || errno == EINTR;
        m_fd = -1;
        if (!closed || ::rename(m_path.constData(), QFile::encodeName(target).constData()) != 0)
            return false;
        m_path.clear();
        return true;
    }

private:
    // The target's name, cut to at most `most` bytes (and never inside a
    // character), so that the hidden name it begins still fits where the
    // target's own does.
    static QByteArray nameWithin(QByteArray name, qsizetype most)
    {
        if (name.size() <= most)
            return name;
        qsizetype end = most;
        while (end > 0 && (uchar(name[end]) & 0xC0) == 0x80)
            --end;
        name.truncate(end);
        return name;
    }

    // Makes the first free hidden name with `make`; false when none could be made.
    template <class Make> bool giveName(Make make)
    {
        static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
        for (int attempt = 0; attempt < 100; ++attempt) {
            QByteArray path = m_stem;
            for (int i = 0; i < 6; ++i)
                path += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)];
            if (make(path)) {
                m_path = path;
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    QByteArray m_stem;
    QByteArray m_path; // empty while the file has no name
    int m_fd = -1;
};

} // namespace

bool isRegularFile(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

bool somethingAt(const QString& path)
{
    struct stat st {};
    return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

bool writeWhole(const QString& path, const QByteArray& bytes, Access access, int* error)
{
    // Read before the temporary's clean-up can change errno.
    const auto fail = [error](int why) {
        if (error)
            *error = why;
        return false;
    };
    if (path.isEmpty())
        return fail(ENOENT);
    QFileInfo target(path);
    if (somethingAt(path) && !target.isFile())
        return fail(kNotARegularFile);
    // Through a link, the file it names is replaced and the link stays.
    for (int depth = 0; target.isSymLink() && depth < 40; ++depth)
        target.setFile(target.symLinkTarget());
    if (target.isSymLink())
        return fail(ELOOP);
    struct stat old {};
    const bool existed = ::stat(QFile::encodeName(target.filePath()).constData(), &old) == 0;
    // A file the user made read-only stays as it is, although its folder
    // would let it be replaced.
    if (existed && !S_ISREG(old.st_mode))
        return fail(kNotARegularFile);
    if (existed && !target.isWritable())
        return fail(EACCES);

    // A new picture to pass on gets the mode any new file gets, which the
    // kernel takes from the umask as the file is made; a replaced one keeps
    // its own.
    const mode_t createMode = access == Access::Shared && !existed ? 0666 : 0600;
    HiddenTemporary temp(target.absolutePath(), target.fileName(), createMode);
    if (!temp.isOpen())
        return fail(errno);
    if (access == Access::Private ? ::fchmod(temp.fd(), 0600) != 0
                                  : existed && ::fchmod(temp.fd(), old.st_mode & 07777) != 0)
        return fail(errno);
    if (!writeAll(temp.fd(), bytes) || !temp.renameOver(target.filePath()))
        return fail(errno);
    return true;
}

QString reasonText(int error)
{
    switch (error) {
    case kNotARegularFile:
        return QStringLiteral("ファイルではありません。");
    case ENOSPC:
        return QStringLiteral("ディスクに空きがありません。");
    case EDQUOT:
        return QStringLiteral("ディスクの割り当てを使い切っています。");
    case EFBIG:
        return QStringLiteral("ファイルの大きさの上限を超えます。");
    case EACCES:
    case EPERM:
        return QStringLiteral("アクセス権がありません。");
    case EROFS:
        return QStringLiteral("読み出し専用のディスクです。");
    case ENOENT:
        return QStringLiteral("フォルダがありません。");
    case ENOTDIR:
    case EEXIST:
        return QStringLiteral("フォルダではないものがあります。");
    case EISDIR:
        return QStringLiteral("フォルダです。");
    case EIO:
        return QStringLiteral("ディスクの読み書きに失敗しました。");
    case 0:
        return QStringLiteral("原因はわかりません。");
    default:
        return QString::fromLocal8Bit(std::strerror(error)) + QStringLiteral("。");
    }
}

OpenResult openForReading(QFile& file)
{
    const QFileInfo info(file.fileName());
    if (!somethingAt(info.filePath()))
        return OpenResult::Missing;
    if (!info.isFile() || !openRegular(info.filePath(), file))
        return OpenResult::CannotOpen;
    return OpenResult::Opened;
}

ReadResult readWhole(const QString& path, QByteArray& out, qint64 maxBytes, int* error)
{
    const auto cannotOpen = [error](int why) {
        if (error)
            *error = why;
        return ReadResult::CannotOpen;
    };
    const QFileInfo info(path);
    if (!somethingAt(path))
        return ReadResult::Missing;
    if (!info.isFile())
        return cannotOpen(kNotARegularFile);
    if (info.size() > maxBytes)
        return ReadResult::TooLarge;
    QFile file;
    int why = 0;
    if (!openRegular(path, file, &why))
        return cannotOpen(why);
    // The size can change between the look and the read: never take more
    // than the bound, and count one byte past it as too large. Room is made
    // for the size seen and the one byte that tells growth, not for the
    // bound, so a small file costs a small buffer; a file that did grow is
    // read on up to the bound.
    QByteArray bytes = file.read(std::min(info.size(), maxBytes) + 1);
    if (bytes.size() > info.size() && bytes.size() <= maxBytes && file.error() == QFileDevice::NoError)
        bytes += file.read(maxBytes + 1 - bytes.size());
    if (file.error() != QFileDevice::NoError)
        return cannotOpen(EIO);
    if (bytes.size() > maxBytes)
        return ReadResult::TooLarge;
    out = std::move(bytes);
    return ReadResult::Read;
}

bool keepUnder(const QString& path, const QString& keptPath)
{
    if (!isRegularFile(path) || keptPath.isEmpty() || somethingAt(keptPath))
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
