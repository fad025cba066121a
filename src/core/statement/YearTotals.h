#pragma once

#include "store/ScanControl.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <map>
#include <vector>

// What one year's journal adds up to for the cash statement: the money of each causale, income
// and expenses apart, and how much went through the cash box and through the bank. Amounts are
// whole cents.
namespace almavest::statement {

// Where a movement's money went: the cash box or a bank or post account.
enum class Channel { Cash, Bank };

// The channel of a movement from its payment method as typed: cash when it is empty, says
// "contanti" or "contante", or is the word "cassa" alone; a bank or post account otherwise
// (bonifico, assegno, carta, bancomat, POS, PayPal, "Cassa di Risparmio ..."). A-Z in any case.
Channel channelOf(QStringView paymentMethod);

// The form a causale is compared in: trimmed, A-Z in upper case, control characters as blanks.
// Two causali that differ only in that are one causale.
QString causaleKey(QStringView causale);

struct CausaleTotal
{
    QString causale; // as first met in the journal
    qint64 cents = 0; // the sum of its amounts, always without sign
    int movements = 0;
};

struct YearTotals
{
    int year = 0;
    bool archiveOk = true; // false when the journal could not be read
    // By causaleKey(); income and expenses apart.
    std::map<QString, CausaleTotal> income;
    std::map<QString, CausaleTotal> expenses;
    qint64 cashNet = 0; // income less expenses through the cash box
    qint64 bankNet = 0; // and through the bank
    // Movements whose signed amount cannot be read, and a record cut short at the end of the
    // file: they are in no total.
    int unreadable = 0;

    qint64 net() const { return cashNet + bankNet; }
};

// Reads the journal at `path` once and adds up its movements, whatever their date: a movement is
// in the year whose journal holds it. The file must exist: reading never makes one. With a
// `control`, the scan reports its progress and stops once it is cancelled.
YearTotals readYearTotals(const QString &path, int year, store::ScanControl *control = nullptr);

// The years that have a journal in `folder` ("2024.eur"), in increasing order.
std::vector<int> journalYears(const QString &folder);

} // namespace almavest::statement
