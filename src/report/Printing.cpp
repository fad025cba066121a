#include "report/Printing.h"

#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

namespace almavest::report {

std::vector<int> printSequence(const QPrinter &printer, int pageCount)
{
    int first = 0;
    int last = pageCount - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(0, printer.fromPage() - 1);
        last = std::min(last, std::max(first, printer.toPage() - 1));
    }
    // A printer that makes its own copies is sent one; a PDF file needs every copy drawn.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    std::vector<int> pages;
    if (printer.collateCopies()) {
        for (int copy = 0; copy < copies; ++copy) {
            for (int page = first; page <= last; ++page)
                pages.push_back(page);
        }
    } else {
        for (int page = first; page <= last; ++page)
            pages.insert(pages.end(), std::size_t(copies), page);
    }
    return pages;
}

PrintOutcome printWithDialog(QWidget *owner, const PreparedReport &report)
{
    const int pageCount = int(report.pages.size());
    if (pageCount == 0)
        return PrintOutcome::Cancelled;
    // QPrinter starts on the system's default printer.
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(report.name);
    printer.setPageLayout(report.layout);
    // The pages are drawn from the paper's corner, margins included.
    printer.setFullPage(true);

    QPrintDialog dialog(&printer, owner);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange
        | QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, pageCount);
    if (dialog.exec() != QDialog::Accepted)
        return PrintOutcome::Cancelled;
    return paintPages(report, printer, printSequence(printer, pageCount)) ? PrintOutcome::Printed
                                                                          : PrintOutcome::Failed;
}

} // namespace almavest::report
