#include "core/App.h"

#include "core/Globals.h"
#include "core/Preferences.h"
#include "core/SettingsFiles.h"

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

void App::CloseApp(const std::function<void()>& saveWindowFiles)
{
    SavePref();
    if (saveWindowFiles)
        saveWindowFiles();
}

void App::InitVal() { Preferences::initVal(Globals::gPrintSetup, Globals::gSheetW); }

void App::InitColor() { Preferences::initColor(Globals::gClr); }

void App::InitPref() { Preferences::initPref(Globals::gPref, Globals::gPrefS, Globals::gClr, Globals::gSheetW); }

void App::LoadPref()
{
    const Preferences::LoadResult result = Preferences::load(SettingsFiles::folder(), Globals::gPref, Globals::gPrefS,
                                                             Globals::gClr, Globals::gSheetW, &Globals::gPrefSBytes);
    m_prefFileUnread = result == Preferences::LoadResult::CannotOpen || result == Preferences::LoadResult::Damaged;
    switch (result) {
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

void App::SavePref()
{
    const Preferences::SaveResult result = Preferences::save(SettingsFiles::folder(), Globals::gPref, Globals::gPrefS,
                                                             &Globals::gPrefSBytes, m_prefFileUnread);
    if (result == Preferences::SaveResult::Saved)
        m_prefFileUnread = false;
    if (result == Preferences::SaveResult::CannotWrite)
        Globals::gCautionDlg1(QStringLiteral("ファイルを開けません。"), QStringLiteral("保存は行われません。"));
}
