#include "membership/RenewalWrite.h"

#include "journal/MovementRecord.h"
#include "membership/LockedJournal.h"
#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"
#include "store/WholeFile.h"

#include <QFile>
#include <QFileInfo>

namespace almavest::membership {

namespace {

int yearOf(const QString &journalPath)
{
    return QFileInfo(journalPath).completeBaseName().toInt();
}

// Puts the register back as it was read: the earlier text, or no file when there was none.
bool restoreRegister(const QString &path, const ReceiptRegister &before)
{
    if (before.bytesRead())
        return store::writeWholeFile(path, *before.bytesRead()) == store::WriteFailure::None;
    return QFile::remove(path) || !QFileInfo::exists(path);
}

// The member's card at `position` written as `values`; its bytes before go to `before`.
bool writeMember(const RenewalRequest &request, QByteArray &before, QString &error)
{
    const store::RecordLayout &layout = registry::memberLayout();
    store::ArchiveFile archive(request.memberArchivePath, layout.recordSize());
    if (!archive.openForWriting() || !archive.read(request.memberPosition, before)) {
        error = archive.errorString();
        return false;
    }
    QByteArray record = layout.blankRecord();
    layout.setFields(record, request.member);
    if (!archive.overwrite(request.memberPosition, record)) {
        error = archive.errorString();
        return false;
    }
    return true;
}

bool putMemberBack(const RenewalRequest &request, const QByteArray &before)
{
    store::ArchiveFile archive(request.memberArchivePath, registry::memberLayout().recordSize());
    return archive.openForWriting() && archive.overwrite(request.memberPosition, before);
}

} // namespace

RenewalResult writeRenewal(const RenewalRequest &request)
{
    RenewalResult result;
    const auto failed = [&result](RenewalWriteStep step, const QString &error) {
        result.failedAt = step;
        result.error = error;
        return result;
    };
    LockedJournal journal(request.journalPath);
    if (!journal.open())
        return failed(RenewalWriteStep::Journal, journal.errorString());
    const QString registerPath = registerPathOf(request.journalPath);
    QString error;
    std::optional<ReceiptRegister> receipts = ReceiptRegister::read(registerPath, &error);
    if (!receipts)
        return failed(RenewalWriteStep::Register, error);
    const ReceiptRegister before = *receipts;

    // The number is known under the lock before anything is written, so the movement carries it.
    Receipt receipt = request.receipt;
    receipt.number = receipts->nextNumber();
    receipt.year = yearOf(request.journalPath);
    QStringList movement = request.movement;
    movement[journal::Receipt] = receiptNumberText(receipt);
    QByteArray record = journal::movementLayout().blankRecord();
    journal::movementLayout().setFields(record, movement);
    const std::optional<qint64> position = journal.append(record);
    if (!position)
        return failed(RenewalWriteStep::Journal, journal.errorString());
    receipt.movement = *position;

    // Taking back what was written, newest first.
    const auto takeBack = [&](bool registerWritten) {
        if (registerWritten && !restoreRegister(registerPath, before)) {
            result.undone = false;
            result.leftBehind = RenewalWriteStep::Register;
        }
        if (!journal.takeBack(*position)) {
            result.undone = false;
            result.leftBehind = RenewalWriteStep::Journal;
        }
    };

    receipts->add(receipt);
    const store::WriteFailure registerWrite
        = store::writeWholeFile(registerPath, receipts->bytes(), &error);
    if (registerWrite != store::WriteFailure::None) {
        takeBack(false);
        return failed(RenewalWriteStep::Register, error);
    }

    QByteArray memberBefore;
    if (!writeMember(request, memberBefore, error)) {
        // An overwrite that failed half way is put back as it was read.
        if (!memberBefore.isEmpty() && !putMemberBack(request, memberBefore)) {
            result.undone = false;
            result.leftBehind = RenewalWriteStep::Card;
        }
        takeBack(true);
        return failed(RenewalWriteStep::Card, error);
    }
    result.receipt = receipt;
    result.movementPosition = *position;
    return result;
}

IssuedReceipt issueReceipt(const QString &journalPath, Receipt draft)
{
    IssuedReceipt issued;
    LockedJournal journal(journalPath);
    if (!journal.open()) {
        issued.error = journal.errorString();
        return issued;
    }
    const QString path = registerPathOf(journalPath);
    std::optional<ReceiptRegister> receipts = ReceiptRegister::read(path, &issued.error);
    if (!receipts)
        return issued;
    if (std::optional<Receipt> given = receipts->forMovement(draft.movement)) {
        issued.receipt = given;
        issued.alreadyGiven = true;
        return issued;
    }
    draft.number = receipts->nextNumber();
    draft.year = yearOf(journalPath);
    receipts->add(draft);
    if (store::writeWholeFile(path, receipts->bytes(), &issued.error) == store::WriteFailure::None)
        issued.receipt = draft;
    return issued;
}

std::optional<Receipt> receiptOf(const QString &journalPath, qint64 position, QString *error)
{
    const std::optional<ReceiptRegister> receipts
        = ReceiptRegister::read(registerPathOf(journalPath), error);
    if (!receipts)
        return std::nullopt;
    return receipts->forMovement(position);
}

} // namespace almavest::membership
