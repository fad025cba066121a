#include "ui/print/MemberCardPrintDialog.h"

#include "registry/MemberRecord.h"
#include "report/PreparedReport.h"
#include "report/ReportTemplate.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/conventions/FieldTable.h"
#include "ui/conventions/PictureButton.h"
#include "ui/conventions/Window.h"
#include "ui/services/Services.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

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

struct Texts
{
    const char *name;
    const char *caption;
    const char *heading;
    const char *note;
    const char *icon;
    const char *action;
    const char *withPhoto;
    const char *withoutPhoto;
    const char *button;
};

constexpr Texts kPrinter {"frmStampaAna", " Stampa scheda", "Stampa scheda",
    "Stampa su carta i dati della scheda corrente, con o senza la foto del socio.",
    "btn-stampa.svg", "Premere Stampa per stampare su carta, oppure Annulla per rinunciare.",
    "Stampa dati con foto.", "Stampa dati senza foto.", "Stampa"};
constexpr Texts kPreview {"frmAnteprimaAna", " Anteprima di stampa", "Anteprima di stampa",
    "Mostra sullo schermo i dati della scheda corrente, con o senza la foto "
    "del socio, come appariranno sulla carta.",
    "btn-anteprima.svg", "Premere Mostra anteprima per vedere il documento prima di stamparlo.",
    "Anteprima dati con foto.", "Anteprima dati senza foto.", "Mostra anteprima"};

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
    requireControl<QLabel>(this, QStringLiteral("imgLogo"))->setPixmap(QPixmap::fromImage(m_photo));
    makeDialogWindow(this);
    applyHandCursor(this);
}

void MemberCardPrintDialog::buildScreen(ReportOutput output)
{
    const Texts &texts = output == ReportOutput::Printer ? kPrinter : kPreview;
    // Named before anything is built, so that the style sheet's rules for it reach its controls.
    setObjectName(QLatin1String(texts.name));
    setWindowTitle(QString::fromUtf8(texts.caption));
    auto *heading = namedLabel("icoIstruzioni01",
        QStringLiteral("<b style='font-size:14pt'>%1</b><br>%2")
            .arg(QString::fromUtf8(texts.heading), QString::fromUtf8(texts.note)),
        this);
    heading->setWordWrap(true);
    auto *logo = namedLabel("imgLogo01", QString(), this);
    showPicture(logo, QStringLiteral("app-icon.svg"), QSize(48, 48));
    auto *top = new QHBoxLayout;
    top->addWidget(logo);
    top->addWidget(heading, 1);

    auto *icon = new QLabel(this);
    showPicture(icon, QLatin1String(texts.icon), QSize(32, 32));
    auto *action = namedLabel("icoIstruzioni02", QString::fromUtf8(texts.action), this);
    action->setWordWrap(true);
    auto *middle = new QHBoxLayout;
    middle->addWidget(icon);
    middle->addWidget(action, 1);

    auto *withPhoto = new QRadioButton(QString::fromUtf8(texts.withPhoto), this);
    withPhoto->setObjectName(QStringLiteral("optUno"));
    withPhoto->setChecked(true);
    auto *withoutPhoto = new QRadioButton(QString::fromUtf8(texts.withoutPhoto), this);
    withoutPhoto->setObjectName(QStringLiteral("optDue"));
    m_lblMemory = namedLabel("lblMemory", QStringLiteral("con"), this);
    m_lblMemory->hide();
    namedLabel("imgLogo", QString(), this)->hide();
    connect(withPhoto, &QRadioButton::clicked, this,
        [this] { m_lblMemory->setText(QStringLiteral("con")); });
    connect(withoutPhoto, &QRadioButton::clicked, this,
        [this] { m_lblMemory->setText(QStringLiteral("senza")); });

    auto *go = new QPushButton(QString::fromUtf8(texts.button), this);
    go->setObjectName(QStringLiteral("btnStampa"));
    go->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Annulla"), this);
    cancel->setObjectName(QStringLiteral("btnAnnulla"));
    connect(go, &QPushButton::clicked, this, &MemberCardPrintDialog::produce);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(go);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(6);
    layout->addLayout(middle);
    layout->addSpacing(6);
    layout->addWidget(withPhoto);
    layout->addWidget(withoutPhoto);
    layout->addSpacing(10);
    layout->addLayout(buttons);
    resize(460, sizeHint().height());
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
    const QDateTime now = m_context.services().now();
    card.setText(QStringLiteral("txtCalce"),
        QStringLiteral("Stampa eseguita in data ") + text::formatDate(now.date())
            + QStringLiteral(" alle ore ") + now.time().toString(QStringLiteral("HH:mm:ss")));
}

void MemberCardPrintDialog::produce()
{
    const QString choice = text::trimmed(m_lblMemory->text());
    if (choice != QLatin1String("con") && choice != QLatin1String("senza"))
        return;
    const bool withPhoto = choice == QLatin1String("con");
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

TfrmStampaAna::TfrmStampaAna(
    AppContext &context, QWidget *owner, const QStringList &values, const QImage &photo)
    : MemberCardPrintDialog(context, owner, ReportOutput::Printer, values, photo)
{ }

TfrmAnteprimaAna::TfrmAnteprimaAna(
    AppContext &context, QWidget *owner, const QStringList &values, const QImage &photo)
    : MemberCardPrintDialog(context, owner, ReportOutput::Preview, values, photo)
{ }

} // namespace almavest::ui
