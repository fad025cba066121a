#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Whole-file reads and writes for fixtures and for checking what the program wrote.
namespace almavest::test {

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace almavest::test
