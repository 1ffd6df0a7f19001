#include "core/WorkingFile.h"

#include "core/DatasetFile.h"

#include <QFileInfo>

namespace {

QString absolute(const QString& path) { return path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath(); }

} // namespace

void WorkingFile::workOn(const QString& path, const QByteArray& bytes)
{
    m_path = absolute(path);
    m_bytes = bytes;
}

void WorkingFile::saved(const QString& path, const QByteArray& written)
{
    workOn(path, written);
    m_edits = false;
}

bool WorkingFile::changedElsewhere() const
{
    return !m_path.isEmpty() && DatasetFile::onDisk(m_path, m_bytes) == DatasetFile::OnDisk::ChangedElsewhere;
}

bool WorkingFile::outdatedBy(EditsAnswer answer, const QString& f) const
{
    return answer == EditsAnswer::Saved && !m_path.isEmpty() && m_path == absolute(f);
}

QString WorkingFile::rowIn(const QString& folder) const { return DatasetFile::nameInFolder(folder, m_path); }
