#pragma once

#include <QSize>
#include <QString>

class App;
class QPrinter;

// The page setup on Qt's printing service: the SetupString applied to and
// read from a QPrinter, and the page formats App's page-setup operations use.
namespace AppPrintSetup {

// The printer's page format as a SetupString.
QString setupString(const QPrinter& printer);

// Gives `printer` a stored page setup: the printer it names while that is
// still installed, else the default printer (PDF output when there is none),
// then the stored page size, orientation and margins. False, and the printer
// left as it was, for a text that is not a page setup.
bool apply(QPrinter& printer, const QString& setupString);

// Gives `printer` only the stored page size, orientation and margins,
// whichever printer or file it prints to. False, and the printer left as it
// was, for a text that is not a page setup.
bool applyPage(QPrinter& printer, const QString& setupString);

// The printable area of the printer's page format in points: gPrintSetup's
// "Width" and "Height".
QSize printableSize(const QPrinter& printer);

// Gives `app` its page formats: a QPrinter each, with Qt's page-setup dialog.
void install(App& app);

} // namespace AppPrintSetup
