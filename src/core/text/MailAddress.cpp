#include "text/MailAddress.h"

#include "text/TextRoutines.h"

#include <QUrl>

namespace almavest::text {

QString mailtoAddress(QStringView address)
{
    const QByteArray encoded = QUrl::toPercentEncoding(trimmed(address), QByteArrayLiteral("@"));
    return QStringLiteral("mailto:") + QString::fromLatin1(encoded);
}

} // namespace almavest::text
