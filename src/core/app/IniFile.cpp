#include "app/IniFile.h"

#include "store/Cp1252.h"
#include "store/WholeFile.h"
#include "text/TextRoutines.h"

#include <QFile>

#include <optional>

namespace almavest::app {

namespace {

bool sameName(const QString &a, const QString &b)
{
    return text::upperAZ(a) == text::upperAZ(b);
}

// The name between the brackets of a section header line.
std::optional<QString> sectionName(const QString &line)
{
    const QString t = text::trimmed(line);
    const qsizetype close = t.indexOf(u']');
    if (!t.startsWith(u'[') || close < 0)
        return std::nullopt;
    return text::trimmed(QStringView(t).sliced(1, close - 1));
}

// The name left of the first "=" of a key line.
std::optional<QString> keyName(const QString &line)
{
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return std::nullopt;
    return text::trimmed(QStringView(line).left(equals));
}

// A value always stays on its line: a line break in it would start a new key.
QString oneLine(const QString &value)
{
    QString line = text::trimmed(value);
    for (QChar &c : line) {
        if (c == u'\r' || c == u'\n')
            c = u' ';
    }
    return line;
}

} // namespace

IniFile::IniFile(QString path)
    : m_path(std::move(path))
{ }

bool IniFile::load()
{
    m_lines.clear();
    m_error.clear();
    m_stored.reset();
    QFile file(m_path);
    if (!file.exists()) {
        m_stored = QByteArray();
        return true;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = file.errorString();
        return false;
    }
    // Checked on the open file, before reading: a huge file in its place must not hold the
    // program up nor fill its memory.
    if (file.size() > kMaxIniFileSize) {
        m_error = QStringLiteral("The file is larger than %1 bytes").arg(kMaxIniFileSize);
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_error = file.errorString();
        return false;
    }
    m_stored = bytes;
    const QString content = store::fromCp1252(bytes);
    m_lines = content.split(u'\n');
    if (content.endsWith(u'\n'))
        m_lines.removeLast();
    for (QString &line : m_lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return true;
}

bool IniFile::save()
{
    m_error.clear();
    QString content;
    for (const QString &line : std::as_const(m_lines))
        content += line + QStringLiteral("\r\n");
    const QByteArray bytes = store::toCp1252(content);
    // A file that would come out as it was read is left alone, so a folder that may not be
    // written fails only a save that changes something.
    if (m_stored && *m_stored == bytes)
        return true;
    if (store::writeWholeFile(m_path, bytes, &m_error) != store::WriteFailure::None)
        return false;
    m_stored = bytes;
    return true;
}

QString IniFile::value(const QString &section, const QString &key) const
{
    const int keyLine = findKey(findSection(section), key);
    if (keyLine < 0)
        return {};
    const QString &line = m_lines.at(keyLine);
    return text::trimmed(QStringView(line).sliced(line.indexOf(u'=') + 1));
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString clean = oneLine(value);
    const int sectionLine = findSection(section);
    if (sectionLine < 0) {
        m_lines.append(u'[' + section + u']');
        m_lines.append(key + u'=' + clean);
        return;
    }
    const int keyLine = findKey(sectionLine, key);
    if (keyLine >= 0) {
        // The key keeps its spelling and the spacing around "="; only the value changes.
        QString &line = m_lines[keyLine];
        qsizetype start = line.indexOf(u'=') + 1;
        while (start < line.size() && line.at(start) == u' ')
            ++start;
        line = line.left(start) + clean;
        return;
    }
    int end = sectionLine + 1;
    while (end < m_lines.size() && !sectionName(m_lines.at(end)))
        ++end;
    while (end - 1 > sectionLine && text::trimmed(m_lines.at(end - 1)).isEmpty())
        --end;
    m_lines.insert(end, key + u'=' + clean);
}

int IniFile::findSection(const QString &section) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        const std::optional<QString> name = sectionName(m_lines.at(i));
        if (name && sameName(*name, section))
            return i;
    }
    return -1;
}

int IniFile::findKey(int sectionLine, const QString &key) const
{
    if (sectionLine < 0)
        return -1;
    for (int i = sectionLine + 1; i < m_lines.size(); ++i) {
        const QString &line = m_lines.at(i);
        if (sectionName(line))
            return -1;
        const std::optional<QString> name = keyName(line);
        if (name && sameName(*name, key))
            return i;
    }
    return -1;
}

} // namespace almavest::app
