#include "core/Preferences.h"

#include "core/DatasetKeys.h"
#include "core/Globals.h"
#include "core/ProgramPaths.h"
#include "core/SettingsPlace.h"
#include "core/SettingsReadFailure.h"
#include "platform/BinaryStream.h"
#include "platform/Conv.h"
#include "platform/FileIO.h"
#include "platform/Folders.h"

#include <algorithm>

namespace Preferences {

namespace {
const QByteArray kTag = QByteArrayLiteral("pref2");
const QByteArray kOldTag = QByteArrayLiteral("pref");

constexpr int32_t kEntries = 51;

namespace P = PrefIndex;
} // namespace

void initVal(QVariantMap& printSetup, SheetWidths& sheetW)
{
    printSetup = QVariantMap();
    printSetup.insert(QStringLiteral("SetupString"), QString());
    sheetW = {900, 1300, 1190, 1200};
}

void initColor(Palette& clr)
{
    static const int rgb[30][3] = {
        {0, 0, 0},       {255, 255, 255}, {255, 0, 0},     {0, 255, 0},     {0, 0, 255},
        {0, 255, 255},   {255, 0, 255},   {255, 255, 0},   {0, 0, 0},       {127, 127, 127},
        {154, 154, 154}, {191, 191, 191}, {221, 221, 221}, {255, 100, 100}, {154, 154, 221},
        {255, 200, 200}, {200, 255, 200}, {255, 255, 245}, {235, 235, 55},  {255, 255, 204},
        {221, 221, 221}, {255, 255, 255}, {63, 191, 63},   {255, 235, 255}, {153, 204, 255},
        {255, 204, 102}, {102, 204, 204}, {255, 255, 192}, {0, 0, 0},       {0, 0, 0},
    };
    for (int i = 1; i <= 30; ++i)
        clr[i] = QColor(rgb[i - 1][0], rgb[i - 1][1], rgb[i - 1][2]);
}

void initPref(IntPrefs& pref, TextPrefs& prefS, const Palette& clr, const SheetWidths& sheetW)
{
    pref[P::kLastIndex] = 50;
    for (int i = 1; i <= 9; ++i)
        pref[i] = 0;
    pref[P::kBeep] = 1;
    for (int i = 11; i <= 19; ++i)
        pref[i] = 1;

    // The palette entry each default colour is taken from.
    static const int colourEntries[11] = {11, 11, 12, 11, 14, 15, 14, 11, 23, 11, 24};
    for (int i = 0; i < 11; ++i)
        pref[P::kFirstDefaultColour + i] = Globals::gClrCtoI(clr[colourEntries[i]]);

    for (int i = 31; i <= 39; ++i)
        pref[i] = 0;
    for (int i = 0; i < kSheetSizeCount; ++i)
        pref[P::kMeasuredWidths + i] = sheetW[i];
    pref[50] = 0;

    prefS[0] = QStringLiteral("50");
    prefS[1] = QStringLiteral("PICT:pict;pic;pct");
    prefS[2] = QStringLiteral("JPEG:jpe;jpeg;jpg");
    prefS[3] = QStringLiteral("GIFf:gif");
    prefS[4] = QStringLiteral("PNGf:png");
    prefS[5] = QStringLiteral("8BPS:psd");
    prefS[6] = QStringLiteral("TIFF:jfx;tif;tiff");
    prefS[7] = QString();
    prefS[50] = QString();
}

QByteArray encode(const IntPrefs& pref, const TextPrefs& prefS, const TextPrefBytes* readFrom)
{
    BinaryWriter out;
    out.writePStringBytes(kTag);

    // The count is the last index plus one, held to the array's size (and
    // computed wide, so a last index of INT32_MAX cannot overflow).
    const int32_t n = static_cast<int32_t>(std::min<int64_t>(int64_t(pref[P::kLastIndex]) + 1, kEntries));
    out.writeInt32(n);
    for (int32_t i = 0; i < n; ++i)
        out.writeInt32(pref[i]);

    // For a bound b >= -1 the strings 0..b number Int32(b + 1); below that none.
    const double bound = Conv::val(prefS[0]);
    const int32_t m = std::min(Conv::toInt32(bound + 1.0), kEntries);
    out.writeInt32(m);
    for (int32_t j = 0; j < m; ++j)
        out.writePString(prefS[j], readFrom ? (*readFrom)[j] : QByteArray());
    return out.bytes();
}

bool decode(BinaryReader& in, IntPrefs& pref, TextPrefs& prefS, const Palette& clr, const SheetWidths& sheetW,
            TextPrefBytes* readFrom)
{
    // Read into copies, so that a damaged file leaves every entry as it was.
    IntPrefs ints = pref;
    TextPrefs texts = prefS;
    TextPrefBytes bytes = readFrom ? *readFrom : TextPrefBytes{};

    QByteArray tag;
    if (!in.readPString(tag))
        return false;
    const bool oldLayout = tag == kOldTag;

    int32_t n = 0;
    if (!in.readInt32(n))
        return false;
    // A count beyond the array: the surplus values are read and dropped. A
    // count beyond what the bytes left can hold (an Int32 takes four, a
    // PString at least one) is damage, seen before any value is read.
    if (int64_t(n) * (oldLayout ? 1 : 4) > in.remaining())
        return false;
    for (int32_t i = 0; i < n; ++i) {
        int32_t value = 0;
        if (oldLayout) {
            QString text;
            if (!in.readPString(text))
                return false;
            value = Conv::toInt32(Conv::val(text));
        } else if (!in.readInt32(value)) {
            return false;
        }
        if (i < kEntries)
            ints[i] = value;
    }

    int32_t m = 0;
    if (!in.readInt32(m) || int64_t(m) > in.remaining())
        return false;
    for (int32_t j = 0; j < m; ++j) {
        QString text;
        QByteArray read;
        if (!in.readPString(text, read))
            return false;
        if (j < kEntries) {
            texts[j] = text;
            bytes[j] = read;
        }
    }

    if (ints[P::kMeasuredWidths] == 0) {
        for (int i = 0; i < kSheetSizeCount; ++i)
            ints[P::kMeasuredWidths + i] = sheetW[i];
    }
    // A file of the older layout predates the anniversary colours: they take their defaults.
    if (oldLayout) {
        ints[P::kDefaultDayColorA] = Globals::gClrCtoI(clr[23]);
        ints[P::kDefaultAnnColor] = Globals::gClrCtoI(clr[11]);
        ints[P::kDefaultAnnBkClr] = Globals::gClrCtoI(clr[24]);
    }

    pref = ints;
    prefS = texts;
    if (readFrom)
        *readFrom = bytes;
    return true;
}

bool decode(const QByteArray& bytes, IntPrefs& pref, TextPrefs& prefS, const Palette& clr, const SheetWidths& sheetW,
            TextPrefBytes* readFrom)
{
    BinaryReader in(bytes);
    return decode(in, pref, prefS, clr, sheetW, readFrom);
}

LoadResult load(const QString& settingsFolder, IntPrefs& pref, TextPrefs& prefS, const Palette& clr,
                const SheetWidths& sheetW, TextPrefBytes* readFrom, SettingsFiles::AtStart* atStart,
                Folders::Unmade* unmade)
{
    SettingsFiles::Place read;
    bool wasReadWhole = false;
    LoadResult result = LoadResult::Loaded;
    QByteArray bytes;
    if (!Folders::isFolder(settingsFolder)) {
        result = Folders::createFolder(settingsFolder, unmade) ? LoadResult::FolderCreated : LoadResult::NoFolder;
    } else if (const auto failed = SettingsFiles::readFailure<LoadResult>(
                   ProgramPaths::preferenceFileIn(settingsFolder), bytes, FileIO::kMaxSettingsFileBytes, read)) {
        result = *failed;
    } else {
        BinaryReader in(bytes);
        if (!decode(in, pref, prefS, clr, sheetW, readFrom))
            result = LoadResult::Damaged;
        // Bytes after the last text are no part of any layout we write: the
        // values read stand, but the file is not one a rewrite would give
        // back, so a changed run keeps it beside the new one before
        // replacing it.
        wasReadWhole = result == LoadResult::Loaded && in.remaining() == 0;
    }
    if (atStart) {
        // With no file, the defaults are what the run has not changed. A file
        // that could not be read leaves the run its defaults too, but those
        // are to replace it at quit.
        const bool unread = result == LoadResult::CannotOpen || result == LoadResult::Damaged;
        *atStart = SettingsFiles::AtStart{read, wasReadWhole,
                                          unread ? std::nullopt : std::optional(encode(pref, prefS, readFrom))};
    }
    return result;
}

SettingsFiles::QuitOutcome saveAtQuit(const QString& settingsFolder, const IntPrefs& pref, const TextPrefs& prefS,
                                      const TextPrefBytes* readFrom, SettingsFiles::AtStart& atStart)
{
    return SettingsFiles::saveAtQuit(ProgramPaths::preferenceFileIn(settingsFolder), atStart,
                                     encode(pref, prefS, readFrom), FileIO::kMaxSettingsFileBytes,
                                     SettingsFiles::FirstRun::FillsAnEmptyPlace);
}

} // namespace Preferences
