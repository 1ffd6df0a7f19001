#include "ui/PrintJob.h"

#include "platform/FileIO.h"
#include "sheet/PrintPlan.h"
#include "ui/AppPrintSetup.h"
#include "ui/PrintFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryFile>

#include <utility>

namespace {

// Far beyond any page of sheets, pictures included; the page is read back
// into memory in one piece.
constexpr qint64 kMaxPageBytes = qint64(1) << 30;

} // namespace

PrintJob::PrintJob(int32_t firstYear, int32_t firstMonth)
    : m_stem(Sheet::printFileStem(firstYear, firstMonth))
{
}

PrintJob::~PrintJob() = default;

QPrinter* PrintJob::printer(const QString& setupString)
{
    if (!m_printer) {
        auto printer = std::make_unique<QPrinter>();
        if (!AppPrintSetup::apply(*printer, setupString))
            return nullptr;
        // The job's title in the print queue.
        printer->setDocName(m_stem);
        m_printer = std::move(printer);
    }
    return m_printer.get();
}

QString PrintJob::outputFile() const
{
    if (!m_pageFile.isEmpty())
        return m_pageFile;
    return m_printer && m_printer->outputFormat() == QPrinter::PdfFormat ? m_printer->outputFileName() : QString();
}

void PrintJob::prepareNextPage()
{
    m_proposed.clear();
    if (!m_printer || m_printer->outputFormat() != QPrinter::PdfFormat)
        return;
    if (m_pagesBegun == 0) {
        if (m_printer->outputFileName().isEmpty() || QFileInfo(m_printer->outputFileName()).isDir())
            m_printer->setOutputFileName(QDir::home().filePath(m_stem + QStringLiteral(".pdf")));
        return;
    }
    if (m_firstFile.isEmpty())
        return;
    // Qt's PDF output truncates whatever file it is given; only the print
    // dialog asks before it does.
    const int32_t number = PrintFiles::freePageNumber(m_firstFile, m_nextNumber);
    m_nextNumber = number + 1;
    m_proposed = Sheet::pageFileName(m_firstFile, number);
    m_printer->setOutputFileName(m_proposed);
}

bool PrintJob::beginPage(QPainter& painter, bool throughDialog)
{
    if (!m_printer)
        return false;
    const QString file = outputFile();
    if (file.isEmpty()) {
        if (!painter.begin(m_printer.get()))
            return false;
        pageBegun(file, throughDialog);
        return true;
    }
    // Qt's PDF output says nothing when the disk refuses its bytes: the page
    // goes to a file of its own first, on the same disk as its name, and is
    // checked before it takes the name.
    auto temp = std::make_unique<QTemporaryFile>(QFileInfo(file).absolutePath()
                                                 + QStringLiteral("/.morvelin-page-XXXXXX.pdf"));
    if (!temp->open())
        return false;
    temp->close();
    m_printer->setOutputFileName(temp->fileName());
    if (!painter.begin(m_printer.get())) {
        m_printer->setOutputFileName(file);
        return false;
    }
    m_pageFile = file;
    m_pageTemp = std::move(temp);
    pageBegun(file, throughDialog);
    return true;
}

bool PrintJob::endPage(QPainter& painter)
{
    const bool ended = painter.end();
    if (m_pageFile.isEmpty())
        return true;
    const QString file = std::exchange(m_pageFile, QString());
    m_printer->setOutputFileName(file);
    QByteArray bytes;
    const bool read = FileIO::readWhole(m_pageTemp->fileName(), bytes, kMaxPageBytes) == FileIO::ReadResult::Read;
    // Gone before the page is written under its name, so that the disk has
    // room for the page once, not twice.
    m_pageTemp.reset();
    return ended && read && PrintFiles::pdfIsWhole(bytes) && FileIO::writeWhole(file, bytes, FileIO::Access::Shared);
}

void PrintJob::pageBegun(const QString& file, bool throughDialog)
{
    if (m_pagesBegun == 0)
        m_firstFile = file;
    ++m_pagesBegun;
    if (!throughDialog && !m_proposed.isEmpty() && file == m_proposed
        && m_proposed != Sheet::pageFileName(m_firstFile, m_pagesBegun))
        m_moved.append({m_pagesBegun, m_proposed});
}
