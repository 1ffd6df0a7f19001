#pragma once

#include <QString>

#include <cstdint>

// The program's modal alerts: a caution alert with one to three buttons, and
// the plain one-button alert.
namespace Question {

// Which button ended the alert. Closing it any other way counts as Cancel.
enum class Answer : int32_t { Alternate = 0, Cancel = 1, Action = 2 };

// A caution alert, modal to the whole application, with `message` as its main
// text and `explanation` below it in smaller type. The action button is
// always shown; the cancel button is added when `buttonCount` is 2 or more,
// the alternate button when it is 3 or more. The button of `defaultAnswer` is
// the default when it is shown, else the action button is: a question whose
// action would destroy something makes Cancel the default. With `beepFirst`
// the system beep sounds just before the alert appears. Blocks until a button
// is pressed.
Answer ask(int32_t buttonCount, const QString& alternateCaption, const QString& cancelCaption,
           const QString& actionCaption, const QString& message, const QString& explanation,
           bool beepFirst, Answer defaultAnswer = Answer::Action);

// A plain alert: `message` and one "OK" button, no icon, no beep.
void alert(const QString& message);

} // namespace Question
