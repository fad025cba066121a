#include "ui/app/ReminderLetters.h"

#include "report/ReportTemplate.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>

#include <cmath>

namespace almavest::ui {

namespace {

constexpr QLatin1StringView kAddressMemo("txtDestinatario");
constexpr QLatin1StringView kTextMemo("txtTesto");
// The room the drawing keeps free on each side of a memo's text, and some to spare.
constexpr double kSideRoom = 2 * 2 + 2;

// Measures text in report units: the memo's font on a device of 96 dots an inch, where a unit is
// a dot, unhinted as the drawing is.
class UnitMeasure final
{
public:
    explicit UnitMeasure(const report::ReportObject &memo)
        : m_device(1, 1, QImage::Format_RGB32)
    {
        constexpr double kDotsPerMetre = 96 / 0.0254;
        m_device.setDotsPerMeterX(qRound(kDotsPerMetre));
        m_device.setDotsPerMeterY(qRound(kDotsPerMetre));
        QFont font(memo.fontFamily);
        font.setPointSizeF(memo.fontPoints);
        font.setBold(memo.bold);
        font.setHintingPreference(QFont::PreferNoHinting);
        m_metrics.emplace(font, &m_device);
    }
    double width(const QString &text) const { return m_metrics->horizontalAdvance(text); }

private:
    QImage m_device;
    std::optional<QFontMetricsF> m_metrics;
};

// `paragraph` broken into lines no wider than `room`: at blanks where there are any, a word
// wider than the room cut where it must.
void wrapParagraph(
    const QString &paragraph, double room, const UnitMeasure &measure, QStringList &lines)
{
    QString line;
    for (const QString &word : paragraph.split(u' ')) {
        const QString joined = line.isEmpty() ? word : line + u' ' + word;
        if (measure.width(joined) <= room) {
            line = joined;
            continue;
        }
        if (!line.isEmpty())
            lines.append(line);
        line = word;
        while (line.size() > 1 && measure.width(line) > room) {
            qsizetype fits = line.size() - 1;
            while (fits > 1 && measure.width(line.left(fits)) > room)
                --fits;
            lines.append(line.left(fits));
            line = line.mid(fits);
        }
    }
    lines.append(line);
}

QStringList wrapped(const QString &text, const report::ReportObject &memo)
{
    const UnitMeasure measure(memo);
    const double room = memo.rect.width() - kSideRoom;
    QStringList lines;
    for (const QString &paragraph : text.split(u'\n'))
        wrapParagraph(paragraph, room, measure, lines);
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

std::optional<PreparedLetters> prepareLetters(
    const QString &letterTemplate, const std::vector<reminders::LetterValues> &letters, QDate today)
{
    std::optional<report::ReportTemplate> page
        = report::ReportTemplate::load(QStringLiteral(":/templates/reminder-letter.json"));
    if (!page || !page->findObject(kAddressMemo) || !page->findObject(kTextMemo))
        return std::nullopt;
    const report::ReportObject textMemo = *page->findObject(kTextMemo);
    const auto linesOnPage
        = qsizetype(std::floor(textMemo.rect.height() / report::lineHeightOf(textMemo)));

    PreparedLetters prepared;
    prepared.report.name = page->name();
    for (const reminders::LetterValues &values : letters) {
        QStringList address {values.name};
        address += values.address.split(u'\n', Qt::SkipEmptyParts);
        const QStringList body = wrapped(reminders::fillLetter(letterTemplate, values), textMemo);
        prepared.cut = prepared.cut || body.size() > linesOnPage;
        page->setLines(kAddressMemo, address);
        page->setLines(kTextMemo, body);
        report::PreparedReport one = report::prepare(*page, today);
        if (prepared.report.pages.empty())
            prepared.report.layout = one.layout;
        // A letter is one page: what does not fit is cut, never carried to a page of its own.
        if (!one.pages.empty())
            prepared.report.pages.push_back(std::move(one.pages.front()));
    }
    return prepared;
}

} // namespace almavest::ui
