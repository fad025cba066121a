#include "app/PasswordCipher.h"

#include "text/TextRoutines.h"

namespace almavest::app {

namespace {

constexpr quint16 kStartKey = 0x9E27;
constexpr quint16 kMultiplier = 0xB4D9;
constexpr quint16 kAddend = 0xC853;

// Arithmetic modulo 2^16. Done in unsigned 32 bits: the 16-bit operands would otherwise be
// promoted to int, whose product overflows.
quint16 nextKey(quint16 key, quint8 scrambled)
{
    const quint32 sum = quint32(scrambled) + key;
    return static_cast<quint16>(sum * kMultiplier + kAddend);
}

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

} // namespace

QString scramblePassword(QStringView plain)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    // The character count is one byte in the file format.
    const qsizetype count = plain.size() % 256;
    QString hex;
    hex.reserve(count * 2);
    quint16 key = kStartKey;
    for (qsizetype i = 0; i < count; ++i) {
        const auto scrambled = static_cast<quint8>((plain[i].unicode() & 0xFF) ^ (key >> 8));
        hex.append(QLatin1Char(kDigits[scrambled >> 4]));
        hex.append(QLatin1Char(kDigits[scrambled & 0x0F]));
        key = nextKey(key, scrambled);
    }
    return hex;
}

std::optional<QString> unscramblePassword(QStringView hex)
{
    const qsizetype count = (hex.size() / 2) % 256;
    QString plain;
    plain.reserve(count);
    quint16 key = kStartKey;
    for (qsizetype i = 0; i < count; ++i) {
        const int high = hexValue(hex[2 * i]);
        const int low = hexValue(hex[2 * i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        const auto scrambled = static_cast<quint8>(high * 16 + low);
        plain.append(QChar(static_cast<char16_t>(scrambled ^ (key >> 8))));
        key = nextKey(key, scrambled);
    }
    return plain;
}

QString canonicalPassword(QStringView typed)
{
    return text::trimmed(text::upperAZ(typed));
}

} // namespace almavest::app
