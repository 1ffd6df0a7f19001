// The PreferenceFile reader and writer. The input is the file; it is read over
// the defaults as at start-up, from memory and through the settings folder's
// loading road, and what it gave is written and read again. What the reader
// should yield and the writer should write is worked out here again from the
// file's layout, without the program's streams, reader or writer.

#include "FuzzSupport.h"

#include "core/ProgramPaths.h"
#include "platform/Conv.h"

#include <QList>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int32_t kEntries = 51;

// The fields of a file, as the layout lays them out. The tag "pref" holds the
// integers as decimal texts; any other tag holds them as Int32.
struct Layout {
    bool complete = false;  // every field the counts announce is there
    bool wholeFile = false; // and nothing follows them
    QByteArray tag;
    int32_t n = 0;
    QList<int32_t> ints;
    int32_t m = 0;
    QList<QByteArray> texts;
};

Layout walk(const QByteArray& file)
{
    Layout l;
    Fuzz::LayoutWalk in{file};
    if (!in.pstring(l.tag) || !in.int32(l.n))
        return l;
    for (int32_t i = 0; i < l.n; ++i) {
        int32_t value = 0;
        if (l.tag == "pref") {
            QByteArray text;
            if (!in.pstring(text))
                return l;
            value = Conv::toInt32(Conv::val(QString::fromUtf8(text)));
        } else if (!in.int32(value)) {
            return l;
        }
        l.ints.append(value);
    }
    if (!in.int32(l.m))
        return l;
    for (int32_t j = 0; j < l.m; ++j) {
        QByteArray text;
        if (!in.pstring(text))
            return l;
        l.texts.append(text);
    }
    l.complete = true;
    l.wholeFile = in.atEnd();
    return l;
}

// The preferences after reading a complete file over `state`: each entry the
// file holds replaces its own, surplus ones are dropped; then the sheet widths
// come back when the first is 0, and a file of the older layout, which knew no
// anniversary colours, leaves them at their defaults.
Fuzz::PrefState readOver(Fuzz::PrefState state, const Layout& l)
{
    for (qsizetype i = 0; i < std::min<qsizetype>(l.ints.size(), kEntries); ++i)
        state.pref[i] = l.ints[i];
    for (qsizetype j = 0; j < std::min<qsizetype>(l.texts.size(), kEntries); ++j) {
        state.prefS[j] = QString::fromUtf8(l.texts[j]);
        state.readFrom[j] = l.texts[j];
    }
    if (state.pref[40] == 0)
        std::copy(state.sheetW.begin(), state.sheetW.end(), state.pref.begin() + 40);
    if (l.tag == "pref") {
        state.pref[28] = 0x3FBF3F;
        state.pref[29] = 0x9A9A9A;
        state.pref[30] = 0xFFEBFF;
    }
    return state;
}

// The count of integers written: entries 0 to pref[0], no more than the array holds.
int32_t intCount(const Fuzz::PrefState& s) { return s.pref[0] >= kEntries - 1 ? kEntries : s.pref[0] + 1; }

// The count of texts written: Int32(Val(prefS[0]) + 1), the fraction dropped,
// no more than the array holds. Below 0 it is written as it is, and no text follows.
int32_t textCount(const Fuzz::PrefState& s)
{
    const double c = Conv::val(s.prefS[0]) + 1.0;
    if (std::isnan(c))
        return 0;
    if (c >= kEntries)
        return kEntries;
    if (c <= double(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(c);
}

// The file the writer must make of the preferences: tag "pref2", the counts
// and the entries; an unedited text as the bytes it was read from, any other
// as its UTF-8.
QByteArray expectedFile(const Fuzz::PrefState& s)
{
    QByteArray out("\x05pref2");
    const int32_t n = intCount(s);
    Fuzz::putInt32(out, n);
    for (int32_t i = 0; i < n; ++i)
        Fuzz::putInt32(out, s.pref[i]);
    const int32_t m = textCount(s);
    Fuzz::putInt32(out, m);
    for (int32_t j = 0; j < m; ++j) {
        const bool unedited = !s.readFrom[j].isNull() && QString::fromUtf8(s.readFrom[j]) == s.prefS[j];
        Fuzz::putPString(out, unedited ? s.readFrom[j] : s.prefS[j].toUtf8());
    }
    return out;
}

bool sameState(const Fuzz::PrefState& a, const Fuzz::PrefState& b)
{
    return a.sameValues(b) && a.readFrom == b.readFrom;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray file = Fuzz::bytes(data, size);
    const Fuzz::PrefState defaults;

    // A file is taken when every field its counts announce is there; it then
    // gives the values its layout says. One that is not taken changes nothing.
    const Layout layout = walk(file);
    Fuzz::PrefState read;
    const bool ok = read.decode(file);
    FUZZ_CHECK(ok == layout.complete);
    FUZZ_CHECK(sameState(read, ok ? readOver(defaults, layout) : defaults));

    // The loading road gives the same as the reading from memory.
    Fuzz::putFile(ProgramPaths::preferenceFileIn(Fuzz::scratchFolder()), file);
    Fuzz::PrefState loaded;
    const Preferences::LoadResult result = Preferences::load(Fuzz::scratchFolder(), loaded.pref, loaded.prefS, loaded.clr,
                                                             loaded.sheetW, &loaded.readFrom);
    FUZZ_CHECK(result == (ok ? Preferences::LoadResult::Loaded : Preferences::LoadResult::Damaged));
    FUZZ_CHECK(sameState(loaded, read));
    if (!ok)
        return 0;

    // What the writer makes of them is the file the layout gives.
    const QByteArray written = read.encode();
    FUZZ_CHECK(written == expectedFile(read));

    // A file as the writer makes it comes out byte for byte: the current
    // tag, the counts the values read call for, and no sheet widths put back.
    // (Bytes after the last text are not part of the layout and are dropped.)
    if (layout.tag == "pref2" && layout.wholeFile && layout.n == intCount(read) && layout.m == textCount(read)
        && (layout.n <= 40 || layout.ints[40] != 0))
        FUZZ_CHECK(written == file);

    // Read again, the written file gives the same preferences, an older
    // layout's too, and writing them once more the same bytes.
    Fuzz::PrefState again = read;
    FUZZ_CHECK(again.decode(written));
    FUZZ_CHECK(again.sameValues(read));
    FUZZ_CHECK(again.encode() == written);

    // An edited text is written as its UTF-8, cut at a character; the others stay as read.
    const int32_t bound = textCount(read);
    if (bound >= 2) {
        const qsizetype j = std::min<qsizetype>(bound - 1, 7);
        Fuzz::PrefState edited = read;
        edited.prefS[j] += Fuzz::longEdit();
        const QByteArray editedFile = edited.encode();
        FUZZ_CHECK(editedFile == expectedFile(edited));
        const Layout out = walk(editedFile);
        FUZZ_CHECK(out.complete && out.texts.size() == bound);
        FUZZ_CHECK(Fuzz::cutAtCharacter(edited.prefS[j], out.texts[j]));
    }
    return 0;
}
