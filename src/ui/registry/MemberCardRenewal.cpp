// The member card's renewal: the dialog, the three writes and the receipt.
#include "ui/registry/MemberCardScreen.h"

#include "app/SystemCause.h"
#include "journal/MovementRecord.h"
#include "membership/AssociationSettings.h"
#include "membership/Renewal.h"
#include "membership/RenewalWrite.h"
#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/app/SettingsDialog.h"
#include "ui/conventions/CardForm.h"
#include "ui/print/ReceiptPrint.h"
#include "ui/registry/RenewalDialog.h"
#include "ui/services/Services.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>

namespace almavest::ui {

namespace {

using membership::RenewalWriteStep;

QString fileName(const QString &path)
{
    return QFileInfo(path).fileName();
}

// What the user is told when the renewal could not be made.
QString renewalFailure(const membership::RenewalResult &result, const QString &journalPath,
    const QString &memberPath, int year)
{
    const QString journal
        = QStringLiteral("primanota %1 (file %2)").arg(year).arg(fileName(journalPath));
    const QString receipts = QStringLiteral("il registro delle ricevute (file %1)")
                                 .arg(fileName(membership::registerPathOf(journalPath)));
    const QString card = QStringLiteral("l'archivio dei soci (file %1)").arg(fileName(memberPath));
    QString what;
    switch (result.failedAt) {
    case RenewalWriteStep::Journal:
        what = QStringLiteral("registrare il pagamento nella ") + journal;
        break;
    case RenewalWriteStep::Register:
        what = QStringLiteral("assegnare il numero della ricevuta: ") + receipts
            + QStringLiteral(" non può essere letto o scritto");
        break;
    case RenewalWriteStep::Card:
        what = QStringLiteral("salvare la scheda del socio in ") + card;
        break;
    case RenewalWriteStep::None:
        break;
    }
    QString message = QStringLiteral("Attenzione: il rinnovo non è stato eseguito perché non è "
                                     "stato possibile ")
        + what + u'.';
    const QString cause = app::systemCause(result.error);
    if (!cause.isEmpty())
        message += QStringLiteral("\r\n\r\n") + cause;
    if (result.undone) {
        message += QStringLiteral("\r\n\r\nNessun dato è stato modificato: la primanota, il "
                                  "registro delle ricevute e la scheda del socio sono come "
                                  "prima.");
    } else {
        const QString left = result.leftBehind == RenewalWriteStep::Journal
            ? QStringLiteral("la ") + journal
            : result.leftBehind == RenewalWriteStep::Register ? receipts
                                                              : card;
        message += QStringLiteral("\r\n\r\nNon è stato possibile annullare quanto già scritto "
                                  "in ")
            + left + QStringLiteral(": controllarlo prima di ripetere il rinnovo.");
    }
    return message;
}

} // namespace

void MemberCardScreen::enableRenewal()
{
    buttons()["btnRinnova"]->setEnabled(position().has_value());
}

void MemberCardScreen::renewMembership()
{
    const std::optional<QStringList> member = savedRecordShown(
        QStringLiteral("Attenzione: per rinnovare l'iscrizione occorre prima salvare la scheda "
                       "del socio in archivio."));
    if (!member)
        return;
    AppContext &context = this->context();
    Services &services = context.services();
    const QString folder = context.folder().path();
    const std::optional<membership::AssociationSettings> settings = associationSettingsOrTell(
        context, this, QStringLiteral("il rinnovo non è stato eseguito"));
    if (!settings)
        return;
    const QDate today = services.today();
    const int year = today.year();
    const QString journalPath = journal::journalPath(folder, journal::journalYearText(year));
    const membership::RenewalPeriod period = membership::renewalPeriod(
        text::parseDate(text::trimmed(member->at(registry::ExpiryDate)), today), today,
        settings->calendarYear());

    RenewalDialog::Proposal proposal {text::trimmed(member->at(registry::Name)),
        member->at(registry::ExpiryDate), member->at(registry::Fee), period,
        settings->calendarYear(), year, QString(),
        membership::associationHeading(folder).name.isEmpty()};
    if (const auto receipts
        = membership::ReceiptRegister::read(membership::registerPathOf(journalPath))) {
        proposal.nextReceipt
            = QString::number(receipts->nextNumber()) + u'/' + QString::number(year);
    }
    const std::optional<RenewalDialog::Choice> choice = RenewalDialog::ask(context, this, proposal);
    if (!choice)
        return;

    const membership::AssociationHeading heading = membership::associationHeading(folder);
    membership::RenewalRequest request;
    request.journalPath = journalPath;
    request.memberArchivePath = archivePath();
    request.memberPosition = *position();
    request.member = *member;
    request.member[registry::ExpiryDate] = text::formatDate(choice->expiry);
    request.member[registry::Fee] = choice->fee;
    request.movement = membership::renewalMovement(request.member,
        {choice->fee, today, heading.name.isEmpty() ? QStringLiteral("Associazione") : heading.name,
            QString(),
            QStringLiteral("Rinnovo dell'iscrizione fino al ") + text::formatDate(choice->expiry)});
    membership::Receipt &receipt = request.receipt;
    receipt.issued = today;
    receipt.amount = choice->fee;
    receipt.membershipFee = true;
    receipt.stampDuty = false; // a membership fee never bears it
    receipt.period = choice->covered;
    receipt.purpose = QLatin1String(membership::kMembershipFeePurpose);
    receipt.payer = text::trimmed(member->at(registry::Name));
    receipt.taxCode = text::trimmed(member->at(registry::TaxCode));
    receipt.birthDate = text::trimmed(member->at(registry::BirthDate));
    receipt.birthPlace = text::trimmed(member->at(registry::BirthPlace));

    const membership::RenewalResult result = membership::writeRenewal(request);
    if (!result.succeeded()) {
        services.message(
            this, MessageKind::Error, renewalFailure(result, journalPath, archivePath(), year));
        return;
    }
    loadCard(*position(), true);

    const ReceiptFile pdf = saveReceipt(context, result.receipt, false);
    const QString done
        = QStringLiteral("Il rinnovo è stato registrato: nuova scadenza %1, "
                         "entrata di € %2 nella primanota %3, ricevuta n. %4.")
              .arg(text::formatDate(choice->expiry), choice->fee, QString::number(year),
                  membership::receiptNumberText(result.receipt));
    if (pdf.failure.isEmpty()) {
        services.message(this, MessageKind::Information,
            done + QStringLiteral("\r\n\r\nLa ricevuta è stata salvata nel file ")
                + QDir::toNativeSeparators(QDir(folder).relativeFilePath(pdf.path))
                + QStringLiteral(" e ora viene mostrata in anteprima per la stampa."));
    } else {
        services.message(this, MessageKind::Warning,
            done + QStringLiteral("\r\n\r\nAttenzione: ") + pdf.failure
                + QStringLiteral("\r\n\r\nLa ricevuta può essere stampata di nuovo dalla scheda "
                                 "del movimento in primanota con il pulsante Ricevuta."));
    }
    if (pdf.prepared)
        previewReceipt(context, this, result.receipt, false);
}

} // namespace almavest::ui
