#include "ui/book/PageSearchDialog.h"

#include "book/PageList.h"
#include "text/TextRoutines.h"
#include "ui/conventions/Window.h"

#include <QLabel>

namespace almavest::ui {

PageSearchDialog::PageSearchDialog(AppContext &context, QWidget *owner, const QString &bookPath)
    : ListPickDialog(context, owner, QStringLiteral(" Trova pagine Libro Soci"),
        QStringLiteral("Riepilogo pagine Libro Soci"))
{
    setObjectName(QStringLiteral("frmTrovaRegistro"));
    m_lblMemory = namedLabel("lblMemory", QStringLiteral("registro"), this);
    m_lblMemory->hide();
    setLines(book::listPages(text::trimmed(bookPath)), MemberListPanel::Selection::None);
}

std::optional<qint64> PageSearchDialog::choose(
    AppContext &context, QWidget *owner, const QString &bookPath)
{
    PageSearchDialog dialog(context, owner, bookPath);
    return dialog.run();
}

} // namespace almavest::ui
