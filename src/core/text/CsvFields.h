#pragma once

#include <QString>
#include <QStringList>

// The fields of one line of a comma-separated file: a field in double quotes may hold commas, and
// "" stands for a quote inside one. Header-only, so that the build-time tools that read the
// program's public lists use it before the core library exists.
namespace almavest::text {

inline QStringList csvFields(const QString &line)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < line.size() && line.at(i + 1) == u'"') {
                field.append(c);
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field.append(c);
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            fields.append(field);
            field.clear();
        } else {
            field.append(c);
        }
    }
    fields.append(field);
    return fields;
}

} // namespace almavest::text
