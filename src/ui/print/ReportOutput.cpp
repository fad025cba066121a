#include "ui/print/ReportOutput.h"

#include "report/PreparedReport.h"
#include "text/TextRoutines.h"
#include "ui/services/Services.h"

namespace almavest::ui {

QString unreadableTemplateMessage()
{
    return QStringLiteral("Impossibile stampare: il modello di stampa non può essere letto.");
}

void sendReport(Services &services, QWidget *owner,
    const std::optional<report::PreparedReport> &report, ReportOutput output)
{
    if (!report) {
        services.message(owner, MessageKind::Error, unreadableTemplateMessage());
        return;
    }
    if (output == ReportOutput::Printer)
        services.printReport(owner, *report);
    else
        services.previewReport(owner, *report);
}

QString printedAtText(const QDateTime &now)
{
    return QStringLiteral("Stampa eseguita in data ") + text::formatDate(now.date())
        + QStringLiteral(" alle ore ") + now.time().toString(QStringLiteral("HH:mm:ss"));
}

void printSummary(
    Services &services, QWidget *owner, const QString &title, const QStringList &lines)
{
    sendReport(services, owner, report::prepareSummary(title, lines, services.today()),
        ReportOutput::Printer);
}

} // namespace almavest::ui
