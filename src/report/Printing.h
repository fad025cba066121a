#pragma once

#include "report/PreparedReport.h"

#include <vector>

class QPrinter;
class QWidget;

namespace almavest::report {

enum class PrintOutcome { Printed, Cancelled, Failed };

// Shows the print dialog over `owner` with the default printer preselected and the job named
// after the report; once confirmed, prints the chosen pages and copies. Cancelling prints nothing.
// A failure is returned, not shown: the caller tells the user.
PrintOutcome printWithDialog(QWidget *owner, const PreparedReport &report);

// The 0-based pages to send to `printer` for a report of `pageCount` pages: the range chosen in
// the dialog, repeated for the copies the printer does not make by itself.
std::vector<int> printSequence(const QPrinter &printer, int pageCount);

} // namespace almavest::report
