#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

#include <optional>

// The receipts given in one year, numbered from 1 without gaps or repeats, kept in a small text
// file beside that year's journal ("2026.ric" beside "2026.eur"), one receipt a line with the
// journal position of the movement it was given for. A receipt is never removed or renumbered.
// The register is only changed under the journal's lock (LockedJournal), so two copies of the
// program never give the same number.
namespace almavest::membership {

// One receipt as it was given: what a copy of it prints again.
struct Receipt
{
    int number = 0;
    int year = 0;
    qint64 movement = 0; // position of its movement in the year's journal
    QDate issued;
    QString amount; // "40,00"
    bool membershipFee = false;
    bool stampDuty = false;
    QString period; // the membership year covered; empty when not a fee
    QString purpose;
    QString payer;
    QString taxCode;
    QString birthDate;
    QString birthPlace;
};

// "3/2026".
QString receiptNumberText(const Receipt &receipt);

// The register of the year of the journal at `journalPath`.
QString registerPathOf(const QString &journalPath);

class ReceiptRegister final
{
public:
    // Reads the register at `path`; a missing file is an empty register. Nullopt, with the reason
    // in `error`, when the file cannot be read or is not a register: its numbers are then unknown
    // and none may be given.
    static std::optional<ReceiptRegister> read(const QString &path, QString *error = nullptr);

    const QList<Receipt> &receipts() const { return m_receipts; }
    // The number the next receipt takes.
    int nextNumber() const;
    // The receipt given for the movement at `position`, if any.
    std::optional<Receipt> forMovement(qint64 position) const;
    // Adds `receipt`, numbered by the caller with nextNumber().
    void add(const Receipt &receipt) { m_receipts.append(receipt); }

    // The file's text; `bytesRead` gives back what it held before any change, empty when it did
    // not exist.
    QByteArray bytes() const;
    const std::optional<QByteArray> &bytesRead() const { return m_read; }

private:
    QList<Receipt> m_receipts;
    std::optional<QByteArray> m_read;
};

} // namespace almavest::membership
