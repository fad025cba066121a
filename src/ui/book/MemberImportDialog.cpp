#include "ui/book/MemberImportDialog.h"

#include "registry/MemberRecord.h"
#include "registry/MemberSelection.h"
#include "ui/app/AppContext.h"
#include "ui/conventions/ModeWord.h"
#include "ui/conventions/Window.h"

#include <QLabel>

namespace almavest::ui {

namespace {

QString memberArchive(const AppContext &context)
{
    return context.folder().file(QLatin1String(registry::kMemberArchiveName));
}

} // namespace

MemberImportDialog::MemberImportDialog(
    AppContext &context, QWidget *owner, book::PageRow row, store::ListLines lines)
    : ListPickDialog(context, owner,
        QStringLiteral(" Importazione dati socio da archivio anagrafico"),
        QStringLiteral("Riepilogo soci in archivio anagrafico"))
{
    setObjectName(QStringLiteral("frmImportaSoci"));
    m_lblMemory = namedLabel("lblMemory", modeWord(row), this);
    m_lblMemory->hide();
    setLines(std::move(lines), MemberListPanel::Selection::None);
    offerWorkbook(exporting::memberSheet(), memberArchive(context));
}

std::optional<qint64> MemberImportDialog::choose(
    AppContext &context, QWidget *owner, book::PageRow row)
{
    std::optional<store::ListLines> lines
        = scanOver(context, owner, [path = memberArchive(context)](store::ScanControl &control) {
              return registry::namedMembers(path, &control);
          });
    if (!lines)
        return std::nullopt;
    MemberImportDialog dialog(context, owner, row, std::move(*lines));
    return dialog.run();
}

std::optional<book::ImportedRow> MemberImportDialog::rowOf(AppContext &context, qint64 position)
{
    return book::readImportedRow(memberArchive(context), position);
}

} // namespace almavest::ui
