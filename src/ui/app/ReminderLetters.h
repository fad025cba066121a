#pragma once

#include "reminders/ReminderLetter.h"
#include "report/PreparedReport.h"

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

// The reminder letters laid out for printing: one A4 page a member, the address where the
// window of a long envelope shows it, the text below, wrapped to the page's width.
namespace almavest::ui {

struct PreparedLetters
{
    report::PreparedReport report;
    bool cut = false; // some letter was longer than its page and lost its last lines
};

// One page for each of `letters`, from the template text `letterTemplate`; nothing when the
// page's layout cannot be read from the resources.
std::optional<PreparedLetters> prepareLetters(const QString &letterTemplate,
    const std::vector<reminders::LetterValues> &letters, QDate today);

} // namespace almavest::ui
