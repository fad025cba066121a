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

MemberImportDialog::MemberImportDialog(AppContext &context, QWidget *owner, const QString &modeWord)
    : ListPickDialog(context, owner,
        QStringLiteral(" Importazione dati socio da archivio anagrafico"),
        QStringLiteral("Riepilogo soci in archivio anagrafico"))
{
    // One word per member row of the page, A to D.
    requireModeWord("MemberImportDialog", modeWord, {"socio_a", "socio_b", "socio_c", "socio_d"});
    setObjectName(QStringLiteral("frmImportaSoci"));
    m_lblMemory = namedLabel("lblMemory", modeWord, this);
    m_lblMemory->hide();
    setLines(registry::namedMembers(memberArchive(context)), MemberListPanel::Selection::None);
}

std::optional<qint64> MemberImportDialog::choose(
    AppContext &context, QWidget *owner, const QString &modeWord)
{
    MemberImportDialog dialog(context, owner, modeWord);
    return dialog.run();
}

std::optional<book::ImportedRow> MemberImportDialog::rowOf(AppContext &context, qint64 position)
{
    return book::readImportedRow(memberArchive(context), position);
}

} // namespace almavest::ui
