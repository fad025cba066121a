#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// Payer and beneficiary of a movement taken from the member registry: which member fields fill
// which movement fields. Every other field of the movement stays as it is.
namespace almavest::journal {

enum class Party { Payer, Beneficiary };

// The movement texts, by movement field index, that the member whose record values are `member`
// gives `party`: each value trimmed, nothing cut (the save cuts to the capacity).
QMap<int, QString> partyFields(Party party, const QStringList &member);

} // namespace almavest::journal
