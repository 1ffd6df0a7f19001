#pragma once

// Answers the modal dialogs the code under test opens, as a user would: the
// driver watches the event loop, which the dialog's own modal loop keeps
// running, finds the dialog once it shows and answers it there. One driver for
// every kind of dialog: message boxes, file and colour dialogs, the print and
// page-setup dialogs. Each dialog is answered once, by the first driver that
// finds it. The wait is bounded per dialog, not per test: a dialog left
// showing with no answer for a whole step is given up on, the test fails
// naming it, and it is closed with every dialog above it, so that a failing
// test cannot hang the run.

#include "support/Waiting.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace ModalDialogs {

// Marks a dialog that a driver has taken.
inline constexpr char kTaken[] = "morvelinAnswered";

// How long a dialog may stay showing with no answer before a driver gives up.
inline constexpr int kGiveUpMs = Waiting::kStepMs;

// Counts the dialogs drivers have taken to answer; each one starts the
// give-up limit again.
inline int& answersGiven()
{
    static int given = 0;
    return given;
}

// The modal dialog of class D that is showing and that no driver has taken
// yet, taken now; null when there is none.
template <class D> D* takeShowing()
{
    auto* dlg = qobject_cast<D*>(QApplication::activeModalWidget());
    if (!dlg || !dlg->isVisible() || dlg->property(kTaken).toBool())
        return nullptr;
    dlg->setProperty(kTaken, true);
    ++answersGiven();
    return dlg;
}

// Gives back a dialog that stays open after its answer (a file dialog whose
// question about replacing a file was answered "No"), to be taken again.
inline void release(QWidget* dlg) { dlg->setProperty(kTaken, false); }

// A dialog as a failure names it: its class, title and, for a message box,
// its texts.
inline QString describe(const QWidget* w)
{
    QString name = QString::fromLatin1(w->metaObject()->className());
    if (!w->windowTitle().isEmpty())
        name += QStringLiteral(" \"") + w->windowTitle() + QLatin1Char('"');
    if (const auto* box = qobject_cast<const QMessageBox*>(w))
        name += QStringLiteral(": ") + box->text() + QStringLiteral(" / ") + box->informativeText();
    return name;
}

// Closes every modal dialog still open, the innermost first, and names what it
// closed. A dialog is rejected, as Escape would; one that refuses even that
// (a message box with no escape button) is hidden, which ends its loop too.
inline QStringList closeAll()
{
    QStringList closed;
    while (QPointer<QWidget> w = QApplication::activeModalWidget()) {
        closed << describe(w);
        if (auto* dlg = qobject_cast<QDialog*>(w.data()))
            dlg->reject();
        else
            w->close();
        if (w && w->isVisible())
            w->hide();
        if (w && QApplication::activeModalWidget() == w)
            break;
    }
    return closed;
}

// The give-up limit of one wait, counted per step: it starts again whenever
// a driver takes a dialog and whenever another dialog comes to the front, so
// a road through many dialogs never runs out of time on a slow machine, while
// a dialog nobody answers is closed within one step.
class GiveUp {
public:
    explicit GiveUp(int limitMs = kGiveUpMs)
        : m_limitMs(limitMs)
    {
        m_clock.start();
    }

    // Called from a driver's poll. Once the dialog in front has gone a whole
    // step without an answer, the test fails naming it and it is closed with
    // everything under it; from then on every dialog is closed as it shows,
    // so the road ends at once. True once it has given up.
    bool check()
    {
        QWidget* front = QApplication::activeModalWidget();
        if (m_gaveUp) {
            if (front)
                closeAll();
            return true;
        }
        if (!front || front != m_front || answersGiven() != m_answers) {
            m_front = front;
            m_answers = answersGiven();
            m_clock.restart();
            return false;
        }
        if (m_clock.elapsed() < m_limitMs)
            return false;
        m_gaveUp = true;
        ADD_FAILURE() << "No answer came within " << m_limitMs << " ms; closed, innermost first: "
                      << closeAll().join(QStringLiteral("; ")).toStdString();
        return true;
    }

private:
    int m_limitMs;
    QElapsedTimer m_clock;
    QPointer<QWidget> m_front;
    int m_answers = -1;
    bool m_gaveUp = false;
};

// Runs `trigger`, which opens modal dialogs of class D, and answers each of
// them with `answer` from inside its own event loop. Returns how many were
// answered. A dialog left with no answer for `giveUpMs` (of class D or any
// other) fails the test and is closed, as is every one that shows after it.
template <class D>
int answerModal(const std::function<void()>& trigger, const std::function<void(D*)>& answer,
                int giveUpMs = kGiveUpMs)
{
    int seen = 0;
    GiveUp limit(giveUpMs);
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (limit.check())
            return;
        D* dlg = takeShowing<D>();
        if (!dlg)
            return;
        ++seen;
        // Answered from a timer of its own, inside the dialog's running loop:
        // a dialog that the answer leads to must find this poll free to fire.
        QTimer::singleShot(0, dlg, [dlg, &answer] {
            answer(dlg);
            ++answersGiven();
        });
    });
    poll.start();
    trigger();
    poll.stop();
    return seen;
}

// Answers every message box that shows while it lives with its default
// button, or the one `answer` names, and keeps what each said.
class Notices {
public:
    explicit Notices(const QString& answer = QString())
    {
        m_poll.setInterval(5);
        QObject::connect(&m_poll, &QTimer::timeout, [this, answer] {
            QMessageBox* box = ModalDialogs::takeShowing<QMessageBox>();
            if (!box)
                return;
            said << box->text() + QStringLiteral(" / ") + box->informativeText();
            QAbstractButton* chosen = box->defaultButton();
            for (QAbstractButton* b : box->buttons()) {
                if (b->text() == answer)
                    chosen = b;
            }
            QTimer::singleShot(0, box, [box, chosen] { chosen ? chosen->click() : box->accept(); });
        });
        m_poll.start();
    }
    QStringList said;

private:
    QTimer m_poll;
};

// Runs the event loop until it ends; the answer is the loop's exit code, or
// -1 when it had to be stopped, a whole step after the last dialog answered.
inline int runEventLoop(const std::function<void()>& first)
{
    bool stopped = false;
    QTimer::singleShot(0, first);
    int answers = ModalDialogs::answersGiven();
    QElapsedTimer sinceAnswer;
    sinceAnswer.start();
    QTimer guard;
    guard.setInterval(50);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (answers != ModalDialogs::answersGiven()) {
            answers = ModalDialogs::answersGiven();
            sinceAnswer.restart();
        } else if (sinceAnswer.elapsed() > Waiting::kStepMs) {
            stopped = true;
            QCoreApplication::exit(-1);
        }
    });
    guard.start();
    const int code = QCoreApplication::exec();
    return stopped ? -1 : code;
}

} // namespace ModalDialogs

// What a message box showed, as the driver found it.
struct SeenMessageBox {
    bool shown = false;
    QString text;
    QString informativeText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;   // captions, in the order they were added
    QString defaultButton; // caption of the default button
    bool applicationModal = false;
    bool hasParent = false;
    // Set by the test to stop waiting (for a road that must show no box).
    bool stopWaiting = false;
};

// Answers the next QMessageBox, for code that opens it from deep inside a call
// the test makes afterwards: watching starts now and goes on in the event loop.
class MessageBoxDriver {
public:
    // What to do with the box once it is shown.
    enum class Action { Click, PressEscape };

    // For a road that must show no box: watch, and answer any box that does
    // come however late, until the test sets stopWaiting after the road.
    static constexpr int kUntilStopped = -1;

    // Starts watching; the box must appear before `timeoutMs`. It is answered
    // by clicking the button with the given caption (when there is none the
    // box is closed anyway) or by pressing Escape. While it watches, a dialog
    // left showing with no answer for a whole step is given up on and closed.
    // The watch ends with the test that started it.
    static std::shared_ptr<SeenMessageBox> answer(const QString& caption, Action action = Action::Click,
                                                  int timeoutMs = ModalDialogs::kGiveUpMs)
    {
        auto seen = std::make_shared<SeenMessageBox>();
        auto* timer = new QTimer;
        auto clock = std::make_shared<QElapsedTimer>();
        clock->start();
        auto limit = std::make_shared<ModalDialogs::GiveUp>();
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        timer->setInterval(5);
        const auto stop = [timer] {
            timer->stop();
            timer->deleteLater();
        };
        QObject::connect(timer, &QTimer::timeout, timer, [=] {
            if (seen->stopWaiting || ::testing::UnitTest::GetInstance()->current_test_info() != test) {
                stop();
                return;
            }
            if (limit->check()) {
                stop();
                return;
            }
            QMessageBox* box = ModalDialogs::takeShowing<QMessageBox>();
            if (!box) {
                // A dialog still in front is left to the give-up limit.
                if (timeoutMs != kUntilStopped && clock->elapsed() > timeoutMs
                    && !QApplication::activeModalWidget())
                    stop();
                return;
            }
            stop();
            record(box, *seen);
            if (action == Action::PressEscape) {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(box, &press);
                if (box->isVisible())
                    box->reject();
                return;
            }
            for (QAbstractButton* b : box->buttons()) {
                if (b->text() == caption) {
                    b->click();
                    return;
                }
            }
            box->reject();
        });
        timer->start();
        return seen;
    }

    // What the box shows.
    static void record(const QMessageBox* box, SeenMessageBox& seen)
    {
        seen.shown = true;
        seen.text = box->text();
        seen.informativeText = box->informativeText();
        seen.icon = box->icon();
        seen.applicationModal = box->windowModality() == Qt::ApplicationModal;
        seen.hasParent = box->parentWidget() != nullptr;
        for (QAbstractButton* b : box->buttons())
            seen.buttons << b->text();
        if (box->defaultButton())
            seen.defaultButton = box->defaultButton()->text();
    }
};
