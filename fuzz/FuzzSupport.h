#pragma once

// What the fuzz targets share: a check that stops the run with the reason, the
// program's state before a file is read, and a look at raw bytes.

#include "core/Preferences.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QVariantMap>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace Fuzz {

// A broken invariant is a finding like a crash: libFuzzer keeps the input.
[[noreturn]] inline void fail(const char* what, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
    std::fflush(stderr);
    std::abort();
}

inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// Whether the bytes are UTF-8 as the program's texts take them: decoding and
// encoding again gives the same bytes only when nothing was replaced.
inline bool isUtf8(const QByteArray& b) { return QString::fromUtf8(b).toUtf8() == b; }

// What the user may add to a text in the editor: more than a PString holds,
// of three- and four-byte characters, so that the writer has to cut it.
inline QString longEdit() { return QStringLiteral("𠮷記念日の").repeated(30); }

// A text written after an edit: cut, if at all, at a character boundary and
// by no more than one character.
inline bool cutAtCharacter(const QString& edited, const QByteArray& written)
{
    const QByteArray full = edited.toUtf8();
    return isUtf8(written) && full.startsWith(written) && written.size() >= std::min<qsizetype>(full.size(), 255 - 3)
        && written.size() <= 255;
}

// A folder of this run's own for the loading roads, in TMPDIR (tools/fuzz
// points it at a memory file system); removed when the run ends.
inline const QString& scratchFolder()
{
    static QTemporaryDir dir;
    if (!dir.isValid())
        fail("no scratch folder", __FILE__, __LINE__);
    static const QString path = dir.path();
    return path;
}

// The two fields the program's files are made of, read and written here from
// their layout alone (big-endian Int32; one length byte and that many bytes),
// apart from the program's streams, so that a fault there cannot hide itself.
struct LayoutWalk {
    const QByteArray& file;
    qsizetype pos = 0;
    bool failed = false;

    bool int32(int32_t& out)
    {
        if (failed || file.size() - pos < 4)
            return fail();
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v = (v << 8) | static_cast<unsigned char>(file[pos + i]);
        out = static_cast<int32_t>(v);
        pos += 4;
        return true;
    }
    bool pstring(QByteArray& out)
    {
        if (failed || pos >= file.size())
            return fail();
        const qsizetype length = static_cast<unsigned char>(file[pos]);
        if (file.size() - pos - 1 < length)
            return fail();
        out = file.mid(pos + 1, length);
        pos += 1 + length;
        return true;
    }
    bool atEnd() const { return !failed && pos == file.size(); }

private:
    bool fail()
    {
        failed = true;
        return false;
    }
};

inline void putInt32(QByteArray& out, int32_t v)
{
    const auto u = static_cast<uint32_t>(v);
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(static_cast<char>((u >> shift) & 0xFF));
}

// A PString holds at most 255 bytes: a longer text is cut in front of the
// character that would not fit whole.
inline void putPString(QByteArray& out, QByteArray text)
{
    if (text.size() > 255) {
        qsizetype cut = 255;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            --cut;
        text.truncate(cut);
    }
    out.append(static_cast<char>(text.size()));
    out.append(text);
}

// Puts the input where a loading road reads it. A plain write: the program's
// whole-file write waits for the disk, which would slow every run to a crawl.
inline void putFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fail("cannot write the input's file", __FILE__, __LINE__);
}

// The arrays as the opening sequence leaves them just before the
// PreferenceFile is read.
struct PrefState {
    QVariantMap printSetup;
    Preferences::SheetWidths sheetW{};
    Preferences::Palette clr{};
    Preferences::IntPrefs pref{};
    Preferences::TextPrefs prefS{};
    // The bytes the string preferences were read from, kept as the program
    // keeps them so that unedited texts go back unchanged.
    Preferences::TextPrefBytes readFrom{};

    PrefState()
    {
        Preferences::initVal(printSetup, sheetW);
        Preferences::initColor(clr);
        Preferences::initPref(pref, prefS, clr, sheetW);
    }
    bool decode(const QByteArray& b) { return Preferences::decode(b, pref, prefS, clr, sheetW, &readFrom); }
    QByteArray encode() const { return Preferences::encode(pref, prefS, &readFrom); }
    bool sameValues(const PrefState& o) const { return pref == o.pref && prefS == o.prefS; }
};

} // namespace Fuzz

#define FUZZ_CHECK(cond)                                                                                               \
    do {                                                                                                               \
        if (!(cond))                                                                                                   \
            ::Fuzz::fail(#cond, __FILE__, __LINE__);                                                                   \
    } while (false)
