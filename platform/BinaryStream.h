#pragma once

#include <QByteArray>
#include <QDataStream>
#include <QString>

#include <cstdint>

namespace Utf8 {
// The longest prefix of `bytes` of at most `maxBytes` bytes that does not end
// inside a UTF-8 sequence. Bytes that are no valid UTF-8 are cut as single bytes.
QByteArray truncated(const QByteArray& bytes, qsizetype maxBytes);
} // namespace Utf8

// Big-endian writer for the program's files. Everything goes into memory;
// FileIO::writeWhole then puts the bytes on disk in one piece.
class BinaryWriter {
public:
    // The most bytes a PString holds after its length byte.
    static constexpr qsizetype kMaxPString = 255;

    BinaryWriter();
    BinaryWriter(const BinaryWriter&) = delete;
    BinaryWriter& operator=(const BinaryWriter&) = delete;

    // Two's-complement, 4 bytes, most significant first.
    void writeInt32(int32_t v);
    // One length byte, then the text's UTF-8 bytes. A text over 255 bytes is
    // cut at a character boundary, so the length byte always matches.
    void writePString(const QString& text);
    // A text as it was read: the bytes it was read from while `text` is still
    // what they read as, so a text that is no valid UTF-8 goes back unchanged;
    // once the text is edited, its UTF-8 as above.
    void writePString(const QString& text, const QByteArray& readFrom);
    void writePStringBytes(const QByteArray& bytes);
    // Raw bytes, nothing in front.
    void writeBytes(const QByteArray& bytes);
    // An Int32 byte count, then the bytes.
    void writeLongText(const QString& text);
    void writeLongBytes(const QByteArray& bytes);

    const QByteArray& bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
    QDataStream m_stream;
};

// Big-endian reader of bytes already in memory (see FileIO::readWhole). A
// read that would run past the end, or asks for a negative count, fails and
// leaves the reader failed: every later read fails too, so a loop over a
// damaged file's counts ends at the first bad field. Nothing is allocated
// beyond what the data holds.
class BinaryReader {
public:
    // Reads a copy of `data` (shared, not duplicated).
    explicit BinaryReader(const QByteArray& data);
    BinaryReader(const BinaryReader&) = delete;
    BinaryReader& operator=(const BinaryReader&) = delete;

    bool readInt32(int32_t& out);
    // One length byte and that many bytes, unconverted.
    bool readPString(QByteArray& out);
    // The same, taken as UTF-8.
    bool readPString(QString& out);
    // The same, both as read and taken as UTF-8: the bytes go back with
    // BinaryWriter::writePString(text, bytes) while the text is not edited.
    bool readPString(QString& text, QByteArray& bytes);
    // `count` raw bytes.
    bool readBytes(int32_t count, QByteArray& out);
    // An Int32 byte count, then that many bytes.
    bool readLongBytes(QByteArray& out);
    bool readLongText(QString& out);

    // No read has failed so far.
    bool ok() const { return m_ok; }
    bool atEnd() const { return remaining() <= 0; }
    // Bytes not read yet: a count of records that each take at least n bytes
    // is sound only up to remaining() / n.
    qint64 remaining() const { return m_data.size() - m_pos; }

private:
    bool fail();

    QByteArray m_data;
    qsizetype m_pos = 0;
    bool m_ok = true;
};
