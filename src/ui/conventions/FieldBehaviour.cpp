#include "ui/conventions/FieldBehaviour.h"

#include "text/Typing.h"
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
            if (auto *button = qobject_cast<QAbstractButton *>(watched);
                button && button->isEnabled()) {
                button->click();
                return true;
            }
        }
        return false;
    }
};

// The focus leaves with its window when another window or a message comes up, or a popup
// menu opens over the box: the box is not left then, and its handler may well show a message.
class FocusLeave final : public QObject
{
public:
    FocusLeave(QWidget *widget, QObject *context, std::function<void()> handler)
        : QObject(widget)
        , m_kind(widget->metaObject())
        , m_context(context)
        , m_handler(std::move(handler))
    { }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::FocusOut || !m_context)
            return false;
        // A widget being destroyed gives up the focus once its own destructor has run: only its
        // QWidget part is left then, which no handler may reach.
        if (watched->metaObject() != m_kind)
            return false;
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            m_handler();
        return false;
    }

private:
    const QMetaObject *m_kind; // the watched widget's own class
    QPointer<QObject> m_context;
    std::function<void()> m_handler;
};

} // namespace

FieldBehaviour::FieldBehaviour(QLineEdit *field, const FieldSettings &settings)
    : QObject(field)
    , m_field(field)
    , m_filter(settings.filter)
    , m_casing(settings.casing)
    , m_limit(settings.typingLimit)
    , m_shown(field->text())
{
    field->installEventFilter(this);
    // QLineEdit's own limit would also cut text set by the program and cut a paste before it is
    // filtered, so the typing limit is kept here instead.
    field->setMaxLength(32767);
    // A user's edit arrives first as textEdited, then as textChanged; any other change only as
    // textChanged. So m_shown still holds the text before the edit when textEdited comes.
    connect(field, &QLineEdit::textEdited, this, &FieldBehaviour::onTextEdited);
    connect(field, &QLineEdit::textChanged, this, [this] { m_shown = m_field->text(); });
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
        // Tab, Escape and the other keys whose text is a control character move or close, they
        // do not type: they always pass.
        const QString typed = key->text();
        if (m_filter == KeyFilter::None || isEditingKey(key) || typed.isEmpty()
            || key->modifiers().testAnyFlags(Qt::ControlModifier | Qt::AltModifier)
            || std::any_of(typed.begin(), typed.end(), [](QChar c) { return c < u' '; }))
            return false;
        return !text::acceptsKey(m_filter, typed);
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

// Typed keys are filtered one by one above; this handles every edit (typing, paste, drop, cut)
// alike, so that nothing enters a field that typing could not bring in.
void FieldBehaviour::onTextEdited()
{
    const QString edited = m_field->text();
    const text::TypedText kept = text::applyEdit(m_shown, edited, m_filter, m_casing, m_limit);
    if (kept.text == edited)
        return;
    m_field->setText(kept.text);
    m_field->setCursorPosition(kept.cursor);
}

void makeEnterClick(QWidget *button)
{
    button->installEventFilter(new EnterClick(button));
}

void onFocusLeave(QWidget *widget, QObject *context, std::function<void()> handler)
{
    widget->installEventFilter(new FocusLeave(widget, context, std::move(handler)));
}

} // namespace almavest::ui
