#pragma once

#include <QString>

#include <optional>

// The password file: section "Accesso", key "Valore", the scrambled password.
namespace almavest::app {

class PasswordFile final
{
public:
    explicit PasswordFile(QString path);

    // The stored password, unscrambled and trimmed; empty when the file or the key is missing.
    // nullopt when the file cannot be read or the value is not hexadecimal.
    std::optional<QString> storedPassword() const;
    // Stores the canonical form of `password`, keeping the rest of the file. False on failure.
    [[nodiscard]] bool storePassword(const QString &password) const;

private:
    QString m_path;
};

} // namespace almavest::app
