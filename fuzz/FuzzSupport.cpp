#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace almavest::fuzz {

QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray::fromRawData(
        reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

QString utf16Of(const uint8_t *data, size_t size)
{
    QString text(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8)));
    return text;
}

QString scratchFile(const char *name)
{
    // Removed when the process ends normally; libFuzzer ends most runs by exit().
    static QTemporaryDir dir;
    require(dir.isValid(), "no scratch folder");
    return QDir(dir.path()).filePath(QString::fromLatin1(name));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot open a scratch file");
    require(file.write(bytes) == bytes.size(), "cannot write a scratch file");
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    require(file.open(QIODevice::ReadOnly), "cannot read a scratch file");
    return file.readAll();
}

void require(bool condition, const char *what)
{
    if (condition)
        return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

} // namespace almavest::fuzz
