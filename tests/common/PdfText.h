#pragma once

#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

// A PDF's pages as text, through poppler's pdftotext and pdfinfo.
namespace almavest::test {

inline bool popplerPresent()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

inline QString popplerOutput(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The number of pages, 0 when the file cannot be read.
inline int pdfPageCount(const QString &path)
{
    static const QRegularExpression pages(
        QStringLiteral(R"(^Pages:\s+(\d+)$)"), QRegularExpression::MultilineOption);
    return pages.match(popplerOutput(QStringLiteral("pdfinfo"), {path})).captured(1).toInt();
}

// The text of page `page` (from 1), laid out as on paper.
inline QString pdfPageText(const QString &path, int page)
{
    const QString number = QString::number(page);
    return popplerOutput(QStringLiteral("pdftotext"),
        {QStringLiteral("-f"), number, QStringLiteral("-l"), number, QStringLiteral("-layout"),
            path, QStringLiteral("-")});
}

// The first line of a page's text that is not blank, trimmed.
inline QString firstLine(const QString &pageText)
{
    for (const QString &line : pageText.split(u'\n')) {
        if (!line.trimmed().isEmpty())
            return line.trimmed();
    }
    return {};
}

// The lines "Title ... page" of a table of contents page: each title with its page number.
inline QMap<QString, int> indexEntries(const QString &pageText)
{
    static const QRegularExpression entry(QStringLiteral(R"(^\s*(\S.*\S)\s{2,}(\d+)\s*$)"));
    QMap<QString, int> entries;
    for (const QString &line : pageText.split(u'\n')) {
        const QRegularExpressionMatch match = entry.match(line);
        if (match.hasMatch())
            entries.insert(match.captured(1), match.captured(2).toInt());
    }
    return entries;
}

} // namespace almavest::test
