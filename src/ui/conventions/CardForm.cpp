#include "ui/conventions/CardForm.h"

#include "text/TextRoutines.h"
#include "ui/conventions/DateField.h"
#include "ui/conventions/FieldTable.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>

namespace almavest::ui {

namespace {

using store::ControlKind;
using Field = store::RecordTable::Field;

bool isBox(const Field &field)
{
    return field.kind == ControlKind::Edit || field.kind == ControlKind::Date;
}

// The objectName of the box after `field` in the Enter chain.
QString enterSuccessor(const store::RecordTable &table, const Field &field)
{
    const int count = table.fieldCount();
    for (int step = 1; step < count; ++step) {
        const Field &next = table.field((field.index + step) % count);
        if (isBox(next))
            return next.control;
    }
    return {};
}

// The control a field of `kind` is shown in, of the type that kind needs.
QWidget *findControl(const QWidget *screen, const Field &field)
{
    switch (field.kind) {
    case ControlKind::Edit:
    case ControlKind::Date:
        return screen->findChild<QLineEdit *>(field.control);
    case ControlKind::Hidden:
        return screen->findChild<QLabel *>(field.control);
    case ControlKind::Flag:
        return screen->findChild<QAbstractButton *>(field.control);
    case ControlKind::Derived:
        return nullptr;
    }
    return nullptr;
}

QString captionName(const QString &control)
{
    return QStringLiteral("tit") + (control.startsWith(u"txt") ? control.mid(3) : control);
}

} // namespace

CardForm::CardForm(QWidget *screen, const store::RecordTable &table, const DateRequest &onDateKey,
    const HighlightOf &highlightOf)
    : m_table(table)
{
    QStringList missing;
    for (const Field &field : table.fields()) {
        QWidget *found = findControl(screen, field);
        if (!found && field.kind != ControlKind::Derived)
            missing.append(field.control);
        m_controls.push_back(found);
    }
    requireNoneMissing(screen, missing);

    for (const Field &field : table.fields()) {
        if (!isBox(field))
            continue;
        const QByteArray name = field.control.toLatin1();
        const QByteArray next = enterSuccessor(table, field).toLatin1();
        const bool date = field.kind == ControlKind::Date;
        applyField(screen,
            {name.constData(), field.typed, field.filter, field.casing,
                date ? nullptr : next.constData(), nullptr,
                highlightOf ? highlightOf(field.index) : Highlight::Halo});
        if (date)
            new DateField(
                edit(field.index), [onDateKey, index = field.index] { onDateKey(index); });
    }
}

QWidget *CardForm::control(int field, store::ControlKind kind) const
{
    QWidget *found = m_controls.at(static_cast<size_t>(field));
    const bool kindMatches = m_table.field(field).kind == kind
        || (kind == ControlKind::Edit && m_table.field(field).kind == ControlKind::Date);
    if (!found || !kindMatches)
        qFatal("Field %d is not shown in a control of the kind asked for", field);
    return found;
}

QLineEdit *CardForm::edit(int field) const
{
    return static_cast<QLineEdit *>(control(field, ControlKind::Edit));
}

QLabel *CardForm::hiddenLabel(int field) const
{
    return static_cast<QLabel *>(control(field, ControlKind::Hidden));
}

QAbstractButton *CardForm::flag(int field) const
{
    return static_cast<QAbstractButton *>(control(field, ControlKind::Flag));
}

QStringList CardForm::values() const
{
    QStringList values;
    values.reserve(m_table.fieldCount());
    for (const Field &field : m_table.fields()) {
        switch (field.kind) {
        case ControlKind::Edit:
        case ControlKind::Date:
            values.append(text::trimmed(edit(field.index)->text()));
            break;
        case ControlKind::Hidden:
            values.append(text::trimmed(hiddenLabel(field.index)->text()));
            break;
        case ControlKind::Flag:
            values.append(store::flagText(flag(field.index)->isChecked()));
            break;
        case ControlKind::Derived:
            values.append(QString());
            break;
        }
    }
    return values;
}

void CardForm::show(const QStringList &values)
{
    for (const Field &field : m_table.fields()) {
        const QString value = values.value(field.index);
        switch (field.kind) {
        case ControlKind::Edit:
        case ControlKind::Date:
            setText(field.index, value);
            break;
        case ControlKind::Hidden:
            hiddenLabel(field.index)->setText(value);
            break;
        case ControlKind::Flag:
            if (const std::optional<bool> set = store::flagValue(value))
                flag(field.index)->setChecked(*set);
            break;
        case ControlKind::Derived:
            break;
        }
    }
}

void CardForm::setText(int field, const QString &text) const
{
    QLineEdit *box = edit(field);
    box->setText(text);
    box->setCursorPosition(0);
}

QLineEdit *CardForm::addBox(QWidget *panel, const Field &field, QRect place)
{
    constexpr int kCaptionHeight = 18;
    auto *caption = new QLabel(field.caption, panel);
    caption->setObjectName(captionName(field.control));
    caption->move(place.x(), place.y() - kCaptionHeight);
    caption->adjustSize();
    auto *box = new QLineEdit(panel);
    box->setObjectName(field.control);
    box->setGeometry(place);
    return box;
}

QLabel *CardForm::captionOf(const QLineEdit *box)
{
    return requireControl<QLabel>(box->parentWidget(), captionName(box->objectName()));
}

void CardForm::addHiddenLabels(QWidget *panel, const store::RecordTable &table)
{
    for (const Field &field : table.fields()) {
        if (field.kind != ControlKind::Hidden)
            continue;
        auto *label = new QLabel(panel);
        label->setObjectName(field.control);
        label->hide();
    }
}

} // namespace almavest::ui
