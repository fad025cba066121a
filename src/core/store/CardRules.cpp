#include "store/CardRules.h"

#include "store/ArchiveFile.h"
#include "store/RecordLayout.h"
#include "store/RecordTable.h"
#include "text/TextRoutines.h"

namespace almavest::store {

BrowseStep browseStep(Arrow arrow, std::optional<qint64> shown, qint64 count)
{
    const qint64 current = shown.value_or(0);
    const bool stored = current >= 1;

    if (arrow == Arrow::Previous && stored && current == 1)
        return {};
    if (count == 0)
        return {BrowseStep::EmptyArchive, 0, arrow == Arrow::Next};
    switch (arrow) {
    case Arrow::First:
        return {BrowseStep::Read, 1};
    case Arrow::Last:
        return {BrowseStep::Read, count};
    case Arrow::Next:
        if (!stored)
            return {BrowseStep::Read, 1};
        return current < count ? BrowseStep {BrowseStep::Read, current + 1} : BrowseStep {};
    case Arrow::Previous:
        // A position past the end (the archive was replaced meanwhile) goes to the last card.
        return {BrowseStep::Read, stored ? std::min(current - 1, count) : 1};
    }
    return {};
}

std::optional<SaveRefusal> firstRefusal(
    std::span<const SaveCheck> checks, const QStringList &values, QDate today)
{
    for (const SaveCheck &check : checks) {
        const QString value = text::trimmed(values.value(check.field));
        const QString lead = QString::fromUtf8(check.text);
        switch (check.kind) {
        case SaveCheck::Required:
            if (value.isEmpty())
                return SaveRefusal {lead, false, check.field};
            break;
        case SaveCheck::ValidDate:
            if (!text::isValidDate(value, today))
                return SaveRefusal {lead + value
                        + QStringLiteral(" non esiste.\n\r\n\rPer poter salvare la "
                                         "scheda è necessario indicare una data "
                                         "valida nel formato gg/mm/aaaa."),
                    true, check.field};
            break;
        case SaveCheck::Fits:
            if (value.size() > check.limit)
                return SaveRefusal {
                    lead.arg(value, QString::number(check.limit)), false, check.field};
            break;
        }
    }
    return std::nullopt;
}

std::optional<qint64> storeCard(ArchiveFile &archive, const RecordLayout &layout,
    const QStringList &values, std::optional<qint64> shown)
{
    if (!archive.openForWriting())
        return std::nullopt;
    QByteArray record = layout.blankRecord();
    layout.setFields(record, values);
    if (!shown)
        return archive.append(record);
    if (!archive.overwrite(*shown, record))
        return std::nullopt;
    return shown;
}

QStringList valuesToSave(const RecordTable &table, QStringList values)
{
    for (const RecordTable::Field &field : table.fields()) {
        if (!field.whenEmpty.isEmpty() && text::trimmed(values.value(field.index)).isEmpty())
            values[field.index] = field.whenEmpty;
    }
    return values;
}

QStringList duplicateValues(const RecordTable &table, QStringList values, QDate today)
{
    values.resize(table.fieldCount());
    for (const RecordTable::Field &field : table.fields()) {
        switch (field.onDuplicate) {
        case OnDuplicate::Keep:
            break;
        case OnDuplicate::Clear:
            values[field.index].clear();
            break;
        case OnDuplicate::Today:
            values[field.index] = text::formatDate(today);
            break;
        case OnDuplicate::Unset:
            values[field.index] = flagText(false);
            break;
        }
    }
    return values;
}

QStringList asStored(const RecordLayout &layout, const QStringList &values)
{
    QByteArray record = layout.blankRecord();
    layout.setFields(record, values);
    return layout.fields(record);
}

QList<int> changedByStoring(const RecordLayout &layout, const QStringList &values)
{
    const QStringList stored = asStored(layout, values);
    QList<int> changed;
    for (int field = 0; field < layout.fieldCount(); ++field) {
        if (stored.at(field) != text::trimmed(values.value(field)))
            changed.append(field);
    }
    return changed;
}

QString savedMessage(bool appended)
{
    return appended ? QStringLiteral("La scheda corrente è stata inserita in archivio.")
                    : QStringLiteral("Le modifiche apportate alla scheda corrente sono state "
                                     "salvate in archivio.");
}

QString duplicateNeedsSavedCardMessage()
{
    return QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo "
                          "che questa è stata inserita in archivio.");
}

QString duplicateReadyMessage()
{
    return QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente."
                          "\n\r\n\rAl termine premere Salva per inserire la scheda in archivio.");
}

} // namespace almavest::store
