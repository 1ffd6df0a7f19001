#pragma once

#include "core/Anniversary.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class RowReorderList;

// The anniversary editor. Its list is a working copy of the main window's
// anniversary list: rows are added, deleted, reordered and edited here, and
// the caller takes them back (Entries) only when pReturn says the list was
// changed. Made for one run and discarded by its caller.
class AnnDlg : public QDialog {
    Q_OBJECT
public:
    explicit AnnDlg(QWidget* parent = nullptr);

    // True once anything in the list was changed during this run; never false
    // again within the run.
    bool pReturn = false;
    // While true the list's change handler does nothing (the program adds rows).
    bool pEnblLB1 = false;
    // While true the four edit handlers do nothing (PopupStat sets the controls).
    bool pEnblPop = false;

    // Fills the list, one row per entry in list order, with no row selected.
    void SetRows(const AnniversaryList& list);
    // The rows as entries, in the rows' order: "毎年" becomes the Int32 0,
    // every other cell its text as it stands. A row that came from the list
    // keeps what else its entry carries (the bytes it was read from).
    AnniversaryList Entries() const;

    // The four cells that show an entry: the year ("毎年" for every year),
    // month, day and text.
    static QStringList cellsOf(const Anniversary& entry);
    static Anniversary entryOf(const QStringList& cells);

    // 0 with no row selected, 1 with one: the buttons, the edit box and the
    // edit controls for that state. Any other mode does nothing.
    void ButtonStat(int32_t mode);
    // Rebuilds the year pop-up as yearText, "-", commandText and sets the
    // month, day and text for the mode, with the edit handlers blocked.
    void PopupStat(int32_t mode, const QString& yearText, const QString& commandText);
    // Appends a row made from the edit controls.
    void AddItem();

    void Event_Open();
    void ListBox1_HeaderPressed(int column);
    void ListBox1_DragReorderRows();
    void ListBox1_Change();
    void PopupMenu1_Change();
    void PopupMenu2_Change();
    void PopupMenu3_Change();
    void EditField1_TextChange();
    void BevelButton1_Action();
    void BevelButton2_Action();
    void PushButton1_Action();

    // Escape and the close box end the run as "閉じる" does: what was changed stays.
    void reject() override;

    RowReorderList* ListBox1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QComboBox* PopupMenu1 = nullptr;  // year: "毎年" or a year, "-", "指定..." / "編集..."
    QComboBox* PopupMenu2 = nullptr;  // month "1" to "12"
    QComboBox* PopupMenu3 = nullptr;  // day "1" to "31"
    QLineEdit* EditField1 = nullptr;  // the text
    QPushButton* BevelButton1 = nullptr; // "＋"
    QPushButton* BevelButton2 = nullptr; // "ー"
    QPushButton* PushButton1 = nullptr;  // "閉じる"

private:
    QString cell(int row, int column) const;
    // The list the rows were filled from; each such row holds its entry's index.
    AnniversaryList m_source;
    // Writes one cell of the selected row; nothing without a selected row.
    void writeSelected(int column, const QString& text);
};
