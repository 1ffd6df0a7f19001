#include "core/RecoveryCopy.h"

#include "core/DatasetFile.h"
#include "platform/BinaryStream.h"
#include "platform/Folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLockFile>
#include <QUuid>

#include <algorithm>
#include <cerrno>

#include <unistd.h>

namespace {

const QByteArray kTag = QByteArrayLiteral("recovery:1");
const QString kCopySuffix = QStringLiteral(".unsaved");
const QString kLockSuffix = QStringLiteral(".lock");
const QString kAsideSuffix = QStringLiteral(".damaged");

QString copyFile(const QString& folder, const QString& id) { return Folders::child(folder, id + kCopySuffix); }
QString lockFile(const QString& folder, const QString& id) { return Folders::child(folder, id + kLockSuffix); }

// Held only when the run that made it has ended; never taken over by age,
// however long a run has had its copy.
std::unique_ptr<QLockFile> heldLock(const QString& path)
{
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    if (lock->tryLock(0))
        return lock;
    // A lock that does not say whose it is (cut short by a power cut) would
    // keep its copy from every run for ever; one that has said nothing for a
    // while is no run's that is still making it.
    const QFileInfo info(path);
    qint64 pid = 0;
    QString host, program;
    if (lock->error() == QLockFile::LockFailedError && !lock->getLockInfo(&pid, &host, &program)
        && info.lastModified().secsTo(QDateTime::currentDateTime()) > 60 && lock->removeStaleLockFile()
        && lock->tryLock(0))
        return lock;
    return nullptr;
}

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

} // namespace

namespace RecoveryCopy {

QByteArray encode(const Content& content)
{
    BinaryWriter out;
    out.writePStringBytes(kTag);
    out.writeLongText(content.path);
    out.writeLongText(content.written.toUTC().toString(Qt::ISODateWithMs));
    out.writeLongBytes(content.fileBytes);
    out.writeLongBytes(content.dataset);
    return out.bytes();
}

bool decode(const QByteArray& bytes, Content& out)
{
    BinaryReader in(bytes);
    QByteArray tag;
    if (!in.readPString(tag) || tag != kTag)
        return false;
    Content read;
    QString written;
    if (!in.readLongText(read.path) || !in.readLongText(written) || !in.readLongBytes(read.fileBytes)
        || !in.readLongBytes(read.dataset) || !in.atEnd())
        return false;
    if (!read.path.isEmpty() && !QDir::isAbsolutePath(read.path))
        return false;
    read.written = QDateTime::fromString(written, Qt::ISODateWithMs);
    if (!read.written.isValid())
        return false;
    // Only a whole design is worth offering; the picture is not looked at here.
    Dataset probe;
    if (!DatasetFile::decode(read.dataset, probe, {}, [](const QString&) { return QImage(); }))
        return false;
    out = std::move(read);
    return true;
}

} // namespace RecoveryCopy

LeftCopy::LeftCopy() = default;
LeftCopy::LeftCopy(LeftCopy&&) noexcept = default;
LeftCopy& LeftCopy::operator=(LeftCopy&&) noexcept = default;
LeftCopy::~LeftCopy() = default;

RecoveryKeeper::RecoveryKeeper(const QString& folder)
    : m_folder(folder)
{
}

RecoveryKeeper::~RecoveryKeeper() = default;

QString RecoveryKeeper::file() const { return m_id.isEmpty() ? QString() : copyFile(m_folder, m_id); }

bool RecoveryKeeper::takeLock(QString* why)
{
    if (m_lock)
        return true;
    Folders::Unmade unmade;
    if (!Folders::createFolder(m_folder, &unmade)) {
        if (why)
            *why = Folders::whyUnmade(unmade);
        return false;
    }
    const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    m_lock = heldLock(lockFile(m_folder, id));
    if (!m_lock) {
        if (why)
            *why = QStringLiteral("「%1」に書き込めません。").arg(shown(m_folder));
        return false;
    }
    m_id = id;
    return true;
}

bool RecoveryKeeper::keep(const RecoveryCopy::Content& content, QString* why)
{
    if (!takeLock(why))
        return false;
    int error = 0;
    if (!FileIO::writeWhole(file(), RecoveryCopy::encode(content), FileIO::Access::Private, &error)) {
        if (why)
            *why = QStringLiteral("「%1」を書けません。\n").arg(shown(file())) + FileIO::reasonText(error);
        return false;
    }
    m_hasCopy = true;
    return true;
}

void RecoveryKeeper::drop()
{
    if (!m_hasCopy)
        return;
    QFile::remove(file());
    m_hasCopy = false;
}

std::vector<LeftCopy> RecoveryKeeper::claimLeftBehind()
{
    std::vector<LeftCopy> left;
    const QList<Folders::Item> items = Folders::items(m_folder);
    for (const Folders::Item& item : items) {
        if (item.directory || !item.name.endsWith(kCopySuffix))
            continue;
        const QString id = item.name.chopped(kCopySuffix.size());
        if (id.isEmpty() || id == m_id)
            continue;
        std::unique_ptr<QLockFile> lock = heldLock(lockFile(m_folder, id));
        if (!lock)
            continue;
        LeftCopy copy;
        copy.file = item.path;
        copy.m_id = id;
        copy.m_lock = std::move(lock);
        QByteArray bytes;
        copy.readable = FileIO::readWhole(item.path, bytes, RecoveryCopy::kMaxBytes) == FileIO::ReadResult::Read
                        && RecoveryCopy::decode(bytes, copy.content);
        left.push_back(std::move(copy));
    }
    // A run that ended without a copy left only its lock: taking it clears it.
    for (const Folders::Item& item : items) {
        if (item.directory || !item.name.endsWith(kLockSuffix))
            continue;
        const QString id = item.name.chopped(kLockSuffix.size());
        if (id != m_id && !FileIO::somethingAt(copyFile(m_folder, id)))
            heldLock(item.path);
    }
    std::stable_sort(left.begin(), left.end(), [](const LeftCopy& a, const LeftCopy& b) {
        if (a.readable != b.readable)
            return !a.readable;
        return a.content.written > b.content.written;
    });
    return left;
}

void RecoveryKeeper::adopt(LeftCopy&& left)
{
    drop();
    m_lock = std::move(left.m_lock);
    m_id = left.m_id;
    m_hasCopy = true;
    left = LeftCopy();
}

bool RecoveryKeeper::discard(LeftCopy&& left, int* error)
{
    const LeftCopy gone = std::move(left);
    if (::unlink(QFile::encodeName(gone.file).constData()) == 0 || errno == ENOENT)
        return true;
    if (error)
        *error = errno;
    return false;
}

QString RecoveryKeeper::keepAside(LeftCopy&& left)
{
    const LeftCopy aside = std::move(left);
    const QString base = aside.file.chopped(kCopySuffix.size()) + kAsideSuffix;
    QString target = base;
    for (int n = 2; FileIO::somethingAt(target); ++n)
        target = base + QLatin1Char('-') + QString::number(n);
    return QFile::rename(aside.file, target) ? target : QString();
}
