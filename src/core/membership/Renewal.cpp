#include "membership/Renewal.h"

#include "journal/MovementRecord.h"
#include "registry/MemberRecord.h"
#include "text/TextRoutines.h"

namespace almavest::membership {

RenewalPeriod renewalPeriod(std::optional<QDate> currentExpiry, QDate today, bool calendarYear)
{
    const bool current = currentExpiry && currentExpiry->isValid() && *currentExpiry >= today;
    const QDate start = current ? currentExpiry->addDays(1) : today;
    if (calendarYear)
        return {start, QDate(start.year(), 12, 31)};
    // One year on from the day the old membership ended, or from today: 29 February gives 28.
    return {start, current ? currentExpiry->addYears(1) : today.addYears(1)};
}

QString coveredPeriodText(const RenewalPeriod &period, bool calendarYear)
{
    if (calendarYear)
        return QStringLiteral("anno ") + QString::number(period.expiry.year());
    return QStringLiteral("dal ") + text::formatDate(period.start) + QStringLiteral(" al ")
        + text::formatDate(period.expiry);
}

bool isMembershipFee(const QString &purpose)
{
    const QString words = text::upperAZ(text::trimmed(purpose));
    return words.startsWith(QStringLiteral("QUOTA ASSOCIATIVA"))
        || words.startsWith(QStringLiteral("QUOTA SOCIALE"));
}

bool stampDutyDue(AssociationKind kind, bool membershipFee, qint64 cents)
{
    constexpr qint64 kExemptUpTo = 7747;
    if (kind == AssociationKind::Ets || kind == AssociationKind::Onlus)
        return false;
    return !membershipFee && cents > kExemptUpTo;
}

std::optional<qint64> amountCents(const QString &amount)
{
    const QString t = text::trimmed(amount);
    const qsizetype comma = t.indexOf(u',');
    const QString whole = comma < 0 ? t : t.left(comma);
    const QString cents = comma < 0 ? QString() : t.mid(comma + 1);
    if (whole.isEmpty() || whole.size() > 15 || cents.size() > 2 || !text::isDigitsOnly(whole)
        || !text::isDigitsOnly(cents))
        return std::nullopt;
    return whole.toLongLong() * 100 + QString(cents).leftJustified(2, u'0').toLongLong();
}

QStringList renewalMovement(const QStringList &member, const RenewalPayment &payment)
{
    QStringList movement = journal::blankMovement(payment.date);
    movement[journal::Purpose] = QLatin1String(kMembershipFeePurpose);
    movement[journal::DueDate] = text::formatDate(payment.date);
    movement[journal::Amount] = payment.amount;
    movement[journal::Payer] = text::trimmed(member.at(registry::Name));
    movement[journal::PayerContact] = text::trimmed(member.at(registry::Phone));
    movement[journal::PayerTaxCode] = text::trimmed(member.at(registry::TaxCode));
    movement[journal::PayerCardNumber] = text::trimmed(member.at(registry::CardNumber));
    movement[journal::PayerEmail] = text::trimmed(member.at(registry::Email));
    movement[journal::Beneficiary] = payment.beneficiary;
    movement[journal::Receipt] = payment.receipt;
    movement[journal::Notes] = payment.note;
    movement[journal::Settled] = journal::flagText(true);
    movement[journal::SignedAmount] = journal::signedAmount(movement);
    return movement;
}

} // namespace almavest::membership
