#include "platform/Question.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace Question {

Answer ask(int32_t buttonCount, const QString& alternateCaption, const QString& cancelCaption,
           const QString& actionCaption, const QString& message, const QString& explanation,
           bool beepFirst, Answer defaultAnswer)
{
    if (beepFirst)
        QApplication::beep();

    QMessageBox box;
    box.setWindowModality(Qt::ApplicationModal);
    box.setIcon(QMessageBox::Warning);
    box.setText(message);
    box.setInformativeText(explanation);

    QPushButton* action = box.addButton(actionCaption, QMessageBox::AcceptRole);
    QPushButton* cancel = nullptr;
    QPushButton* alternate = nullptr;
    if (buttonCount > 1)
        cancel = box.addButton(cancelCaption, QMessageBox::RejectRole);
    if (buttonCount > 2)
        alternate = box.addButton(alternateCaption, QMessageBox::DestructiveRole);
    if (defaultAnswer == Answer::Cancel && cancel)
        box.setDefaultButton(cancel);
    else if (defaultAnswer == Answer::Alternate && alternate)
        box.setDefaultButton(alternate);
    else
        box.setDefaultButton(action);
    if (cancel)
        box.setEscapeButton(cancel);

    box.exec();

    const QAbstractButton* pressed = box.clickedButton();
    if (pressed == action)
        return Answer::Action;
    if (alternate && pressed == alternate)
        return Answer::Alternate;
    return Answer::Cancel;
}

void alert(const QString& message)
{
    QMessageBox box;
    box.setWindowModality(Qt::ApplicationModal);
    box.setIcon(QMessageBox::NoIcon);
    box.setText(message);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

} // namespace Question
