#include "platform/Question.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

namespace Question {

namespace {

// Up to this width an explanation keeps to one line; a longer one wraps.
constexpr int kWidestLine = 480;

// QMessageBox makes itself as wide as its message and wraps the explanation
// into that width, anywhere in a Japanese text, so a short question would
// split a word of its explanation. The box's grid is asked instead to keep
// its text column, the last one, to the right of the icon, as wide as the
// explanation's widest line, within reason. Measured in the box's font once
// the box is polished, the font the explanation is laid out in.
void giveRoomTo(QMessageBox& box, const QString& explanation)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (explanation.isEmpty() || !grid)
        return;
    box.ensurePolished();
    const QFontMetrics metrics(box.font());
    int widest = 0;
    for (const QString& line : explanation.split(u'\n'))
        widest = qMax(widest, metrics.horizontalAdvance(line));
    // A pixel or two for the rounding of the label's own text layout.
    grid->setColumnMinimumWidth(grid->columnCount() - 1, qMin(widest + 2, kWidestLine));
}

} // namespace

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
    giveRoomTo(box, explanation);

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
