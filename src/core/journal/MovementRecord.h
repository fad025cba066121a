#pragma once

#include "store/CardRules.h"
#include "store/RecordTable.h"

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// A movement of the cash journal: 28 counted text fields in 3414 bytes. Each year's movements
// are a file named after the year with the extension ".eur".
namespace almavest::journal {

// The label before the signed amount that ends the line of a movement in every movement list
// (the searches, the payments due, the balance).
inline constexpr QByteArrayView kAmountLabel = "  Importo: ";

inline constexpr int kMovementFieldCount = 28;
inline constexpr int kMovementRecordSize = 3414;
inline constexpr const char *kJournalExtension = ".eur";

// Field numbers (0-based) that the program refers to by meaning.
enum MovementFieldIndex : int {
    Income = 0,
    Expense = 1,
    OperationDate = 2,
    Purpose = 3,
    Reminder = 4,
    DueDate = 5,
    NoticeDays = 6,
    Amount = 7,
    SignedAmount = 8,
    Payer = 9,
    PayerContact = 10,
    PayerTaxCode = 11,
    PayerVatNumber = 12,
    PayerCardNumber = 13,
    PayerEmail = 14,
    PaymentMethod = 15,
    Beneficiary = 16,
    BeneficiaryContact = 17,
    Receipt = 18,
    Notes = 19,
    Tariff = 20,
    Settled = 21,
    File1 = 22,
    File2 = 23,
    File3 = 24,
    Desc1 = 25,
    Desc2 = 26,
    Desc3 = 27
};

// Every field of the movement with the movement card control that shows it. The income,
// expense and settled flags are the two options and the check box; the signed amount has no
// control of its own.
const store::RecordTable &movementTable();
const store::RecordLayout &movementLayout();

// Flag fields are stored and read with store::flagText() and store::flagValue().
using store::flagText;
using store::flagValue;

// "Entrata" or "Uscita": the options' texts and the type shown in prints and exports.
QString incomeText();
QString expenseText();

// The caption beside the amount: "Importo in entrata: €" or "Importo in uscita: €".
QString amountCaption(bool income);

// The signed amount stored with a movement: "+" before the amount of income, "-" before that
// of an expense.
QString signedAmount(const QStringList &values);

// Why the movement holding `values` cannot be saved, its amount already normalised: the checks
// of the movement card's Save in their order. nullopt when it can.
std::optional<store::SaveRefusal> movementSaveRefusal(const QStringList &values, QDate today);

// The values of a new movement: income, dated `today`, notice days "0", amount "0,00", not
// settled, everything else empty.
QStringList blankMovement(QDate today);

// The archive of the movements of `year` in the program folder.
QString journalPath(const QString &programFolder, const QString &year);

// A year typed for a yearly archive: the year when accepted, else why not in the user's words.
struct JournalYear
{
    int year = 0;
    QString refusal; // empty when the year is accepted

    bool accepted() const { return refusal.isEmpty(); }
};

// Reads the year typed for a yearly archive. It names the archive file, so once trimmed it must
// be exactly four decimal digits, "0000" to "9999", and nothing else.
JournalYear readJournalYear(const QString &typed);

// `year` as the year field and the archive name write it: four digits.
QString journalYearText(int year);

} // namespace almavest::journal
