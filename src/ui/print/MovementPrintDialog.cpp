#include "ui/print/MovementPrintDialog.h"

#include "report/PreparedReport.h"
#include "report/ReportTemplate.h"
#include "ui/app/AppContext.h"
#include "ui/conventions/Window.h"
#include "ui/print/PrintDialogFrame.h"
#include "ui/print/ReportOutput.h"
#include "ui/services/Services.h"

#include <QPushButton>

namespace almavest::ui {

namespace {

constexpr PrintDialogTexts kTexts {"frmStampaMovimento", " Stampa scheda corrente", "Stampa scheda",
    "Stampa su carta il movimento corrente, con i dati inseriti.", "btn-stampa.svg",
    "Premere Stampa per stampare su carta, oppure Annulla per rinunciare.", "Stampa"};

} // namespace

MovementPrintOut::MovementPrintOut(
    AppContext &context, QWidget *owner, const journal::MovementPrintValues &movement)
    : QDialog(owner)
    , m_context(context)
    , m_movement(movement)
{
    QPushButton *go = buildPrintDialog(*this, kTexts);
    connect(go, &QPushButton::clicked, this, &MovementPrintOut::produce);
    makeDialogWindow(this);
    applyHandCursor(this);
}

void MovementPrintOut::print(
    AppContext &context, QWidget *owner, const journal::MovementPrintValues &movement)
{
    MovementPrintOut dialog(context, owner, movement);
    runPerUseDialog(context.services(), dialog);
}

void MovementPrintOut::fill(report::ReportTemplate &sheet) const
{
    sheet.setOrientation(QPageLayout::Portrait);
    for (const journal::PrintedLine &line : journal::printedLines(m_movement)) {
        sheet.setText(line.captionMemo, line.caption);
        sheet.setText(line.valueMemo, line.value);
    }
    sheet.setText(QStringLiteral("txtCalce"), printedAtText(m_context.services().now()));
}

void MovementPrintOut::produce()
{
    std::optional<report::ReportTemplate> sheet
        = report::ReportTemplate::load(QStringLiteral(":/templates/movement-card.json"));
    Services &services = m_context.services();
    std::optional<report::PreparedReport> prepared;
    if (sheet) {
        fill(*sheet);
        prepared = report::prepare(*sheet, services.today());
    }
    sendReport(services, this, prepared, ReportOutput::Printer);
    accept();
}

} // namespace almavest::ui
