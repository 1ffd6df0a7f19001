#include "ui/SettingsNotices.h"

#include "core/Globals.h"
#include "platform/FileIO.h"
#include "platform/Folders.h"

#include <QDir>

#include <cstdio>

namespace SettingsNotices {

namespace {
using Kind = SettingsFiles::QuitOutcome::Kind;

QString notSaved(const SettingsFiles::QuitReport& report)
{
    return QStringLiteral("%1ファイルを保存できません。").arg(report.what);
}

QString notAFile(const QString& shown) { return QStringLiteral("「%1」はファイルではありません。").arg(shown); }
} // namespace

void tellAnniversariesAtStart(AnniversaryFile::LoadResult result, const QString& path, int error)
{
    const QString shown = QDir::toNativeSeparators(path);
    switch (result) {
    case AnniversaryFile::LoadResult::CannotOpen:
        Globals::gCautionDlg1(QStringLiteral("記念日ファイルを開けません。"),
                              error == FileIO::kNotARegularFile
                                  ? notAFile(shown)
                                  : QStringLiteral("「%1」を読み込めません。\n").arg(shown) + FileIO::reasonText(error));
        break;
    case AnniversaryFile::LoadResult::Damaged:
        Globals::gCautionDlg1(QStringLiteral("記念日ファイルが壊れています。"),
                              QStringLiteral("読み込めた記念日だけを表示します。"));
        break;
    case AnniversaryFile::LoadResult::Loaded:
    case AnniversaryFile::LoadResult::NoFile:
        break;
    }
}

QString whatWentWrong(const SettingsFiles::QuitReport& report)
{
    const SettingsFiles::QuitOutcome& outcome = report.outcome;
    const QString shown = QDir::toNativeSeparators(report.path);
    switch (outcome.kind) {
    case Kind::NoFolder:
        return Folders::whyUnmade(Folders::Unmade{outcome.place, outcome.error});
    case Kind::NotAFile:
        return notAFile(shown);
    case Kind::CannotKeep:
        return QStringLiteral("「%1」を別の名前で残せないため、書き込めません。").arg(shown);
    case Kind::CannotWrite:
        return QStringLiteral("「%1」に書き込めません。\n").arg(shown) + FileIO::reasonText(outcome.error);
    case Kind::NothingToSave:
    case Kind::Saved:
    case Kind::SavedOtherKept:
    case Kind::SavedDamagedKept:
        break;
    }
    return QString();
}

bool tellAtQuit(const SettingsFiles::QuitReport& report)
{
    const SettingsFiles::QuitOutcome& outcome = report.outcome;
    if (outcome.lost()) {
        const int32_t answer = Globals::gCautionDlg(
            2, QString(), QStringLiteral("終了しない"), QStringLiteral("保存せずに終了"), notSaved(report),
            whatWentWrong(report)
                + QStringLiteral("\n終了しなければ、この起動での変更はそのまま残ります。\n"
                                 "原因を取り除いてから、もう一度終了して下さい。"),
            Globals::AnswerCancel);
        return answer == Globals::AnswerAction;
    }
    const QString kept = QDir::toNativeSeparators(outcome.keptAs);
    if (outcome.kind == Kind::SavedOtherKept) {
        Globals::gCautionDlg1(
            QStringLiteral("%1ファイルは、起動の後にほかから書き換えられていました。").arg(report.what),
            QStringLiteral("書き換えられたファイルを「%1」として残し、この起動での%2を保存しました。")
                .arg(kept, report.what));
    } else if (outcome.kind == Kind::SavedDamagedKept) {
        Globals::gCautionDlg1(
            QStringLiteral("読み込めなかった%1ファイルを「%2」として残しました。").arg(report.what, kept),
            QStringLiteral("この起動での%1を保存しました。").arg(report.what));
    }
    return true;
}

bool logAtQuit(const SettingsFiles::QuitReport& report)
{
    if (report.outcome.lost())
        log(notSaved(report), whatWentWrong(report));
    return true;
}

void log(const QString& message, const QString& why)
{
    QString line = message + QLatin1Char(' ') + why;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fprintf(stderr, "morvelin: %s\n", line.toLocal8Bit().constData());
}

} // namespace SettingsNotices
