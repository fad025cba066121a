#include "ui/print/ReceiptPrint.h"

#include "app/ProgramFolder.h"
#include "app/SystemCause.h"
#include "membership/Renewal.h"
#include "report/PreparedReport.h"
#include "report/ReportTemplate.h"
#include "text/AmountWords.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/print/ReportOutput.h"
#include "ui/services/Services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace almavest::ui {

namespace {

using membership::Receipt;

QString bornLine(const Receipt &receipt)
{
    const QString place = text::trimmed(receipt.birthPlace);
    const QString date = text::trimmed(receipt.birthDate);
    if (place.isEmpty() && date.isEmpty())
        return {};
    QString line = QStringLiteral("Nato/a");
    if (!place.isEmpty())
        line += QStringLiteral(" a ") + place;
    if (!date.isEmpty())
        line += QStringLiteral(" il ") + date;
    return line;
}

QString amountWordsLine(const QString &amount)
{
    const std::optional<qint64> cents = membership::amountCents(amount);
    const std::optional<QString> words = cents ? text::amountInWords(*cents) : std::nullopt;
    return words ? QStringLiteral("(euro ") + *words + u')' : QString();
}

QString folderOf(const Receipt &receipt)
{
    return QStringLiteral("Ricevute/") + QString::number(receipt.year);
}

} // namespace

std::optional<report::PreparedReport> prepareReceipt(const Receipt &receipt,
    const membership::AssociationHeading &heading, bool duplicate, QDate today)
{
    std::optional<report::ReportTemplate> page
        = report::ReportTemplate::load(QStringLiteral(":/templates/receipt.json"));
    if (!page)
        return std::nullopt;
    const auto labelled = [](const char *label, const QString &value) {
        return value.isEmpty() ? QString() : QLatin1String(label) + value;
    };
    const QString seat = text::trimmed(heading.seat);
    const QString issued = text::formatDate(receipt.issued);
    const std::pair<const char *, QString> lines[] = {
        {"txtAssociazione", text::trimmed(heading.name)},
        {"txtSede", labelled("Sede legale: ", seat)},
        {"txtCodiceFiscale", labelled("Codice fiscale: ", text::trimmed(heading.taxCode))},
        {"txtTitolo", QStringLiteral("Ricevuta n. ") + membership::receiptNumberText(receipt)},
        {"txtDuplicato", duplicate ? QStringLiteral("duplicato") : QString()},
        {"txtRicevutoDa", QStringLiteral("Ricevuto da: ") + receipt.payer},
        {"txtCodiceFiscaleSocio", labelled("Codice fiscale: ", receipt.taxCode)},
        {"txtNascita", bornLine(receipt)},
        {"txtImporto", QStringLiteral("La somma di € ") + receipt.amount},
        {"txtImportoLettere", amountWordsLine(receipt.amount)},
        {"txtCausale", QStringLiteral("A titolo di: ") + receipt.purpose},
        {"txtPeriodo", labelled("Anno associativo: ", receipt.period)},
        {"txtBollo",
            receipt.stampDuty
                ? QStringLiteral("Imposta di bollo di 2,00 euro assolta sull'originale.")
                : QString()},
        {"txtLuogoData", seat.isEmpty() ? issued : seat + QStringLiteral(", ") + issued},
    };
    for (const auto &[name, text] : lines)
        page->setText(QLatin1String(name), text);
    return report::prepare(*page, today);
}

QString receiptPdfPath(const QString &programFolder, const Receipt &receipt, bool duplicate)
{
    const QString name = QStringLiteral("Ricevuta_%1_%2%3.pdf")
                             .arg(receipt.number)
                             .arg(receipt.year)
                             .arg(duplicate ? QStringLiteral("_duplicato") : QString());
    return QDir(programFolder).filePath(folderOf(receipt) + u'/' + name);
}

// The PDF is drawn into a temporary file beside the old one and renamed over it, so a failure
// leaves an earlier copy whole.
ReceiptFile saveReceipt(AppContext &context, const Receipt &receipt, bool duplicate)
{
    ReceiptFile saved;
    const std::optional<report::PreparedReport> prepared
        = prepareReceipt(receipt, membership::associationHeading(context.folder().path()),
            duplicate, context.services().today());
    if (!prepared) {
        saved.failure = unreadableTemplateMessage();
        return saved;
    }
    saved.prepared = true;
    saved.path = receiptPdfPath(context.folder().path(), receipt, duplicate);
    const QString shownPath = QDir(context.folder().path()).relativeFilePath(saved.path);
    const QString temporary = saved.path + QStringLiteral(".tmp");
    QString cause;
    const bool written = context.folder().keepsInside(saved.path)
        && app::createFolder(QFileInfo(saved.path).path(), &cause)
        && report::writePdf(*prepared, temporary) && QFileInfo(temporary).size() > 0
        && (!QFile::exists(saved.path) || QFile::remove(saved.path))
        && QFile::rename(temporary, saved.path);
    if (written)
        return saved;
    QFile::remove(temporary);
    saved.failure = QStringLiteral("non è stato possibile salvare la ricevuta nel file %1: la "
                                   "cartella del programma potrebbe essere protetta dalla "
                                   "scrittura oppure il disco potrebbe essere pieno.")
                        .arg(shownPath);
    if (!cause.isEmpty())
        saved.failure += QStringLiteral("\r\n\r\n") + app::systemCause(cause);
    return saved;
}

void previewReceipt(AppContext &context, QWidget *owner, const Receipt &receipt, bool duplicate)
{
    Services &services = context.services();
    sendReport(services, owner,
        prepareReceipt(receipt, membership::associationHeading(context.folder().path()), duplicate,
            services.today()),
        ReportOutput::Preview);
}

} // namespace almavest::ui
