#include "SampleFolder.h"

#include "app/PasswordFile.h"
#include "app/ProgramFolder.h"
#include "book/PageRecord.h"
#include "journal/MovementRecord.h"
#include "registry/MemberRecord.h"
#include "store/RecordAppend.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace almavest::guide {

namespace {

struct Person
{
    const char *name;
    const char *birthPlace;
    const char *birthDate;
    const char *taxCode;
    const char *address;
    const char *town;
    const char *province;
    const char *postCode;
    const char *phone;
    const char *expiry;
};

// Valid tax codes of made-up people; some memberships are due or expired on the sample day.
constexpr Person kPeople[] = {
    {"Rossi Mario", "Roma", "12/03/1975", "RSSMRA75C12H501H", "Via Garibaldi 14", "Roma", "RM",
        "00153", "06 5551234", "31/12/2026"},
    {"Bianchi Laura", "Milano", "15/05/1982", "BNCLRA82E55F205E", "Corso Venezia 8", "Milano", "MI",
        "20121", "02 5559876", "31/03/2026"},
    {"Verdi Giuseppe", "Torino", "03/12/1968", "VRDGPP68T03L219K", "Via Po 21", "Torino", "TO",
        "10124", "011 5554321", "28/02/2026"},
    {"Ferri Stefania", "Firenze", "01/01/1990", "FRRSFN90A41D612C", "Via dei Neri 5", "Firenze",
        "FI", "50122", "055 5556789", "31/12/2026"},
    {"Colombo Andrea", "Bologna", "14/06/1979", "CLMNDR79H14A944C", "Via Zamboni 33", "Bologna",
        "BO", "40126", "051 5552468", "10/04/2026"},
    {"Galli Francesca", "Palermo", "22/08/1985", "GLLFNC85M62G273F", "Via Maqueda 102", "Palermo",
        "PA", "90133", "091 5551357", "31/12/2026"},
};

QString text(const char *latin)
{
    return QString::fromUtf8(latin);
}

QStringList member(const Person &person, int card)
{
    using namespace registry;
    QStringList values = blankMember();
    values[Name] = text(person.name);
    values[CardNumber] = QString::number(card);
    values[Fee] = QStringLiteral("30,00");
    values[BirthPlace] = text(person.birthPlace);
    values[BirthDate] = text(person.birthDate);
    values[TaxCode] = text(person.taxCode);
    values[EnrolmentDate] = QStringLiteral("15/01/2026");
    values[Address] = text(person.address);
    values[Town] = text(person.town);
    values[Province] = text(person.province);
    values[PostCode] = text(person.postCode);
    values[Qualifications] = QStringLiteral("Socio ordinario");
    values[Phone] = text(person.phone);
    values[Email] = text(person.name).section(u' ', 1).toLower() + u'.'
        + text(person.name).section(u' ', 0, 0).toLower() + QStringLiteral("@esempio.it");
    values[ExpiryDate] = text(person.expiry);
    values[NoticeDays] = QStringLiteral("30");
    return values;
}

// A simple drawn portrait, so that the member card shows a photo.
QImage portrait()
{
    QImage image(240, 300, QImage::Format_RGB32);
    image.fill(QColor(0xdc, 0xe6, 0xf0));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x3c, 0x5a, 0x82));
    painter.drawEllipse(QRectF(30, 190, 180, 200));
    painter.setBrush(QColor(0xe8, 0xc0, 0x9c));
    painter.drawEllipse(QRectF(70, 60, 100, 120));
    painter.setBrush(QColor(0x5a, 0x3c, 0x28));
    QPainterPath hair;
    hair.moveTo(68, 110);
    hair.cubicTo(60, 40, 180, 40, 172, 110);
    hair.cubicTo(160, 70, 80, 70, 68, 110);
    painter.drawPath(hair);
    return image;
}

QStringList movement(bool income, const char *date, const char *purpose, const char *amount,
    const char *party, const char *due = nullptr)
{
    using namespace journal;
    QStringList values = blankMovement(QDate::fromString(text(date), QStringLiteral("dd/MM/yyyy")));
    values[Income] = flagText(income);
    values[Expense] = flagText(!income);
    values[Purpose] = text(purpose);
    values[Amount] = text(amount);
    values[PaymentMethod] = QStringLiteral("Bonifico");
    values[income ? Payer : Beneficiary] = text(party);
    values[income ? Beneficiary : Payer] = QStringLiteral("Circolo Culturale Il Faro");
    values[DueDate] = due ? text(due) : text(date);
    values[NoticeDays] = due ? QStringLiteral("15") : QStringLiteral("0");
    values[Settled] = flagText(due == nullptr);
    values[SignedAmount] = signedAmount(values);
    return values;
}

QList<QStringList> movements()
{
    return {
        movement(true, "15/01/2026", "Quota associativa 2026", "30,00", "Rossi Mario"),
        movement(true, "15/01/2026", "Quota associativa 2026", "30,00", "Bianchi Laura"),
        movement(true, "18/01/2026", "Quota associativa 2026", "30,00", "Verdi Giuseppe"),
        movement(false, "20/01/2026", "Affitto della sede - gennaio", "350,00", "Immobiliare Sole"),
        movement(true, "02/02/2026", "Contributo del Comune", "1200,00", "Comune di Roma"),
        movement(false, "05/02/2026", "Bolletta della luce", "84,60", "Energia Italia"),
        movement(
            false, "20/02/2026", "Affitto della sede - febbraio", "350,00", "Immobiliare Sole"),
        movement(
            true, "01/03/2026", "Iscrizioni al corso di fotografia", "480,00", "Soci iscritti"),
        movement(false, "03/03/2026", "Materiale di cancelleria", "42,30", "Cartoleria Rossi"),
        movement(false, "10/03/2026", "Affitto della sede - marzo", "350,00", "Immobiliare Sole",
            "20/03/2026"),
        movement(false, "12/03/2026", "Assicurazione dei volontari", "260,00",
            "Assicurazioni Unite", "25/03/2026"),
        movement(
            true, "14/03/2026", "Quota associativa 2026", "30,00", "Galli Francesca", "31/03/2026"),
    };
}

QStringList bookPage(int first)
{
    using namespace book;
    QStringList values(kPageFieldCount);
    values[BookNumber] = QStringLiteral("1");
    values[Association] = QStringLiteral("Circolo Culturale Il Faro");
    values[AssociationTaxCode] = QStringLiteral("97123450584");
    values[President] = QStringLiteral("Rossi Mario");
    values[Secretary] = QStringLiteral("Bianchi Laura");
    for (int row = RowA; row <= RowD && first + row < int(std::size(kPeople)); ++row) {
        const Person &person = kPeople[first + row];
        values[rowField(row, Order)] = QString::number(first + row + 1);
        values[rowField(row, MemberName)] = text(person.name);
        values[rowField(row, BirthPlace)] = text(person.birthPlace);
        values[rowField(row, BirthDate)] = text(person.birthDate);
        values[rowField(row, TaxCode)] = text(person.taxCode);
        values[rowField(row, Address)] = text(person.address) + u' ' + text(person.town);
        values[rowField(row, Phone)] = text(person.phone);
        values[rowField(row, CardNumber)] = QString::number(first + row + 1);
        values[rowField(row, AdmissionDate)] = QStringLiteral("15/01/2026");
        values[rowField(row, Fee)] = QStringLiteral("30,00");
    }
    return values;
}

} // namespace

bool writeSampleFolder(const QString &folder, QString &error)
{
    const QDir dir(folder);
    QList<QStringList> members;
    for (const Person &person : kPeople)
        members.append(member(person, int(members.size()) + 1));
    const QString photo = registry::memberPhotoPath(folder, 1);
    const bool written
        = app::PasswordFile(dir.filePath(QString::fromLatin1(app::kPasswordFileName)))
              .storePassword(QString::fromLatin1(kSamplePassword))
        && store::appendRecords(dir.filePath(QString::fromLatin1(registry::kMemberArchiveName)),
            registry::memberLayout(), members)
        && store::appendRecords(book::bookPath(folder, QString::fromLatin1(kSampleBook)),
            book::pageLayout(), {bookPage(0), bookPage(4)})
        && store::appendRecords(journal::journalPath(folder, QString::fromLatin1(kSampleYear)),
            journal::movementLayout(), movements())
        && dir.mkpath(QString::fromLatin1(registry::kPhotoFolderName))
        && portrait().save(photo, "JPG", 92);
    if (!written)
        error = QStringLiteral("cannot write the sample association into %1").arg(folder);
    return written;
}

} // namespace almavest::guide
