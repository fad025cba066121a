// The three record tables against the record formats: their shape, and the hand-written
// fixture archives read and written through them.
#include "GoldenRecords.h"
#include "TestFiles.h"
#include "book/PageRecord.h"
#include "journal/MovementRecord.h"
#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <span>

using namespace almavest;
using namespace almavest::store;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(almavest::store::KeyFilter)
Q_DECLARE_METATYPE(almavest::store::Casing)

namespace {

const RecordTable &tableNamed(const QString &name)
{
    if (name == u"member")
        return registry::memberTable();
    if (name == u"page")
        return book::pageTable();
    return journal::movementTable();
}

// The record at `position` of a fixture file, read without the program's archive code.
QByteArray fixtureRecord(const QString &file, qint64 position, int size)
{
    const QByteArray bytes = test::fileBytes(QStringLiteral(ALMAVEST_TEST_DATA "/") + file);
    return bytes.mid((position - 1) * size, size);
}

// The character the fixture writer fills field `index` with in its record full to capacity.
QChar marker(int index)
{
    static const QString markers
        = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+"_s;
    return markers.at(index);
}

QByteArray fieldName(const RecordTable &table, int index)
{
    return "field " + QByteArray::number(index) + ' ' + table.field(index).control.toLatin1();
}

} // namespace

class TestRecordTables final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tableShape_data();
    void tableShape();
    void controlsAgreeWithTheirKind_data();
    void controlsAgreeWithTheirKind();
    void typingRulesOfEveryBox_data();
    void typingRulesOfEveryBox();
    void printedTitlesOfThePage_data();
    void printedTitlesOfThePage();
    void pageRows_data();
    void pageRows();
    void goldenRecordsDecode_data();
    void goldenRecordsDecode();
    void goldenRecordsWriteByteForByte_data();
    void goldenRecordsWriteByteForByte();
    void fullRecords_data();
    void fullRecords();
    void incompleteTailIsNotARecord_data();
    void incompleteTailIsNotARecord();
};

void TestRecordTables::tableShape_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("fieldCount");
    QTest::addColumn<int>("recordSize");
    QTest::newRow("member") << u"member"_s << 25 << 2666;
    QTest::newRow("page") << u"page"_s << 63 << 4759;
    QTest::newRow("movement") << u"movement"_s << 28 << 3414;
}

void TestRecordTables::tableShape()
{
    QFETCH(QString, table);
    QFETCH(int, fieldCount);
    QFETCH(int, recordSize);
    const RecordTable &t = tableNamed(table);
    QCOMPARE(t.fieldCount(), fieldCount);
    QCOMPARE(t.layout().fieldCount(), fieldCount);
    QCOMPARE(t.recordSize(), recordSize);

    // Fields follow one another with nothing between them and fill the record exactly.
    int offset = 0;
    for (const RecordTable::Field &field : t.fields()) {
        const QByteArray name = fieldName(t, field.index);
        QVERIFY2(field.offset == offset, name.constData());
        QVERIFY2(t.layout().offset(field.index) == offset, name.constData());
        QVERIFY2(t.layout().capacity(field.index) == field.capacity, name.constData());
        QVERIFY2(field.typed <= field.capacity, name.constData());
        offset += field.capacity + 1;
    }
    QCOMPARE(offset, recordSize);
}

void TestRecordTables::controlsAgreeWithTheirKind_data()
{
    tableShape_data();
}

void TestRecordTables::controlsAgreeWithTheirKind()
{
    QFETCH(QString, table);
    const RecordTable &t = tableNamed(table);
    QSet<QString> controls;
    for (const RecordTable::Field &field : t.fields()) {
        const QByteArray name = fieldName(t, field.index);
        if (field.kind == ControlKind::Derived) {
            QVERIFY2(field.control.isEmpty() && field.typed == 0, name.constData());
            continue;
        }
        // Every control shows one field, and is found by its name.
        QVERIFY2(!controls.contains(field.control), name.constData());
        controls.insert(field.control);
        QVERIFY2(t.indexOf(field.control) == field.index, name.constData());

        const bool typedInto = field.kind == ControlKind::Edit || field.kind == ControlKind::Date;
        QVERIFY2(typedInto == (field.typed > 0), name.constData());
        QVERIFY2(typedInto || field.filter == KeyFilter::None, name.constData());
        const QString prefix = field.control.left(3);
        switch (field.kind) {
        case ControlKind::Edit:
        case ControlKind::Date:
            QVERIFY2(prefix == u"txt", name.constData());
            break;
        case ControlKind::Hidden:
            QVERIFY2(prefix == u"lbl", name.constData());
            break;
        case ControlKind::Flag:
            QVERIFY2(prefix == u"opt" || prefix == u"chk", name.constData());
            break;
        case ControlKind::Derived:
            break;
        }
    }
    QVERIFY(t.indexOf(u"txtNonEsiste") < 0);
}

void TestRecordTables::typingRulesOfEveryBox_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("typed");
    QTest::addColumn<KeyFilter>("filter");
    QTest::addColumn<Casing>("casing");
    struct Box
    {
        const char *control;
        int typed;
        KeyFilter filter;
        Casing casing;
    };
    // Every box typed into or filled by the date picker, with its typing limit and rules, as the
    // cards give them.
    const Box member[] = {
        {"txtDipendente", 50, KeyFilter::None, Casing::None},
        {"txtCittadinanza", 50, KeyFilter::None, Casing::None},
        {"txtStipendio", 12, KeyFilter::Amount, Casing::None},
        {"txtLuogo", 50, KeyFilter::None, Casing::None},
        {"txtDataNasc", 10, KeyFilter::None, Casing::None},
        {"txtCodFisc", 16, KeyFilter::Alphanumeric, Casing::Upper},
        {"txtPartitaIva", 10, KeyFilter::None, Casing::None},
        {"txtIndirizzo", 120, KeyFilter::None, Casing::None},
        {"txtCitta", 50, KeyFilter::None, Casing::None},
        {"txtProv", 2, KeyFilter::None, Casing::Upper},
        {"txtCap", 10, KeyFilter::None, Casing::None},
        {"txtQualifiche", 120, KeyFilter::None, Casing::None},
        {"txtFamiliari", 250, KeyFilter::None, Casing::None},
        {"txtIban", 27, KeyFilter::None, Casing::Upper},
        {"txtNote", 250, KeyFilter::None, Casing::None},
        {"txtDataSca", 10, KeyFilter::None, Casing::None},
        {"txtPreavviso", 3, KeyFilter::Digits, Casing::None},
        {"txtRecapito", 50, KeyFilter::None, Casing::None},
        {"txtEmail", 50, KeyFilter::None, Casing::TrimOnly},
    };
    const Box page[] = {
        {"txtNumero", 12, KeyFilter::None, Casing::None},
        {"txtDenominazione", 120, KeyFilter::None, Casing::None},
        {"txtCodFisc", 16, KeyFilter::Alphanumeric, Casing::Upper},
        {"txtPresidente", 50, KeyFilter::None, Casing::None},
        {"txtSegretario", 50, KeyFilter::None, Casing::None},
        {"txtOrdine_A", 6, KeyFilter::None, Casing::None},
        {"txtSocio_A", 50, KeyFilter::None, Casing::None},
        {"txtLuogoNasc_A", 50, KeyFilter::None, Casing::None},
        {"txtDataNasc_A", 10, KeyFilter::None, Casing::None},
        {"txtCodFisc_A", 16, KeyFilter::Alphanumeric, Casing::Upper},
        {"txtIndirizzo_A", 120, KeyFilter::None, Casing::None},
        {"txtTelefono_A", 30, KeyFilter::None, Casing::None},
        {"txtTessera_A", 50, KeyFilter::None, Casing::None},
        {"txtDataAmm_A", 10, KeyFilter::None, Casing::None},
        {"txtQuota_A", 15, KeyFilter::Amount, Casing::None},
        {"txtDataUsc_A", 10, KeyFilter::None, Casing::None},
        {"txtMotivo_A", 120, KeyFilter::None, Casing::None},
        {"txtAnnotazioni_A", 250, KeyFilter::None, Casing::None},
        {"txtOrdine_B", 6, KeyFilter::None, Casing::None},
        {"txtSocio_B", 50, KeyFilter::None, Casing::None},
        {"txtLuogoNasc_B", 50, KeyFilter::None, Casing::None},
        {"txtDataNasc_B", 10, KeyFilter::None, Casing::None},
        {"txtCodFisc_B", 16, KeyFilter::Alphanumeric, Casing::Upper},
        {"txtIndirizzo_B", 120, KeyFilter::None, Casing::None},
        {"txtTelefono_B", 30, KeyFilter::None, Casing::None},
        {"txtTessera_B", 50, KeyFilter::None, Casing::None},
        {"txtDataAmm_B", 10, KeyFilter::None, Casing::None},
        {"txtQuota_B", 15, KeyFilter::Amount, Casing::None},
        {"txtDataUsc_B", 10, KeyFilter::None, Casing::None},
        {"txtMotivo_B", 120, KeyFilter::None, Casing::None},
        {"txtAnnotazioni_B", 250, KeyFilter::None, Casing::None},
        {"txtOrdine_C", 6, KeyFilter::None, Casing::None},
        {"txtSocio_C", 50, KeyFilter::None, Casing::None},
        {"txtLuogoNasc_C", 50, KeyFilter::None, Casing::None},
        {"txtDataNasc_C", 10, KeyFilter::None, Casing::None},
        {"txtCodFisc_C", 16, KeyFilter::Alphanumeric, Casing::Upper},
        {"txtIndirizzo_C", 120, KeyFilter::None, Casing::None},
        {"txtTelefono_C", 30, KeyFilter::None, Casing::None},
        {"txtTessera_C", 50, KeyFilter::None, Casing::None},
        {"txtDataAmm_C", 10, KeyFilter::None, Casing::None},
        {"txtQuota_C", 15, KeyFilter::Amount, Casing::None},
        {"txtDataUsc_C", 10, KeyFilter::None, Casing::None},
        {"txtMotivo_C", 120, KeyFilter::None, Casing::None},
        {"txtAnnotazioni_C", 250, KeyFilter::None, Casing::None},
        {"txtOrdine_D", 6, KeyFilter::None, Casing::None},
        {"txtSocio_D", 50, KeyFilter::None, Casing::None},
        {"txtLuogoNasc_D", 50, KeyFilter::None, Casing::None},
        {"txtDataNasc_D", 10, KeyFilter::None, Casing::None},
        {"txtCodFisc_D", 16, KeyFilter::Alphanumeric, Casing::Upper},
        {"txtIndirizzo_D", 120, KeyFilter::None, Casing::None},
        {"txtTelefono_D", 30, KeyFilter::None, Casing::None},
        {"txtTessera_D", 50, KeyFilter::None, Casing::None},
        {"txtDataAmm_D", 10, KeyFilter::None, Casing::None},
        {"txtQuota_D", 15, KeyFilter::Amount, Casing::None},
        {"txtDataUsc_D", 10, KeyFilter::None, Casing::None},
        {"txtMotivo_D", 120, KeyFilter::None, Casing::None},
        {"txtAnnotazioni_D", 250, KeyFilter::None, Casing::None},
    };
    const Box movement[] = {
        {"txtData", 10, KeyFilter::None, Casing::None},
        {"txtCausale", 250, KeyFilter::None, Casing::None},
        {"txtPromemoria", 250, KeyFilter::None, Casing::None},
        {"txtDataSca", 10, KeyFilter::None, Casing::None},
        {"txtPreavviso", 3, KeyFilter::Digits, Casing::None},
        {"txtImporto", 15, KeyFilter::Amount, Casing::None},
        {"txtPagatore", 50, KeyFilter::None, Casing::None},
        {"txtRecapitoPag", 50, KeyFilter::None, Casing::None},
        {"txtCodFisc", 16, KeyFilter::None, Casing::Upper},
        {"txtPartitaIva", 11, KeyFilter::Digits, Casing::None},
        {"txtCategoria", 50, KeyFilter::None, Casing::None},
        {"txtEmail", 50, KeyFilter::None, Casing::TrimOnly},
        {"txtPagamento", 150, KeyFilter::None, Casing::None},
        {"txtBeneficiario", 50, KeyFilter::None, Casing::None},
        {"txtRecapitoBen", 50, KeyFilter::None, Casing::None},
        {"txtRicevuta", 250, KeyFilter::None, Casing::None},
        {"txtNote", 250, KeyFilter::None, Casing::None},
        {"txtTariffa", 250, KeyFilter::None, Casing::None},
    };
    const std::pair<QString, std::span<const Box>> tables[]
        = {{u"member"_s, member}, {u"page"_s, page}, {u"movement"_s, movement}};
    for (const auto &[table, boxes] : tables) {
        for (const Box &box : boxes) {
            QTest::addRow("%s %s", qPrintable(table), box.control)
                << table << QString::fromLatin1(box.control) << box.typed << box.filter
                << box.casing;
        }
    }
}

void TestRecordTables::typingRulesOfEveryBox()
{
    QFETCH(QString, table);
    QFETCH(QString, box);
    QFETCH(int, typed);
    QFETCH(KeyFilter, filter);
    QFETCH(Casing, casing);
    const RecordTable &t = tableNamed(table);
    const int index = t.indexOf(box);
    QVERIFY(index >= 0);
    const RecordTable::Field &field = t.field(index);
    QCOMPARE(field.typed, typed);
    QCOMPARE(field.filter, filter);
    QCOMPARE(field.casing, casing);
}

void TestRecordTables::printedTitlesOfThePage_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("title");
    const std::pair<const char *, const char *> bookLevel[]
        = {{"txtNumero", "LIBRO SOCI N. "}, {"txtCodFisc", "CODICE FISCALE:  "},
            {"txtPresidente", "IL PRESIDENTE:"}, {"txtSegretario", "IL SEGRETARIO:"}};
    for (const auto &[box, title] : bookLevel)
        QTest::newRow(box) << QString::fromLatin1(box) << QString::fromLatin1(title);
    // Each row's titles are the same under its own names: rows A and D, the ends.
    const std::pair<const char *, const char *> row[] = {{"txtOrdine", "N. ORD."},
        {"txtSocio", "COGNOME E NOME"}, {"txtLuogoNasc", "LUOGO DI NASCITA"},
        {"txtDataNasc", "DATA DI NASCITA"}, {"txtCodFisc", "CODICE FISCALE"},
        {"txtIndirizzo", "INDIRIZZO DI RESIDENZA"}, {"txtTelefono", "TELEFONO"},
        {"txtTessera", "TESSERA N."}, {"txtDataAmm", "DATA AMMISSIONE"},
        {"txtQuota", "QUOTA SOCIALE"}, {"txtDataUsc", "DATA USCITA"},
        {"txtMotivo", "MOTIVO USCITA"}, {"txtAnnotazioni", "ANNOTAZIONI"}};
    for (const QString &suffix : {u"_A"_s, u"_D"_s}) {
        for (const auto &[box, title] : row) {
            QTest::addRow("%s%s", box, qPrintable(suffix))
                << QString::fromLatin1(box) + suffix << QString::fromLatin1(title);
        }
    }
}

void TestRecordTables::printedTitlesOfThePage()
{
    QFETCH(QString, box);
    QFETCH(QString, title);
    const RecordTable &page = book::pageTable();
    QVERIFY(page.indexOf(box) >= 0);
    QCOMPARE(page.field(page.indexOf(box)).printCaption, title);
}

void TestRecordTables::pageRows_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("A") << int(book::RowA) << 253 << u"_A"_s;
    QTest::newRow("B") << int(book::RowB) << 1003 << u"_B"_s;
    QTest::newRow("C") << int(book::RowC) << 1753 << u"_C"_s;
    QTest::newRow("D") << int(book::RowD) << 2503 << u"_D"_s;
}

void TestRecordTables::pageRows()
{
    QFETCH(int, row);
    QFETCH(int, offset);
    QFETCH(QString, suffix);
    const RecordTable &page = book::pageTable();
    const RecordTable::Field &first = page.field(book::rowField(row, book::Order));
    const RecordTable::Field &last = page.field(book::rowField(row, book::Annotations));
    QCOMPARE(first.offset, offset);
    QCOMPARE(first.control, u"txtOrdine"_s + suffix);
    QCOMPARE(last.control, u"txtAnnotazioni"_s + suffix);
    QCOMPARE(last.offset + last.capacity + 1, offset + 750);
    QCOMPARE(page.field(book::rowField(row, book::MemberName)).control, u"txtSocio"_s + suffix);
    QCOMPARE(page.field(book::rowField(row, book::Fee)).filter, KeyFilter::Amount);
    QCOMPARE(page.field(book::rowField(row, book::TaxCode)).filter, KeyFilter::Alphanumeric);
    QCOMPARE(page.field(book::rowField(row, book::BirthDate)).control, u"txtDataNasc"_s + suffix);
    QCOMPARE(page.field(book::rowField(row, book::ExitDate)).kind, ControlKind::Date);
    // The row after the last one is the attachments.
    if (row == book::RowD)
        QCOMPARE(page.field(book::File1).offset, offset + 750);
}

void TestRecordTables::goldenRecordsDecode_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("file");
    QTest::addColumn<qint64>("position");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("member, complete")
        << u"member"_s << u"members.pro"_s << qint64(1) << test::goldenMember1();
    QTest::newRow("member, careless writer")
        << u"member"_s << u"members.pro"_s << qint64(2) << test::goldenMember2();
    QTest::newRow("page, rows A and B")
        << u"page"_s << u"pages.lib"_s << qint64(2) << test::goldenPage2();
    QTest::newRow("page, careless writer")
        << u"page"_s << u"pages.lib"_s << qint64(3) << test::goldenPage3();
    QTest::newRow("movement, settled expense")
        << u"movement"_s << u"movements.eur"_s << qint64(2) << test::goldenMovement2();
    QTest::newRow("movement, careless writer")
        << u"movement"_s << u"movements.eur"_s << qint64(3) << test::goldenMovement3();
}

void TestRecordTables::goldenRecordsDecode()
{
    QFETCH(QString, table);
    QFETCH(QString, file);
    QFETCH(qint64, position);
    QFETCH(QStringList, values);
    const RecordTable &t = tableNamed(table);
    const QByteArray record = fixtureRecord(file, position, t.recordSize());
    QCOMPARE(record.size(), t.recordSize());
    QCOMPARE(values.size(), t.fieldCount());
    for (int i = 0; i < t.fieldCount(); ++i) {
        const QString actual = t.layout().field(record, i);
        if (actual != values.at(i)) {
            const QByteArray what = fieldName(t, i) + ": \"" + actual.toUtf8() + "\" instead of \""
                + values.at(i).toUtf8() + '"';
            QFAIL(what.constData());
        }
    }
}

void TestRecordTables::goldenRecordsWriteByteForByte_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("file");
    QTest::addColumn<qint64>("position");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("member") << u"member"_s << u"members.pro"_s << qint64(1)
                            << test::goldenMember1();
    QTest::newRow("page") << u"page"_s << u"pages.lib"_s << qint64(2) << test::goldenPage2();
    QTest::newRow("movement") << u"movement"_s << u"movements.eur"_s << qint64(2)
                              << test::goldenMovement2();
}

void TestRecordTables::goldenRecordsWriteByteForByte()
{
    QFETCH(QString, table);
    QFETCH(QString, file);
    QFETCH(qint64, position);
    QFETCH(QStringList, values);
    const RecordTable &t = tableNamed(table);
    QByteArray record = t.layout().blankRecord();
    t.layout().setFields(record, values);
    const QByteArray expected = fixtureRecord(file, position, t.recordSize());
    for (int i = 0; i < t.fieldCount(); ++i) {
        const int from = t.field(i).offset;
        const int size = t.field(i).capacity + 1;
        QVERIFY2(record.mid(from, size) == expected.mid(from, size), fieldName(t, i).constData());
    }
    QCOMPARE(record, expected);
}

void TestRecordTables::fullRecords_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("file");
    QTest::newRow("page") << u"page"_s << u"pages.lib"_s;
    QTest::newRow("movement") << u"movement"_s << u"movements.eur"_s;
}

void TestRecordTables::fullRecords()
{
    // Record 1 fills every field to its capacity with the field's own character.
    QFETCH(QString, table);
    QFETCH(QString, file);
    const RecordTable &t = tableNamed(table);
    const QByteArray expected = fixtureRecord(file, 1, t.recordSize());
    const QStringList values = t.layout().fields(expected);
    for (int i = 0; i < t.fieldCount(); ++i) {
        const QString full(t.field(i).capacity, marker(i));
        QVERIFY2(values.at(i) == full, fieldName(t, i).constData());
    }
    QByteArray record = t.layout().blankRecord();
    t.layout().setFields(record, values);
    QCOMPARE(record, expected);

    // One character more in every field is cut, never spilled into the next field.
    QStringList longer = values;
    for (QString &value : longer)
        value += u'!';
    QByteArray cut = t.layout().blankRecord();
    t.layout().setFields(cut, longer);
    QCOMPARE(cut, expected);
}

void TestRecordTables::incompleteTailIsNotARecord_data()
{
    fullRecords_data();
}

void TestRecordTables::incompleteTailIsNotARecord()
{
    // Three whole records, then 1000 bytes of a fourth.
    QFETCH(QString, table);
    QFETCH(QString, file);
    const RecordTable &t = tableNamed(table);
    QTemporaryDir dir;
    const QString path = dir.filePath(file);
    QVERIFY(QFile::copy(QStringLiteral(ALMAVEST_TEST_DATA "/") + file, path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(QFileInfo(path).size(), 3 * t.recordSize() + 1000);

    ArchiveFile archive(path, t.recordSize());
    QVERIFY(archive.openForReading());
    QCOMPARE(archive.count(), 3);
    QList<qint64> visited;
    QVERIFY(archive.scan([&](qint64 position, QByteArrayView) {
        visited.append(position);
        return true;
    }));
    QCOMPARE(visited, (QList<qint64> {1, 2, 3}));
    QByteArray record;
    QVERIFY(archive.read(3, record));
    QCOMPARE(record, fixtureRecord(file, 3, t.recordSize()));
    QVERIFY(!archive.read(4, record));
}

QTEST_APPLESS_MAIN(TestRecordTables)
#include "tst_recordtables.moc"
