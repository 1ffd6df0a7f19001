#pragma once

#include <QObject>

#include <csignal>

class QSocketNotifier;

// SIGTERM, SIGHUP and SIGINT (logout, shutdown, a closed terminal, Ctrl+C)
// as an event: while an EndSignals lives, such a signal does no more than
// write its number into a pipe, and the event loop, woken by the pipe,
// emits `received`. Nothing else runs inside the signal handler, so the
// program ends through its own code, on its own thread, with the event
// loop at a point of its choosing. One instance at a time.
class EndSignals : public QObject {
    Q_OBJECT
public:
    explicit EndSignals(QObject* parent = nullptr);
    ~EndSignals() override;
    EndSignals(const EndSignals&) = delete;
    EndSignals& operator=(const EndSignals&) = delete;

    // False when the handlers or the pipe could not be set up; the signals
    // then keep their default action.
    bool installed() const { return m_installed; }

    // Until this is called, a signal waits in the pipe: the program reacts
    // once it can end through its quit (its window made and shown).
    void start();

signals:
    void received(int signalNumber);

private:
    void readPipe();

    QSocketNotifier* m_notifier = nullptr;
    bool m_installed = false;
    struct sigaction m_old[3] {};
};
