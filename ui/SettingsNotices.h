#pragma once

#include "core/AnniversaryFile.h"
#include "core/SettingsQuit.h"

#include <QString>

// What the user is told of the settings files: what the window's own file,
// the anniversary list, gave at start-up, and what came of each file at quit.
namespace SettingsNotices {

// Tells what kept the anniversary file at `path` from being read at
// start-up: "記念日ファイルを開けません。" naming the file and why (`error`,
// as FileIO::reasonText tells it), or that it is damaged and only what could
// be read is shown. Nothing for a file read whole or none at all.
void tellAnniversariesAtStart(AnniversaryFile::LoadResult result, const QString& path, int error);

// The sentences that name the file (or the folder) and what went wrong, for
// a report whose content did not reach the disk; empty for any other.
QString whatWentWrong(const SettingsFiles::QuitReport& report);

// Tells what came of one settings file at quit. A file kept under a second
// name is told with that name. A file whose content could not be stored
// asks whether to end all the same: "終了しない" (the default, also Return
// and Escape) answers false, so the program keeps running with every edit
// and the user can make room and quit again; "保存せずに終了" answers true.
bool tellAtQuit(const SettingsFiles::QuitReport& report);

// For a quit nobody answers (the session ends): asks nothing, writes what
// could not be stored to the standard error, and answers true.
bool logAtQuit(const SettingsFiles::QuitReport& report);

// One line on the standard error for an end nobody answers: "morvelin: "
// and `message` and `why`, line breaks folded, in the locale's encoding.
void log(const QString& message, const QString& why);

} // namespace SettingsNotices
