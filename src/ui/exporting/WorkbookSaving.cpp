#include "ui/exporting/WorkbookSaving.h"

#include "app/SystemCause.h"
#include "exporting/BookWorkbook.h"
#include "store/ArchiveFile.h"
#include "ui/app/AppContext.h"
#include "ui/conventions/ScanRunner.h"
#include "ui/services/Services.h"

#include <QDir>
#include <QFileInfo>

namespace almavest::ui {

namespace {

const char *const kTitle = "Salva come foglio di calcolo";
const char *const kXlsxFilter = "Cartella di lavoro Excel (*.xlsx)";
const char *const kOdsFilter = "Foglio di calcolo OpenDocument (*.ods)";
const char *const kXlsFilter = "Foglio Excel 97-2003 (*.xls)";
const char *const kEmptyList = "L'elenco è vuoto: non c'è nulla da salvare nel foglio di calcolo.";

// `name` as a file name: the characters a file name may not hold become dashes.
QString fileNameFor(const QString &name)
{
    QString file;
    for (const QChar c : name) {
        const bool refused = c < u' ' || QStringView(u"/\\:*?\"<>|").contains(c);
        file += refused ? u'-' : c;
    }
    file = file.trimmed();
    return file.isEmpty() ? QStringLiteral("Elenco") : file;
}

// The format the chosen file asks for; a name without a known suffix gets ".xlsx".
struct Target
{
    QString path;
    std::optional<exporting::WorkbookFormat> format; // none: the older .xls
};

Target targetOf(const QString &path, bool xlsOffered)
{
    if (std::optional<exporting::WorkbookFormat> format = exporting::workbookFormatOf(path))
        return {path, format};
    if (xlsOffered && path.endsWith(u".xls", Qt::CaseInsensitive))
        return {path, std::nullopt};
    return {path + u".xlsx", exporting::WorkbookFormat::Xlsx};
}

} // namespace

bool saveWorkbook(AppContext &context, QWidget *owner, const WorkbookRequest &request)
{
    Services &services = context.services();
    QString filter = QString::fromUtf8(kXlsxFilter) + u";;" + QString::fromUtf8(kOdsFilter);
    if (request.writeXls)
        filter += u";;" + QString::fromUtf8(kXlsFilter);
    const QString proposed
        = QDir(context.folder().path()).filePath(fileNameFor(request.listName) + u".xlsx");
    const QString chosen
        = services.saveFileName(owner, QString::fromUtf8(kTitle), filter, proposed);
    if (chosen.isEmpty())
        return false;
    const Target target = targetOf(chosen, bool(request.writeXls));
    struct Written
    {
        store::WriteFailure failure = store::WriteFailure::None;
        QString reason;
    };
    // A long list takes seconds to write: the window stays free behind the wait notice.
    const std::optional<Written> written
        = ScanRunner::waitFor(services, owner, [&request, &target](store::ScanControl &) {
              Written result;
              if (target.format) {
                  result.failure = exporting::writeWorkbook(target.path, *target.format,
                      {request.listName, request.columns, request.rows}, &result.reason);
              } else {
                  result.failure = request.writeXls(target.path, &result.reason);
              }
              return result;
          });
    if (!written)
        return false;
    const QString shown = QDir::toNativeSeparators(target.path);
    if (written->failure != store::WriteFailure::None) {
        services.message(owner, MessageKind::Error,
            app::withSystemCause(
                QStringLiteral("Attenzione: non è stato possibile salvare il foglio di calcolo "
                               "%1.\r\n\r\nVerificare che nella cartella si possa scrivere, che "
                               "il disco non sia pieno e che il file non sia aperto in un altro "
                               "programma. Un file già presente con questo nome è rimasto com'era.")
                    .arg(shown),
                written->reason));
        return false;
    }
    offerToOpen(context, owner, target.path,
        QStringLiteral("Il foglio di calcolo %1 è stato salvato.\r\n\r\nSi vuole aprirlo adesso?")
            .arg(shown));
    return true;
}

void saveListRecords(AppContext &context, QWidget *owner, const ListRecords &list)
{
    Services &services = context.services();
    if (list.positions.isEmpty()) {
        services.message(owner, MessageKind::Information, QString::fromUtf8(kEmptyList));
        return;
    }
    struct Read
    {
        bool ok = false;
        exporting::SheetRows rows;
    };
    // The records are read again, whole: the lines show only part of them.
    std::optional<Read> read
        = ScanRunner::waitFor(services, owner, [&list](store::ScanControl &control) {
              Read found;
              found.ok = exporting::readSheetRowsAt(
                  list.form, list.archivePath, list.positions, found.rows, nullptr, &control);
              return found;
          });
    if (!read)
        return;
    if (!read->ok) {
        services.message(owner, MessageKind::Error, store::archiveAccessMessage());
        return;
    }
    const QList<int> chosen = exporting::loadChosenColumns(context.folder().path(), list.form);
    exporting::ChosenSheetRows rows(list.form, read->rows, chosen);
    for (const auto &[caption, amount] : list.totals)
        rows.addTotal(caption, amount);
    saveWorkbook(
        context, owner, {list.listName, exporting::workbookColumns(list.form, chosen), rows});
}

void saveBookMembers(AppContext &context, QWidget *owner, const QString &bookPath,
    const QList<qint64> &positions, const QString &listName)
{
    Services &services = context.services();
    if (positions.isEmpty()) {
        services.message(owner, MessageKind::Information, QString::fromUtf8(kEmptyList));
        return;
    }
    struct Read
    {
        bool ok = false;
        exporting::WorkbookTable rows;
    };
    std::optional<Read> read = ScanRunner::waitFor(
        services, owner, [&bookPath, &positions](store::ScanControl &control) {
            Read found;
            found.ok
                = exporting::readBookMembers(bookPath, positions, found.rows, nullptr, &control);
            return found;
        });
    if (!read)
        return;
    if (!read->ok) {
        services.message(owner, MessageKind::Error, store::archiveAccessMessage());
        return;
    }
    saveWorkbook(context, owner, {listName, exporting::bookMemberColumns(), read->rows});
}

void offerToOpen(AppContext &context, QWidget *owner, const QString &path, const QString &question)
{
    Services &services = context.services();
    if (services.message(owner, MessageKind::Question, question)
        && !services.openFile(owner, path)) {
        services.message(owner, MessageKind::Warning,
            QStringLiteral("Attenzione: non è stato possibile aprire il file %1.\r\n\r\n"
                           "Verificare che nel computer sia installato un programma per i fogli "
                           "di calcolo.")
                .arg(QDir::toNativeSeparators(path)));
    }
}

} // namespace almavest::ui
