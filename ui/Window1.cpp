#include "ui/Window1.h"

#include "calendar/Holidays.h"
#include "core/AnniversaryFile.h"
#include "core/App.h"
#include "core/DatasetDefaults.h"
#include "core/Globals.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QLayout>
#include <QWidget>

Window1::Window1(QWidget* parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Morvelin"));
    // A document window of fixed size: a close button, no zoom or minimise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Window1Content"));
    central->setFixedSize(780, 625);
    setCentralWidget(central);
    // The window takes the content area's size plus whatever bars sit on top of
    // it, and the user cannot resize it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    CreateControls(central);
    InitSheetCanvases(central);
}

Window1::~Window1() = default;

WeekStart Window1::weekStart() const
{
    return pDataset ? weekStartFrom(pDataset->i32(DatasetKey::dow1st)) : WeekStart::SundayFirst;
}

int32_t Window1::GetWOD(int32_t year, int32_t month, int32_t day) const
{
    return Calendar::weekdayColumn(year, month, day, weekStart());
}

void Window1::CountYYMM(int32_t& year, int32_t& month) const { Calendar::countYYMM(year, month); }
int32_t Window1::DrawCal2sun() const { return Calendar::sundayColumn(weekStart()); }
int32_t Window1::DrawCal2mon() const { return Calendar::mondayColumn(weekStart()); }
int32_t Window1::DrawCal2tue() const { return Calendar::tuesdayColumn(weekStart()); }
int32_t Window1::DrawCal2wed() const { return Calendar::wednesdayColumn(weekStart()); }

bool Window1::DrawCal2holiday(int32_t year, int32_t month, int32_t day, int32_t equinoxDay, QString& name) const
{
    return Holidays::drawCal2holiday(year, month, day, equinoxDay, name, weekStart());
}

void Window1::InitDataset()
{
    pDataset = std::make_unique<Dataset>();
    DatasetDefaults::initDataset(*pDataset, Globals::gPref, QDate::currentDate());
}

void Window1::InitDataset2() { DatasetDefaults::initDataset2(*pDataset, Globals::gPref); }
void Window1::InitDataset3() { DatasetDefaults::initDataset3(*pDataset); }

void Window1::MarkChanged() { pChanged = true; }

void Window1::LoadAnvsy()
{
    m_anvsyFound = AnniversaryFile::load(AnniversaryFile::defaultPath(), pAnvsy);
    m_anvsyAsFound = pAnvsy;
    if (m_anvsyFound == AnniversaryFile::LoadResult::CannotOpen)
        Globals::gCautionDlg1(QStringLiteral("記念日ファイルを開けません。"), QString());
    else if (m_anvsyFound == AnniversaryFile::LoadResult::Damaged)
        Globals::gCautionDlg1(QStringLiteral("記念日ファイルが壊れています。"),
                              QStringLiteral("読み込めた記念日だけを表示します。"));
}

void Window1::SaveAnvsy()
{
    const AnniversaryFile::SaveResult result
        = AnniversaryFile::saveAtQuit(AnniversaryFile::defaultPath(), pAnvsy, m_anvsyFound, m_anvsyAsFound);
    if (result == AnniversaryFile::SaveResult::Saved) {
        m_anvsyFound = AnniversaryFile::LoadResult::Loaded;
        m_anvsyAsFound = pAnvsy;
    } else if (result == AnniversaryFile::SaveResult::CannotCreate) {
        Globals::gCautionDlg1(QStringLiteral("ファイルを開けません。"), QStringLiteral("保存は行われません。"));
    }
}

void Window1::Event_CancelClose(bool appQuitting)
{
    if (App* app = App::instance())
        app->CloseApp([this] { SaveAnvsy(); });
    if (!appQuitting)
        QCoreApplication::quit();
}

void Window1::closeEvent(QCloseEvent* event)
{
    // Nothing asks about an unsaved dataset here: the close always goes ahead.
    // Quitting closes the windows once more; the files are written only once.
    if (!m_closed) {
        m_closed = true;
        Event_CancelClose(false);
    }
    event->accept();
}
