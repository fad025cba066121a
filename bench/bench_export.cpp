// The spreadsheet export of a large member archive: opening the dialog with its grid filled
// against a raw read of the archive, and the whole export against a raw read plus writing the
// same bytes straight to a file.
//
// Every write starts from a settled disk (what earlier runs left in the cache written out, not
// timed) and replaces a file of the same size, as a second export does; the baseline's plain
// file is replaced the same way. Otherwise a run's figure would depend on how much of the
// previous runs' hundreds of MiB the system was still writing out. A durable write of the same
// bytes (temporary file, flushed to the disk, renamed) is printed for comparison: the export
// does without the flush.
#include "BenchSupport.h"

#include "exporting/SheetExport.h"
#include "store/WholeFile.h"
#include "ui/app/AppContext.h"
#include "ui/exporting/MemberExportDialog.h"
#include "ui/exporting/SheetGridModel.h"
#include "ui/services/Services.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace almavest::bench {

namespace {

// Writes out whatever the system still holds in its cache for the disk.
void settleDisk()
{
#ifdef Q_OS_UNIX
    ::sync();
#endif
}

} // namespace

void exportBenchmarks(const QString &archive, double raw)
{
    const exporting::SheetForm &form = exporting::memberSheet();
    const QString folder = QFileInfo(archive).absolutePath();
    ui::DesktopServices services;
    ui::AppContext context(services, folder);

    const double open = bestOf(3, [&] {
        ui::MemberExportDialog dialog(context, nullptr);
        exporting::SheetRows rows;
        require(exporting::readSheetRows(form, archive, rows), "cannot read the archive");
        dialog.model()->setRows(std::move(rows));
    });
    row(QStringLiteral("member export opened, grid filled"), open, QStringLiteral("ms"), raw, 3);

    const QString sheet = exporting::sheetPath(folder, form);
    const auto exportOnce = [&] {
        exporting::SheetRows rows;
        require(exporting::readSheetRows(form, archive, rows), "cannot read the archive");
        require(exporting::writeSheet(sheet, form, rows) == store::WriteFailure::None,
            "cannot write the export");
    };
    exportOnce(); // the file each run replaces
    const double exported = bestOf(3, settleDisk, exportOnce);
    const QByteArray bytes = [&] {
        QFile written(sheet);
        require(written.open(QIODevice::ReadOnly), "cannot read the export back");
        return written.readAll();
    }();
    const QString copy = folder + QStringLiteral("/Copia.xls");
    const auto copyOnce = [&] {
        QFile file(copy);
        require(
            file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush(),
            "cannot write the copy");
    };
    copyOnce();
    const double straight = bestOf(3, settleDisk, copyOnce);
    row(QStringLiteral("member export written (%1 MiB)").arg(bytes.size() >> 20), exported,
        QStringLiteral("ms"), raw + straight, 2);

    exporting::SheetRows rows;
    require(exporting::readSheetRows(form, archive, rows), "cannot read the archive");
    const double fromGrid = bestOf(3, settleDisk, [&] {
        require(exporting::writeSheet(sheet, form, rows) == store::WriteFailure::None,
            "cannot write the export");
    });
    row(QStringLiteral("  of which the grid written"), fromGrid, QStringLiteral("ms"), straight);
    const double durable = bestOf(3, settleDisk, [&] {
        require(store::writeWholeFile(copy, bytes) == store::WriteFailure::None,
            "cannot write the copy durably");
    });
    row(QStringLiteral("  the same bytes written durably"), durable, QStringLiteral("ms"),
        straight);
    qsizetype built = 0;
    const double inMemory = bestOf(3, [&] { built = exporting::sheetDocument(form, rows).size(); });
    require(built == bytes.size(), "the document built differs from the one written");
    row(QStringLiteral("  the document built whole in memory"), inMemory, QStringLiteral("ms"));
    QFile::remove(sheet);
    QFile::remove(copy);
}

} // namespace almavest::bench
