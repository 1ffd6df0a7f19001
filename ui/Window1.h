#pragma once

#include "core/Anniversary.h"
#include "core/AnniversaryFile.h"
#include "core/Dataset.h"
#include "core/RecoveryCopy.h"
#include "core/SettingsAtStart.h"
#include "core/SettingsQuit.h"
#include "core/WorkingFile.h"
#include "sheet/PageLayout.h"

#include <QByteArray>
#include <QMainWindow>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>

class AnnDlg;
class Canvas;
class MenuBar1;
class PrintJob;
class QAction;
class SheetSurface;

// The main window. It carries the working state; its methods read that state
// and hand plain values to the logic in calendar/, core/ and sheet/.
class Window1 : public QMainWindow {
    Q_OBJECT

    // ---- Opening and closing (ui/Window1.cpp, ui/Window1Controls.cpp) ----
public:
    explicit Window1(QWidget* parent = nullptr);
    ~Window1() override;

    // The window's opening sequence; needs the application's to have run (gPref).
    void InitApp();
    // The datasets folder, the preview sizes, the installed fonts in the font pop-ups.
    void InitVal();

    // ---- Datasets on disk and in the dataset list (ui/Window1Datasets.cpp) ----
    // Writes the current dataset to the file, whole or not at all; a failure
    // is told to the user and gives false. `written` receives the bytes.
    bool SaveDataset(const QString& f, QByteArray& written);
    // Makes the dataset of the file current, with its file, the controls and
    // the preview's size. A file that cannot be read whole is told to the
    // user and changes nothing; false then. With `askAboutEdits`, unsaved
    // edits are asked about once the file has been read, and when they are
    // kept (the user cancelled, or their save did not happen) nothing loads.
    bool LoadDataset(const QString& f, bool askAboutEdits = false);
    // Rebuilds the list from the datasets folder (empty when it is gone); no
    // row selected afterwards.
    void MakeDatasetList();
    // Saves into the current file, or into one chosen in a save dialog when
    // there is none or `saveAs`; the window then works on the file written.
    // A current file that changed on disk since this window read or wrote it
    // is replaced only when the user says so. True when the dataset was written.
    bool SaveFile(bool saveAs);
    // The first row named `name` exactly; -1 when none.
    int32_t SaveFileLB(const QString& name) const;
    // Loads the selected row's file, or one chosen in an open dialog, after
    // asking about unsaved edits; true when a dataset was loaded.
    bool LoadFile(bool fromList);
    using EditsAnswer = WorkingFile::EditsAnswer;
    // The question about unsaved edits, before another dataset takes their
    // place or the program ends: "保存" saves them, "保存しない" drops them,
    // "キャンセル" (Escape, the close box) keeps them, as does a save that
    // does not happen. Asks nothing while there are none.
    EditsAnswer SaveCheck();
    // The dataset list's one change event: a change of its selection.
    void ListBox1_Change();
    // The list's selected row, -1 for none; setting it raises ListBox1_Change
    // when the selection changes.
    int32_t ListIndex() const;
    void SetListIndex(int32_t row);
    // Reads the list again from the folder, after anything that may have
    // changed the folder (a file dialog, a file found gone); the row of the
    // current file stays selected.
    void RefreshDatasetList();

    // The close request. While the dataset has unsaved edits it first asks
    // whether to save them; true keeps the window open (the user cancelled,
    // or the save did not happen). Otherwise it runs the application's
    // closing sequence, telling what came of each settings file; a file that
    // could not be stored asks, and the user's "終了しない" keeps the window
    // open too. Else it quits the application unless it is quitting already.
    bool Event_CancelClose(bool appQuitting);
    // The application's quit, where the quit command leads: the window is
    // closed as by its close box, but knowing that the application quits.
    void AppQuit();
    // The end of the session (a signal to end): the settings files are
    // stored as a quit stores them, asking nothing, and the program ends,
    // with the status 1 when one of them could not be stored (told on the
    // standard error), else 0. An open anniversary editor is taken as closed
    // by "閉じる" first, its own questions as cancelled. Unsaved edits of the
    // dataset are not asked about: they are kept for the next run (a copy
    // that cannot be written is told on the standard error, status 1 too).
    void EndSession();

    // ---- Unsaved edits kept for the next run (ui/Window1Recovery.cpp) ----
    // While the dataset has unsaved edits, a copy of the design is kept in
    // the recovery folder, written a little after each edit and at the end
    // of the session, and removed once the edits are saved or dropped.
    //
    // At start-up, once the window shows: the copies that runs which have
    // ended left are offered, newest first, until one is restored: "復元"
    // (the default; Escape and the close box too) shows its design with the
    // edits unsaved, on its own file; "破棄" removes it. One that cannot be
    // read is told and kept aside under another name.
    void OfferRecovery();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Reads the file into `into` and its bytes into `bytes`; a file that is
    // no whole dataset is told to the user, and false. A file that has gone
    // is named, and the list read again.
    bool ReadDataset(const QString& f, Dataset& into, QByteArray& bytes);
    // Makes `chosen`, read from `f` as `bytes`, the current dataset; read
    // again first when the edits were just saved into that very file.
    bool TakeDataset(const QString& f, Dataset chosen, QByteArray bytes, EditsAnswer answer);
    // The window works on `f` (empty for an untitled design), whose bytes
    // it has just read or written are `bytes` (pWork). Its row of the list is
    // selected without loading anything; no row when it is untitled or lies
    // outside the datasets folder.
    void WorkOn(const QString& f, const QByteArray& bytes);
    // Selects the current file's row, or none, without loading anything.
    void ShowDatasetRow();
    // Asks whether to replace `f`, changed on disk by someone else since
    // this window read or wrote it; キャンセル, the default, keeps it.
    bool ReplaceChangedFile(const QString& f) const;

    // Takes the anniversary editor's rows when they were changed, as its
    // "閉じる" leaves them.
    void TakeAnnDlgRows(const AnnDlg& dlg);

    // Makes `shown` the current dataset, on `f` (empty for an untitled
    // design) as last read or written as `bytes`, in every control.
    void ShowDataset(Dataset shown, const QString& f, const QByteArray& bytes);
    // Whether the design has unsaved edits changed: the menu items and the
    // recovery copy follow.
    void EditsChanged();
    // Writes the copy of the design now; false when it could not be, `why`
    // then says why.
    bool KeepRecoveryCopy(QString* why);
    // At the end of the session: the edits of the last moments reach the
    // copy the next run offers. False, told on the standard error, when
    // they could not.
    bool KeepRecoveryCopyAtEnd();
    // The copy's timer: the edits of the last moments reach the copy.
    void RecoveryTimer_Action();
    // The design of a copy another run left, shown with its edits unsaved;
    // false when it holds no whole dataset.
    bool RestoreRecovery(const RecoveryCopy::Content& content);

    std::unique_ptr<RecoveryKeeper> m_recovery;
    // "RecoveryTimer": runs from an edit until the copy has caught up with it.
    QTimer* m_recoveryTimer = nullptr;
    // A copy that could not be written is told once a run.
    bool m_recoveryTold = false;

    bool m_closed = false;
    bool m_appQuitting = false;
    bool m_sessionEnded = false;
    // The anniversary editor while it runs. It has no キャンセル, so what it
    // shows is what the user made: an end of the session keeps it.
    AnnDlg* m_annDlg = nullptr;
    // What LoadAnvsy found, for SaveAnvsy to judge what the run changed.
    SettingsFiles::AtStart m_anvsyAtStart;

    // ---- Working state ----
public:
    std::unique_ptr<Dataset> pDataset;
    AnniversaryList pAnvsy;
    // The current dataset's file, what this window last read or wrote there
    // and its unsaved edits; set through WorkOn, MarkChanged and the saves.
    WorkingFile pWork;
    QString pFroot;  // the datasets folder
    bool pEnbl = false;
    bool pEnblLB = false;
    QString pLBname;
    std::array<int32_t, 8> pDOWline{};
    QList<int32_t> pWEEKline;
    std::array<int32_t, 4> pCanvas1W{};
    std::array<int32_t, 4> pCanvas1H{};

    // ---- The dataset and the anniversary list (ui/Window1.cpp, ui/Window1Controls.cpp, ui/Window1Anniversaries.cpp) ----
public:
    // Dataset defaults.
    void InitDataset();
    // A new untitled default dataset, shown in every control.
    void InitDefault();
    // The dataset now differs from its file: every edit says so here.
    void MarkChanged();

    // The background picture button's choice of a picture file.
    void GetPictFile();
    // The picture a stored pictPath names; null when there is none.
    QImage LoadDatasetPict(const QString& path) const;

    // The anniversary list: read once at start-up, written once at quit. A
    // file that cannot be read is told, naming it and why; the save tells
    // nothing and reports what came of it.
    void LoadAnvsy();
    SettingsFiles::QuitReport SaveAnvsy();
    // At start-up: a datasets folder that cannot be, as something that is no
    // folder holds its place or a parent's, is told, naming it.
    void TellDatasetsFolder();
    // Edits a copy of pAnvsy in the anniversary editor and takes the rows back
    // when they were changed; repaints the preview after every run
    // (ui/Window1Anniversaries.cpp).
    void ShowAnnDlg();

    // ---- Controls: their places (ui/Window1Layout.cpp), setting and handlers (ui/Window1Controls.cpp) ----
public:
    // Sets every control from pDataset without any handler writing back.
    void InitControl();

    void PopupMenu1_Change();
    void PopupMenu2_Change();
    void PopupMenu3_Change();
    void PopupMenu4_Change();
    void PopupMenu5_Change();
    void PopupMenu6_Change();
    void PopupMenu7_Change();
    void PopupMenu8_Change();
    void PopupMenu9_Change();
    void PopupMenu10_Change();
    void PopupMenu11_Change();
    void PopupMenu12_Change();
    void PopupMenu13_Change();
    void PopupMenu14_Change();
    void PopupMenu15_Change();
    void PopupMenu16_Change();
    void PopupMenu17_Change();
    void PopupMenu18_Change();
    void PopupMenu19_Change();
    void PopupMenu20_Change();
    void PopupMenu21_Change();
    void PopupMenu22_Change();
    void RadioButton1_Action();
    void RadioButton2_Action();
    void LittleArrows1_Down();
    void LittleArrows1_Up();
    void PushButton1_Action();
    void Canvas2_ClrChanged();
    void Canvas3_ClrChanged();
    void Canvas4_ClrChanged();
    void Canvas5_ClrChanged();
    void Canvas6_ClrChanged();
    void Canvas7_ClrChanged();
    void Canvas8_ClrChanged();
    void Canvas11_ClrChanged();
    void Canvas12_ClrChanged();
    void Canvas13_ClrChanged();
    void Canvas14_ClrChanged();

private:
    // Builds every control but the preview and the rulers, box by box in the
    // order that gives their stacking and tab order, then binds their events.
    void CreateControls(QWidget* central);
    void CreateSettingsBox(QWidget* central);
    void CreateTabPages(QWidget* box, QWidget* central);
    void CreatePrintRangeBox(QWidget* central);
    void CreateDatasetList(QWidget* central);
    void ConnectControls();
    template <class T> T* control(const char* name) const { return findChild<T*>(QLatin1String(name)); }
    bool editBlocked() const { return pEnbl || !pDataset; }
    void editText(const char* popup, const QString& key);
    void editIndex(const char* popup, const QString& key, bool repaint);
    void editColour(const char* swatch, const QString& key);
    void stepYear(int32_t step);
    void selectRow(const char* popup, int64_t row);
    void selectText(const char* popup, const QString& text);
    void selectFont(const char* popup, const QString& font);
    void ApplySheetSize();
    void SyncPictControls();
    void RefreshPreview();

    // ---- Sheet drawing, preview and rulers (ui/Window1Sheet.cpp) ----
public:
    // Creates Canvas1 (preview), Canvas9 and Canvas10 (rulers) on `parent` at
    // their window positions.
    void InitSheetCanvases(QWidget* parent);
    // The preview, one pixel per point: its current size is the sheet's size.
    Canvas* Canvas1 = nullptr;
    Canvas* Canvas9 = nullptr;   // the vertical ruler left of the preview
    Canvas* Canvas10 = nullptr;  // the horizontal ruler above the preview

    // The grid tables (pDOWline, pWEEKline) for the current size and overflow placement.
    void InitDOWLine();
    void InitWeekLine();

    // One month sheet of the current dataset with its top-left corner at (x, y)
    // points of the surface, at `scale` device units per point: the one renderer
    // of the preview, the exported picture and the printed page. The surface
    // keeps the colour, font and pen the sheet set last.
    void DrawCal(SheetSurface& g, int32_t x, int32_t y, double scale, int32_t year, int32_t month) const;

    void Canvas1_Paint(SheetSurface& g);
    void Canvas9_Paint(SheetSurface& g);
    void Canvas10_Paint(SheetSurface& g);

    // ---- Printing and picture export (ui/Window1Print.cpp, ui/Window1Export.cpp) ----
public:
    // The print command: twelve months or one page of sheets of the current
    // dataset from its start month, one print job a page, the first page
    // through the print dialog. Changes nothing in the dataset.
    void PrintSheet();
    // One page as one job on the print's printer, its months from (year,
    // month) on, which are advanced past them. False, with the month left as
    // it was, when there is still no page setup, the dialog was cancelled,
    // the job could not begin or a PDF page did not reach its file whole (a
    // PDF file that cannot be written is told, and no part of it is left).
    bool PrintSheet2(PrintJob& job, bool noDialog, int32_t& year, int32_t& month);
    // The sheet positions for the current size on gPrintSetup's printable area.
    void GetSheetPos(Sheet::SheetPositions& positions) const;
    // The page's cutting guides in the dataset's style, at `scale` device pixels per point.
    void PrintSheet2CL(SheetSurface* g, const Sheet::SheetPositions& positions, double scale) const;
    // The previewed month saved as a picture the user names: PNG, JPEG or
    // BMP as the name's suffix says, PNG with ".png" added for any other name.
    void ExportCanvas1();

    // ---- Menus and toolbar (ui/Window1Menus.cpp) ----
public:
    MenuBar1* menuBar1() const;
    // The menu bar's items by name, for the enabling.
    QAction* MenuItem(const char* name) const;
    QAction* FileMenu() const { return MenuItem("FileMenu"); }
    QAction* FileOpen() const { return MenuItem("FileOpen"); }
    QAction* FileSave() const { return MenuItem("FileSave"); }
    QAction* FileSaveAs() const { return MenuItem("FileSaveAs"); }
    QAction* UntitledMenu4() const { return MenuItem("UntitledMenu4"); }
    QAction* FileExport() const { return MenuItem("FileExport"); }
    QAction* UntitledMenu3() const { return MenuItem("UntitledMenu3"); }
    QAction* FilePageSetup() const { return MenuItem("FilePageSetup"); }
    QAction* FilePrint() const { return MenuItem("FilePrint"); }
    QAction* UntitledMenu2() const { return MenuItem("UntitledMenu2"); }
    QAction* FileQuit() const { return MenuItem("FileQuit"); }
    QAction* EditMenu() const { return MenuItem("EditMenu"); }
    QAction* EditUndo() const { return MenuItem("EditUndo"); }
    QAction* UntitledMenu1() const { return MenuItem("UntitledMenu1"); }
    QAction* EditCut() const { return MenuItem("EditCut"); }
    QAction* EditCopy() const { return MenuItem("EditCopy"); }
    QAction* EditPaste() const { return MenuItem("EditPaste"); }
    QAction* EditClear() const { return MenuItem("EditClear"); }
    QAction* UntitledMenu0() const { return MenuItem("UntitledMenu0"); }
    QAction* EditPreferences() const { return MenuItem("EditPreferences"); }
    QAction* Op() const { return MenuItem("Op"); }
    QAction* OpAnn() const { return MenuItem("OpAnn"); }
    QAction* AppleAbout() const { return MenuItem("AppleAbout"); }

    // Binds the window's six commands by name.
    void AddMenuHandlers();
    // Switches on the window's items that do not enable themselves: "保存"
    // only while the dataset has unsaved edits.
    void Event_EnableMenuItems();
    // The window's commands; each runs one operation and returns false.
    bool FileOpen_Action();
    bool FileSave_Action();
    bool FileSaveAs_Action();
    bool FileExport_Action();
    bool FilePrint_Action();
    bool OpAnn_Action();

    // The toolbar's pictures, composed once while the window opens.
    void InitIcon();
    // The toolbar's six commands: each runs exactly what its menu item runs.
    void ToolbarItem2_Action(); // save
    void ToolbarItem5_Action(); // export
    void ToolbarItem1_Action(); // anniversaries
    void ToolbarItem3_Action(); // page setup
    void ToolbarItem4_Action(); // print
    void ToolbarItem6_Action(); // preferences

private:
    void CreateToolbar();
    // Runs the menu bar's enabling pass, so that the items and their
    // shortcuts follow the unsaved edits wherever they change.
    void UpdateMenuItems();
};
