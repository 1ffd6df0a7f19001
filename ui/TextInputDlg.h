#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

// Asks for an anniversary's year. Made for one use: the caller runs it with
// exec(), reads pReturn and, when it is true, Year(), then discards it, so
// every use starts with an empty field. "実行" takes only a text that is a
// year (Anniversaries::yearOf); anything else is refused with a notice and
// stays in the field.
class TextInputDlg : public QDialog {
    Q_OBJECT
public:
    explicit TextInputDlg(QWidget* parent = nullptr);

    // True once the dialog was left with "実行"; false for a new dialog and
    // after "キャンセル", Escape or the close box.
    bool pReturn = false;

    QLineEdit* EditField1 = nullptr;   // the year as typed
    QPushButton* PushButton1 = nullptr; // "キャンセル"
    QPushButton* PushButton2 = nullptr; // "実行"

    void PushButton1_Action();
    void PushButton2_Action();

    // The year taken by "実行", as the anniversary list keeps it.
    QString Year() const { return m_year; }

    // Escape and the close box end the run as "キャンセル" does.
    void reject() override;

private:
    QString m_year;
};
