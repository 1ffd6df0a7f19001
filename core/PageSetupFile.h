#pragma once

#include "core/SettingsAtStart.h"
#include "core/SettingsQuit.h"

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
    NoFile,     // nothing at the file's place
    Unreadable, // something there that cannot be read whole, or a file that ends early
};

// Reads the file in `settingsFolder`; `atStart` receives what start-up
// found, for the quit's save.
LoadResult load(const QString& settingsFolder, QString& setupString, SettingsFiles::AtStart* atStart = nullptr);

// The quit's save (SettingsFiles::saveAtQuit) of the run's `setupString`.
// The page setup is the one settings file a run can have nothing to store
// in, and this is where that is decided: nothing while the keep-page-setup
// preference is off, nor while the run holds no setup (an empty text); the
// file then stays as it is, NothingToSave. Otherwise the setup is written
// only when it is not the one `load` read at start-up, into a settings
// folder made again when it is gone.
SettingsFiles::QuitOutcome saveAtQuit(const QString& settingsFolder, bool keepPageSetup, const QString& setupString,
                                      SettingsFiles::AtStart& atStart);

} // namespace PageSetupFile
