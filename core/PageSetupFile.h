#pragma once

#include <QByteArray>
#include <QString>

// The page setup on disk: the file "printSetup" in the settings folder, kept
// only while the keep-page-setup preference is on. The PString tag
// "printSetup", the byte count of the setup text as Int32, then the text's
// UTF-8 bytes.
namespace PageSetupFile {

QByteArray encode(const QString& setupString);

// The setup text a file's bytes hold. Any tag is read by the same layout.
// False, with `setupString` unchanged, for bytes that end before the count
// says or whose count is negative.
bool decode(const QByteArray& bytes, QString& setupString);

enum class LoadResult {
    Loaded,
    NoFolder,   // no settings folder: nothing to read, no message
    Unreadable, // no file, or one that cannot be read whole or ends early
};

// Reads the file in `settingsFolder`.
LoadResult load(const QString& settingsFolder, QString& setupString);

enum class SaveResult {
    Saved,
    NoFolder,    // no settings folder: nothing written, no message
    CannotWrite, // the old file, if any, stays as it was
};

// Replaces the file in `settingsFolder` with the setup text, whole or not at all.
SaveResult save(const QString& settingsFolder, const QString& setupString);

} // namespace PageSetupFile
