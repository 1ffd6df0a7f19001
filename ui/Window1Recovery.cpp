// The main window's recovery copy: what it keeps of unsaved edits while it
// runs, and what it offers of the copies that runs which have ended left.

#include "ui/Window1.h"

#include "core/DatasetFile.h"
#include "core/Globals.h"
#include "platform/FileIO.h"
#include "ui/SettingsNotices.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>

namespace {

// How long after an edit the copy catches up with it. A kill or a power cut
// loses at most the edits of this last moment; a burst of edits writes the
// copy once.
constexpr int kKeepAfterMs = 2000;

const QString kCannotKeep = QStringLiteral("保存していない変更の控えを残せません。");

QString shownTime(const QDateTime& written)
{
    return QLocale(QLocale::Japanese, QLocale::Japan)
        .toString(written.toLocalTime(), QStringLiteral("yyyy年M月d日 H:mm"));
}

} // namespace

void Window1::EditsChanged()
{
    UpdateMenuItems();
    if (pWork.hasEdits()) {
        // Not restarted by every edit: under a steady stream of them the copy
        // still follows within the delay.
        if (!m_recoveryTimer->isActive())
            m_recoveryTimer->start(kKeepAfterMs);
    } else {
        m_recoveryTimer->stop();
        m_recovery->drop();
    }
}

bool Window1::KeepRecoveryCopy(QString* why)
{
    if (!pDataset)
        return true;
    RecoveryCopy::Content content;
    content.path = pWork.path();
    content.written = QDateTime::currentDateTimeUtc();
    content.fileBytes = pWork.bytes();
    content.dataset = DatasetFile::encode(*pDataset);
    return m_recovery->keep(content, why);
}

bool Window1::KeepRecoveryCopyAtEnd()
{
    m_recoveryTimer->stop();
    if (!pWork.hasEdits())
        return true;
    QString why;
    if (KeepRecoveryCopy(&why))
        return true;
    SettingsNotices::log(kCannotKeep, why);
    return false;
}

void Window1::RecoveryTimer_Action()
{
    if (!pWork.hasEdits())
        return;
    QString why;
    if (KeepRecoveryCopy(&why) || m_recoveryTold)
        return;
    // Told once: the user's work goes on, and every later edit would tell it again.
    m_recoveryTold = true;
    Globals::gCautionDlg1(kCannotKeep,
                          why + QStringLiteral("\n作業はこのまま続けられますが、保存する前にプログラムが終わると、変更は失われます。"));
}

bool Window1::RestoreRecovery(const RecoveryCopy::Content& content)
{
    Dataset restored;
    if (!DatasetFile::decode(content.dataset, restored, Globals::gPref,
                             [this](const QString& path) { return LoadDatasetPict(path); }))
        return false;
    // On its own file as that run knew it: a save still asks when someone
    // wrote the file since, and creates it when it has gone.
    ShowDataset(std::move(restored), content.path, content.fileBytes);
    MarkChanged();
    RefreshPreview();
    return true;
}

void Window1::OfferRecovery()
{
    std::vector<LeftCopy> left = m_recovery->claimLeftBehind();
    for (LeftCopy& copy : left) {
        if (m_sessionEnded)
            return;
        if (!copy.readable) {
            const QString file = QDir::toNativeSeparators(copy.file);
            const QString kept = QDir::toNativeSeparators(RecoveryKeeper::keepAside(std::move(copy)));
            const QString why = QStringLiteral("控え「%1」は壊れているか、この版では読めない形式です。").arg(file);
            Globals::gCautionDlg1(QStringLiteral("前回の終了時に保存されていなかった変更を読めません。"),
                                  why
                                      + (kept.isEmpty() ? QStringLiteral("消さずにそのまま残しています。")
                                                        : QStringLiteral("消さずに「%1」として残しました。").arg(kept)));
            continue;
        }
        const RecoveryCopy::Content& content = copy.content;
        const QString what = content.path.isEmpty()
                                 ? QStringLiteral("まだ保存していない新しいデータセット")
                                 : QStringLiteral("データセット「%1」").arg(QFileInfo(content.path).fileName());
        // 破棄 loses the edits for good: 復元 is the default, and Escape and
        // the close box give it too.
        const int32_t answer = Globals::gCautionDlg(
            2, QString(), QStringLiteral("復元"), QStringLiteral("破棄"),
            QStringLiteral("前回の終了時に保存されていなかった変更があります。復元しますか？"),
            QStringLiteral("%1の変更です（%2）。\n保存するまでファイルは変わりません。破棄すると変更は失われます。")
                .arg(what, shownTime(content.written)),
            Globals::AnswerCancel);
        // The session ended while the question waited: the copy stays for the next run.
        if (m_sessionEnded)
            return;
        if (answer == Globals::AnswerAction) {
            const QString file = QDir::toNativeSeparators(copy.file);
            int error = 0;
            if (!RecoveryKeeper::discard(std::move(copy), &error))
                Globals::gCautionDlg1(QStringLiteral("控え「%1」を消せません。").arg(file), FileIO::reasonText(error));
            continue;
        }
        if (!RestoreRecovery(content))
            continue;
        m_recovery->adopt(std::move(copy));
        // One design at a time: the others wait for a later start.
        return;
    }
}
