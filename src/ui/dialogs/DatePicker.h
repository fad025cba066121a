#pragma once

#include "ui/conventions/ModeWord.h"

#include <QDate>
#include <QDialog>

#include <optional>

class QCalendarWidget;
class QLabel;

// The date picker: a month calendar opened on today's date; "Importa" hands the chosen day back
// to the date field that opened it, "Annulla" hands back nothing.
namespace almavest::ui {

class AppContext;

class DatePicker final : public QDialog
{
    Q_OBJECT
public:
    // The picker for the date box that `mode` names.
    DatePicker(AppContext &context, QWidget *owner, DateFieldMode mode);

    QLabel *lblMemory() const { return m_lblMemory; }
    QCalendarWidget *calendar() const { return m_calAppuntamenti; }
    // The day imported, once "Importa" has been pressed.
    std::optional<QDate> chosenDate() const { return m_chosen; }

    // Opens a picker over `owner` for the date box that `mode` names and waits until it closes:
    // the day imported, or nothing when the picker was left without importing.
    static std::optional<QDate> pick(AppContext &context, QWidget *owner, DateFieldMode mode);

private:
    void importDate();

    QCalendarWidget *m_calAppuntamenti = nullptr;
    QLabel *m_lblMemory = nullptr;
    std::optional<QDate> m_chosen;
};

} // namespace almavest::ui
