#include "reminders/ReminderMail.h"

#include "text/TextRoutines.h"

#include <QRegularExpression>
#include <QSet>
#include <QUrl>

namespace almavest::reminders {

namespace {

// An address inside a Bcc list: everything but letters, digits, "-._~" and "@" encoded, the
// "," between two addresses above all.
QString encodedAddress(const QString &address)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(address, QByteArrayLiteral("@")));
}

QString mailto(const QStringList &encoded, const QString &encodedSubject)
{
    return QStringLiteral("mailto:?bcc=") + encoded.join(u',') + QStringLiteral("&subject=")
        + encodedSubject;
}

} // namespace

QStringList fieldAddresses(const QString &emailField)
{
    static const QRegularExpression separators(QStringLiteral("[;,\\s]+"));
    QStringList addresses;
    for (const QString &part : emailField.split(separators, Qt::SkipEmptyParts)) {
        if (part.contains(u'@'))
            addresses.append(part);
    }
    return addresses;
}

QStringList distinctAddresses(const QStringList &addresses)
{
    QStringList distinct;
    QSet<QString> seen;
    for (const QString &address : addresses) {
        const QString clean = text::trimmed(address);
        if (clean.isEmpty())
            continue;
        const QString key = clean.toCaseFolded();
        if (seen.contains(key))
            continue;
        seen.insert(key);
        distinct.append(clean);
    }
    return distinct;
}

QStringList bccMailtoAddresses(
    const QStringList &addresses, const QString &subject, qsizetype maxLength)
{
    const QString encodedSubject = QString::fromLatin1(QUrl::toPercentEncoding(subject));
    const qsizetype fixed = mailto({}, encodedSubject).size();
    QStringList messages;
    QStringList batch;
    qsizetype length = fixed;
    for (const QString &address : distinctAddresses(addresses)) {
        const QString encoded = encodedAddress(address);
        const qsizetype added = encoded.size() + (batch.isEmpty() ? 0 : 1);
        // An address too long for any message still gets one of its own rather than be dropped.
        if (!batch.isEmpty() && length + added > maxLength) {
            messages.append(mailto(batch, encodedSubject));
            batch.clear();
            length = fixed;
        }
        length += encoded.size() + (batch.isEmpty() ? 0 : 1);
        batch.append(encoded);
    }
    if (!batch.isEmpty())
        messages.append(mailto(batch, encodedSubject));
    return messages;
}

} // namespace almavest::reminders
