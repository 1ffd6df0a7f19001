#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// Asks for one line of text (an anniversary's year). Made for one use: the
// caller runs it with exec(), reads pReturn and, when it is true, the typed
// text, then discards it, so every use starts with an empty field.
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

    // Escape and the close box end the run as "キャンセル" does.
    void reject() override;
};
