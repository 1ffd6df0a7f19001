#pragma once

#include <QPageLayout>
#include <QString>

#include <cstdint>
#include <optional>

// The page setup the program keeps: which printer, and the page format on it.
// Its text form ("SetupString") is what gPrintSetup holds and the
// PageSetupFile stores; it is ours, a few UTF-8 lines:
//
//   Morvelin page setup 1
//   printer=<queue name, empty for the default printer or PDF output>
//   page=<Qt page size key, such as "A4"; absent for a custom size>
//   size=<width> <height>            (points)
//   orientation=portrait|landscape
//   margins=<left> <top> <right> <bottom>   (points)
//
// Numbers are written in their shortest exact decimal form, so a text read
// back and written again is the same text.
namespace PageSetup {

struct PageFormat {
    QString printerName;
    QPageLayout layout; // margins in points
};

QString encode(const PageFormat& format);

// Empty for a text that is not a page setup this program wrote: another
// version, no page size, sizes that are not positive numbers, or margins
// that leave nothing to print on. Unknown lines are skipped, so a later
// program can add some.
std::optional<PageFormat> decode(const QString& text);

} // namespace PageSetup

// A page format on the platform's printing service, as the page-setup
// operations of App work on it. The user interface supplies the real one
// (a printer with its page-setup dialog); App knows it only through this.
class PrinterSetup {
public:
    virtual ~PrinterSetup() = default;

    // The current page format as a SetupString.
    virtual QString SetupString() const = 0;
    // Takes on the format of a SetupString; false (and nothing changed) for
    // a text decode() cannot read.
    virtual bool SetSetupString(const QString& text) = 0;
    // The printable area of the current format, in points; 0 or less when
    // there is nothing to print on.
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    // Runs the platform's page-setup dialog on this format; true when the
    // user confirmed (the format is then the one chosen).
    virtual bool PageSetupDialog() = 0;
};
