#pragma once

#include <QString>
#include <QStringList>

// The help topics: each screen's title and explanation, kept as UTF-8 text files in the
// program's resources (first line the title, then paragraphs separated by one empty line).
namespace almavest::ui {

enum class HelpTopic {
    Tour, // the launcher
    MemberCard,
    MemberExport,
    BookMenu,
    BookCreation,
    BookPage, // the book list and the book page screen
    JournalMenu,
    Movements, // the year screen and the movement card
    MovementExport,
    Balance,
    TaxCodeMaker,
    Backups,
    Renewal, // the renewal dialog and its receipt
    Settings,
    Reminders, // the reminder board
    Statement, // the cash statement and the assignment of its causali
};

struct HelpText
{
    QString title;
    QStringList paragraphs;

    // The paragraphs as the help window shows them, one empty line between two of them.
    QString text() const;
};

// Reads a topic from the resources. A missing or empty resource stops the program: it is part
// of the build, not of the user's data.
HelpText helpTopic(HelpTopic topic);

// Splits a topic file's text into its title and paragraphs; line ends may be "\n" or "\r\n".
HelpText parseHelpText(const QString &source);

} // namespace almavest::ui
