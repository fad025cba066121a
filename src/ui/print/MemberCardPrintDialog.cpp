#include "ui/print/MemberCardPrintDialog.h"

#include "registry/MemberRecord.h"
#include "report/PreparedReport.h"
#include "report/ReportTemplate.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/conventions/FieldTable.h"
#include "ui/conventions/Window.h"
#include "ui/print/PrintDialogFrame.h"
#include "ui/services/Services.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace almavest::ui {

namespace {

// The member fields printed, one a row, in the order of the rows: every field of the card but
// the notice days and the attachments.
constexpr int kPrintedFields[] = {
    registry::Name,
    registry::CardNumber,
    registry::Fee,
    registry::BirthPlace,
    registry::BirthDate,
    registry::TaxCode,
    registry::EnrolmentDate,
    registry::Address,
    registry::Town,
    registry::Province,
    registry::PostCode,
    registry::Qualifications,
    registry::Role,
    registry::Iban,
    registry::Notes,
    registry::ExpiryDate,
    registry::Phone,
    registry::Email,
};

constexpr PrintDialogTexts kPrinter {"frmStampaAna", " Stampa scheda", "Stampa scheda",
    "Stampa su carta i dati della scheda corrente, con o senza la foto del socio.",
    "btn-stampa.svg", "Premere Stampa per stampare su carta, oppure Annulla per rinunciare.",
    "Stampa"};
constexpr PrintDialogTexts kPreview {"frmAnteprimaAna", " Anteprima di stampa",
    "Anteprima di stampa",
    "Mostra sullo schermo i dati della scheda corrente, con o senza la foto "
    "del socio, come appariranno sulla carta.",
    "btn-anteprima.svg", "Premere Mostra anteprima per vedere il documento prima di stamparlo.",
    "Mostra anteprima"};
constexpr PrintDialogNames kNames {"icoIstruzioni01", "icoIstruzioni02"};

} // namespace

MemberCardPrintDialog::MemberCardPrintDialog(AppContext &context, QWidget *owner,
    ReportOutput output, const QStringList &values, const QImage &photo)
    : QDialog(owner)
    , m_context(context)
    , m_output(output)
    , m_values(values)
    , m_photo(photo)
{
    buildScreen(output);
    // The photo printed is whatever the card shows: the member's or the no-photo picture.
    if (m_photo.isNull())
        m_photo
            = QIcon(QStringLiteral(":/pictures/placeholder-photo.svg")).pixmap(366, 274).toImage();
    m_imgLogo->setPixmap(QPixmap::fromImage(m_photo));
    makeDialogWindow(this);
    applyHandCursor(this);
}

void MemberCardPrintDialog::buildScreen(ReportOutput output)
{
    const bool printer = output == ReportOutput::Printer;
    auto *withPhoto = new QRadioButton(printer ? QStringLiteral("Stampa dati con foto.")
                                               : QStringLiteral("Anteprima dati con foto."),
        this);
    withPhoto->setObjectName(QStringLiteral("optUno"));
    withPhoto->setChecked(true);
    auto *withoutPhoto = new QRadioButton(printer ? QStringLiteral("Stampa dati senza foto.")
                                                  : QStringLiteral("Anteprima dati senza foto."),
        this);
    withoutPhoto->setObjectName(QStringLiteral("optDue"));
    QPushButton *go
        = buildPrintDialog(*this, printer ? kPrinter : kPreview, kNames, {withPhoto, withoutPhoto});
    m_lblMemory = namedLabel("lblMemory", QStringLiteral("con"), this);
    m_lblMemory->hide();
    m_imgLogo = namedLabel("imgLogo", QString(), this);
    m_imgLogo->hide();
    connect(withPhoto, &QRadioButton::clicked, this, [this] { setWithPhoto(true); });
    connect(withoutPhoto, &QRadioButton::clicked, this, [this] { setWithPhoto(false); });
    connect(go, &QPushButton::clicked, this, &MemberCardPrintDialog::produce);
}

void MemberCardPrintDialog::fill(report::ReportTemplate &card, bool withPhoto) const
{
    card.setOrientation(QPageLayout::Portrait);
    if (withPhoto)
        card.setPicture(QStringLiteral("imgFoto"), m_photo);
    card.setText(QStringLiteral("txtTitolo"), QStringLiteral("SCHEDA DATI ANAGRAFICI SOCIO"));
    int row = 1;
    for (const int index : kPrintedFields) {
        const store::RecordTable::Field &field = registry::memberTable().field(index);
        QString value = text::trimmed(m_values.value(index));
        if (index == registry::Fee)
            value = QStringLiteral("€ ") + value;
        const QString suffix = QStringLiteral("%1").arg(row++, 2, 10, QLatin1Char('0'));
        card.setText(QStringLiteral("titCampo") + suffix,
            field.printCaption.isEmpty() ? field.caption : field.printCaption);
        card.setText(QStringLiteral("txtCampo") + suffix, value);
    }
    card.setText(QStringLiteral("txtCalce"), printedAtText(m_context.services().now()));
}

void MemberCardPrintDialog::setWithPhoto(bool withPhoto)
{
    m_withPhoto = withPhoto;
    m_lblMemory->setText(withPhoto ? QStringLiteral("con") : QStringLiteral("senza"));
}

void MemberCardPrintDialog::produce()
{
    const bool withPhoto = m_withPhoto;
    std::optional<report::ReportTemplate> card = report::ReportTemplate::load(withPhoto
            ? QStringLiteral(":/templates/member-card-photo.json")
            : QStringLiteral(":/templates/member-card.json"));
    Services &services = m_context.services();
    std::optional<report::PreparedReport> prepared;
    if (card) {
        fill(*card, withPhoto);
        prepared = report::prepare(*card, services.today());
    }
    sendReport(services, this, prepared, m_output);
    accept();
}

MemberCardPrint::MemberCardPrint(
    AppContext &context, QWidget *owner, const QStringList &values, const QImage &photo)
    : MemberCardPrintDialog(context, owner, ReportOutput::Printer, values, photo)
{ }

MemberCardPreview::MemberCardPreview(
    AppContext &context, QWidget *owner, const QStringList &values, const QImage &photo)
    : MemberCardPrintDialog(context, owner, ReportOutput::Preview, values, photo)
{ }

} // namespace almavest::ui
