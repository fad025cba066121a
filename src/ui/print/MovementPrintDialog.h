#pragma once

#include "journal/MovementPrint.h"

#include <QDialog>

// Printing the movement the card shows, saved or not, on one A4 sheet that lists its twenty
// fields one a line.
namespace almavest::report {
class ReportTemplate;
}

namespace almavest::ui {

class AppContext;

// " Stampa scheda corrente": Stampa prints the movement handed in, Annulla gives up.
class MovementPrintOut final : public QDialog
{
    Q_OBJECT
public:
    MovementPrintOut(
        AppContext &context, QWidget *owner, const journal::MovementPrintValues &movement);

    // Opens the dialog over `owner` (the movement card) until the user prints or gives up.
    static void print(
        AppContext &context, QWidget *owner, const journal::MovementPrintValues &movement);

private:
    void fill(report::ReportTemplate &sheet) const;
    void produce();

    AppContext &m_context;
    journal::MovementPrintValues m_movement;
};

} // namespace almavest::ui
