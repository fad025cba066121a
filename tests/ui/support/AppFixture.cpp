#include "AppFixture.h"

#include "app/PasswordFile.h"
#include "journal/MovementRecord.h"
#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"
#include "store/RecordAppend.h"
#include "ui/app/Launcher.h"
#include "ui/app/PasswordScreen.h"
#include "ui/registry/MemberCardScreen.h"

#include <QLineEdit>
#include <QPushButton>

namespace almavest::test {

AppFixture::AppFixture(const QString &password)
{
    const QString passwordFile = m_dir.filePath(QString::fromLatin1(app::kPasswordFileName));
    if (!password.isNull() && !app::PasswordFile(passwordFile).storePassword(password))
        qFatal("cannot write the password file of the test folder");
    m_app = std::make_unique<ui::Application>(services, m_dir.path());
    m_app->context().setQuitHandler([this] { quitRequested = true; });
    m_app->start();
}

AppFixture::~AppFixture() = default;

void AppFixture::openMemberCard()
{
    auto *password = m_app->passwordScreen();
    control<QLineEdit>(password, "txtPassword")->setText(QStringLiteral("segreto"));
    control<QPushButton>(password, "cmdOK")->click();
    m_app->launcher()->openMemberRegistry();
}

QList<QStringList> readMembers(const QString &path)
{
    QList<QStringList> records;
    store::ArchiveFile archive(path, registry::kMemberRecordSize);
    if (!archive.openForReading())
        return records;
    const bool read = archive.scan([&](qint64, QByteArrayView bytes) {
        records.append(registry::memberLayout().fields(bytes));
        return true;
    });
    if (!read)
        QTest::qFail("cannot read the member archive", __FILE__, __LINE__);
    return records;
}

void writeMembers(const QString &path, const QList<QStringList> &records)
{
    // A fixture that cannot be laid down ends the test program: the test would otherwise go on
    // with fewer cards than it believes.
    if (!store::appendRecords(path, registry::memberLayout(), records))
        qFatal("Cannot write the test archive %s", qPrintable(path));
}

void writeMovements(const QString &path, const QList<QStringList> &movements)
{
    if (!store::appendRecords(path, journal::movementLayout(), movements))
        qFatal("Cannot write the test archive %s", qPrintable(path));
}

QStringList sampleMember(const QString &name, const QString &expiry)
{
    QStringList values = registry::blankMember();
    values[registry::Name] = name;
    values[registry::ExpiryDate] = expiry;
    values[registry::Town] = QStringLiteral("Città di ") + name;
    values[registry::File1] = QStringLiteral("allegato.pdf");
    values[registry::Desc1] = QStringLiteral("Certificato");
    return values;
}

void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace almavest::test
