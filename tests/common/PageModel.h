#pragma once

// Small readers of the laid-out page model shared by the report and screen tests.
#include "report/PreparedReport.h"
#include "report/Units.h"

#include <QStringList>

#include <vector>

namespace almavest::test {

// Where an object landed: its page (0-based) and what it carries there.
struct Landing
{
    int page = -1;
    report::ReportObject object;
};

// Every placement of the object called `name`, page by page.
inline std::vector<Landing> landings(const report::PreparedReport &report, const QString &name)
{
    std::vector<Landing> found;
    for (std::size_t page = 0; page < report.pages.size(); ++page) {
        for (const report::PlacedObject &placed : report.pages[page].objects) {
            if (placed.object.name == name)
                found.push_back({int(page), placed.object});
        }
    }
    return found;
}

// The object called `name` on page `page`; a memo with no name when it is not there.
inline report::ReportObject placedOn(
    const report::PreparedReport &report, int page, const QString &name)
{
    for (const Landing &landing : landings(report, name)) {
        if (landing.page == page)
            return landing.object;
    }
    return {};
}

// The object called `name` on page `page`, or nullptr.
inline const report::ReportObject *placedObject(
    const report::PreparedReport &report, int page, const QString &name)
{
    if (page < 0 || page >= int(report.pages.size()))
        return nullptr;
    for (const report::PlacedObject &placed : report.pages[std::size_t(page)].objects) {
        if (placed.object.name == name)
            return &placed.object;
    }
    return nullptr;
}

// Every line of text on page `page`, object after object.
inline QStringList pageTexts(const report::PreparedReport &report, int page)
{
    QStringList texts;
    if (page < 0 || page >= int(report.pages.size()))
        return texts;
    for (const report::PlacedObject &placed : report.pages[std::size_t(page)].objects)
        texts += placed.object.lines;
    return texts;
}

// A rectangle in millimetres from the paper's corner.
inline QRectF inMillimetres(const QRectF &units)
{
    return {report::unitsToMillimetres(units.left()), report::unitsToMillimetres(units.top()),
        report::unitsToMillimetres(units.width()), report::unitsToMillimetres(units.height())};
}

// Two laid-out reports are the same when every page holds the same objects, in the same places,
// with the same text.
inline bool samePages(const report::PreparedReport &a, const report::PreparedReport &b)
{
    if (a.name != b.name || a.pages.size() != b.pages.size())
        return false;
    for (std::size_t page = 0; page < a.pages.size(); ++page) {
        const auto &left = a.pages[page].objects;
        const auto &right = b.pages[page].objects;
        if (left.size() != right.size())
            return false;
        for (std::size_t i = 0; i < left.size(); ++i) {
            if (left[i].object.name != right[i].object.name
                || left[i].object.rect != right[i].object.rect
                || left[i].object.lines != right[i].object.lines)
                return false;
        }
    }
    return true;
}

} // namespace almavest::test
