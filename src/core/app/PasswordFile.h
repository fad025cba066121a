#pragma once

#include <QString>

#include <optional>

// The password file: section "Accesso", key "Valore", the scrambled password.
namespace almavest::app {

class IniFile;

// What a typed password meets in the password file.
enum class PasswordCheck {
    Correct, // it is the stored password
    Wrong, // it is not (a missing file or key stores the empty password)
    Unreadable, // the file cannot be read or does not hold a scrambled password
};

// A password file is a few lines; anything larger is not one and is refused unread.
inline constexpr qint64 kMaxPasswordFileSize = qint64(64) * 1024;

class PasswordFile final
{
public:
    explicit PasswordFile(QString path);

    // The stored password, unscrambled and trimmed; empty when the file or the key is missing.
    // nullopt when the file cannot be read, is larger than kMaxPasswordFileSize or the value is
    // not hexadecimal.
    std::optional<QString> storedPassword() const;
    // Compares the canonical form of `typed` with the stored password.
    PasswordCheck check(const QString &typed) const;
    // Stores the canonical form of `password`, keeping the rest of the file. False on failure.
    [[nodiscard]] bool storePassword(const QString &password) const;

private:
    [[nodiscard]] bool load(IniFile &ini) const;

    QString m_path;
};

} // namespace almavest::app
