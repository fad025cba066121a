#include "ui/conventions/FieldBehaviour.h"

#include "text/TextRoutines.h"
#include "ui/conventions/Halo.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>

namespace almavest::ui {

namespace {

bool isEnter(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// Keys that always pass a filter: Backspace, Delete and the horizontal arrows.
bool isEditingKey(const QKeyEvent *key)
{
    switch (key->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
        return true;
    default:
        return false;
    }
}

class EnterClick final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent *>(event))) {
            if (auto *button = qobject_cast<QAbstractButton *>(watched); button && button->isEnabled()) {
                button->click();
                return true;
            }
        }
        return false;
    }
};

class FocusLeave final : public QObject
{
public:
    FocusLeave(QObject *parent, std::function<void()> handler)
        : QObject(parent)
        , m_handler(std::move(handler))
    {
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::FocusOut)
            m_handler();
        return false;
    }

private:
    std::function<void()> m_handler;
};

} // namespace

bool acceptsCharacter(KeyFilter filter, QChar character)
{
    const char16_t c = character.unicode();
    const bool digit = c >= u'0' && c <= u'9';
    switch (filter) {
    case KeyFilter::None:
        return true;
    case KeyFilter::Digits:
        return digit;
    case KeyFilter::Amount:
        return digit || c == u',';
    case KeyFilter::Alphanumeric:
        return digit || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    }
    return false;
}

QString filteredText(KeyFilter filter, const QString &text)
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if (acceptsCharacter(filter, c))
            kept.append(c);
    }
    return kept;
}

FieldBehaviour::FieldBehaviour(QLineEdit *field, KeyFilter filter, Casing casing)
    : QObject(field)
    , m_field(field)
    , m_filter(filter)
    , m_casing(casing)
{
    field->installEventFilter(this);
    if (filter != KeyFilter::None)
        connect(field, &QLineEdit::textEdited, this, &FieldBehaviour::onTextEdited);
    if (casing != Casing::None)
        connect(field, &QLineEdit::textChanged, this, &FieldBehaviour::onTextChanged);
}

void FieldBehaviour::setHalo(QWidget *halo)
{
    m_halo = halo;
    halo->hide();
}

bool FieldBehaviour::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_field)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (isEnter(key) && m_next) {
            // As with Tab, the next box arrives with its text selected, ready to be retyped.
            m_next->setFocus(Qt::TabFocusReason);
            return true;
        }
        if (m_filter == KeyFilter::None || isEditingKey(key) || key->text().isEmpty()
            || key->modifiers().testAnyFlags(Qt::ControlModifier | Qt::AltModifier))
            return false;
        const QString typed = key->text();
        return !std::all_of(typed.begin(), typed.end(),
                            [this](QChar c) { return acceptsCharacter(m_filter, c); });
    }
    case QEvent::FocusIn:
        if (m_halo) {
            if (auto *halo = qobject_cast<Halo *>(m_halo.data()))
                halo->follow();
            m_halo->show();
        }
        return false;
    case QEvent::FocusOut:
        if (m_halo)
            m_halo->hide();
        return false;
    default:
        return false;
    }
}

// Typing is filtered key by key; this catches what arrives otherwise (paste, drop, shortcuts),
// so that no character enters a field that typing could not bring in.
void FieldBehaviour::onTextEdited()
{
    // The signal's own text may be stale: a handler before this one may have rewritten the box.
    const QString text = m_field->text();
    const QString kept = filteredText(m_filter, text);
    if (kept == text)
        return;
    const int cursor = m_field->cursorPosition();
    const int removedBefore = cursor - filteredText(m_filter, text.left(cursor)).size();
    m_field->setText(kept);
    m_field->setCursorPosition(cursor - removedBefore);
}

void FieldBehaviour::onTextChanged()
{
    if (m_rewriting)
        return;
    const QString text = m_field->text();
    const QString trimmedText = text::trimmed(text);
    const QString wanted = m_casing == Casing::Upper ? text::upperAZ(trimmedText) : trimmedText;
    if (wanted == text)
        return;
    const int cursor = m_field->cursorPosition();
    int leading = 0;
    while (leading < cursor && text.at(leading) <= QLatin1Char(' '))
        ++leading;
    m_rewriting = true;
    m_field->setText(wanted);
    m_rewriting = false;
    m_field->setCursorPosition(qBound(0, cursor - leading, int(wanted.size())));
}

void makeEnterClick(QWidget *button)
{
    button->installEventFilter(new EnterClick(button));
}

void onFocusLeave(QWidget *widget, std::function<void()> handler)
{
    widget->installEventFilter(new FocusLeave(widget, std::move(handler)));
}

} // namespace almavest::ui
