// The stream primitives every file reader stands on. The input is split into
// a file and a list of operations: reads of the file, checked against a plain
// walk of its bytes, and writes whose bytes are read back at the end.

#include "FuzzSupport.h"

#include "platform/BinaryStream.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QList>

#include <limits>
#include <variant>

namespace {

int32_t bigEndian32(const QByteArray& b, qsizetype at)
{
    uint32_t v = 0;
    for (qsizetype i = 0; i < 4; ++i)
        v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return static_cast<int32_t>(v);
}

// Where a correct reader must be after each read: the position, or failed for good.
struct Walk {
    const QByteArray& file;
    qsizetype pos = 0;
    bool failed = false;

    // The next `count` bytes, if they are there; otherwise the walk fails.
    bool take(int64_t count, QByteArray& out)
    {
        if (failed || count < 0 || count > file.size() - pos) {
            failed = true;
            return false;
        }
        out = file.mid(pos, static_cast<qsizetype>(count));
        pos += static_cast<qsizetype>(count);
        return true;
    }
    bool takeInt32(int32_t& out)
    {
        QByteArray b;
        if (!take(4, b))
            return false;
        out = bigEndian32(b, 0);
        return true;
    }
    bool takePString(QByteArray& out)
    {
        QByteArray length;
        if (!take(1, length))
            return false;
        return take(static_cast<unsigned char>(length[0]), out);
    }
};

// A PString the writer produced from `source`: what the reader must get back.
void checkCut(const QByteArray& source, const QByteArray& kept, qsizetype maxBytes)
{
    FUZZ_CHECK(kept.size() <= std::max<qsizetype>(maxBytes, 0));
    FUZZ_CHECK(source.startsWith(kept));
    if (source.size() <= maxBytes) {
        FUZZ_CHECK(kept == source);
        return;
    }
    // No more is dropped than one character's bytes, and a text that was
    // UTF-8 stays UTF-8: the cut never falls inside a character.
    FUZZ_CHECK(kept.size() >= maxBytes - 3);
    if (Fuzz::isUtf8(source))
        FUZZ_CHECK(Fuzz::isUtf8(kept));
}

enum class Op : uint8_t {
    ReadInt32,
    ReadPStringBytes,
    ReadPStringText,
    ReadBytes,
    ReadLongBytes,
    ReadLongText,
    WriteInt32,
    WritePStringBytes,
    WritePStringText,
    WriteLongBytes,
    Cut,
    kMaxValue = Cut,
};

// What was written, in order, to be read back.
using Written = std::variant<int32_t, QByteArray /* PString bytes */, QString /* long text */>;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const size_t fileSize = in.ConsumeIntegralInRange<size_t>(0, in.remaining_bytes());
    const std::vector<char> fileBytes = in.ConsumeBytes<char>(fileSize);
    const QByteArray file(fileBytes.data(), static_cast<qsizetype>(fileBytes.size()));

    BinaryReader reader(file);
    Walk walk{file};
    BinaryWriter writer;
    QList<Written> written;

    while (in.remaining_bytes() > 0) {
        switch (in.ConsumeEnum<Op>()) {
        case Op::ReadInt32: {
            int32_t got = 0, expected = 0;
            const bool ok = reader.readInt32(got);
            FUZZ_CHECK(ok == walk.takeInt32(expected));
            if (ok)
                FUZZ_CHECK(got == expected);
            break;
        }
        case Op::ReadPStringBytes: {
            QByteArray got, expected;
            const bool ok = reader.readPString(got);
            FUZZ_CHECK(ok == walk.takePString(expected));
            if (ok)
                FUZZ_CHECK(got == expected && got.size() <= BinaryWriter::kMaxPString);
            break;
        }
        case Op::ReadPStringText: {
            QString got;
            QByteArray expected;
            const bool ok = reader.readPString(got);
            FUZZ_CHECK(ok == walk.takePString(expected));
            if (ok)
                FUZZ_CHECK(got == QString::fromUtf8(expected));
            break;
        }
        case Op::ReadBytes: {
            // Any count, negative and huge ones included: nothing beyond the
            // data may be allocated or read.
            const int32_t count = in.ConsumeIntegral<int32_t>();
            QByteArray got, expected;
            const bool ok = reader.readBytes(count, got);
            FUZZ_CHECK(ok == walk.take(count, expected));
            if (ok)
                FUZZ_CHECK(got == expected);
            break;
        }
        case Op::ReadLongBytes:
        case Op::ReadLongText: {
            const bool asText = in.remaining_bytes() % 2 == 0;
            int32_t count = 0;
            QByteArray expected;
            const bool walked = walk.takeInt32(count) && walk.take(count, expected);
            bool ok = false;
            if (asText) {
                QString got;
                ok = reader.readLongText(got);
                if (ok && walked)
                    FUZZ_CHECK(got == QString::fromUtf8(expected));
            } else {
                QByteArray got;
                ok = reader.readLongBytes(got);
                if (ok && walked)
                    FUZZ_CHECK(got == expected);
            }
            FUZZ_CHECK(ok == walked);
            break;
        }
        case Op::WriteInt32: {
            const int32_t v = in.ConsumeIntegral<int32_t>();
            writer.writeInt32(v);
            written.append(v);
            break;
        }
        case Op::WritePStringBytes: {
            const std::string s = in.ConsumeRandomLengthString(600);
            const QByteArray b(s.data(), static_cast<qsizetype>(s.size()));
            writer.writePStringBytes(b);
            written.append(b);
            break;
        }
        case Op::WritePStringText: {
            // A text as the editor hands it over, possibly with lone surrogates.
            const std::string s = in.ConsumeRandomLengthString(1200);
            const QString text(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size() / 2));
            writer.writePString(text);
            written.append(text.toUtf8());
            break;
        }
        case Op::WriteLongBytes: {
            const std::string s = in.ConsumeRandomLengthString(2000);
            const QString text = QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
            writer.writeLongText(text);
            written.append(text);
            break;
        }
        case Op::Cut: {
            const std::string s = in.ConsumeRandomLengthString(64);
            const QByteArray b(s.data(), static_cast<qsizetype>(s.size()));
            const qsizetype maxBytes = in.ConsumeIntegralInRange<qsizetype>(-1, b.size() + 1);
            checkCut(b, Utf8::truncated(b, maxBytes), maxBytes);
            break;
        }
        }
        FUZZ_CHECK(reader.ok() == !walk.failed);
        if (reader.ok()) {
            FUZZ_CHECK(reader.remaining() == file.size() - walk.pos);
            FUZZ_CHECK(reader.atEnd() == (walk.pos == file.size()));
        }
    }

    // Everything written reads back in order, PStrings cut to what fits.
    BinaryReader back(writer.bytes());
    for (const Written& w : written) {
        if (const auto* v = std::get_if<int32_t>(&w)) {
            int32_t got = 0;
            FUZZ_CHECK(back.readInt32(got) && got == *v);
        } else if (const auto* b = std::get_if<QByteArray>(&w)) {
            QByteArray got;
            FUZZ_CHECK(back.readPString(got));
            checkCut(*b, got, BinaryWriter::kMaxPString);
        } else {
            QString got;
            FUZZ_CHECK(back.readLongText(got) && got == std::get<QString>(w));
        }
    }
    FUZZ_CHECK(back.ok() && back.atEnd());
    return 0;
}
