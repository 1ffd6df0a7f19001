#include "platform/FileTypes.h"

#include "platform/FileIO.h"

#include <QFile>
#include <QFileInfo>

namespace FileTypes {

const std::array<FileType, 7>& table()
{
    static const std::array<FileType, 7> types{{
        {QStringLiteral("text"), QString(), QStringLiteral("TEXT"), QStringLiteral("R*ch")},
        {QStringLiteral("image/gif"), QStringLiteral(".gif"), QStringLiteral("GIFf"), QStringLiteral("prvw")},
        {QStringLiteral("image/jpeg"), QStringLiteral(".jfif;.jpe;.jpeg;.jpg"), QStringLiteral("JPEG"), QStringLiteral("prvw")},
        {QStringLiteral("image/png"), QStringLiteral(".png"), QStringLiteral("PNGf"), QStringLiteral("prvw")},
        {QStringLiteral("image/tiff"), QStringLiteral(".jfx;.tif;.tiff"), QStringLiteral("TIFF"), QStringLiteral("????")},
        {QStringLiteral("image/x-macpict"), QStringLiteral(".pict"), QStringLiteral("PICT"), QStringLiteral("text")},
        {QStringLiteral("prefFile"), QString(), QStringLiteral("pref"), QStringLiteral("Tkwz")},
    }};
    return types;
}

const FileType& prefFile() { return table()[6]; }

bool startsWithProgramTag(const QByteArray& head)
{
    if (head.isEmpty())
        return false;
    const int length = static_cast<unsigned char>(head[0]);
    if (head.size() < 1 + length)
        return false;
    const QByteArray tag = head.mid(1, length);
    if (tag == "pref2" || tag == "pref" || tag == "printSetup")
        return true;
    if (!tag.startsWith("ver:") || tag.size() == 4)
        return false;
    for (qsizetype i = 4; i < tag.size(); ++i) {
        if (tag[i] < '0' || tag[i] > '9')
            return false;
    }
    return true;
}

QString macTypeOf(const QString& path)
{
    QFile file(path);
    if (path.isEmpty() || FileIO::openForReading(file) != FileIO::OpenResult::Opened)
        return QString();
    // The longest tag is "printSetup": 11 bytes with its length byte.
    const QByteArray head = file.read(16);
    return startsWithProgramTag(head) ? prefFile().macType : QString();
}

} // namespace FileTypes
