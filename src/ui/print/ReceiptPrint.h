#pragma once

#include "membership/AssociationSettings.h"
#include "membership/ReceiptRegister.h"

#include <QDate>
#include <QString>

#include <optional>

class QWidget;

namespace almavest::report {
struct PreparedReport;
}

// The receipt of a payment: laid out from its template, saved as a PDF in the program folder
// ("Ricevute/2026/Ricevuta_3_2026.pdf") and shown in the preview, from where it is printed.
namespace almavest::ui {

class AppContext;

// The receipt laid out on its page; a copy printed again is marked "duplicato". Nullopt when
// the template cannot be read.
std::optional<report::PreparedReport> prepareReceipt(const membership::Receipt &receipt,
    const membership::AssociationHeading &heading, bool duplicate, QDate today);

// Where the PDF of `receipt` is saved, under the program folder.
QString receiptPdfPath(
    const QString &programFolder, const membership::Receipt &receipt, bool duplicate);

// What became of a receipt's PDF.
struct ReceiptFile
{
    bool prepared = false; // false when the template could not be read: nothing to show
    QString path; // where it was saved
    QString failure; // the user's words for what failed; empty when it was saved
};

// Lays the receipt out and saves its PDF, replacing an earlier one safely; says nothing.
ReceiptFile saveReceipt(AppContext &context, const membership::Receipt &receipt, bool duplicate);

// Shows the receipt in the preview, from where the user prints it.
void previewReceipt(
    AppContext &context, QWidget *owner, const membership::Receipt &receipt, bool duplicate);

} // namespace almavest::ui
