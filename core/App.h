#pragma once

#include <QObject>

#include <functional>

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
    // damaged one with a notice; the defaults stay in both cases.
    void LoadPref();
    // Writes the PreferenceFile, unless there is no settings folder. A file
    // that LoadPref could not read is first kept beside it. A failed write is
    // reported with a notice; the old file then stays as it was.
    void SavePref();

    // The closing sequence: the preferences first, then what the main window
    // keeps in its own files (its anniversary list). Asks nothing.
    void CloseApp(const std::function<void()>& saveWindowFiles);

private:
    bool m_prefFileUnread = false; // LoadPref found a file it could not read whole
};
