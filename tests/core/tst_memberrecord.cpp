// The member record: the blank card and the photo path. The table itself is checked against
// the hand-written archive in tst_recordtables.
#include "registry/MemberRecord.h"

#include <QTest>

using namespace almavest::registry;
using namespace Qt::StringLiterals;

class TestMemberRecord final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void blankCard();
    void photoPath_data();
    void photoPath();
};

void TestMemberRecord::blankCard()
{
    QStringList expected(kMemberFieldCount);
    expected[Fee] = u"0,00"_s;
    expected[NoticeDays] = u"0"_s;
    QCOMPARE(blankMember(), expected);

    // Stored and read back unchanged.
    QByteArray record = memberLayout().blankRecord();
    memberLayout().setFields(record, blankMember());
    QCOMPARE(memberLayout().fields(record), expected);
}

void TestMemberRecord::photoPath_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<qint64>("position");
    QTest::addColumn<QString>("path");
    QTest::newRow("first") << u"/opt/Almavest"_s << qint64(1)
                           << u"/opt/Almavest/Schedario/Socio_1.jpg"_s;
    QTest::newRow("no leading zeros")
        << u"/opt/Almavest"_s << qint64(12) << u"/opt/Almavest/Schedario/Socio_12.jpg"_s;
    QTest::newRow("folder with trailing slash")
        << u"/media/usb/Almavest/"_s << qint64(100000)
        << u"/media/usb/Almavest/Schedario/Socio_100000.jpg"_s;
}

void TestMemberRecord::photoPath()
{
    QFETCH(QString, folder);
    QFETCH(qint64, position);
    QFETCH(QString, path);
    QCOMPARE(memberPhotoPath(folder, position), path);
}

QTEST_APPLESS_MAIN(TestMemberRecord)
#include "tst_memberrecord.moc"
