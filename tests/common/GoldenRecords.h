#pragma once

#include "book/PageRecord.h"
#include "journal/MovementRecord.h"
#include "registry/MemberRecord.h"

#include <QString>
#include <QStringList>

// What the hand-written fixture records in tests/data decode to, field by field. The values
// are placed by the fields' meanings, so a wrong field number shows as well as a wrong offset.
namespace almavest::test {

using namespace Qt::StringLiterals;

// members.pro, record 1: a complete card, zero filler.
inline QStringList goldenMember1()
{
    return {u"Rossi Mario"_s, u"A-0017"_s, u"25,00"_s, u"Forlì"_s, u"01/02/1970"_s,
        u"RSSMRA70B01D704X"_s, u"15/09/2020"_s, u"Via dell'Università 3"_s, u"Cesena"_s, u"FC"_s,
        u"47521"_s, u"Istruttore di nuoto"_s, u"Tesoriere"_s, u"IT60X0542811101000000123456"_s,
        u"Quota 2024: 25 € pagati"_s, u"31/12/2026"_s, u"30"_s, u"0547 123456"_s,
        u"mario.rossi@example.it"_s, u"ricevuta.pdf"_s, QString(), QString(), u"Ricevuta quota"_s,
        QString(), QString()};
}

// members.pro, record 2: '#' filler, blanks around texts, a damaged length byte.
inline QStringList goldenMember2()
{
    QStringList values(registry::kMemberFieldCount);
    values[registry::Name] = u"Bianchi Anna"_s;
    values[registry::Fee] = u"0,00"_s;
    values[registry::Town] = u"Rimini"_s;
    values[registry::Province] = u"RN"_s;
    values[registry::Role] = u"“Socio fondatore”"_s;
    values[registry::Notes] = u"Nota"_s;
    values[registry::ExpiryDate] = u"30/06/2025"_s;
    values[registry::NoticeDays] = u"0"_s;
    return values;
}

// pages.lib, record 2: rows A and B filled, row C with its order number only, zero filler.
inline QStringList goldenPage2()
{
    using namespace almavest::book;
    QStringList values(kPageFieldCount);
    values[BookNumber] = u"12"_s;
    values[Association] = u"Associazione Sportiva Dilettantistica Nuoto Forlì"_s;
    values[AssociationTaxCode] = u"92012345678"_s;
    values[President] = u"Rossi Mario"_s;
    values[Secretary] = u"Bianchi Anna"_s;
    const QString rowA[] = {u"1"_s, u"Verdi Giuseppe"_s, u"Cesena"_s, u"14/07/1985"_s,
        u"VRDGPP85L14C573K"_s, u"Via dell'Università 3"_s, u"0547 123456"_s, u"A-0017"_s,
        u"15/09/2020"_s, u"25,00"_s, QString(), QString(), u"Quota versata: € 25"_s};
    const QString rowB[] = {u"2"_s, u"Neri Lucia"_s, u"Rimini"_s, u"03/03/1990"_s,
        u"NRELCU90C43H294Z"_s, u"Corso d’Augusto 5"_s, QString(), u"A-0018"_s, u"15/09/2020"_s,
        u"25,00"_s, u"31/12/2023"_s, u"Trasferimento"_s, QString()};
    for (int i = 0; i < kRowFieldCount; ++i) {
        values[rowField(RowA, i)] = rowA[i];
        values[rowField(RowB, i)] = rowB[i];
    }
    values[rowField(RowC, Order)] = u"3"_s;
    values[File1] = u"verbale.pdf"_s;
    values[Desc1] = u"Verbale di ammissione"_s;
    return values;
}

// pages.lib, record 3: '#' filler, blanks around texts, length bytes above the capacity on the
// association's codice fiscale and on the last field.
inline QStringList goldenPage3()
{
    using namespace almavest::book;
    QStringList values(kPageFieldCount);
    values[BookNumber] = u"12"_s;
    values[Association] = u"ASD Nuoto"_s;
    values[AssociationTaxCode] = u"92012345678#####"_s;
    values[rowField(RowA, Order)] = u"1"_s;
    values[rowField(RowA, MemberName)] = u"Verdi Giuseppe"_s;
    values[rowField(RowB, MemberName)] = u"Neri Lucia"_s;
    values[Desc3] = u"fine"_s + QString(246, u'#');
    return values;
}

// movements.eur, record 2: a settled expense, zero filler.
inline QStringList goldenMovement2()
{
    return {u"No"_s, u"Sì"_s, u"05/03/2024"_s, u"Quota affiliazione federale"_s,
        u"Rinnovare entro marzo"_s, u"31/03/2024"_s, u"10"_s, u"12,50"_s, u"-12,50"_s,
        u"ASD Nuoto Forlì"_s, u"0543 654321"_s, u"92012345678"_s, QString(), QString(),
        u"segreteria@example.it"_s, u"Bonifico bancario"_s, u"Federazione Italiana Nuoto"_s,
        u"06 1234567"_s, u"CRO 0012345678"_s, u"Pagato € 12,50 – saldo"_s, u"Tariffa società"_s,
        u"Sì"_s, u"ricevuta.pdf"_s, QString(), QString(), u"Ricevuta del bonifico"_s, QString(),
        QString()};
}

// movements.eur, record 3: '#' filler, a damaged income flag, a paid flag "Si".
inline QStringList goldenMovement3()
{
    using namespace almavest::journal;
    QStringList values(kMovementFieldCount);
    values[Income] = u"Sì"_s;
    values[Expense] = u"No"_s;
    values[OperationDate] = u"01/01/2024"_s;
    values[Purpose] = u"Contributo"_s;
    values[DueDate] = u"31/01/2024"_s;
    values[NoticeDays] = u"0"_s;
    values[Amount] = u"100,00"_s;
    values[SignedAmount] = u"+100,00"_s;
    values[Payer] = u"Comune"_s;
    values[Beneficiary] = u"ASD Nuoto"_s;
    values[Settled] = u"Si"_s;
    return values;
}

} // namespace almavest::test
