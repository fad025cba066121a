#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// A Windows-style INI file read and written by section and key. Names are matched without
// regard to A-Z case and kept as they stand in the file; every other line of the file is kept
// as it was. Text is Windows-1252, lines end with CRLF, saving is atomic.
namespace almavest::app {

// A settings file holds a few lines; anything larger is not one and is refused unread.
inline constexpr qint64 kMaxIniFileSize = qint64(1024) * 1024;

class IniFile final
{
public:
    explicit IniFile(QString path);

    // Reads the file; a missing file is an empty file, not a failure. A file larger than
    // kMaxIniFileSize is a failure and is not read.
    [[nodiscard]] bool load();
    // Writes the file atomically unless it would come out as it was read; false when it cannot
    // be written.
    [[nodiscard]] bool save();

    // Empty when the section or the key is missing.
    QString value(const QString &section, const QString &key) const;
    // Replaces the key's value, adding the section or the key at its end when missing.
    void setValue(const QString &section, const QString &key, const QString &value);

    QString path() const { return m_path; }
    QString errorString() const { return m_error; }

private:
    int findSection(const QString &section) const;
    int findKey(int sectionLine, const QString &key) const;

    QString m_path;
    QStringList m_lines;
    QString m_error;
    std::optional<QByteArray> m_stored; // the file's bytes as last read or written
};

} // namespace almavest::app
