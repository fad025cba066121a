#include "registry/MemberRecord.h"

#include "store/ArchiveFile.h"

#include <QDir>

#include <array>

namespace almavest::registry {

namespace {

using store::Casing;
using store::ControlKind;
using store::FieldDefinition;
using store::KeyFilter;

// The fee keeps up to four decimals: a fee of 12,3457 is stored as typed, rounded only there.
constexpr int kFeeDecimals = 4;

// The record in file order: control, capacity, typed length, key filter, casing, control kind,
// caption on the card, caption on the printed card, column heading, decimals of an amount, text
// saved for an empty box. An empty notice is saved as 0 days.
// The date of enrolment is typed 10 characters long in a field of 11. The six attachment fields
// follow.
constexpr std::array<FieldDefinition, kMemberFieldCount - std::size(store::kAttachmentFields)>
    kFields {{
        {"txtDipendente", 50, 50, KeyFilter::None, Casing::None, ControlKind::Edit,
            "Cognome e nome:", nullptr, "Cognome e nome"},
        {"txtCittadinanza", 50, 50, KeyFilter::None, Casing::None, ControlKind::Edit, "Tessera n.",
            nullptr, "Tessera n."},
        {"txtStipendio", 12, 12, KeyFilter::Amount, Casing::None, ControlKind::Edit, "Quota: €",
            "Quota associativa:", "Quota associativa", kFeeDecimals},
        {"txtLuogo", 50, 50, KeyFilter::None, Casing::None, ControlKind::Edit,
            "Luogo di nascita:", nullptr, "Luogo di nascita"},
        {"txtDataNasc", 10, 10, KeyFilter::None, Casing::None, ControlKind::Edit,
            "Data di nascita:", nullptr, "Data di nascita"},
        {"txtCodFisc", 16, 16, KeyFilter::Alphanumeric, Casing::Upper, ControlKind::Edit,
            "Codice fiscale:", nullptr, "Codice fiscale"},
        {"txtPartitaIva", 11, 10, KeyFilter::None, Casing::None, ControlKind::Edit,
            "Data iscrizione:", nullptr, "Data iscrizione"},
        {"txtIndirizzo", 120, 120, KeyFilter::None, Casing::None, ControlKind::Edit,
            "Indirizzo di residenza e numero civico:", "Indirizzo di residenza:",
            "Indirizzo di residenza"},
        {"txtCitta", 50, 50, KeyFilter::None, Casing::None, ControlKind::Edit, "Città:", nullptr,
            "Città"},
        {"txtProv", 2, 2, KeyFilter::None, Casing::Upper, ControlKind::Edit, "Prov.",
            "Provincia:", "Prov."},
        {"txtCap", 10, 10, KeyFilter::None, Casing::None, ControlKind::Edit, "CAP:", nullptr,
            "CAP"},
        {"txtQualifiche", 120, 120, KeyFilter::None, Casing::None, ControlKind::Edit,
            "Qualifiche:", nullptr, "Qualifiche"},
        {"txtFamiliari", 250, 250, KeyFilter::None, Casing::None, ControlKind::Edit,
            "Incarico ricoperto in Associazione:", "Incarico ricoperto:", "Incarico ricoperto"},
        {"txtIban", 27, 27, KeyFilter::None, Casing::Upper, ControlKind::Edit, "IBAN:", nullptr,
            "IBAN"},
        {"txtNote", 250, 250, KeyFilter::None, Casing::None, ControlKind::Edit, "Note:", nullptr,
            "Note"},
        {"txtDataSca", 10, 10, KeyFilter::None, Casing::None, ControlKind::Date,
            "Scadenza iscrizione:", nullptr, "Scadenza iscrizione"},
        {"txtPreavviso", 3, 3, KeyFilter::Digits, Casing::None, ControlKind::Edit,
            "Giorni preavviso:", nullptr, nullptr, 0, "0"},
        {"txtRecapito", 50, 50, KeyFilter::None, Casing::None, ControlKind::Edit,
            "Recapito telefonico:", nullptr, "Recapito telefonico"},
        {"txtEmail", 50, 50, KeyFilter::None, Casing::TrimOnly, ControlKind::Edit,
            "E-mail:", nullptr, "E-mail"},
    }};

using store::SaveCheck;

// The fee is written in full with its decimals; one too long for its field is refused rather
// than cut, which would store another amount.
constexpr SaveCheck kSaveChecks[] = {
    {SaveCheck::Required, Name,
        "Attenzione: per salvare la scheda è necessario indicare cognome e nome del socio."},
    {SaveCheck::Required, Fee,
        "Attenzione: per salvare la scheda è necessario indicare l'importo della quota "
        "associativa."},
    {SaveCheck::Fits, Fee,
        "Attenzione: la quota associativa %1 è troppo lunga per essere salvata.\n\r\n\r"
        "E' possibile indicare al massimo %2 caratteri, virgola e decimali compresi.",
        12},
    {SaveCheck::Required, ExpiryDate,
        "Attenzione: per salvare la scheda è necessario indicare la data di scadenza "
        "dell'iscrizione."},
    {SaveCheck::ValidDate, ExpiryDate, "Attenzione: la data di scadenza "},
};

} // namespace

std::optional<store::SaveRefusal> memberSaveRefusal(const QStringList &values, QDate today)
{
    return store::firstRefusal(kSaveChecks, values, today);
}

const store::RecordTable &memberTable()
{
    static const store::RecordTable table
        = store::RecordTable().add(kFields).add(store::kAttachmentFields);
    return table;
}

const store::RecordLayout &memberLayout()
{
    return memberTable().layout();
}

QStringList blankMember()
{
    QStringList values(kMemberFieldCount);
    values[Fee] = QStringLiteral("0,00");
    values[NoticeDays] = QStringLiteral("0");
    return values;
}

QString memberPhotoPath(const QString &programFolder, qint64 position)
{
    return QDir(programFolder)
        .filePath(QLatin1String(kPhotoFolderName) + u'/' + QStringLiteral("Socio_")
            + QString::number(position) + QStringLiteral(".jpg"));
}

std::optional<QStringList> readMember(const QString &archivePath, qint64 position)
{
    store::ArchiveFile archive(archivePath, kMemberRecordSize);
    QByteArray record;
    if (!archive.openForReading() || !archive.read(position, record))
        return std::nullopt;
    archive.close();
    return memberLayout().fields(record);
}

} // namespace almavest::registry
