// The member record table: layout, blank card and photo path.
#include "registry/MemberRecord.h"

#include <QTest>

using namespace almavest::registry;
using namespace Qt::StringLiterals;

class TestMemberRecord final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fields_data();
    void fields();
    void recordSize();
    void blankCard();
    void photoPath_data();
    void photoPath();
};

void TestMemberRecord::fields_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<int>("maxTyped");

    const struct
    {
        int index;
        const char16_t *control;
        int offset;
        int capacity;
        int maxTyped;
    } rows[] = {
        {Name, u"txtDipendente", 0, 50, 50},
        {CardNumber, u"txtCittadinanza", 51, 50, 50},
        {Fee, u"txtStipendio", 102, 12, 12},
        {BirthPlace, u"txtLuogo", 115, 50, 50},
        {BirthDate, u"txtDataNasc", 166, 10, 10},
        {TaxCode, u"txtCodFisc", 177, 16, 16},
        {EnrolmentDate, u"txtPartitaIva", 194, 11, 10},
        {Address, u"txtIndirizzo", 206, 120, 120},
        {Town, u"txtCitta", 327, 50, 50},
        {Province, u"txtProv", 378, 2, 2},
        {PostCode, u"txtCap", 381, 10, 10},
        {Qualifications, u"txtQualifiche", 392, 120, 120},
        {Role, u"txtFamiliari", 513, 250, 250},
        {Iban, u"txtIban", 764, 27, 27},
        {Notes, u"txtNote", 792, 250, 250},
        {ExpiryDate, u"txtDataSca", 1043, 10, 10},
        {NoticeDays, u"txtPreavviso", 1054, 3, 3},
        {Phone, u"txtRecapito", 1058, 50, 50},
        {Email, u"txtEmail", 1109, 50, 50},
        {File1, u"lblFile01", 1160, 250, 0},
        {File2, u"lblFile02", 1411, 250, 0},
        {File3, u"lblFile03", 1662, 250, 0},
        {Desc1, u"lblDesc01", 1913, 250, 0},
        {Desc2, u"lblDesc02", 2164, 250, 0},
        {Desc3, u"lblDesc03", 2415, 250, 0},
    };
    for (const auto &row : rows) {
        const QString control = QString::fromUtf16(row.control);
        QTest::newRow(qPrintable(control))
            << row.index << control << row.offset << row.capacity << row.maxTyped;
    }
}

void TestMemberRecord::fields()
{
    QFETCH(int, index);
    QFETCH(QString, control);
    QFETCH(int, offset);
    QFETCH(int, capacity);
    QFETCH(int, maxTyped);
    const auto &field = memberTable().field(index);
    QCOMPARE(field.control, control);
    QCOMPARE(field.capacity, capacity);
    QCOMPARE(field.typed, maxTyped);
    QCOMPARE(memberLayout().offset(index), offset);
    QCOMPARE(memberLayout().capacity(index), capacity);
}

void TestMemberRecord::recordSize()
{
    QCOMPARE(memberLayout().fieldCount(), kMemberFieldCount);
    QCOMPARE(memberLayout().recordSize(), kMemberRecordSize);
    QCOMPARE(kMemberRecordSize, 2666);
}

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
