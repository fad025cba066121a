#include "ui/help/HelpTopics.h"

#include <QFile>

#include <initializer_list>

namespace almavest::ui {

namespace {

// A topic is its own file, followed by the paragraphs of the topics it takes in whole.
struct TopicFiles
{
    HelpTopic topic;
    std::initializer_list<const char *> files;
};

const TopicFiles kTopics[] = {
    {HelpTopic::Tour, {"avvio"}},
    {HelpTopic::MemberCard, {"anagrafica"}},
    {HelpTopic::MemberExport, {"esporta-soci"}},
    {HelpTopic::BookMenu, {"menu-registro"}},
    {HelpTopic::BookCreation, {"crea-registro"}},
    {HelpTopic::BookPage, {"registro"}},
    {HelpTopic::JournalMenu, {"primanota", "movimenti", "bilancio", "rendiconto"}},
    {HelpTopic::Movements, {"movimenti"}},
    {HelpTopic::MovementExport, {"esporta-movimenti"}},
    {HelpTopic::Balance, {"bilancio"}},
    {HelpTopic::TaxCodeMaker, {"codice-fiscale"}},
    {HelpTopic::Backups, {"copie"}},
    {HelpTopic::Renewal, {"rinnovo"}},
    {HelpTopic::Settings, {"impostazioni"}},
    {HelpTopic::Reminders, {"promemoria"}},
    {HelpTopic::Statement, {"rendiconto"}},
};

HelpText readTopicFile(const char *name)
{
    QFile file(QStringLiteral(":/help/%1.txt").arg(QLatin1String(name)));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("help topic %s is missing from the resources", name);
    HelpText text = parseHelpText(QString::fromUtf8(file.readAll()));
    if (text.title.isEmpty() || text.paragraphs.isEmpty())
        qFatal("help topic %s has no title or no text", name);
    return text;
}

} // namespace

QString HelpText::text() const
{
    return paragraphs.join(QStringLiteral("\r\n\r\n"));
}

HelpText parseHelpText(const QString &source)
{
    QStringList lines = QString(source).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
    HelpText text;
    if (lines.isEmpty())
        return text;
    text.title = lines.takeFirst().trimmed();
    // A paragraph may be written over several lines of the file; an empty line ends it.
    QStringList current;
    const auto endParagraph = [&text, &current] {
        if (!current.isEmpty())
            text.paragraphs.append(current.join(QLatin1Char(' ')));
        current.clear();
    };
    for (const QString &line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty())
            endParagraph();
        else
            current.append(trimmed);
    }
    endParagraph();
    return text;
}

HelpText helpTopic(HelpTopic topic)
{
    for (const TopicFiles &entry : kTopics) {
        if (entry.topic != topic)
            continue;
        HelpText text;
        for (const char *file : entry.files) {
            const HelpText part = readTopicFile(file);
            if (text.title.isEmpty())
                text.title = part.title;
            text.paragraphs.append(part.paragraphs);
        }
        return text;
    }
    qFatal("help topic %d has no file", static_cast<int>(topic));
}

} // namespace almavest::ui
