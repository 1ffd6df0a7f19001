#pragma once

// Answers the next modal QMessageBox the code under test opens, as a user
// would: it waits for the box to show, records what it shows and clicks the
// button with the given caption. Header-only so other test folders can use it
// too (#include "platform/MessageBoxDriver.h").

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

#include <memory>

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

class MessageBoxDriver {
public:
    // What to do with the box once it is shown.
    enum class Action { Click, PressEscape };

    // For a road that must show no box: watch, and answer any box that does
    // come however late, until the test sets stopWaiting after the road.
    static constexpr int kUntilStopped = -1;

    // Starts watching; the box must appear before `timeoutMs`. The watching
    // runs on the event loop, so the box's own modal loop drives it. If the named
    // button does not exist the box is closed anyway, so a test never hangs.
    static std::shared_ptr<SeenMessageBox> answer(const QString& caption, Action action = Action::Click,
                                                  int timeoutMs = 5000)
    {
        auto seen = std::make_shared<SeenMessageBox>();
        auto* timer = new QTimer;
        auto clock = std::make_shared<QElapsedTimer>();
        clock->start();
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, timer, [=] {
            if (seen->stopWaiting) {
                timer->stop();
                timer->deleteLater();
                return;
            }
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) {
                if (timeoutMs != kUntilStopped && clock->elapsed() > timeoutMs) {
                    timer->stop();
                    timer->deleteLater();
                }
                return;
            }
            timer->stop();
            timer->deleteLater();
            seen->shown = true;
            seen->text = box->text();
            seen->informativeText = box->informativeText();
            seen->icon = box->icon();
            seen->applicationModal = box->windowModality() == Qt::ApplicationModal;
            seen->hasParent = box->parentWidget() != nullptr;
            for (QAbstractButton* b : box->buttons())
                seen->buttons << b->text();
            if (box->defaultButton())
                seen->defaultButton = box->defaultButton()->text();
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
};
