#include "ui/print/BookPagePrintDialog.h"

#include "book/PageRecord.h"
#include "report/PreparedReport.h"
#include "report/ReportTemplate.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/conventions/PictureButton.h"
#include "ui/conventions/Window.h"
#include "ui/services/Services.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace almavest::ui {

namespace {

struct Texts
{
    const char *name;
    const char *caption;
    const char *heading;
    const char *note;
    const char *icon;
    const char *action;
    const char *button;
};

constexpr Texts kPrinter {"frmStampaRegistro", " Stampa scheda", "Stampa scheda",
    "Stampa su carta la pagina corrente del Libro Soci, con i dati inseriti.", "btn-stampa.svg",
    "Premere Stampa per stampare su carta, oppure Annulla per rinunciare.", "Stampa"};
constexpr Texts kPreview {"frmAnteprimaRegistro", " Anteprima di stampa", "Anteprima di stampa",
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
    const Texts &texts = output == ReportOutput::Printer ? kPrinter : kPreview;
    // Named before anything is built, so that the style sheet's rules for it reach its controls.
    setObjectName(QLatin1String(texts.name));
    setWindowTitle(QString::fromUtf8(texts.caption));
    auto *heading = namedLabel("icoInf01",
        QStringLiteral("<b style='font-size:14pt'>%1</b><br>%2")
            .arg(QString::fromUtf8(texts.heading), QString::fromUtf8(texts.note)),
        this);
    heading->setWordWrap(true);
    auto *logo = namedLabel("imgLogo01", QString(), this);
    showPicture(logo, QStringLiteral("app-icon.svg"), QSize(48, 48));
    auto *top = new QHBoxLayout;
    top->addWidget(logo);
    top->addWidget(heading, 1);

    auto *icon = namedLabel("imgSezione04", QString(), this);
    showPicture(icon, QLatin1String(texts.icon), QSize(32, 32));
    auto *action = namedLabel("icoInf02", QString::fromUtf8(texts.action), this);
    action->setWordWrap(true);
    auto *middle = new QHBoxLayout;
    middle->addWidget(icon);
    middle->addWidget(action, 1);

    auto *go = new QPushButton(QString::fromUtf8(texts.button), this);
    go->setObjectName(QStringLiteral("btnStampa"));
    go->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Annulla"), this);
    cancel->setObjectName(QStringLiteral("btnAnnulla"));
    connect(go, &QPushButton::clicked, this, &BookPagePrintDialog::produce);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(go);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(6);
    layout->addLayout(middle);
    layout->addSpacing(10);
    layout->addLayout(buttons);
    resize(460, sizeHint().height());
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

TfrmStampaRegistro::TfrmStampaRegistro(
    AppContext &context, QWidget *owner, const QStringList &values, const QString &pageNumber)
    : BookPagePrintDialog(context, owner, ReportOutput::Printer, values, pageNumber)
{ }

TfrmAnteprimaRegistro::TfrmAnteprimaRegistro(
    AppContext &context, QWidget *owner, const QStringList &values, const QString &pageNumber)
    : BookPagePrintDialog(context, owner, ReportOutput::Preview, values, pageNumber)
{ }

} // namespace almavest::ui
