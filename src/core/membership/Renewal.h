#pragma once

#include "membership/AssociationSettings.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// The rules of renewing a membership and of the receipt given for a payment.
namespace almavest::membership {

// The purpose of the movement a renewal writes into the journal.
inline constexpr const char *kMembershipFeePurpose = "Quota associativa";

// The period a renewal covers: from its first day to the new expiry.
struct RenewalPeriod
{
    QDate start;
    QDate expiry;
};

// A member whose expiry is today or later renews from the day after it; one already lapsed, or
// with no readable expiry, from today. The membership then runs one year, or with calendar-year
// memberships to 31 December of the year it starts in.
RenewalPeriod renewalPeriod(std::optional<QDate> currentExpiry, QDate today, bool calendarYear);

// The membership year a receipt names: "anno 2026" for calendar-year memberships, else
// "dal 16/03/2026 al 15/03/2027".
QString coveredPeriodText(const RenewalPeriod &period, bool calendarYear);

// Whether a movement's purpose is a membership fee, which bears no stamp duty.
bool isMembershipFee(const QString &purpose);

// The stamp duty of 2,00 euro is due on a receipt over 77,47 euro, except for a membership fee
// and for an ETS or ONLUS, which are exempt.
bool stampDutyDue(AssociationKind kind, bool membershipFee, qint64 cents);

// An amount as the journal writes it ("1250,00") in cents; nullopt when it is not one.
std::optional<qint64> amountCents(const QString &amount);

// What a renewal needs to write its movement.
struct RenewalPayment
{
    QString amount; // as the journal writes it, "40,00"
    QDate date;
    QString beneficiary; // the association
    QString receipt; // "3/2026"
    QString note; // what the renewal did, for whoever reads the movement later
};

// The income movement of a renewal: the member pays the fee, settled today.
QStringList renewalMovement(const QStringList &member, const RenewalPayment &payment);

} // namespace almavest::membership
