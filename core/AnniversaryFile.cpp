#include "core/AnniversaryFile.h"

#include "core/SettingsFiles.h"
#include "platform/BinaryStream.h"
#include "platform/Conv.h"
#include "platform/FileIO.h"
#include "platform/Folders.h"

#include <QFile>
#include <QFileInfo>

namespace AnniversaryFile {

QString defaultPath() { return SettingsFiles::anniversaryFile(); }

QByteArray encode(const AnniversaryList& list)
{
    BinaryWriter out;
    out.writePStringBytes(QByteArrayLiteral("ver:1"));
    out.writeInt32(static_cast<int32_t>(list.size()) - 1);
    for (const Anniversary& entry : list) {
        out.writePString(Conv::asText(entry.YY));
        out.writePString(Conv::asText(entry.MM));
        out.writePString(Conv::asText(entry.DD));
        out.writePString(Conv::asText(entry.tt));
    }
    return out.bytes();
}

bool decode(BinaryReader& in, AnniversaryList& list)
{
    QByteArray tag; // any tag is read by the same layout
    int32_t last = -1;
    if (!in.readPString(tag) || !in.readInt32(last))
        return false;
    // Each record takes at least four bytes, so a count beyond the data ends
    // at the first record that cannot be read whole.
    for (int64_t i = 0; i <= last; ++i) {
        QString yy, mm, dd, tt;
        if (!in.readPString(yy) || !in.readPString(mm) || !in.readPString(dd) || !in.readPString(tt))
            return false;
        list.append(Anniversary{yy, mm, dd, tt});
    }
    return true;
}

bool decode(const QByteArray& bytes, AnniversaryList& list)
{
    BinaryReader in(bytes);
    return decode(in, list);
}

LoadResult load(const QString& path, AnniversaryList& list)
{
    QFile file(path);
    if (const auto failed = SettingsFiles::openFailure<LoadResult>(file))
        return *failed;
    BinaryReader in(&file);
    return decode(in, list) ? LoadResult::Loaded : LoadResult::Damaged;
}

SaveResult save(const QString& path, const AnniversaryList& list)
{
    if (path.isEmpty() || !Folders::isFolder(QFileInfo(path).absolutePath()))
        return SaveResult::NoFolder;
    if (list.isEmpty()) {
        QFile old(path);
        if (FileIO::openForReading(old) == FileIO::OpenResult::CannotOpen)
            return SaveResult::Kept;
    }
    return FileIO::writeWhole(path, encode(list)) ? SaveResult::Saved : SaveResult::CannotCreate;
}

} // namespace AnniversaryFile
