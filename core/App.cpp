#include "core/App.h"

#include "core/DatasetKeys.h"
#include "core/Globals.h"
#include "core/PageSetup.h"
#include "core/PageSetupFile.h"
#include "core/PrefDlgValues.h"
#include "core/Preferences.h"
#include "core/ProgramPaths.h"
#include "core/SettingsQuit.h"
#include "platform/Folders.h"

#include <QDir>

namespace {
App* gApp = nullptr;
}

App::App(QObject* parent)
    : QObject(parent)
{
    gApp = this;
}

App::~App()
{
    if (gApp == this)
        gApp = nullptr;
}

App* App::instance() { return gApp; }

void App::InitApp()
{
    InitVal();
    InitColor();
    InitPref();
    LoadPref();
    LoadPrintSetup();
}

bool App::CloseApp(const std::function<SettingsFiles::QuitReport()>& saveWindowFiles, const QuitTeller& tell)
{
    const std::function<SettingsFiles::QuitReport()> steps[] = {
        [this] { return SavePref(); },
        saveWindowFiles,
        [this] { return SavePrintSetup(); },
    };
    for (const auto& step : steps) {
        if (!step)
            continue;
        const SettingsFiles::QuitReport report = step();
        if (tell && !tell(report))
            return false;
    }
    return true;
}

bool App::AppleAbout_Action()
{
    GenAboutPanel();
    return false;
}

bool App::EditPreferences_Action()
{
    ShowPrefDlg();
    return false;
}

bool App::FileQuit_Action() { return false; }

bool App::FilePageSetup_Action()
{
    PrintSetup();
    return false;
}

void App::Event_EnableMenuItems(const std::function<void(const QString&)>& enable) const
{
    // The page setup can be made at any time, before any printing too.
    enable(QStringLiteral("FilePageSetup"));
}

void App::setAboutPanelRunner(std::function<void()> runner) { m_runAboutPanel = std::move(runner); }

void App::GenAboutPanel()
{
    if (m_runAboutPanel)
        m_runAboutPanel();
}

void App::InitVal() { Preferences::initVal(Globals::gPrintSetup, Globals::gSheetW); }

void App::InitColor() { Preferences::initColor(Globals::gClr); }

void App::InitPref() { Preferences::initPref(Globals::gPref, Globals::gPrefS, Globals::gClr, Globals::gSheetW); }

void App::LoadPref()
{
    Folders::Unmade unmade;
    const Preferences::LoadResult result =
        Preferences::load(ProgramPaths::settingsFolder(), Globals::gPref, Globals::gPrefS, Globals::gClr,
                          Globals::gSheetW, &Globals::gPrefSBytes, &m_prefAtStart, &unmade);
    switch (result) {
    case Preferences::LoadResult::NoFolder:
        Globals::gCautionDlg1(
            QStringLiteral("設定フォルダ「%1」を作れません。").arg(QDir::toNativeSeparators(ProgramPaths::settingsFolder())),
            Folders::whyUnmade(unmade) + QStringLiteral("\nこのままでは、終了するときに設定を保存できません。"));
        break;
    case Preferences::LoadResult::NoFile:
        Globals::MsgBox(QStringLiteral("初期設定ファイルがありません。デフォルトの設定で起動します。"));
        break;
    case Preferences::LoadResult::CannotOpen:
    case Preferences::LoadResult::Damaged:
        Globals::gCautionDlg1(QStringLiteral("初期設定ファイルを読み込めません。"),
                              QStringLiteral("デフォルトの設定で起動します。"));
        break;
    case Preferences::LoadResult::Loaded:
    case Preferences::LoadResult::FolderCreated:
        break;
    }
}

SettingsFiles::QuitReport App::SavePref()
{
    return {QStringLiteral("初期設定"), ProgramPaths::preferenceFile(),
            Preferences::saveAtQuit(ProgramPaths::settingsFolder(), Globals::gPref, Globals::gPrefS,
                                    &Globals::gPrefSBytes, m_prefAtStart)};
}

void App::setPrinterSetupFactory(PrinterSetupFactory factory) { m_newPrinterSetup = std::move(factory); }

std::unique_ptr<PrinterSetup> App::NewPrinterSetup() const
{
    return m_newPrinterSetup ? m_newPrinterSetup() : nullptr;
}

namespace {
const QString kSetupString = QStringLiteral("SetupString");

// Printing lays its sheets out on the printable area, so a page without one
// cannot be set up. With no printer installed Qt prints to PDF, whose page
// always has an area: only a printer that can print on none of its page is
// turned away.
bool hasPrintableArea(const PrinterSetup& ps) { return ps.Width() > 0 && ps.Height() > 0; }

bool keepPageSetup() { return Globals::gConvIB(Globals::gPref[PrefIndex::kKeepPageSetup], true); }

void pageSetupFileMissing()
{
    Globals::gCautionDlg1(QStringLiteral("用紙設定ファイルがみつかりません。"),
                          QStringLiteral("再度、用紙設定を行って下さい。"));
}

void pageSetupFileUnreadable()
{
    Globals::gCautionDlg1(QStringLiteral("用紙設定ファイルを読み込めません。"),
                          QStringLiteral("再度、用紙設定を行って下さい。"));
}
} // namespace

void App::PrintSetup()
{
    std::unique_ptr<PrinterSetup> ps = NewPrinterSetup();
    if (!ps)
        return;
    if (!hasPrintableArea(*ps)) {
        Globals::gCautionDlg1(QStringLiteral("プリンタドライバが見つかりません。"),
                              QStringLiteral("用紙設定は行われません。"));
        return;
    }
    const QString current = Globals::gPrintSetup.value(kSetupString).toString();
    if (!current.isEmpty())
        ps->SetSetupString(current);
    if (!ps->PageSetupDialog())
        return;
    PrintSetupParam(*ps);
}

void App::PrintSetupParam(const PrinterSetup& ps)
{
    Globals::gPrintSetup.insert(kSetupString, ps.SetupString());
    Globals::gPrintSetup.insert(QStringLiteral("Width"), ps.Width());
    Globals::gPrintSetup.insert(QStringLiteral("Height"), ps.Height());
}

void App::LoadPrintSetup()
{
    // The file is looked at even while it is not kept, so that turning the
    // preference on during the run still knows at quit what the file held.
    QString text;
    const PageSetupFile::LoadResult result =
        PageSetupFile::load(ProgramPaths::settingsFolder(), text, &m_pageSetupAtStart);
    if (!keepPageSetup())
        return;
    switch (result) {
    case PageSetupFile::LoadResult::NoFolder:
        return;
    case PageSetupFile::LoadResult::NoFile:
        pageSetupFileMissing();
        return;
    case PageSetupFile::LoadResult::Unreadable:
        pageSetupFileUnreadable();
        return;
    case PageSetupFile::LoadResult::Loaded:
        break;
    }
    std::unique_ptr<PrinterSetup> ps = NewPrinterSetup();
    // No printer to print on: the stored setup is not applied, and the next
    // print or page setup meets the missing printer itself.
    if (!ps || !hasPrintableArea(*ps))
        return;
    if (!ps->SetSetupString(text)) {
        pageSetupFileUnreadable();
        return;
    }
    PrintSetupParam(*ps);
}

SettingsFiles::QuitReport App::SavePrintSetup()
{
    return {QStringLiteral("用紙設定"), ProgramPaths::pageSetupFile(),
            PageSetupFile::saveAtQuit(ProgramPaths::settingsFolder(), keepPageSetup(),
                                      Globals::gPrintSetup.value(kSetupString).toString(), m_pageSetupAtStart)};
}

void App::setPrefDlgRunner(PrefDlgRunner runner) { m_runPrefDlg = std::move(runner); }

void App::ShowPrefDlg()
{
    if (!m_runPrefDlg)
        return;
    namespace P = PrefIndex;
    auto& pref = Globals::gPref;
    PrefDlgValues values;
    values.lowResolution = pref[P::kPrintResolution] == codeOf(PrintResolution::Dpi72);
    for (int i = 0; i < kSheetSizeCount; ++i)
        values.widths[i] = PrefWidth::text(pref[P::kMeasuredWidths + i]);
    const std::array<QString, 4> shown = values.widths;
    values.keepPageSetup = Globals::gConvIB(pref[P::kKeepPageSetup], true);
    values.noDialogAfterFirst = Globals::gConvIB(pref[P::kNoDialogAfterFirstPage], true);
    values.beep = Globals::gConvIB(pref[P::kBeep], true);

    if (!m_runPrefDlg(values))
        return;

    pref[P::kPrintResolution] = codeOf(values.lowResolution ? PrintResolution::Dpi72 : PrintResolution::Dpi360);
    // By the rule the dialog checked at "保存": a width left as shown, or one
    // that would not have passed, keeps its stored value.
    for (int i = 0; i < kSheetSizeCount; ++i) {
        if (const auto tenths = PrefWidth::atSave(values.widths[i], shown[i], Globals::gSheetW[i]).tenths)
            pref[P::kMeasuredWidths + i] = *tenths;
    }
    pref[P::kKeepPageSetup] = Globals::gConvBI(values.keepPageSetup, true);
    pref[P::kNoDialogAfterFirstPage] = Globals::gConvBI(values.noDialogAfterFirst, true);
    pref[P::kBeep] = Globals::gConvBI(values.beep, true);
}
