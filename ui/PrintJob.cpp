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

QString PrintJob::outputFile() const
{
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
    const int32_t number = Sheet::freePageNumber(m_firstFile, m_nextNumber);
    m_nextNumber = number + 1;
    m_proposed = Sheet::pageFileName(m_firstFile, number);
    m_printer->setOutputFileName(m_proposed);
}

void PrintJob::pageBegun(bool throughDialog)
{
    if (m_pagesBegun == 0)
        m_firstFile = outputFile();
    ++m_pagesBegun;
    if (!throughDialog && !m_proposed.isEmpty() && outputFile() == m_proposed
        && m_proposed != Sheet::pageFileName(m_firstFile, m_pagesBegun))
        m_moved.append({m_pagesBegun, m_proposed});
}
