#pragma once

#include "membership/ReceiptRegister.h"

#include <QString>
#include <QStringList>

// The writes of a renewal and of a receipt given later for a movement, each all or nothing.
namespace almavest::membership {

// The three writes of a renewal, in the order they are made.
enum class RenewalWriteStep {
    None,
    Journal, // the fee's movement appended to the year's journal
    Register, // the receipt's number taken in the register beside it
    Card, // the member's card written back with its new expiry
};

struct RenewalRequest
{
    QString journalPath;
    QString memberArchivePath;
    qint64 memberPosition = 0;
    QStringList member; // the card as it is to be stored, new expiry and fee in
    QStringList movement; // the fee's movement; its receipt field gets the number
    Receipt receipt; // all but the number, the year and the movement, which the writes give
};

struct RenewalResult
{
    RenewalWriteStep failedAt = RenewalWriteStep::None;
    // After a failure: whether every earlier write was taken back. When one could not be, the
    // step it belongs to is in `leftBehind`.
    bool undone = true;
    RenewalWriteStep leftBehind = RenewalWriteStep::None;
    QString error; // the system's reason
    Receipt receipt; // the receipt given, when nothing failed
    qint64 movementPosition = 0;

    bool succeeded() const { return failedAt == RenewalWriteStep::None; }
};

// Appends the movement, takes the receipt's number and writes the member's card back, holding
// the journal's lock throughout; when one write fails the earlier ones are taken back, so
// nothing is left half done. The journal is created when missing.
RenewalResult writeRenewal(const RenewalRequest &request);

struct IssuedReceipt
{
    std::optional<Receipt> receipt; // nullopt after a failure
    bool alreadyGiven = false; // the movement had its receipt already: this is it
    QString error;
};

// The receipt of the movement at `draft.movement` of the journal at `journalPath`: the one given
// before, if any, else `draft` with the next number, taken under the journal's lock.
IssuedReceipt issueReceipt(const QString &journalPath, Receipt draft);

// The receipt given for the movement at `position`, read without taking a number; nullopt
// when there is none or the register cannot be read (`error` then tells why).
std::optional<Receipt> receiptOf(
    const QString &journalPath, qint64 position, QString *error = nullptr);

} // namespace almavest::membership
