#pragma once

#include "core/Anniversary.h"
#include "core/SettingsAtStart.h"
#include "core/SettingsQuit.h"

#include <QByteArray>
#include <QString>

class BinaryReader;

// The anniversary list on disk: the file "anvsy" in the settings folder.
// Tag "ver:1", the index of the last record as Int32, then per entry the
// PStrings YY, MM, DD and tt.
namespace AnniversaryFile {

// The most UTF-8 bytes of an entry's text the file keeps: each value is one
// PString. A longer text would be cut when it is written.
inline constexpr qsizetype kMaxTextBytes = 255;

// The file's place: "anvsy" in the settings folder.
QString defaultPath();

// The file's bytes for a list. Every value is written as its text (an Int32 0
// as "0"), or as the bytes it was read from while it is unedited; an empty
// list gives the tag and a last index of -1.
QByteArray encode(const AnniversaryList& list);

// Appends the entries the data holds to `list` (entries already in it stay
// in front), each with the bytes it was read from. Stops at the first record
// that runs past the end of the data, keeping the complete records before
// it, however large the stored count. Returns false when the data ended
// early, or goes on past the last record its count names (a count of -1
// followed by records, say): the file is damaged, and rewriting it from the
// records read would drop the rest.
bool decode(BinaryReader& in, AnniversaryList& list);
bool decode(const QByteArray& bytes, AnniversaryList& list);

enum class LoadResult {
    Loaded,     // every record read
    NoFile,     // no file (or no settings folder): nothing to read, no message
    CannotOpen, // the file is there but cannot be read: "記念日ファイルを開けません。"
    Damaged,    // the file ends early, holds more than its count says, or is larger
                // than any list: the complete records before the damage were
                // appended. "記念日ファイルが壊れています。"
};

// Reads the file whole through the bounded reader; only a regular file is
// opened. `atStart` receives what start-up found, for the quit's save.
LoadResult load(const QString& path, AnniversaryList& list, SettingsFiles::AtStart* atStart = nullptr);

// The quit's save, given what `load` found at start-up. Nothing is written
// unless the list changed during the run: a list empty all along leaves no
// file where there was none, and a file that could not be read whole stays
// as it is.
// An emptied list is written as one of no entries. A changed list replaces
// a file that could not be read whole, or that someone else saved since
// start-up, only once that file has a second name of its own
// (SettingsFiles::saveAtQuit).
SettingsFiles::QuitOutcome saveAtQuit(const QString& path, const AnniversaryList& list, SettingsFiles::AtStart& atStart);

} // namespace AnniversaryFile
