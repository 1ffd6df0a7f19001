#include "ui/Window1.h"

#include "core/AnniversaryFile.h"
#include "core/App.h"
#include "core/DatasetDefaults.h"
#include "core/Globals.h"
#include "platform/Folders.h"
#include "ui/MenuBar1.h"
#include "ui/SettingsNotices.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QInputMethod>
#include <QLayout>
#include <QTimer>
#include <QWidget>

#include <cerrno>

Window1::Window1(QWidget* parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Morvelin"));
    // A document window of fixed size: a close button, no zoom or minimise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setMenuBar(new MenuBar1(this));
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Window1Content"));
    central->setFixedSize(780, 625);
    setCentralWidget(central);
    // The window takes the content area's size plus whatever bars sit on top of
    // it, and the user cannot resize it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    CreateControls(central);
    InitSheetCanvases(central);
    CreateToolbar();
    AddMenuHandlers();
    m_recovery = std::make_unique<RecoveryKeeper>(Folders::recoveryFolder());
    m_recoveryTimer = new QTimer(this);
    m_recoveryTimer->setObjectName(QStringLiteral("RecoveryTimer"));
    m_recoveryTimer->setSingleShot(true);
    connect(m_recoveryTimer, &QTimer::timeout, this, &Window1::RecoveryTimer_Action);
}

Window1::~Window1() = default;

void Window1::InitDataset()
{
    pDataset = std::make_unique<Dataset>();
    DatasetDefaults::initDataset(*pDataset, Globals::gPref, QDate::currentDate());
}

void Window1::MarkChanged()
{
    pWork.markEdited();
    // "保存" and its shortcut are available from this edit on, and the
    // recovery copy follows.
    EditsChanged();
}

void Window1::LoadAnvsy()
{
    const QString path = AnniversaryFile::defaultPath();
    const AnniversaryFile::LoadResult result = AnniversaryFile::load(path, pAnvsy, &m_anvsyAtStart);
    SettingsNotices::tellAnniversariesAtStart(result, path, m_anvsyAtStart.read.error);
}

SettingsFiles::QuitReport Window1::SaveAnvsy()
{
    const QString path = AnniversaryFile::defaultPath();
    return {QStringLiteral("記念日"), path, AnniversaryFile::saveAtQuit(path, pAnvsy, m_anvsyAtStart)};
}

void Window1::TellDatasetsFolder()
{
    const QString blocked = Folders::inTheWay(pFroot);
    if (blocked.isEmpty())
        return;
    Globals::gCautionDlg1(
        QStringLiteral("データセットのフォルダ「%1」を使えません。").arg(QDir::toNativeSeparators(pFroot)),
        Folders::whyUnmade(Folders::Unmade{blocked, ENOTDIR})
            + QStringLiteral("\nデータセットを保存するときは、ほかの場所を選んで下さい。"));
}

bool Window1::Event_CancelClose(bool appQuitting)
{
    if (SaveCheck() == EditsAnswer::Kept)
        return true;
    if (App* app = App::instance()) {
        if (!app->CloseApp([this] { return SaveAnvsy(); }, SettingsNotices::tellAtQuit))
            return true;
    }
    if (!appQuitting)
        QCoreApplication::quit();
    return false;
}

void Window1::EndSession()
{
    // Also in the middle of a quit, while one of its questions waits: the
    // session does not wait for an answer.
    if (m_sessionEnded)
        return;
    m_sessionEnded = true;
    m_closed = true;
    // Text still being composed is part of what the user typed.
    QGuiApplication::inputMethod()->commit();
    // The editor's own questions and its year entry, if one waits, end
    // unanswered: the rows are what it shows now.
    if (m_annDlg)
        TakeAnnDlgRows(*m_annDlg);
    bool lost = !KeepRecoveryCopyAtEnd();
    if (App* app = App::instance()) {
        app->CloseApp([this] { return SaveAnvsy(); }, [&lost](const SettingsFiles::QuitReport& report) {
            lost = report.outcome.lost() || lost;
            return SettingsNotices::logAtQuit(report);
        });
    }
    hide();
    // Whoever ended the session learns from the status whether the settings
    // were stored.
    QCoreApplication::exit(lost ? 1 : 0);
}

void Window1::closeEvent(QCloseEvent* event)
{
    // Quitting closes the windows once more, from inside this very close: the
    // question is asked and the files are written only once.
    if (!m_closed) {
        m_closed = true;
        if (Event_CancelClose(m_appQuitting)) {
            m_closed = false;
            event->ignore();
            return;
        }
    }
    event->accept();
}

void Window1::AppQuit()
{
    m_appQuitting = true;
    const bool closed = close();
    m_appQuitting = false;
    if (closed)
        QCoreApplication::exit(0);
}
