// The movement card's receipt: a new one for a settled income, a marked copy of one given before.
#include "ui/journal/MovementCardScreen.h"

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
#include "ui/print/ReceiptPrint.h"
#include "ui/services/Services.h"

#include <QDir>

namespace almavest::ui {

namespace {

using membership::Receipt;

// The birth date and place of the member whose codice fiscale is `taxCode`, from the member
// archive; left empty when there is none or it cannot be read.
void addBirthData(const QString &memberArchive, Receipt &receipt)
{
    const QString code = text::upperAZ(text::trimmed(receipt.taxCode));
    if (code.isEmpty())
        return;
    const store::RecordLayout &layout = registry::memberLayout();
    store::ArchiveFile archive(memberArchive, layout.recordSize());
    if (!archive.openForReading())
        return;
    static_cast<void>(archive.scan([&](qint64, QByteArrayView record) {
        if (text::upperAZ(layout.field(record, registry::TaxCode)) != code)
            return true;
        receipt.birthDate = layout.field(record, registry::BirthDate);
        receipt.birthPlace = layout.field(record, registry::BirthPlace);
        return false;
    }));
}

QString registerFailure(const QString &journalPath, const QString &error)
{
    QString message = QStringLiteral("Attenzione: non è stato possibile leggere o scrivere il "
                                     "registro delle ricevute (file %1): la ricevuta non è stata "
                                     "emessa.")
                          .arg(QFileInfo(membership::registerPathOf(journalPath)).fileName());
    const QString cause = app::systemCause(error);
    return cause.isEmpty() ? message : message + QStringLiteral("\r\n\r\n") + cause;
}

} // namespace

void MovementCardScreen::giveReceipt()
{
    AppContext &context = this->context();
    Services &services = context.services();
    const std::optional<QStringList> movement = savedRecordShown(
        QStringLiteral("Attenzione: per la ricevuta occorre prima salvare il movimento in "
                       "archivio."));
    if (!movement)
        return;
    QString error;
    std::optional<Receipt> given = membership::receiptOf(m_yearPath, *position(), &error);
    if (!given && !error.isEmpty()) {
        services.message(this, MessageKind::Error, registerFailure(m_yearPath, error));
        return;
    }
    bool duplicate = given.has_value();
    if (!given) {
        const QString amount = movement->at(journal::Amount);
        const std::optional<qint64> cents = membership::amountCents(amount);
        if (journal::flagValue(movement->at(journal::Income)) != true || !cents) {
            services.message(this, MessageKind::Warning,
                QStringLiteral("Attenzione: la ricevuta si emette soltanto per un movimento in "
                               "entrata."));
            return;
        }
        if (journal::flagValue(movement->at(journal::Settled)) != true) {
            services.message(this, MessageKind::Warning,
                QStringLiteral("Attenzione: il movimento non risulta saldato. La ricevuta si "
                               "emette soltanto per un pagamento ricevuto: spuntare Saldato, "
                               "salvare il movimento e ripetere l'operazione."));
            return;
        }
        if (!services.message(this, MessageKind::Question,
                QStringLiteral("Il movimento non ha ancora una ricevuta. Emettere una nuova "
                               "ricevuta numerata per € %1 ricevuti da %2?")
                    .arg(amount, movement->at(journal::Payer))))
            return;
        const std::optional<membership::AssociationSettings> settings = associationSettingsOrTell(
            context, this, QStringLiteral("la ricevuta non è stata emessa"));
        if (!settings)
            return;
        Receipt draft;
        draft.movement = *position();
        draft.issued = services.today();
        draft.amount = amount;
        draft.purpose = movement->at(journal::Purpose);
        draft.membershipFee = membership::isMembershipFee(draft.purpose);
        draft.stampDuty = membership::stampDutyDue(settings->kind(), draft.membershipFee, *cents);
        draft.payer = movement->at(journal::Payer);
        draft.taxCode = movement->at(journal::PayerTaxCode);
        addBirthData(context.folder().file(QLatin1String(registry::kMemberArchiveName)), draft);
        const membership::IssuedReceipt issued = membership::issueReceipt(m_yearPath, draft);
        if (!issued.receipt) {
            services.message(this, MessageKind::Error, registerFailure(m_yearPath, issued.error));
            return;
        }
        // Another copy of the program may have given it a moment ago: that one is printed again.
        given = issued.receipt;
        duplicate = issued.alreadyGiven;
    }

    const ReceiptFile pdf = saveReceipt(context, *given, duplicate);
    const QString number = membership::receiptNumberText(*given);
    const QString shown
        = QDir::toNativeSeparators(QDir(context.folder().path()).relativeFilePath(pdf.path));
    if (pdf.failure.isEmpty() && duplicate) {
        services.message(this, MessageKind::Information,
            QStringLiteral("Il duplicato della ricevuta n. %1 è stato salvato nel file %2 e ora "
                           "viene mostrato in anteprima per la stampa.")
                .arg(number, shown));
    } else if (pdf.failure.isEmpty()) {
        services.message(this, MessageKind::Information,
            QStringLiteral("La ricevuta n. %1 è stata emessa e salvata nel file %2; ora viene "
                           "mostrata in anteprima per la stampa.")
                .arg(number, shown));
    } else {
        services.message(this, MessageKind::Warning,
            (duplicate ? QStringLiteral("Attenzione: ")
                       : QStringLiteral("La ricevuta n. %1 è stata emessa, ma ").arg(number))
                + pdf.failure
                + QStringLiteral("\r\n\r\nLa ricevuta viene ora mostrata in anteprima, da "
                                 "dove si può stampare."));
    }
    if (pdf.prepared)
        previewReceipt(context, this, *given, duplicate);
}

} // namespace almavest::ui
