#pragma once

#include "core/PrefDlgValues.h"

#include <QDialog>

class App;
class QLineEdit;

// The preferences dialog "環境設定": print resolution, the measured sheet
// widths that calibrate printing, and three options. A fresh dialog for each
// run; App reads it back only after "保存".
class PrefDlg : public QDialog {
    Q_OBJECT
public:
    explicit PrefDlg(QWidget* parent = nullptr);

    // How the run ended: true after "保存" only. Escape, the close box and
    // "キャンセル" leave it false.
    bool pReturn = false;

    void PushButton1_Action(); // "キャンセル"
    // "保存": every width field must pass PrefWidth::atSave; the first that
    // does not is shown with a notice naming its sheet and the range of its
    // sheet, and the dialog stays open.
    void PushButton2_Action();

    void setValues(const PrefDlgValues& values);
    PrefDlgValues values() const;

    // App's dialog runner: a new dialog filled with `values`, run modally;
    // after "保存" `values` holds what the user left in the controls.
    static bool run(PrefDlgValues& values);
    static void install(App& app);

private:
    template <class T> T* control(const char* name) const { return findChild<T*>(QLatin1String(name)); }
    QLineEdit* widthField(int sizeIndex) const;
    // The widths as setValues showed them.
    std::array<QString, 4> m_shownWidths;
};
