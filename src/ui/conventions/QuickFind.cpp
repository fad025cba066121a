#include "ui/conventions/QuickFind.h"

#include "text/TextRoutines.h"
#include "ui/services/Services.h"

#include <QAbstractItemView>

namespace almavest::ui {

QuickFind::QuickFind(QAbstractItemView *list, Services &services)
    : m_list(list)
    , m_services(services)
{ }

void QuickFind::find(const QString &typed)
{
    const QAbstractItemModel *model = m_list->model();
    const int count = model ? model->rowCount() : 0;
    if (count == 0) {
        m_services.plainMessage(m_list->window(),
            QStringLiteral("Ricerca non applicabile: la lista non contiene "
                           "nessuna voce."));
        return;
    }
    if (!m_list->currentIndex().isValid())
        m_list->setCurrentIndex(model->index(0, 0));

    const QString wanted = text::lowerAZ(typed);
    const int selected = m_list->currentIndex().row();
    // A new text looks at the first entry first; the same text again starts after the selection.
    const int start = wanted == m_last ? selected : count - 1;
    if (!wanted.isEmpty()) {
        for (int step = 1; step <= count; ++step) {
            const int row = (start + step) % count;
            const QString entry = model->index(row, 0).data().toString();
            if (text::lowerAZ(entry).contains(wanted)) {
                m_list->setCurrentIndex(model->index(row, 0));
                m_list->scrollTo(model->index(row, 0));
                break;
            }
        }
    }
    m_last = wanted;
}

} // namespace almavest::ui
