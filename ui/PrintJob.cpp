#include "ui/PrintJob.h"

#include "sheet/PrintPlan.h"
#include "ui/AppPrintSetup.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>

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

void PrintJob::prepareNextPage()
{
    if (!m_printer || m_printer->outputFormat() != QPrinter::PdfFormat)
        return;
    if (m_pagesBegun == 0) {
        if (m_printer->outputFileName().isEmpty() || QFileInfo(m_printer->outputFileName()).isDir())
            m_printer->setOutputFileName(QDir::home().filePath(m_stem + QStringLiteral(".pdf")));
        return;
    }
    if (!m_firstFile.isEmpty())
        m_printer->setOutputFileName(Sheet::pageFileName(m_firstFile, m_pagesBegun + 1));
}

void PrintJob::pageBegun()
{
    if (m_pagesBegun == 0 && m_printer && m_printer->outputFormat() == QPrinter::PdfFormat)
        m_firstFile = m_printer->outputFileName();
    ++m_pagesBegun;
}
