// The AnniversaryFile reader. The input is the file; it is read after
// entries already in the list, from memory and through the loading road, and
// what it gave is written and read again.

#include "FuzzSupport.h"

#include "core/AnniversaryFile.h"

#include <QDir>

namespace {

// Entries as the editor leaves them, already in the list when the file is read.
AnniversaryList entriesBefore()
{
    return {
        Anniversary{int32_t(0), QStringLiteral("5"), QStringLiteral("5"), QStringLiteral("こどもの日")},
        Anniversary{QStringLiteral("2009"), QStringLiteral("12"), QStringLiteral("24"), QString()},
    };
}

bool sameEntry(const Anniversary& a, const Anniversary& b)
{
    return a.YY == b.YY && a.MM == b.MM && a.DD == b.DD && a.tt == b.tt && a.readFrom == b.readFrom;
}

bool sameEntries(const AnniversaryList& a, qsizetype from, const AnniversaryList& b)
{
    if (a.size() - from != b.size())
        return false;
    for (qsizetype i = 0; i < b.size(); ++i) {
        if (!sameEntry(a[from + i], b[i]))
            return false;
    }
    return true;
}

// The values of the complete records a file holds, as raw bytes, walked by the
// layout alone, four to a record.
QList<QByteArray> storedValues(const QByteArray& file)
{
    Fuzz::LayoutWalk in{file};
    QByteArray tag;
    int32_t last = -1;
    QList<QByteArray> values;
    if (!in.pstring(tag) || !in.int32(last))
        return values;
    for (int64_t i = 0; i <= last; ++i) {
        QByteArray v[4];
        if (!in.pstring(v[0]) || !in.pstring(v[1]) || !in.pstring(v[2]) || !in.pstring(v[3]))
            break;
        values << v[0] << v[1] << v[2] << v[3];
    }
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray file = Fuzz::bytes(data, size);
    const AnniversaryList before = entriesBefore();

    AnniversaryList list = before;
    const bool ok = AnniversaryFile::decode(file, list);
    // The entries already there stay in front, unchanged; the file's complete
    // records follow, each value as read (damaged or not).
    FUZZ_CHECK(list.size() >= before.size());
    for (qsizetype i = 0; i < before.size(); ++i)
        FUZZ_CHECK(sameEntry(list[i], before[i]));
    const AnniversaryList read = list.mid(before.size());
    const QList<QByteArray> stored = storedValues(file);
    FUZZ_CHECK(stored.size() == 4 * read.size());
    for (qsizetype i = 0; i < read.size(); ++i) {
        const QVariant* values[4] = {&read[i].YY, &read[i].MM, &read[i].DD, &read[i].tt};
        for (int k = 0; k < 4; ++k)
            FUZZ_CHECK(values[k]->toString() == QString::fromUtf8(stored[4 * i + k]));
    }

    // The loading road appends the same.
    static const QString path = QDir(Fuzz::scratchFolder()).filePath(QStringLiteral("anvsy"));
    Fuzz::putFile(path, file);
    AnniversaryList loaded = before;
    const AnniversaryFile::LoadResult result = AnniversaryFile::load(path, loaded);
    FUZZ_CHECK(result == (ok ? AnniversaryFile::LoadResult::Loaded : AnniversaryFile::LoadResult::Damaged));
    FUZZ_CHECK(sameEntries(loaded, 0, list));

    // What was read, written and read again, is the same list, and the second
    // writing gives the same bytes as the first.
    const QByteArray written = AnniversaryFile::encode(read);
    AnniversaryList again;
    FUZZ_CHECK(AnniversaryFile::decode(written, again));
    FUZZ_CHECK(sameEntries(again, 0, read));
    FUZZ_CHECK(AnniversaryFile::encode(again) == written);

    // Every value goes out as the bytes it came in as, UTF-8 or not.
    const QList<QByteArray> out = storedValues(written);
    FUZZ_CHECK(out == stored);
    // So a file that was read whole comes out byte for byte: the writer's own
    // tag and count in front (whatever tag and count the file had), then the
    // records exactly as they stood, and nothing dropped after them.
    if (ok) {
        QByteArray expected("\x05ver:1");
        Fuzz::putInt32(expected, static_cast<int32_t>(read.size() - 1));
        expected += file.mid(1 + static_cast<unsigned char>(file[0]) + 4);
        FUZZ_CHECK(written == expected);
    }

    // An edited text is written as its UTF-8, cut at a character; the rest stay as read.
    if (!read.isEmpty()) {
        AnniversaryList edited = read;
        edited.last().tt = edited.last().tt.toString() + Fuzz::longEdit();
        const QList<QByteArray> values = storedValues(AnniversaryFile::encode(edited));
        FUZZ_CHECK(values.size() == out.size());
        for (qsizetype k = 0; k < values.size(); ++k)
            FUZZ_CHECK(k == values.size() - 1 ? Fuzz::cutAtCharacter(edited.last().tt.toString(), values[k])
                                              : values[k] == out[k]);
    }
    return 0;
}
