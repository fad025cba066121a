#include "journal/MovementPrint.h"

#include "journal/MovementRecord.h"
#include "text/TextRoutines.h"

namespace almavest::journal {

namespace {

// The fields copied as typed, in print order: the tariff comes before the notes.
constexpr int kCopiedFields[] = {OperationDate, Purpose, Reminder, DueDate, NoticeDays, Amount,
    Payer, PayerContact, PayerTaxCode, PayerVatNumber, PayerCardNumber, PayerEmail, PaymentMethod,
    Beneficiary, BeneficiaryContact, Receipt, Tariff, Notes};

QString printCaption(int index)
{
    const store::RecordTable::Field &field = movementTable().field(index);
    return field.printCaption.isEmpty() ? field.caption : field.printCaption;
}

PrintedLine line(const QString &valueMemo, int captionField, const QString &value)
{
    return {QStringLiteral("tit") + valueMemo.mid(3), printCaption(captionField), valueMemo,
        text::trimmed(value)};
}

} // namespace

MovementPrintValues MovementPrintValues::fromCard(const QStringList &values)
{
    return {flagValue(values.value(Income)).value_or(true), values,
        flagValue(values.value(Settled)).value_or(false)};
}

QList<PrintedLine> printedLines(const MovementPrintValues &movement)
{
    QList<PrintedLine> lines;
    lines.append(
        line(QStringLiteral("txtTipo"), Income, movement.income ? incomeText() : expenseText()));
    for (const int field : kCopiedFields) {
        lines.append(
            line(movementTable().field(field).control, field, movement.texts.value(field)));
    }
    lines.append(line(QStringLiteral("txtSaldato"), Settled, flagText(movement.settled)));
    return lines;
}

} // namespace almavest::journal
