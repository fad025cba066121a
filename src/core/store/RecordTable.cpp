#include "store/RecordTable.h"

#include "text/TextRoutines.h"

namespace almavest::store {

QString flagText(bool set)
{
    return set ? QStringLiteral("Sì") : QStringLiteral("No");
}

std::optional<bool> flagValue(QStringView text)
{
    const QString value = text::trimmed(text);
    if (value == flagText(true))
        return true;
    if (value == flagText(false))
        return false;
    return std::nullopt;
}

RecordTable &RecordTable::add(std::span<const FieldDefinition> definitions, QStringView suffix)
{
    for (const FieldDefinition &definition : definitions) {
        Field field;
        field.index = fieldCount();
        field.offset = m_layout.recordSize();
        field.capacity = definition.capacity;
        field.typed = definition.typed;
        field.filter = definition.filter;
        field.casing = definition.casing;
        field.kind = definition.kind;
        field.control = QString::fromUtf8(definition.control);
        if (!field.control.isEmpty())
            field.control += suffix;
        field.caption = definition.caption ? QString::fromUtf8(definition.caption) : QString();
        field.printCaption
            = definition.printCaption ? QString::fromUtf8(definition.printCaption) : field.caption;
        field.heading = definition.heading ? QString::fromUtf8(definition.heading) : QString();
        field.decimals = definition.decimals;
        field.whenEmpty
            = definition.whenEmpty ? QString::fromUtf8(definition.whenEmpty) : QString();
        field.onDuplicate = definition.onDuplicate;
        m_layout.addField(definition.capacity);
        m_fields.push_back(std::move(field));
    }
    return *this;
}

int RecordTable::indexOf(QAnyStringView control) const
{
    for (const Field &field : m_fields) {
        if (!field.control.isEmpty() && QAnyStringView::equal(field.control, control))
            return field.index;
    }
    return -1;
}

} // namespace almavest::store
