#include "ui/book/PageSearchDialog.h"

#include "book/PageList.h"
#include "text/TextRoutines.h"
#include "ui/conventions/Window.h"
#include "ui/exporting/WorkbookSaving.h"

#include <QLabel>

namespace almavest::ui {

PageSearchDialog::PageSearchDialog(AppContext &context, QWidget *owner, store::ListLines lines)
    : ListPickDialog(context, owner, QStringLiteral(" Trova pagine Libro Soci"),
        QStringLiteral("Riepilogo pagine Libro Soci"))
{
    setObjectName(QStringLiteral("frmTrovaRegistro"));
    m_lblMemory = namedLabel("lblMemory", QStringLiteral("registro"), this);
    m_lblMemory->hide();
    setLines(std::move(lines), MemberListPanel::Selection::None);
}

std::optional<qint64> PageSearchDialog::choose(
    AppContext &context, QWidget *owner, const QString &bookPath)
{
    std::optional<store::ListLines> lines
        = scanOver(context, owner, [path = text::trimmed(bookPath)](store::ScanControl &control) {
              return book::listPages(path, &control);
          });
    if (!lines)
        return std::nullopt;
    PageSearchDialog dialog(context, owner, std::move(*lines));
    dialog.offerWorkbook(
        [&context, &dialog, path = text::trimmed(bookPath)](const QList<qint64> &positions,
            const QString &name) { saveBookMembers(context, &dialog, path, positions, name); });
    return dialog.run();
}

} // namespace almavest::ui
