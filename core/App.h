#pragma once

#include "core/SettingsAtStart.h"
#include "core/SettingsQuit.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class PrinterSetup;
struct PrefDlgValues;

// The application object. Its preference operations apply the functions of
// Preferences to the program-wide arrays of Globals and show the messages.
class App : public QObject {
    Q_OBJECT
public:
    explicit App(QObject* parent = nullptr);
    ~App() override;

    // The one application object, or nullptr while there is none.
    static App* instance();

    // gPrintSetup with an empty "SetupString"; gSheetW.
    void InitVal();
    // The palette gClr.
    void InitColor();
    // The default gPref and gPrefS; after InitVal and InitColor.
    void InitPref();
    // The PreferenceFile over the defaults; creates the settings folder on a
    // first run. A missing file is reported with MsgBox, an unreadable or
    // damaged one with a notice; the defaults stay in both cases. A settings
    // folder that cannot be made is told, naming what is in its way.
    void LoadPref();
    // Writes the PreferenceFile when the preferences would give other bytes
    // than LoadPref read (a first run's defaults only into an empty place),
    // making the settings folder again when it is gone. A file that LoadPref
    // could not read, or that was saved elsewhere since, is first kept
    // beside it. A failed write leaves the old file as it was. Tells nothing:
    // the report says what came of it.
    SettingsFiles::QuitReport SavePref();

    // The application's opening sequence: InitVal, InitColor, InitPref,
    // LoadPref, LoadPrintSetup.
    void InitApp();

    // The closing sequence: the preferences first, then what the main window
    // keeps in its own files (its anniversary list), then the page setup.
    // Each file's report goes to `tell` as it is made; when `tell` answers
    // false (the user keeps the program running after a file could not be
    // saved) the sequence stops there and answers false. Without `tell`
    // every file is tried and nothing is asked. True when the program may end.
    using QuitTeller = std::function<bool(const SettingsFiles::QuitReport&)>;
    bool CloseApp(const std::function<SettingsFiles::QuitReport()>& saveWindowFiles, const QuitTeller& tell = {});

    // ---- Menu commands ----
    // The application's four commands. Each returns false: the command is
    // left to the menus' own handling, which for "終了" is the quit.
    bool AppleAbout_Action();
    bool EditPreferences_Action();
    bool FileQuit_Action();
    bool FilePageSetup_Action();
    // Before each showing of the menus: `enable` switches on an item, by name.
    void Event_EnableMenuItems(const std::function<void(const QString& name)>& enable) const;

    // The About panel, run modally until the user ends it.
    void GenAboutPanel();
    void setAboutPanelRunner(std::function<void()> runner);

    // ---- Page setup (gPrintSetup and the PageSetupFile) ----
    // The user interface's page formats: each call gives a new one on the
    // default printer. Until one is set there is no printing service, and
    // the page-setup operations do nothing.
    using PrinterSetupFactory = std::function<std::unique_ptr<PrinterSetup>()>;
    void setPrinterSetupFactory(PrinterSetupFactory factory);
    // A new page format from the factory; null when there is none.
    std::unique_ptr<PrinterSetup> NewPrinterSetup() const;

    // The page-setup dialog, starting from the current page setup; a
    // confirmed choice replaces gPrintSetup, a cancel changes nothing. The
    // caller learns the outcome from gPrintSetup's "SetupString".
    void PrintSetup();
    // gPrintSetup's "SetupString", "Width" and "Height" from `ps`.
    void PrintSetupParam(const PrinterSetup& ps);
    // While keep-page-setup is on: the PageSetupFile into gPrintSetup. A
    // missing file and one that cannot be read are told apart in the notice.
    void LoadPrintSetup();
    // gPrintSetup's setup text into the PageSetupFile, as the keep-page-setup
    // preference says (PageSetupFile::saveAtQuit decides when there is
    // nothing to store), when it differs from what the file held at
    // start-up; as SavePref for a file that changed meanwhile.
    SettingsFiles::QuitReport SavePrintSetup();

    // ---- Preferences dialog ----
    // Runs the dialog modally on the values; true when the user saved.
    using PrefDlgRunner = std::function<bool(PrefDlgValues&)>;
    void setPrefDlgRunner(PrefDlgRunner runner);
    // The dialog on gPref 3, 4, 5, 10 and 40 to 43; "保存" writes them back
    // to gPref (in memory only), anything else changes nothing.
    void ShowPrefDlg();

private:
    PrinterSetupFactory m_newPrinterSetup;
    PrefDlgRunner m_runPrefDlg;
    std::function<void()> m_runAboutPanel;
    // What the settings files held at start-up, for the quit to tell what
    // this run changed and whether someone else saved them meanwhile.
    SettingsFiles::AtStart m_prefAtStart;
    SettingsFiles::AtStart m_pageSetupAtStart;
};
