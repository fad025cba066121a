#include "ui/print/BookPagePrintDialog.h"

#include "book/PageRecord.h"
#include "report/PreparedReport.h"
#include "report/ReportTemplate.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/conventions/Window.h"
#include "ui/print/PrintDialogFrame.h"
#include "ui/services/Services.h"

#include <QPushButton>

namespace almavest::ui {

namespace {

constexpr PrintDialogTexts kPrinter {"frmStampaRegistro", " Stampa scheda", "Stampa scheda",
    "Stampa su carta la pagina corrente del Libro Soci, con i dati inseriti.", "btn-stampa.svg",
    "Premere Stampa per stampare su carta, oppure Annulla per rinunciare.", "Stampa"};
constexpr PrintDialogTexts kPreview {"frmAnteprimaRegistro", " Anteprima di stampa",
    "Anteprima di stampa",
    "Mostra sullo schermo la pagina corrente del Libro Soci, con i dati inseriti, come apparirà "
    "sulla carta.",
    "btn-anteprima.svg",
    "Premere Mostra anteprima per vedere il documento prima di stamparlo, oppure Annulla per "
    "rinunciare.",
    "Mostra anteprima"};

// The name of the printed title above a field's value: "tit" and the control's name without
// "txt" ("titOrdine_A", "titPresidente").
QString titleName(const QString &control)
{
    return QStringLiteral("tit") + control.mid(3);
}

} // namespace

BookPagePrintDialog::BookPagePrintDialog(AppContext &context, QWidget *owner, ReportOutput output,
    const QStringList &values, const QString &pageNumber)
    : QDialog(owner)
    , m_context(context)
    , m_output(output)
    , m_values(values)
    , m_pageNumber(pageNumber)
{
    buildScreen(output);
    makeDialogWindow(this);
    applyHandCursor(this);
}

void BookPagePrintDialog::buildScreen(ReportOutput output)
{
    QPushButton *go
        = buildPrintDialog(*this, output == ReportOutput::Printer ? kPrinter : kPreview);
    connect(go, &QPushButton::clicked, this, &BookPagePrintDialog::produce);
}

void BookPagePrintDialog::fill(
    report::ReportTemplate &sheet, const QStringList &values, const QString &pageNumber)
{
    using namespace book;
    const store::RecordTable &table = pageTable();
    const auto value = [&values](int field) { return text::trimmed(values.value(field)); };
    const auto printed = [&table](int field) { return table.field(field).printCaption; };
    sheet.setOrientation(QPageLayout::Landscape);

    sheet.setText(QStringLiteral("txtNumero"), printed(BookNumber) + value(BookNumber));
    sheet.setText(QStringLiteral("txtPagina"), QStringLiteral("Pag. ") + text::trimmed(pageNumber));
    sheet.setText(QStringLiteral("txtDenominazione"), value(Association));
    sheet.setText(
        QStringLiteral("txtCodFisc"), printed(AssociationTaxCode) + value(AssociationTaxCode));
    for (int row = RowA; row <= RowD; ++row) {
        for (int column = 0; column < kRowFieldCount; ++column) {
            const int field = rowField(row, column);
            const QString &control = table.field(field).control;
            sheet.setText(titleName(control), printed(field));
            sheet.setText(
                control, column == Fee ? QStringLiteral("€ ") + value(field) : value(field));
        }
    }
    for (const int field : {President, Secretary}) {
        sheet.setText(titleName(table.field(field).control), printed(field));
        sheet.setText(table.field(field).control, value(field));
    }
}

void BookPagePrintDialog::produce()
{
    std::optional<report::ReportTemplate> sheet
        = report::ReportTemplate::load(QStringLiteral(":/templates/book-page.json"));
    Services &services = m_context.services();
    std::optional<report::PreparedReport> prepared;
    if (sheet) {
        fill(*sheet, m_values, m_pageNumber);
        prepared = report::prepare(*sheet, services.today());
    }
    sendReport(services, this, prepared, m_output);
    accept();
}

BookPagePrint::BookPagePrint(
    AppContext &context, QWidget *owner, const QStringList &values, const QString &pageNumber)
    : BookPagePrintDialog(context, owner, ReportOutput::Printer, values, pageNumber)
{ }

BookPagePreview::BookPagePreview(
    AppContext &context, QWidget *owner, const QStringList &values, const QString &pageNumber)
    : BookPagePrintDialog(context, owner, ReportOutput::Preview, values, pageNumber)
{ }

} // namespace almavest::ui
