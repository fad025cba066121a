// The INI reader and writer over arbitrary file contents: loading never fails on a readable
// file, a value set reads back, and saving what was loaded is stable.
#include "FuzzSupport.h"

#include "app/IniFile.h"
#include "store/Cp1252.h"
#include "text/TextRoutines.h"

using namespace almavest;
using fuzz::require;

namespace {

// What a value becomes once stored: one line, trimmed, in the code page.
QString storedForm(const QString &value)
{
    QString line = store::fromCp1252(store::toCp1252(value));
    for (QChar &c : line) {
        if (c == u'\r' || c == u'\n')
            c = u' ';
    }
    return text::trimmed(line);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString first = fuzz::scratchFile("first.ini");
    static const QString second = fuzz::scratchFile("second.ini");
    const QByteArray bytes = fuzz::bytesOf(data, size);
    fuzz::writeFile(first, bytes);

    app::IniFile ini(first);
    require(ini.load(), "load failed on a readable file");
    // Reading any name of the file itself must not go wrong either.
    const QString name = text::trimmed(store::fromCp1252(bytes.left(12)));
    (void)ini.value(name, name);

    const QString value = store::fromCp1252(bytes.right(16));
    ini.setValue(QStringLiteral("Accesso"), QStringLiteral("Valore"), value);
    require(ini.value(QStringLiteral("accesso"), QStringLiteral("VALORE")) == storedForm(value),
        "a value set does not read back");
    require(ini.save(), "save failed");

    app::IniFile again(first);
    require(again.load(), "reload failed");
    require(again.value(QStringLiteral("Accesso"), QStringLiteral("Valore")) == storedForm(value),
        "a saved value does not read back");
    const QByteArray saved = fuzz::readFile(first);
    fuzz::writeFile(second, saved);
    app::IniFile third(second);
    require(third.load() && third.save(), "second round failed");
    require(fuzz::readFile(second) == saved, "saving a loaded file changed it");
    return 0;
}
