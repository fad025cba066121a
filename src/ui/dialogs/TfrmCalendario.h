#pragma once

#include <QDialog>

class QCalendarWidget;
class QLabel;

// The date picker: a month calendar opened on today's date; "Importa" writes the chosen day into
// the field that the mode word names, "Annulla" writes nothing.
namespace almavest::ui {

class AppContext;

class TfrmCalendario final : public QDialog
{
    Q_OBJECT
public:
    TfrmCalendario(AppContext &context, QWidget *owner);

    QLabel *lblMemory() const { return m_lblMemory; }
    QCalendarWidget *calendar() const { return m_calAppuntamenti; }

    // Opens a picker over `owner` for the field named by `modeWord`, and waits until it closes.
    static void pick(AppContext &context, QWidget *owner, const QString &modeWord);

private:
    void importDate();

    AppContext &m_context;
    QCalendarWidget *m_calAppuntamenti = nullptr;
    QLabel *m_lblMemory = nullptr;
};

} // namespace almavest::ui
