#pragma once

#include <QFile>
#include <QList>
#include <QStringList>
#include <QXmlStreamReader>

#include <zip.h>

// The cells of an ODS workbook, read straight from its zip, for the tests of the screens that
// save one. Links libzip.
namespace almavest::test {

// One entry of a zip file, or nothing when it cannot be read.
inline QByteArray zipEntry(const QString &path, const char *name)
{
    zip_t *zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, nullptr);
    if (!zip)
        return {};
    QByteArray bytes;
    zip_stat_t stat;
    if (zip_stat(zip, name, 0, &stat) == 0) {
        if (zip_file_t *file = zip_fopen(zip, name, 0)) {
            bytes.resize(static_cast<qsizetype>(stat.size));
            if (zip_fread(file, bytes.data(), stat.size) != static_cast<zip_int64_t>(stat.size))
                bytes.clear();
            zip_fclose(file);
        }
    }
    zip_close(zip);
    return bytes;
}

// The cells of an ODS workbook as their texts, or their values where they are numbers or dates.
inline QList<QStringList> odsCells(const QString &path)
{
    QList<QStringList> rows;
    QXmlStreamReader xml(zipEntry(path, "content.xml"));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"table-row")
            rows.append(QStringList());
        else if (xml.isStartElement() && xml.name() == u"table-cell") {
            const QXmlStreamAttributes attributes = xml.attributes();
            if (attributes.hasAttribute(QStringLiteral("office:value")))
                rows.last().append(attributes.value(QStringLiteral("office:value")).toString());
            else if (attributes.hasAttribute(QStringLiteral("office:date-value")))
                rows.last().append(
                    attributes.value(QStringLiteral("office:date-value")).toString());
            else
                rows.last().append(xml.readElementText(QXmlStreamReader::IncludeChildElements));
        }
    }
    return rows;
}

} // namespace almavest::test
