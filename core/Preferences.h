#pragma once

#include "core/SettingsAtStart.h"
#include "core/SettingsQuit.h"
#include "platform/Folders.h"

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QVariantMap>

#include <array>
#include <cstdint>

class BinaryReader;

// The preferences, the palette and the PreferenceFile, as functions of plain
// arrays; App's methods apply them to the program-wide arrays of Globals.
namespace Preferences {

using IntPrefs = std::array<int32_t, 51>;
using TextPrefs = std::array<QString, 51>;
using Palette = std::array<QColor, 31>;
using SheetWidths = std::array<int32_t, 4>;
// The bytes each string preference was read from (null for one not read):
// an unedited entry goes back to the file as it came, UTF-8 or not.
using TextPrefBytes = std::array<QByteArray, 51>;

// The page setup starts with an empty "SetupString"; the nominal sheet widths.
void initVal(QVariantMap& printSetup, SheetWidths& sheetW);
// Entries 1 to 30 of the built-in palette; entry 0 is left alone.
void initColor(Palette& clr);
// The default preferences; needs the palette and the sheet widths filled.
// Entries the defaults do not name (gPref 44..49, gPrefS 8..49) are left alone.
void initPref(IntPrefs& pref, TextPrefs& prefS, const Palette& clr, const SheetWidths& sheetW);

// The bytes of a PreferenceFile holding the arrays: tag "pref2", the count
// and the integer preferences 0..pref[0], the count and the string
// preferences 0..Val(prefS[0]). No more than the 51 entries of each array
// are written, whatever the bounds say. A string still equal to what its
// bytes in `readFrom` read as is written as those bytes.
QByteArray encode(const IntPrefs& pref, const TextPrefs& prefS, const TextPrefBytes* readFrom = nullptr);

// Reads a PreferenceFile (tag "pref2", or the older "pref" with the integers
// as texts) over the arrays: entries the file holds replace the current ones;
// values beyond the arrays are read and dropped. Then the follow-up resets:
// sheet widths when pref[40] is 0, the anniversary colours after a "pref" file.
// A file that ends before its counts say, or cannot be read, changes nothing
// and gives false. `readFrom` receives the bytes of the strings read.
bool decode(BinaryReader& in, IntPrefs& pref, TextPrefs& prefS, const Palette& clr, const SheetWidths& sheetW,
            TextPrefBytes* readFrom = nullptr);
bool decode(const QByteArray& bytes, IntPrefs& pref, TextPrefs& prefS, const Palette& clr, const SheetWidths& sheetW,
            TextPrefBytes* readFrom = nullptr);

enum class LoadResult {
    Loaded,        // the file's values replaced the defaults
    FolderCreated, // there was no settings folder; it is made now, defaults kept
    NoFolder,      // there was no settings folder and none could be made; defaults kept
    NoFile,        // the folder holds no PreferenceFile; defaults kept
    CannotOpen,    // the file is there but cannot be read (or is no regular file); defaults kept
    Damaged,       // the file ends early, is larger than any preference file or is
                   // no preference file; defaults kept
};

// The whole loading road for a settings folder; the file is read whole
// through the bounded reader, and only a regular file is opened. `atStart`
// receives what start-up found, for the quit's save; `unmade` why the
// settings folder could not be made (NoFolder).
LoadResult load(const QString& settingsFolder, IntPrefs& pref, TextPrefs& prefS, const Palette& clr,
                const SheetWidths& sheetW, TextPrefBytes* readFrom = nullptr,
                SettingsFiles::AtStart* atStart = nullptr, Folders::Unmade* unmade = nullptr);

// The quit's save (SettingsFiles::saveAtQuit): the file is written when the
// run changed the preferences, or when `load` could not read it; a file
// that could not be read, or that someone else saved since, is kept aside
// first. A run that started without a file and changed nothing writes its
// defaults only while the place is still empty: preferences another copy
// saved meanwhile stay.
SettingsFiles::QuitOutcome saveAtQuit(const QString& settingsFolder, const IntPrefs& pref, const TextPrefs& prefS,
                                      const TextPrefBytes* readFrom, SettingsFiles::AtStart& atStart);

} // namespace Preferences
