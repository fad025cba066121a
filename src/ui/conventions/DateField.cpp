#include "ui/conventions/DateField.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace almavest::ui {

DateField::DateField(QLineEdit *field, std::function<void()> openPicker)
    : QObject(field)
    , m_field(field)
    , m_openPicker(std::move(openPicker))
{
    field->setReadOnly(true);
    field->setAlignment(Qt::AlignCenter);
    field->installEventFilter(this);
}

bool DateField::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_field || event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        m_field->clear();
        return true;
    // Tab keeps moving the focus, and a modifier alone is not a key the user "pressed".
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr:
        return false;
    default:
        m_openPicker();
        return true;
    }
}

} // namespace almavest::ui
