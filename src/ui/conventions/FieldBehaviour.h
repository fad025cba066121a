#pragma once

#include "ui/conventions/FieldTable.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QLineEdit;

// The small behaviours of an entry field: key filter (typed and pasted text alike), casing and
// trimming while typing, the Enter chain and the halo shown while the field has the focus.
namespace almavest::ui {

// True when `character` may be typed into a field with `filter`.
bool acceptsCharacter(KeyFilter filter, QChar character);
// `text` without the characters that `filter` refuses.
QString filteredText(KeyFilter filter, const QString &text);

class FieldBehaviour final : public QObject
{
    Q_OBJECT
public:
    FieldBehaviour(QLineEdit *field, KeyFilter filter, Casing casing);

    void setEnterSuccessor(QWidget *next) { m_next = next; }
    void setHalo(QWidget *halo);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onTextEdited();
    void onTextChanged();

    QLineEdit *m_field;
    KeyFilter m_filter;
    Casing m_casing;
    QPointer<QWidget> m_next;
    QPointer<QWidget> m_halo;
    bool m_rewriting = false;
};

// Pressing Enter on a focused button presses it, as the Enter chains expect.
void makeEnterClick(QWidget *button);

// Runs `handler` each time `widget` loses the focus (an amount field's normalisation).
void onFocusLeave(QWidget *widget, std::function<void()> handler);

} // namespace almavest::ui
