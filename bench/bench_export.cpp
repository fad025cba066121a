// The spreadsheet export of a large member archive: opening the dialog with its grid filled
// against a raw read of the archive, and the whole export against a raw read plus writing the
// same bytes straight to a file.
#include "BenchSupport.h"

#include "exporting/SheetExport.h"
#include "ui/app/AppContext.h"
#include "ui/exporting/SheetGridModel.h"
#include "ui/exporting/TfrmExpAnagrafica.h"
#include "ui/services/Services.h"

#include <QFile>
#include <QFileInfo>

namespace almavest::bench {

void exportBenchmarks(const QString &archive, double raw)
{
    const exporting::SheetForm &form = exporting::memberSheet();
    const QString folder = QFileInfo(archive).absolutePath();
    ui::DesktopServices services;
    ui::AppContext context(services, folder);

    const double open = bestOf(3, [&] {
        ui::TfrmExpAnagrafica dialog(context, nullptr);
        exporting::SheetRows rows;
        require(exporting::readSheetRows(form, archive, rows), "cannot read the archive");
        dialog.model()->setRows(std::move(rows));
    });
    row(QStringLiteral("member export opened, grid filled"), open, QStringLiteral("ms"), raw, 3);

    const QString sheet = exporting::sheetPath(folder, form);
    const double exported = bestOf(3, [&] {
        exporting::SheetRows rows;
        require(exporting::readSheetRows(form, archive, rows), "cannot read the archive");
        require(exporting::writeSheet(sheet, form, rows) == store::WriteFailure::None,
            "cannot write the export");
    });
    const QByteArray bytes = [&] {
        QFile written(sheet);
        require(written.open(QIODevice::ReadOnly), "cannot read the export back");
        return written.readAll();
    }();
    const QString copy = folder + QStringLiteral("/Copia.xls");
    const double straight = bestOf(3, [&] {
        QFile file(copy);
        require(
            file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush(),
            "cannot write the copy");
    });
    row(QStringLiteral("member export written (%1 MiB)").arg(bytes.size() >> 20), exported,
        QStringLiteral("ms"), raw + straight, 2);

    exporting::SheetRows rows;
    require(exporting::readSheetRows(form, archive, rows), "cannot read the archive");
    const double fromGrid = bestOf(3, [&] {
        require(exporting::writeSheet(sheet, form, rows) == store::WriteFailure::None,
            "cannot write the export");
    });
    row(QStringLiteral("  of which the grid written"), fromGrid, QStringLiteral("ms"), straight);
    qsizetype built = 0;
    const double inMemory = bestOf(3, [&] { built = exporting::sheetDocument(form, rows).size(); });
    require(built == bytes.size(), "the document built differs from the one written");
    row(QStringLiteral("  of which the document built in memory"), inMemory, QStringLiteral("ms"));
    QFile::remove(sheet);
    QFile::remove(copy);
}

} // namespace almavest::bench
