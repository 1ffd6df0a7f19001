#pragma once

#include <QList>
#include <QString>

#include <cstdint>
#include <memory>

class QPainter;
class QPrinter;
class QTemporaryFile;

// The printer of one print command. It is made once, with the stored page
// setup, and serves every page, each page its own job: what the user chose in
// the first page's print dialog (the printer, a PDF file) holds for the pages
// that open without one.
class PrintJob {
public:
    // The print's first month names its PDF output.
    PrintJob(int32_t firstYear, int32_t firstMonth);
    ~PrintJob();
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    // The printer; the first call gives it the stored page setup. Null when
    // the text is no page setup.
    QPrinter* printer(const QString& setupString);

    // Before the next page's job opens (and its dialog, if any): the first
    // page's PDF output is proposed in the home folder under the print's name,
    // where Qt would propose the home folder itself; a later page's goes
    // beside the first page's file under the first free number from its own
    // on, so that it never replaces a file that is there.
    void prepareNextPage();
    // Opens the page's job on `painter`, once its dialog (if any) has been
    // answered; `throughDialog` when the user saw its file there. A PDF page
    // is painted into a hidden file of its own beside its name and reaches
    // the name only in endPage(), whole. False when the job cannot begin.
    bool beginPage(QPainter& painter, bool throughDialog);
    // Ends the page's job. False when a PDF page did not reach its file
    // whole: nothing of the page is then left, under its name or beside it,
    // and a file that was there keeps its bytes.
    bool endPage(QPainter& painter);

    // The PDF file the next page is printed into; empty for a printer.
    QString outputFile() const;

    // A page that went, without a dialog, to another file than its own number
    // names, because a file of that name was already there.
    struct MovedPage {
        int32_t page; // 2 for the second
        QString file;
    };
    const QList<MovedPage>& movedPages() const { return m_moved; }

private:
    void pageBegun(const QString& file, bool throughDialog);

    std::unique_ptr<QPrinter> m_printer;
    QString m_stem;
    QString m_firstFile;
    int32_t m_pagesBegun = 0;
    int32_t m_nextNumber = 2;
    QString m_proposed;
    QList<MovedPage> m_moved;
    // While a PDF page is open: the file it is for, and the one Qt writes.
    QString m_pageFile;
    std::unique_ptr<QTemporaryFile> m_pageTemp;
};
