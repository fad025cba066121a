#include "membership/ReceiptRegister.h"

#include "app/IniFile.h"
#include "text/TextRoutines.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace almavest::membership {

namespace {

constexpr char kHeader[] = "Almavest - registro delle ricevute";
constexpr int kColumns = 13;

// A text stays in its column: tabs and line breaks become blanks.
QString column(const QString &text)
{
    QString t = text::trimmed(text);
    for (QChar &c : t) {
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    }
    return t;
}

QString line(const Receipt &r)
{
    const QStringList columns {QString::number(r.number), QString::number(r.year),
        QString::number(r.movement), r.issued.toString(QStringLiteral("dd/MM/yyyy")),
        column(r.amount), r.membershipFee ? QStringLiteral("Q") : QStringLiteral("A"),
        r.stampDuty ? QStringLiteral("1") : QStringLiteral("0"), column(r.period),
        column(r.purpose), column(r.payer), column(r.taxCode), column(r.birthDate),
        column(r.birthPlace)};
    return columns.join(u'\t');
}

std::optional<Receipt> parse(const QString &text)
{
    const QStringList c = text.split(u'\t');
    if (c.size() != kColumns)
        return std::nullopt;
    bool numberOk = false;
    bool yearOk = false;
    bool movementOk = false;
    Receipt r;
    r.number = c[0].toInt(&numberOk);
    r.year = c[1].toInt(&yearOk);
    r.movement = c[2].toLongLong(&movementOk);
    r.issued = QDate::fromString(c[3], QStringLiteral("dd/MM/yyyy"));
    if (!numberOk || !yearOk || !movementOk || r.number < 1 || r.movement < 1 || !r.issued.isValid()
        || (c[5] != u"Q" && c[5] != u"A") || (c[6] != u"0" && c[6] != u"1"))
        return std::nullopt;
    r.amount = c[4];
    r.membershipFee = c[5] == u"Q";
    r.stampDuty = c[6] == u"1";
    r.period = c[7];
    r.purpose = c[8];
    r.payer = c[9];
    r.taxCode = c[10];
    r.birthDate = c[11];
    r.birthPlace = c[12];
    return r;
}

} // namespace

QString receiptNumberText(const Receipt &receipt)
{
    return QString::number(receipt.number) + u'/' + QString::number(receipt.year);
}

QString registerPathOf(const QString &journalPath)
{
    const QFileInfo journal(journalPath);
    return journal.dir().filePath(journal.completeBaseName() + QStringLiteral(".ric"));
}

std::optional<ReceiptRegister> ReceiptRegister::read(const QString &path, QString *error)
{
    const auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    ReceiptRegister result;
    QFile file(path);
    if (!file.exists() && !QFileInfo(path).isSymLink())
        return result;
    if (file.size() > app::kMaxIniFileSize * 16)
        return fail(QStringLiteral("The register is too large to be one"));
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    result.m_read = bytes;
    QStringList lines = QString::fromUtf8(bytes).split(u'\n');
    if (lines.isEmpty() || text::trimmed(lines.first()) != QLatin1String(kHeader))
        return fail(QStringLiteral("The file is not a receipt register"));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QString text = lines.at(i);
        if (text.endsWith(u'\r'))
            text.chop(1);
        if (text.isEmpty())
            continue;
        const std::optional<Receipt> receipt = parse(text);
        // A number must follow the last one: a gap or a repeat means the file is damaged.
        if (!receipt || receipt->number != result.nextNumber())
            return fail(QStringLiteral("Line %1 of the register cannot be read").arg(i + 1));
        result.m_receipts.append(*receipt);
    }
    return result;
}

int ReceiptRegister::nextNumber() const
{
    return m_receipts.isEmpty() ? 1 : m_receipts.last().number + 1;
}

std::optional<Receipt> ReceiptRegister::forMovement(qint64 position) const
{
    const auto found = std::find_if(m_receipts.cbegin(), m_receipts.cend(),
        [position](const Receipt &r) { return r.movement == position; });
    if (found == m_receipts.cend())
        return std::nullopt;
    return *found;
}

QByteArray ReceiptRegister::bytes() const
{
    QString text = QLatin1String(kHeader) + QStringLiteral("\r\n");
    for (const Receipt &receipt : m_receipts)
        text += line(receipt) + QStringLiteral("\r\n");
    return text.toUtf8();
}

} // namespace almavest::membership
