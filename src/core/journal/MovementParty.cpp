#include "journal/MovementParty.h"

#include "journal/MovementRecord.h"
#include "registry/MemberRecord.h"
#include "text/TextRoutines.h"

#include <utility>

namespace almavest::journal {

namespace {

// Movement field, member field.
constexpr std::pair<int, int> kPayerFields[] = {
    {Payer, registry::Name},
    {PayerContact, registry::Phone},
    {PayerTaxCode, registry::TaxCode},
    {PayerCardNumber, registry::CardNumber},
    {PayerEmail, registry::Email},
};

constexpr std::pair<int, int> kBeneficiaryFields[] = {
    {Beneficiary, registry::Name},
    {BeneficiaryContact, registry::Phone},
};

} // namespace

QMap<int, QString> partyFields(Party party, const QStringList &member)
{
    QMap<int, QString> fields;
    const auto fill = [&](const auto &pairs) {
        for (const auto &[movementField, memberField] : pairs)
            fields.insert(movementField, text::trimmed(member.value(memberField)));
    };
    if (party == Party::Payer)
        fill(kPayerFields);
    else
        fill(kBeneficiaryFields);
    return fields;
}

} // namespace almavest::journal
