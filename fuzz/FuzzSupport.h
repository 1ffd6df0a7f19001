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
