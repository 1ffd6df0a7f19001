// The main window's file side of datasets: saving and loading them, the
// dataset list, and the question about unsaved edits before another dataset
// takes their place.

#include "ui/Window1.h"

#include "core/DatasetFile.h"
#include "core/Globals.h"
#include "platform/Folders.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QListWidget>

namespace {

const QString kCannotOpen = QStringLiteral("ファイルを開けません。");

} // namespace

bool Window1::SaveDataset(const QString& f)
{
    if (pDataset && DatasetFile::save(f, *pDataset))
        return true;
    Globals::gCautionDlg1(kCannotOpen, QStringLiteral("保存は行われません。"));
    return false;
}

bool Window1::ReadDataset(const QString& f, Dataset& into) const
{
    const DatasetFile::LoadResult result = DatasetFile::load(
        f, into, Globals::gPref, [this](const QString& path) { return LoadDatasetPict(path); });
    if (result == DatasetFile::LoadResult::Loaded)
        return true;
    Globals::gCautionDlg1(kCannotOpen, QString());
    return false;
}

bool Window1::LoadDataset(const QString& f, bool askAboutEdits)
{
    // Read before anything is asked: a file that will not open costs the
    // user neither a question nor the edits.
    Dataset chosen;
    if (!ReadDataset(f, chosen))
        return false;
    const EditsAnswer answer = askAboutEdits ? SaveCheck() : EditsAnswer::NoEdits;
    if (answer == EditsAnswer::Kept)
        return false;
    return TakeDataset(f, std::move(chosen), answer);
}

bool Window1::TakeDataset(const QString& f, Dataset chosen, EditsAnswer answer)
{
    // The edits may have been saved into this very file: it opens as it is now.
    if (answer == EditsAnswer::Saved && pFdata == QFileInfo(f).absoluteFilePath() && !ReadDataset(f, chosen))
        return false;
    if (pDataset)
        *pDataset = std::move(chosen);
    else
        pDataset = std::make_unique<Dataset>(std::move(chosen));
    pFdata = QFileInfo(f).absoluteFilePath();
    InitControl();
    ApplySheetSize();
    SyncPictControls();
    return true;
}

void Window1::MakeDatasetList()
{
    if (!Folders::isFolder(pFroot))
        return;
    auto* list = control<QListWidget>("ListBox1");
    pEnblLB = true;
    list->clear();
    list->addItems(DatasetFile::listNames(pFroot));
    list->viewport()->update();
    pEnblLB = false;
}

int32_t Window1::SaveFileLB(const QString& name) const
{
    // Linux file names are case-sensitive: "Spring" and "spring" are two files.
    const auto* list = control<QListWidget>("ListBox1");
    for (int32_t row = 0; row < list->count(); ++row) {
        if (list->item(row)->text() == name)
            return row;
    }
    return -1;
}

int32_t Window1::ListIndex() const
{
    // The selected row, not the current one: a click below the rows clears
    // the selection but leaves the current row where it was.
    const QModelIndexList rows = control<QListWidget>("ListBox1")->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void Window1::SetListIndex(int32_t row)
{
    auto* list = control<QListWidget>("ListBox1");
    if (row < 0 || row >= list->count()) {
        list->clearSelection();
        return;
    }
    list->selectionModel()->setCurrentIndex(list->model()->index(row, 0), QItemSelectionModel::ClearAndSelect);
}

bool Window1::SaveFile(bool saveAs)
{
    if (!pDataset)
        return false;
    const QString name = pLBname;
    QString f = pFdata;
    const bool newFile = f.isEmpty() || saveAs;
    if (newFile) {
        if (!Folders::isFolder(pFroot))
            Folders::createFolder(pFroot);
        const QString start = Folders::isFolder(pFroot) ? pFroot : QDir::homePath();
        f = QFileDialog::getSaveFileName(this, QString(), start);
        if (f.isEmpty())
            return false;
        // A name that begins with "." is a hidden file: saved, it would never
        // show in the list.
        if (QFileInfo(f).fileName().startsWith(QLatin1Char('.'))) {
            Globals::gCautionDlg1(QStringLiteral("名前の先頭に「.」は使えません。"),
                                  QStringLiteral("別の名前を付けて下さい。"));
            return false;
        }
    }
    // A failed write keeps the old file and the edits: they are still unsaved.
    if (!SaveDataset(f))
        return false;
    pChanged = false;
    UpdateMenuItems();
    if (newFile) {
        // The next plain save must go where this one went, not to the file
        // the dataset was opened from.
        pFdata = QFileInfo(f).absoluteFilePath();
        MakeDatasetList();
    }
    SetListIndex(SaveFileLB(name));
    return true;
}

bool Window1::LoadFile(bool fromList)
{
    if (fromList) {
        const int32_t row = ListIndex();
        if (!Folders::isFolder(pFroot) || row < 0)
            return false;
        const QString f = Folders::child(pFroot, control<QListWidget>("ListBox1")->item(row)->text());
        Dataset chosen;
        if (!ReadDataset(f, chosen))
            return false;
        const uint64_t change = m_listChanges;
        const EditsAnswer answer = SaveCheck();
        if (answer == EditsAnswer::Kept)
            return false;
        // A save into a new file rebuilds the list and selects the chosen row
        // again; that change of selection has loaded it already.
        if (m_listChanges != change)
            return true;
        return TakeDataset(f, std::move(chosen), answer);
    }
    // Every file shows; one that is no dataset file is refused when it is read.
    const QString start = Folders::isFolder(pFroot) ? pFroot : QDir::homePath();
    const QString f = QFileDialog::getOpenFileName(this, QString(), start);
    if (f.isEmpty())
        return false;
    // Another file takes the place of the current dataset: its unsaved edits
    // are asked about first, as a change of row in the list does.
    const bool loaded = LoadDataset(f, true);
    RefreshPreview();
    return loaded;
}

Window1::EditsAnswer Window1::SaveCheck()
{
    if (!pChanged)
        return EditsAnswer::NoEdits;
    const int32_t answer = Globals::gCautionDlg(3, QStringLiteral("保存しない"), QStringLiteral("キャンセル"),
                                                QStringLiteral("保存"),
                                                QStringLiteral("内容が変更されています。保存しますか？"),
                                                QStringLiteral("保存しないと、変更内容は失われます。"));
    switch (answer) {
    case Globals::AnswerAction:
        // Only edits that reached their file may make way for anything else.
        return SaveFile(false) ? EditsAnswer::Saved : EditsAnswer::Kept;
    case Globals::AnswerAlternate:
        pChanged = false;
        UpdateMenuItems();
        return EditsAnswer::Dropped;
    default:
        // キャンセル, Escape and the close box.
        return EditsAnswer::Kept;
    }
}

void Window1::ListBox1_Change()
{
    const QString before = pLBname;
    const int32_t row = ListIndex();
    pLBname = row < 0 ? QString() : control<QListWidget>("ListBox1")->item(row)->text();
    if (pEnblLB)
        return;

    // The question may save, and a save into a new file rebuilds the list:
    // nothing of the list is held across it.
    const uint64_t change = ++m_listChanges;
    bool replaced = false;
    if (row < 0) {
        replaced = SaveCheck() != EditsAnswer::Kept;
        if (replaced && m_listChanges == change)
            InitDefault();
    } else {
        replaced = LoadFile(true);
    }
    if (m_listChanges != change)
        return; // the save selected a row again, and that change showed it
    if (!replaced && pChanged) {
        // The edits are still on screen and unsaved: so is their row, put
        // back without this handler taking it for a new choice.
        pEnblLB = true;
        SetListIndex(SaveFileLB(before));
        pEnblLB = false;
    }
    RefreshPreview();
}
