#pragma once

// Real file-system conditions the program must survive: a disk that refuses
// to let files grow, and a FIFO where a file should be. Header-only, for the
// tests of every folder.

#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include <csignal>
#include <fcntl.h>
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

// Runs `work` in a forked child whose files cannot grow past `bytes`, and
// gives the child's exit code (-1 when it did not exit normally). The limit
// then cannot touch anything else this process does.
inline int inChildWithFileSizeLimit(rlim_t bytes, const std::function<int()>& work)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        FileSizeLimit limit(bytes);
        ::_exit(limit.active() ? work() : 99);
    }
    if (pid < 0)
        return -1;
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
