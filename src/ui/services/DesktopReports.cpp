// The real print and preview: the report engine's print dialog and preview window.
#include "report/PreviewWindow.h"
#include "report/Printing.h"
#include "ui/services/Services.h"

namespace almavest::ui {

void DesktopServices::printReport(QWidget *owner, const report::PreparedReport &report)
{
    if (report::printWithDialog(owner, report) == report::PrintOutcome::Failed)
        message(owner, MessageKind::Warning,
            QStringLiteral("Stampa non riuscita: la stampante o il file scelto non è "
                           "raggiungibile."));
}

void DesktopServices::previewReport(QWidget *owner, const report::PreparedReport &report)
{
    // The print dialog opens over the preview, which exists only once constructed.
    QWidget *preview = nullptr;
    report::PreviewWindow window(
        report, [this, &preview, &report] { printReport(preview, report); }, owner);
    preview = &window;
    window.exec();
}

} // namespace almavest::ui
