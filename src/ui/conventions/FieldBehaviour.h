#pragma once

#include "ui/conventions/FieldTable.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QLineEdit;

// The small behaviours of an entry field: key filter, casing and typing limit for typed and
// pasted text alike, the Enter chain and the halo shown while the field has the focus. Text set
// by the program (a card read from its archive) is shown as it is.
namespace almavest::ui {

class FieldBehaviour final : public QObject
{
    Q_OBJECT
public:
    FieldBehaviour(QLineEdit *field, const FieldSettings &settings);

    void setEnterSuccessor(QWidget *next) { m_next = next; }
    void setHalo(QWidget *halo);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onTextEdited();

    QLineEdit *m_field;
    KeyFilter m_filter;
    Casing m_casing;
    int m_limit;
    QString m_shown; // the text before the edit being handled
    QPointer<QWidget> m_next;
    QPointer<QWidget> m_halo;
};

// Pressing Enter on a focused button presses it, as the Enter chains expect.
void makeEnterClick(QWidget *button);

// Runs `handler` each time `widget` loses the focus to another control of its window (an amount
// field's normalisation), for as long as `context` lives: the handler may rely on it.
void onFocusLeave(QWidget *widget, QObject *context, std::function<void()> handler);

} // namespace almavest::ui
