// The password file and its scrambling over arbitrary contents: reading never goes wrong, a
// password stored reads back in its canonical form, and scrambling undoes exactly.
#include "FuzzSupport.h"

#include "app/PasswordCipher.h"
#include "app/PasswordFile.h"

using namespace almavest;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    static const QString path = fuzz::scratchFile("unins000.dll");
    fuzz::writeFile(path, bytes);
    const app::PasswordFile file(path);
    (void)file.storedPassword();

    // The tail of the input is a password of one-byte characters, as the scrambling keeps them.
    const QString password = QString::fromLatin1(bytes.right(40));
    const QString canonical = app::canonicalPassword(password);
    require(file.storePassword(password), "storePassword failed");
    require(file.storedPassword() == std::optional<QString>(canonical),
        "a stored password does not read back");

    const QString plain = QString::fromLatin1(bytes.left(255));
    require(app::unscramblePassword(app::scramblePassword(plain)) == std::optional<QString>(plain),
        "scrambling does not undo");
    (void)app::unscramblePassword(QString::fromLatin1(bytes));
    return 0;
}
