#include "platform/EndSignals.h"

#include <QSocketNotifier>

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kSignals[3] = {SIGTERM, SIGHUP, SIGINT};

// The pipe's write end, for the handler; -1 while no EndSignals lives.
volatile sig_atomic_t gWriteEnd = -1;
int gReadEnd = -1;

// Only what is safe in a handler: one write(2), errno kept for the code it
// interrupted. A full pipe already holds a wake-up, so a lost byte loses nothing.
extern "C" void onEndSignal(int signalNumber)
{
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    const int fd = gWriteEnd;
    if (fd >= 0)
        (void)!::write(fd, &byte, 1);
    errno = savedErrno;
}

} // namespace

EndSignals::EndSignals(QObject* parent)
    : QObject(parent)
{
    if (gWriteEnd >= 0)
        return;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    gReadEnd = fds[0];
    gWriteEnd = fds[1];

    struct sigaction action {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    m_installed = true;
    for (int i = 0; i < 3; ++i)
        m_installed = ::sigaction(kSignals[i], &action, &m_old[i]) == 0 && m_installed;

    m_notifier = new QSocketNotifier(gReadEnd, QSocketNotifier::Read, this);
    m_notifier->setEnabled(false);
    connect(m_notifier, &QSocketNotifier::activated, this, &EndSignals::readPipe);
}

EndSignals::~EndSignals()
{
    if (!m_notifier)
        return;
    for (int i = 0; i < 3; ++i)
        ::sigaction(kSignals[i], &m_old[i], nullptr);
    delete m_notifier;
    const int writeEnd = gWriteEnd;
    gWriteEnd = -1;
    ::close(writeEnd);
    ::close(gReadEnd);
    gReadEnd = -1;
}

void EndSignals::start()
{
    if (m_notifier)
        m_notifier->setEnabled(true);
}

void EndSignals::readPipe()
{
    unsigned char byte = 0;
    int last = 0;
    while (::read(gReadEnd, &byte, 1) == 1)
        last = byte;
    if (last != 0)
        emit received(last);
}
