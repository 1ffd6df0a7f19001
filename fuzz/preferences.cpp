// The PreferenceFile reader. The input is the file; it is read over the
// defaults as at start-up, from memory and through the settings folder's
// loading road, and what it gave is written and read again.

#include "FuzzSupport.h"

#include "core/SettingsFiles.h"
#include "platform/BinaryStream.h"
#include "platform/Conv.h"

#include <algorithm>

namespace {

constexpr int32_t kEntries = 51;

// The string preferences a file holds, as raw bytes, walked by the layout
// alone; empty when the file ends early.
QList<QByteArray> storedTexts(const QByteArray& file)
{
    BinaryReader in(file);
    QByteArray tag;
    int32_t n = 0;
    if (!in.readPString(tag) || !in.readInt32(n))
        return {};
    const bool oldLayout = tag == "pref";
    for (int32_t i = 0; i < n && in.ok(); ++i) {
        QByteArray text;
        int32_t value = 0;
        oldLayout ? in.readPString(text) : in.readInt32(value);
    }
    int32_t m = 0;
    if (!in.readInt32(m))
        return {};
    QList<QByteArray> texts;
    for (int32_t j = 0; j < m && in.ok(); ++j) {
        QByteArray text;
        if (in.readPString(text) && j < kEntries)
            texts.append(text);
    }
    return in.ok() ? texts : QList<QByteArray>{};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray file = Fuzz::bytes(data, size);
    const Fuzz::PrefState defaults;

    Fuzz::PrefState read;
    const bool ok = read.decode(file);
    if (!ok) {
        // A file that could not be read changes no preference.
        FUZZ_CHECK(read.sameValues(defaults));
    }

    // The loading road gives the same as the reading from memory.
    Fuzz::putFile(SettingsFiles::preferenceFileIn(Fuzz::scratchFolder()), file);
    Fuzz::PrefState loaded;
    const Preferences::LoadResult result = Preferences::load(Fuzz::scratchFolder(), loaded.pref, loaded.prefS, loaded.clr,
                                                             loaded.sheetW, &loaded.readFrom);
    FUZZ_CHECK(result == (ok ? Preferences::LoadResult::Loaded : Preferences::LoadResult::Damaged));
    FUZZ_CHECK(loaded.sameValues(read) && loaded.readFrom == read.readFrom);
    if (!ok)
        return 0;

    // Written and read again, the preferences stay as read, and the second
    // writing gives the same bytes as the first.
    const QByteArray written = read.encode();
    Fuzz::PrefState again = read;
    FUZZ_CHECK(again.decode(written));
    FUZZ_CHECK(again.sameValues(read));
    FUZZ_CHECK(again.encode() == written);

    // Each string preference written goes out as the bytes it came in as,
    // UTF-8 or not; the defaults the file did not replace go out as UTF-8.
    const QList<QByteArray> before = storedTexts(file);
    const QList<QByteArray> after = storedTexts(written);
    FUZZ_CHECK(after.size() <= kEntries);
    for (qsizetype j = 0; j < after.size(); ++j) {
        if (j < before.size())
            FUZZ_CHECK(after[j] == before[j]);
        else
            FUZZ_CHECK(after[j] == defaults.prefS[j].toUtf8());
    }
    // As many as the bound says, held to the array.
    const int32_t bound = std::min(Conv::toInt32(Conv::val(read.prefS[0]) + 1.0), kEntries);
    FUZZ_CHECK(after.size() == std::max(bound, 0));

    // An edited text is written as its UTF-8, cut at a character; the others stay as read.
    if (bound >= 2) {
        const qsizetype j = std::min<qsizetype>(bound - 1, 7);
        Fuzz::PrefState edited = read;
        edited.prefS[j] += Fuzz::longEdit();
        const QList<QByteArray> texts = storedTexts(edited.encode());
        FUZZ_CHECK(texts.size() == after.size());
        for (qsizetype k = 0; k < texts.size(); ++k)
            FUZZ_CHECK(k == j ? Fuzz::cutAtCharacter(edited.prefS[j], texts[k]) : texts[k] == after[k]);
    }
    return 0;
}
