// Workbooks of a large member archive: the archive read and written as XLSX, against a raw read
// of the archive plus writing the same XLSX bytes straight to a file; the ODS for comparison.
#include "BenchSupport.h"

#include "exporting/SheetExport.h"
#include "exporting/Workbook.h"

#include <QFile>
#include <QFileInfo>

namespace almavest::bench {

namespace {

// The whole export: the archive read into a sheet, every column, written as `format`.
void writeMembers(const QString &archive, const QString &path, exporting::WorkbookFormat format)
{
    const exporting::SheetForm &form = exporting::memberSheet();
    exporting::SheetRows rows;
    require(exporting::readSheetRows(form, archive, rows), "cannot read the archive");
    const QList<int> columns = exporting::validColumns(form, {});
    const exporting::ChosenSheetRows chosen(form, rows, columns);
    require(exporting::writeWorkbook(path, format,
                {QString::fromUtf8(form.worksheetName), exporting::workbookColumns(form, columns),
                    chosen})
            == store::WriteFailure::None,
        "cannot write the workbook");
}

} // namespace

void workbookBenchmarks(const QString &archive, double raw)
{
    const QString folder = QFileInfo(archive).absolutePath();
    const QString xlsx = folder + QStringLiteral("/Soci.xlsx");
    const double written
        = bestOf(3, [&] { writeMembers(archive, xlsx, exporting::WorkbookFormat::Xlsx); });
    const QByteArray bytes = [&] {
        QFile file(xlsx);
        require(file.open(QIODevice::ReadOnly), "cannot read the workbook back");
        return file.readAll();
    }();
    const QString copy = folder + QStringLiteral("/Copia.xlsx");
    const double straight = bestOf(3, [&] {
        QFile file(copy);
        require(
            file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush(),
            "cannot write the copy");
    });
    row(QStringLiteral("members written as XLSX (%1 MiB)")
            .arg(double(bytes.size()) / (1 << 20), 0, 'f', 1),
        written, QStringLiteral("ms"), raw + straight, 3);
    const QString ods = folder + QStringLiteral("/Soci.ods");
    const double odsWritten
        = bestOf(3, [&] { writeMembers(archive, ods, exporting::WorkbookFormat::Ods); });
    row(QStringLiteral("  the same as ODS (%1 MiB)")
            .arg(double(QFileInfo(ods).size()) / (1 << 20), 0, 'f', 1),
        odsWritten, QStringLiteral("ms"), raw + straight);
    for (const QString &path : {xlsx, copy, ods})
        QFile::remove(path);
}

} // namespace almavest::bench
