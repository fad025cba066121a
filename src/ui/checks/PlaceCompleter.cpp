#include "ui/checks/PlaceCompleter.h"

#include "places/PlaceRegister.h"

#include <QCompleter>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QStringListModel>

namespace almavest::ui {

namespace {

// Every label of the register with the key its name is compared by, made once for the program.
struct PlaceNames
{
    QStringList labels;
    QStringList keys; // the name key of each label, in the order of the labels

    static const PlaceNames &shared()
    {
        static const PlaceNames names = [] {
            PlaceNames made;
            made.labels = places::PlaceRegister::builtIn().labels();
            made.keys.reserve(made.labels.size());
            for (const QString &label : std::as_const(made.labels))
                made.keys.append(places::nameKey(label));
            return made;
        }();
        return names;
    }
};

// The places whose name begins with what was typed; fewer than two letters keep none.
class PlaceFilter final : public QSortFilterProxyModel
{
public:
    explicit PlaceFilter(QObject *parent)
        : QSortFilterProxyModel(parent)
    {
        setSourceModel(new QStringListModel(PlaceNames::shared().labels, this));
    }

    void setTyped(const QString &typed)
    {
        m_typed = places::nameKey(typed);
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex &) const override
    {
        return m_typed.size() >= 2 && PlaceNames::shared().keys.at(row).startsWith(m_typed);
    }

private:
    QString m_typed;
};

} // namespace

void completePlaces(QLineEdit *box)
{
    QObject::connect(box, &QLineEdit::textEdited, box, [box](const QString &typed) {
        auto *filter = box->findChild<PlaceFilter *>(QString(), Qt::FindDirectChildrenOnly);
        if (!filter) {
            filter = new PlaceFilter(box);
            auto *completer = new QCompleter(filter, box);
            completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
            completer->setMaxVisibleItems(12);
            box->setCompleter(completer);
        }
        filter->setTyped(typed);
        if (filter->rowCount() > 0)
            box->completer()->complete();
    });
}

} // namespace almavest::ui
