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

bool Window1::LoadDataset(const QString& f)
{
    Dataset loaded;
    const DatasetFile::LoadResult result = DatasetFile::load(
        f, loaded, Globals::gPref, [this](const QString& path) { return LoadDatasetPict(path); });
    if (result != DatasetFile::LoadResult::Loaded) {
        Globals::gCautionDlg1(kCannotOpen, QString());
        return false;
    }
    if (pDataset)
        *pDataset = std::move(loaded);
    else
        pDataset = std::make_unique<Dataset>(std::move(loaded));
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

void Window1::LoadFile(bool fromList)
{
    if (fromList) {
        const int32_t row = ListIndex();
        if (!Folders::isFolder(pFroot) || row < 0)
            return;
        LoadDataset(Folders::child(pFroot, control<QListWidget>("ListBox1")->item(row)->text()));
        return;
    }
    // Every file shows; one that is no dataset file is refused when it is read.
    const QString start = Folders::isFolder(pFroot) ? pFroot : QDir::homePath();
    const QString f = QFileDialog::getOpenFileName(this, QString(), start);
    if (f.isEmpty())
        return;
    LoadDataset(f);
    RefreshPreview();
}

bool Window1::SaveCheck()
{
    if (!pChanged)
        return true;
    const int32_t answer = Globals::gCautionDlg(2, QString(), QStringLiteral("キャンセル"), QStringLiteral("保存"),
                                                QStringLiteral("内容が変更されています。保存しますか？"),
                                                QStringLiteral("保存しないと、変更内容は失われます。"));
    if (answer == Globals::AnswerAction)
        return SaveFile(false);
    pChanged = false;
    UpdateMenuItems();
    return true;
}

void Window1::ListBox1_Change()
{
    const QString before = pLBname;
    const int32_t row = ListIndex();
    pLBname = row < 0 ? QString() : control<QListWidget>("ListBox1")->item(row)->text();
    if (pEnblLB)
        return;

    // The question may save, and a save into a new file rebuilds the list:
    // nothing of the list is held across it, and the selection is read afresh.
    const uint64_t change = ++m_listChanges;
    if (!SaveCheck()) {
        // The save did not happen: the edits stay, and so does their row.
        pEnblLB = true;
        SetListIndex(SaveFileLB(before));
        pEnblLB = false;
        return;
    }
    if (m_listChanges != change)
        return; // the save selected a row again, and that change loaded it
    if (ListIndex() < 0)
        InitDefault();
    else
        LoadFile(true);
    RefreshPreview();
}
