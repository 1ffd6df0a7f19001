#pragma once

// Real file-system conditions the program must survive: a disk that refuses
// to let files grow, a file its user may not read or write (also when the
// tests run as root), and a FIFO where a file should be. Header-only, for the
// tests of every folder.

#include "support/TestMain.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <functional>
#include <thread>
#include <utility>
#include <vector>

#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace HostileFiles {

// While it lives, no file of this process can grow past `bytes`: a write
// beyond that fails with EFBIG, as on a full disk (SIGXFSZ is ignored so the
// write returns its error). Only the soft limit is lowered, so it can be
// raised again.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        m_ok = ::getrlimit(RLIMIT_FSIZE, &m_old) == 0;
        struct rlimit lowered = m_old;
        lowered.rlim_cur = bytes;
        m_ok = m_ok && ::setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return m_ok; }

private:
    struct rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
    bool m_ok = false;
};

namespace Detail {
struct ChildResult {
    int exitCode = -1; // -1 when the child did not exit normally, or did not start
    QByteArray reply;  // what it wrote to its reply descriptor
};

// Runs `body` in a forked child and waits for it: the child exits with what
// `body` returns, and what `body` writes to the descriptor it is given comes
// back as the reply.
inline ChildResult inChild(const std::function<int(int reply)>& body)
{
    ChildResult result;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return result;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        ::_exit(body(fds[1]));
    }
    ::close(fds[1]);
    if (pid > 0) {
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0)
            result.reply.append(buffer, n);
        int status = 0;
        if (::waitpid(pid, &status, 0) == pid && WIFEXITED(status))
            result.exitCode = WEXITSTATUS(status);
    }
    ::close(fds[0]);
    return result;
}

inline void writeAll(int fd, const QByteArray& bytes)
{
    for (qsizetype at = 0; at < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + at, size_t(bytes.size() - at));
        if (n <= 0)
            return;
        at += n;
    }
}

// Gives `path` and, when it is a folder, everything in it to `uid`:`gid`;
// links themselves, never what they point at. Goes on past a file it cannot
// give, so that as much as can be is given, and says which it could not and
// why (empty when every one was given).
inline QString handOver(const QString& path, uid_t uid, gid_t gid)
{
    QString failed;
    const auto give = [&](const QString& file) {
        const QByteArray name = QFile::encodeName(file);
        if (::lchown(name.constData(), uid, gid) != 0 && failed.isEmpty()) {
            const int error = errno;
            failed = QStringLiteral("cannot give %1 to %2:%3 (%4)")
                         .arg(file, QString::number(uid), QString::number(gid),
                              QString::fromLocal8Bit(std::strerror(error)));
        }
    };
    give(path);
    QDirIterator it(path, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        give(it.next());
    return failed;
}

// Gives up root's rights for good: no supplementary groups, then the group
// and user ids (the user id last, as setting it takes the right to set them).
inline bool dropTo(uid_t uid, gid_t gid)
{
    return ::setgroups(0, nullptr) == 0 && ::setresgid(gid, gid, gid) == 0 && ::setresuid(uid, uid, uid) == 0
        && ::geteuid() == uid && ::setresuid(0, 0, 0) != 0;
}
} // namespace Detail

// Runs `work` in a forked child whose files cannot grow past `bytes`, and
// gives the child's exit code (-1 when it did not exit normally). The limit
// then cannot touch anything else this process does.
inline int inChildWithFileSizeLimit(rlim_t bytes, const std::function<int()>& work)
{
    return Detail::inChild([&](int) {
               FileSizeLimit limit(bytes);
               return limit.active() ? work() : 99;
           })
        .exitCode;
}

// What a child run by inChildAsOrdinaryUser answered, or why it could not run.
struct OrdinaryUserRun {
    bool ran = false;
    QString answer; // what the work returned
    QString whyNot; // when it did not run
};

// Runs `work` in a forked child with no more rights than an ordinary user,
// for the checks that root's rights would pass by (root reads a file of mode
// 000 and writes a read-only one). Under root the child takes the user and
// group ids of nobody; while it runs, `folder` and everything in it are that
// user's, as a user's own files are, and the folders above it within the
// test's home may be searched by others. Everything is given back after. The
// work's answer comes back through a pipe. The child cannot run when a folder
// above the test's home (in TMPDIR) is closed to other users, or when root
// may not give the files away (a user namespace without that user, a file
// system that keeps its owners): whyNot says so. Files that cannot be given
// back to root fail the test.
inline OrdinaryUserRun inChildAsOrdinaryUser(const QString& folder, const std::function<QString()>& work)
{
    const bool root = ::geteuid() == 0;
    uid_t uid = 65534;
    gid_t gid = 65534;
    if (const passwd* nobody = ::getpwnam("nobody")) {
        uid = nobody->pw_uid;
        gid = nobody->pw_gid;
    }
    const QString home = QDir::cleanPath(TestEnv::home());
    std::vector<std::pair<QByteArray, mode_t>> opened; // folders made searchable, with their modes before
    QString handedOver;                                 // why not everything could be given to the user
    if (root) {
        for (QString above = QFileInfo(QDir::cleanPath(folder)).path();
             above == home || above.startsWith(home + u'/'); above = QFileInfo(above).path()) {
            const QByteArray name = QFile::encodeName(above);
            struct stat st {};
            if (::stat(name.constData(), &st) == 0 && !(st.st_mode & S_IXOTH)
                && ::chmod(name.constData(), (st.st_mode & 07777) | S_IXOTH) == 0)
                opened.emplace_back(name, st.st_mode & 07777);
            if (above == home)
                break;
        }
        handedOver = Detail::handOver(folder, uid, gid);
    }

    // Work run on files still root's would answer for root, not for the user.
    Detail::ChildResult child;
    if (handedOver.isEmpty())
        child = Detail::inChild([&](int reply) {
            const QByteArray name = QFile::encodeName(folder);
            if (root && !Detail::dropTo(uid, gid))
                Detail::writeAll(reply, "0cannot take the user id " + QByteArray::number(uid) + ": " + std::strerror(errno));
            else if (::access(name.constData(), R_OK | W_OK | X_OK) != 0)
                Detail::writeAll(reply, "0user " + QByteArray::number(::geteuid()) + " cannot reach " + name + " ("
                                            + std::strerror(errno)
                                            + "): a folder above it, in TMPDIR, is closed to other users");
            else
                Detail::writeAll(reply, "1" + work().toUtf8());
            return 0;
        });

    if (root) {
        const QString givenBack = Detail::handOver(folder, ::geteuid(), ::getegid());
        if (!givenBack.isEmpty())
            ADD_FAILURE() << "the test's files are left to the user " << uid << ": " << givenBack.toStdString();
        for (auto it = opened.rbegin(); it != opened.rend(); ++it)
            if (::chmod(it->first.constData(), it->second) != 0)
                ADD_FAILURE() << "cannot close " << it->first.constData() << " to other users again: " << std::strerror(errno);
    }
    OrdinaryUserRun run;
    if (!handedOver.isEmpty()) {
        run.whyNot = handedOver;
    } else if (child.reply.startsWith('1')) {
        run.ran = true;
        run.answer = QString::fromUtf8(child.reply.mid(1));
    } else if (child.reply.isEmpty()) {
        run.whyNot = QStringLiteral("the child ended without an answer (exit code %1)").arg(child.exitCode);
    } else {
        run.whyNot = QString::fromUtf8(child.reply.mid(1));
    }
    return run;
}

// A FIFO at `path`, watched: whenever some code opens it for reading (and
// would wait there for a writer), the watch opens the other end, notes it and
// closes it again at once, so the reader sees an empty file instead of
// hanging the test. openedForReading() then tells that the FIFO was opened.
class WatchedFifo {
public:
    explicit WatchedFifo(const QString& path)
        : m_path(QFile::encodeName(path))
    {
        m_made = ::mkfifo(m_path.constData(), 0600) == 0;
        if (m_made)
            m_watch = std::thread([this] { watch(); });
    }
    ~WatchedFifo()
    {
        m_stop = true;
        if (m_watch.joinable())
            m_watch.join();
    }
    WatchedFifo(const WatchedFifo&) = delete;
    WatchedFifo& operator=(const WatchedFifo&) = delete;

    bool made() const { return m_made; }
    bool openedForReading() const { return m_opened; }
    // Still a FIFO, not replaced by a file.
    bool stillThere() const
    {
        struct stat st {};
        return ::lstat(m_path.constData(), &st) == 0 && S_ISFIFO(st.st_mode);
    }

private:
    void watch()
    {
        while (!m_stop) {
            // Succeeds only while a reader has the FIFO open.
            const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                m_opened = true;
                ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    QByteArray m_path;
    bool m_made = false;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_opened{false};
    std::thread m_watch;
};

} // namespace HostileFiles
