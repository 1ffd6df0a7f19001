#pragma once

// Answers the modal dialogs the code under test opens, as a user would: the
// driver watches the event loop, which the dialog's own modal loop keeps
// running, finds the dialog once it shows and answers it there. One driver for
// every kind of dialog: message boxes, file and colour dialogs, the print and
// page-setup dialogs. Each dialog is answered once, by the first driver that
// finds it. A dialog nobody answers is closed after a while, so that a failing
// test cannot hang the run.

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace ModalDialogs {

// Marks a dialog that a driver has taken.
inline constexpr char kTaken[] = "morvelinAnswered";

// The modal dialog of class D that is showing and that no driver has taken
// yet, taken now; null when there is none.
template <class D> D* takeShowing()
{
    auto* dlg = qobject_cast<D*>(QApplication::activeModalWidget());
    if (!dlg || !dlg->isVisible() || dlg->property(kTaken).toBool())
        return nullptr;
    dlg->setProperty(kTaken, true);
    return dlg;
}

// Gives back a dialog that stays open after its answer (a file dialog whose
// question about replacing a file was answered "No"), to be taken again.
inline void release(QWidget* dlg) { dlg->setProperty(kTaken, false); }

// Closes every modal dialog still open.
inline void closeAll()
{
    while (QWidget* w = QApplication::activeModalWidget()) {
        if (!w->close())
            break;
    }
}

// Runs `trigger`, which opens modal dialogs of class D, and answers each of
// them with `answer` from inside its own event loop. Returns how many were
// answered.
template <class D>
int answerModal(const std::function<void()>& trigger, const std::function<void(D*)>& answer, int giveUpMs = 5000)
{
    int seen = 0;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        D* dlg = takeShowing<D>();
        if (!dlg)
            return;
        ++seen;
        // Answered from a timer of its own, inside the dialog's running loop:
        // a dialog that the answer leads to must find this poll free to fire.
        QTimer::singleShot(0, dlg, [dlg, &answer] { answer(dlg); });
    });
    QTimer bail;
    bail.setSingleShot(true);
    QObject::connect(&bail, &QTimer::timeout, [] { closeAll(); });
    bail.start(giveUpMs);
    poll.start();
    trigger();
    poll.stop();
    bail.stop();
    return seen;
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

    // Starts watching; the box must appear before `timeoutMs`. It is answered
    // by clicking the button with the given caption (when there is none the
    // box is closed anyway) or by pressing Escape.
    static std::shared_ptr<SeenMessageBox> answer(const QString& caption, Action action = Action::Click,
                                                  int timeoutMs = 5000)
    {
        auto seen = std::make_shared<SeenMessageBox>();
        auto* timer = new QTimer;
        auto clock = std::make_shared<QElapsedTimer>();
        clock->start();
        timer->setInterval(5);
        const auto stop = [timer] {
            timer->stop();
            timer->deleteLater();
        };
        QObject::connect(timer, &QTimer::timeout, timer, [=] {
            if (seen->stopWaiting) {
                stop();
                return;
            }
            QMessageBox* box = ModalDialogs::takeShowing<QMessageBox>();
            if (!box) {
                if (clock->elapsed() > timeoutMs)
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
