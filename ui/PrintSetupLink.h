#pragma once

#include <QString>

class QPrinter;

// What printing needs of the page setup: its dialog, and the stored
// SetupString applied to the printer of a print job.
namespace PrintSetupLink {

// The page-setup dialog: a confirmed choice replaces gPrintSetup ("SetupString",
// "Width", "Height"); a cancel, or no printer driver, leaves it as it was.
void runPageSetup();

// Gives `printer` the stored page setup; false, and the printer left as it
// was, for a text that is not one.
bool apply(QPrinter& printer, const QString& setupString);

// Gives `printer` only the page size, orientation and margins of the stored
// page setup, whichever printer or file it goes to.
bool applyPageFormat(QPrinter& printer, const QString& setupString);

// The printer's page format as a SetupString.
QString setupString(const QPrinter& printer);

} // namespace PrintSetupLink
