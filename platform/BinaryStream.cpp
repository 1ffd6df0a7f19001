#include "platform/BinaryStream.h"

#include <QIODevice>
#include <QtEndian>

namespace Utf8 {

namespace {
bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

qsizetype sequenceLength(char lead)
{
    const unsigned char b = static_cast<unsigned char>(lead);
    if ((b & 0xE0) == 0xC0)
        return 2;
    if ((b & 0xF0) == 0xE0)
        return 3;
    if ((b & 0xF8) == 0xF0)
        return 4;
    return 1;
}
} // namespace

QByteArray truncated(const QByteArray& bytes, qsizetype maxBytes)
{
    if (maxBytes <= 0)
        return QByteArray();
    if (bytes.size() <= maxBytes)
        return bytes;
    // The byte after the cut continues a character: find that character's
    // lead byte and cut in front of it when the character does not fit whole.
    qsizetype cut = maxBytes;
    if (isContinuation(bytes[cut])) {
        qsizetype lead = cut - 1;
        while (lead > 0 && isContinuation(bytes[lead]) && cut - lead < 4)
            --lead;
        if (lead + sequenceLength(bytes[lead]) > cut)
            cut = lead;
    }
    return bytes.left(cut);
}

} // namespace Utf8

BinaryWriter::BinaryWriter()
    : m_stream(&m_bytes, QIODevice::WriteOnly)
{
    m_stream.setByteOrder(QDataStream::BigEndian);
}

void BinaryWriter::writeInt32(int32_t v) { m_stream << static_cast<qint32>(v); }

void BinaryWriter::writePString(const QString& text) { writePStringBytes(text.toUtf8()); }

void BinaryWriter::writePString(const QString& text, const QByteArray& readFrom)
{
    if (!readFrom.isNull() && QString::fromUtf8(readFrom) == text)
        writePStringBytes(readFrom);
    else
        writePString(text);
}

void BinaryWriter::writePStringBytes(const QByteArray& bytes)
{
    const QByteArray kept = Utf8::truncated(bytes, kMaxPString);
    m_stream << static_cast<quint8>(kept.size());
    writeBytes(kept);
}

void BinaryWriter::writeBytes(const QByteArray& bytes)
{
    if (!bytes.isEmpty())
        m_stream.writeRawData(bytes.constData(), static_cast<int>(bytes.size()));
}

void BinaryWriter::writeLongText(const QString& text) { writeLongBytes(text.toUtf8()); }

void BinaryWriter::writeLongBytes(const QByteArray& bytes)
{
    writeInt32(static_cast<int32_t>(bytes.size()));
    writeBytes(bytes);
}

BinaryReader::BinaryReader(const QByteArray& data)
    : m_data(data)
{
}

bool BinaryReader::fail()
{
    m_ok = false;
    return false;
}

bool BinaryReader::readInt32(int32_t& out)
{
    if (!m_ok || remaining() < 4)
        return fail();
    out = qFromBigEndian<qint32>(m_data.constData() + m_pos);
    m_pos += 4;
    return true;
}

bool BinaryReader::readPString(QByteArray& out)
{
    if (!m_ok || remaining() < 1)
        return fail();
    const int length = static_cast<unsigned char>(m_data[m_pos]);
    ++m_pos;
    return readBytes(length, out);
}

bool BinaryReader::readPString(QString& out)
{
    QByteArray bytes;
    if (!readPString(bytes))
        return false;
    out = QString::fromUtf8(bytes);
    return true;
}

bool BinaryReader::readPString(QString& text, QByteArray& bytes)
{
    QByteArray read;
    if (!readPString(read))
        return false;
    text = QString::fromUtf8(read);
    bytes = read;
    return true;
}

bool BinaryReader::readBytes(int32_t count, QByteArray& out)
{
    if (!m_ok || count < 0 || count > remaining())
        return fail();
    out = m_data.mid(m_pos, count);
    m_pos += count;
    return true;
}

bool BinaryReader::readLongBytes(QByteArray& out)
{
    int32_t count = 0;
    if (!readInt32(count))
        return false;
    return readBytes(count, out);
}

bool BinaryReader::readLongText(QString& out)
{
    QByteArray bytes;
    if (!readLongBytes(bytes))
        return false;
    out = QString::fromUtf8(bytes);
    return true;
}
