#pragma once

#include <QDateTime>
#include <QStringList>

#include <optional>

class QWidget;

// Laid-out reports on their way to the printer or the preview. A report whose template could not
// be read never arrives: the user is told so instead.
namespace almavest::report {
struct PreparedReport;
}

namespace almavest::ui {

class Services;

enum class ReportOutput { Printer, Preview };

// The message given when a report template cannot be read.
QString unreadableTemplateMessage();

// Sends `report` to the printer or the preview; without a report, shows the message above.
void sendReport(Services &services, QWidget *owner,
    const std::optional<report::PreparedReport> &report, ReportOutput output);

// "Stampa eseguita in data 07/11/2014 alle ore 16:05:32": the footer of the printed cards.
QString printedAtText(const QDateTime &now);

// Prints `lines` under `title` through the summary template, dated today.
void printSummary(
    Services &services, QWidget *owner, const QString &title, const QStringList &lines);

} // namespace almavest::ui
