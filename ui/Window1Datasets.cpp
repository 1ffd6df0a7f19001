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
#include <QScopedValueRollback>

namespace {

const QString kCannotOpen = QStringLiteral("ファイルを開けません。");

} // namespace

bool Window1::SaveDataset(const QString& f, QByteArray& written)
{
    if (pDataset && DatasetFile::save(f, *pDataset, &written))
        return true;
    Globals::gCautionDlg1(kCannotOpen, QStringLiteral("保存は行われません。"));
    return false;
}

bool Window1::ReadDataset(const QString& f, Dataset& into, QByteArray& bytes)
{
    const DatasetFile::LoadResult result = DatasetFile::load(
        f, into, Globals::gPref, [this](const QString& path) { return LoadDatasetPict(path); }, &bytes);
    if (result == DatasetFile::LoadResult::Loaded)
        return true;
    if (result == DatasetFile::LoadResult::Missing) {
        // Removed or renamed since the list was read: the list catches up.
        Globals::gCautionDlg1(QStringLiteral("「%1」がみつかりません。").arg(QFileInfo(f).fileName()), QString());
        RefreshDatasetList();
        return false;
    }
    Globals::gCautionDlg1(kCannotOpen, QString());
    return false;
}

bool Window1::LoadDataset(const QString& f, bool askAboutEdits)
{
    // Read before anything is asked: a file that will not open costs the
    // user neither a question nor the edits.
    Dataset chosen;
    QByteArray bytes;
    if (!ReadDataset(f, chosen, bytes))
        return false;
    const EditsAnswer answer = askAboutEdits ? SaveCheck() : EditsAnswer::NoEdits;
    if (answer == EditsAnswer::Kept)
        return false;
    return TakeDataset(f, std::move(chosen), std::move(bytes), answer);
}

bool Window1::TakeDataset(const QString& f, Dataset chosen, QByteArray bytes, EditsAnswer answer)
{
    // The edits may have been saved into this very file: it opens as it is now.
    if (pWork.outdatedBy(answer, f) && !ReadDataset(f, chosen, bytes))
        return false;
    ShowDataset(std::move(chosen), f, bytes);
    return true;
}

void Window1::ShowDataset(Dataset shown, const QString& f, const QByteArray& bytes)
{
    if (pDataset)
        *pDataset = std::move(shown);
    else
        pDataset = std::make_unique<Dataset>(std::move(shown));
    WorkOn(f, bytes);
    InitControl();
    ApplySheetSize();
    SyncPictControls();
}

void Window1::WorkOn(const QString& f, const QByteArray& bytes)
{
    pWork.workOn(f, bytes);
    ShowDatasetRow();
}

void Window1::ShowDatasetRow()
{
    const QString name = pWork.rowIn(pFroot);
    // Rows change, nothing loads.
    const QScopedValueRollback<bool> guard(pEnblLB, true);
    SetListIndex(name.isEmpty() ? -1 : SaveFileLB(name));
}

void Window1::MakeDatasetList()
{
    auto* list = control<QListWidget>("ListBox1");
    // Rows change, nothing loads.
    const QScopedValueRollback<bool> guard(pEnblLB, true);
    list->clear();
    list->addItems(DatasetFile::listNames(pFroot));
    list->viewport()->update();
}

void Window1::RefreshDatasetList()
{
    MakeDatasetList();
    ShowDatasetRow();
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

bool Window1::ReplaceChangedFile(const QString& f) const
{
    const QString name = QFileInfo(f).fileName();
    return Globals::gCautionDlg(2, QString(), QStringLiteral("キャンセル"), QStringLiteral("置き換える"),
                                QStringLiteral("「%1」は、読み込んだ後にほかで書き換えられています。置き換えますか？").arg(name),
                                QStringLiteral("置き換えると、ほかで保存された「%1」の内容は失われます。").arg(name),
                                Globals::AnswerCancel)
           == Globals::AnswerAction;
}

bool Window1::SaveFile(bool saveAs)
{
    if (!pDataset)
        return false;
    QString f = pWork.path();
    if (pWork.needsName(saveAs)) {
        if (!Folders::isFolder(pFroot))
            Folders::createFolder(pFroot);
        const QString start = Folders::isFolder(pFroot) ? pFroot : QDir::homePath();
        f = QFileDialog::getSaveFileName(this, QString(), start);
        // The dialog can delete and rename files: the list shows what is left.
        RefreshDatasetList();
        if (f.isEmpty())
            return false;
        // A name that begins with "." is a hidden file: saved, it would never
        // show in the list.
        if (QFileInfo(f).fileName().startsWith(QLatin1Char('.'))) {
            Globals::gCautionDlg1(QStringLiteral("名前の先頭に「.」は使えません。"),
                                  QStringLiteral("別の名前を付けて下さい。"));
            return false;
        }
        // The dialog itself asked before it let a file be replaced.
    } else if (pWork.changedElsewhere() && !ReplaceChangedFile(f)) {
        // Nothing written; the edits stay unsaved, for 別名で保存.
        return false;
    }
    // A failed write keeps the old file and the edits: they are still unsaved.
    QByteArray written;
    if (!SaveDataset(f, written))
        return false;
    // The window goes on with the file just written, as it is on screen; the
    // list shows it (new, or written again after it was removed) selected.
    pWork.saved(f, written);
    EditsChanged();
    RefreshDatasetList();
    return true;
}

bool Window1::LoadFile(bool fromList)
{
    if (fromList) {
        const int32_t row = ListIndex();
        if (!Folders::isFolder(pFroot) || row < 0)
            return false;
        return LoadDataset(Folders::child(pFroot, control<QListWidget>("ListBox1")->item(row)->text()), true);
    }
    // Every file shows; one that is no dataset file is refused when it is read.
    const QString start = Folders::isFolder(pFroot) ? pFroot : QDir::homePath();
    const QString f = QFileDialog::getOpenFileName(this, QString(), start);
    RefreshDatasetList();
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
    if (!pWork.hasEdits())
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
        pWork.dropEdits();
        EditsChanged();
        return EditsAnswer::Dropped;
    default:
        // キャンセル, Escape and the close box.
        return EditsAnswer::Kept;
    }
}

void Window1::ListBox1_Change()
{
    const int32_t row = ListIndex();
    pLBname = row < 0 ? QString() : control<QListWidget>("ListBox1")->item(row)->text();
    if (pEnblLB)
        return;

    // The chosen file is named before the question: a save may read the
    // list again, and the rows move.
    if (row < 0) {
        if (SaveCheck() != EditsAnswer::Kept)
            InitDefault();
    } else {
        LoadFile(true);
    }
    // Loaded, refused or kept: the row selected is the one of the file the
    // window now works on, so that a click on any other row loads that one.
    ShowDatasetRow();
    RefreshPreview();
}
