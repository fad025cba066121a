// The date picker: opened from a date field, starting on today, handing back the day chosen or
// nothing, which the field shows as dd/mm/yyyy.
#include "AppFixture.h"
#include "DialogDriving.h"

#include "book/PageRecord.h"
#include "journal/MovementRecord.h"
#include "registry/MemberRecord.h"
#include "ui/dialogs/DatePicker.h"
#include "ui/registry/MemberCardScreen.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace almavest;
using namespace almavest::test;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(const almavest::store::RecordTable *)

class TestCalendario final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<AppFixture>();
        m_fixture->openMemberCard();
        m_expiry = control<QLineEdit>(m_fixture->app().memberCardScreen(), "txtDataSca");
    }
    void cleanup() { m_fixture.reset(); }

    void opensOnTodayAndImportsWithLeadingZeros()
    {
        m_expiry->setText(QStringLiteral("15/06/2030"));
        QDate shownAtOpening;
        QString modeWord;
        m_fixture->services.onNextDialog([&](QDialog &dialog) {
            auto &picker = dynamic_cast<ui::DatePicker &>(dialog);
            shownAtOpening = picker.calendar()->selectedDate();
            modeWord = picker.lblMemory()->text();
            picker.calendar()->setSelectedDate(QDate(2015, 2, 1));
            control<QPushButton>(&picker, "btnImportaData")->click();
            return picker.result();
        });
        QTest::keyClick(m_expiry, Qt::Key_A);
        QCOMPARE(m_fixture->services.dialogsShown,
            QStringList {QStringLiteral("almavest::ui::DatePicker")});
        QCOMPARE(shownAtOpening, QDate(2026, 12, 10));
        QCOMPARE(modeWord, QStringLiteral("datasca"));
        QCOMPARE(m_expiry->text(), QStringLiteral("01/02/2015"));
    }

    void enterOpensThePickerToo()
    {
        m_fixture->services.onNextDialog([](QDialog &) { return 0; });
        QTest::keyClick(m_expiry, Qt::Key_Return);
        QCOMPARE(m_fixture->services.dialogsShown.size(), 1);
    }

    // Every way of leaving the picker without "Importa" writes nothing.
    void leavingWritesNothing_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("way");
        for (const auto &[name, before] :
            {std::pair {"empty", QString()}, std::pair {"a date", QStringLiteral("15/06/2030")}}) {
            QTest::addRow("%s, Annulla", name) << before << int(Leave::Button);
            QTest::addRow("%s, Escape", name) << before << int(Leave::Escape);
            QTest::addRow("%s, window closed", name) << before << int(Leave::Close);
        }
    }
    void leavingWritesNothing()
    {
        QFETCH(QString, before);
        QFETCH(int, way);
        m_expiry->setText(before);
        m_fixture->services.onNextDialog([way](QDialog &dialog) {
            dialog.show();
            dynamic_cast<ui::DatePicker &>(dialog).calendar()->setSelectedDate(QDate(2020, 1, 1));
            leaveDialog(dialog, Leave(way), "btnAnnulla");
            return dialog.result();
        });
        QTest::keyClick(m_expiry, Qt::Key_5);
        QCOMPARE(m_expiry->text(), before);
    }

    // A double click on a day imports it like "Importa".
    void activatingADayImportsIt()
    {
        m_fixture->services.onNextDialog([](QDialog &dialog) {
            auto *calendar = dynamic_cast<ui::DatePicker &>(dialog).calendar();
            Q_EMIT calendar->activated(QDate(2031, 12, 31));
            return dialog.result();
        });
        QTest::keyClick(m_expiry, Qt::Key_A);
        QCOMPARE(m_expiry->text(), QStringLiteral("31/12/2031"));
    }

    void backspaceAndDeleteEmptyTheField_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("backspace") << int(Qt::Key_Backspace);
        QTest::newRow("delete") << int(Qt::Key_Delete);
    }
    void backspaceAndDeleteEmptyTheField()
    {
        QFETCH(int, key);
        m_expiry->setText(QStringLiteral("15/06/2030"));
        QTest::keyClick(m_expiry, Qt::Key(key));
        QVERIFY(m_expiry->text().isEmpty());
        QVERIFY(m_fixture->services.dialogsShown.isEmpty());
    }

    // Each date box of the three cards opens the picker in its own mode, whose word the picker
    // shows; the ends of every list of date boxes.
    void dateBoxesHaveTheirModes_data()
    {
        QTest::addColumn<const store::RecordTable *>("table");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("word");
        const store::RecordTable *page = &book::pageTable();
        QTest::newRow("member expiry")
            << &registry::memberTable() << int(registry::ExpiryDate) << u"datasca"_s;
        QTest::newRow("birth, row A")
            << page << book::rowField(book::RowA, book::BirthDate) << u"datanasc_a"_s;
        QTest::newRow("birth, row D")
            << page << book::rowField(book::RowD, book::BirthDate) << u"datanasc_d"_s;
        QTest::newRow("admission, row A")
            << page << book::rowField(book::RowA, book::AdmissionDate) << u"dataamm_a"_s;
        QTest::newRow("admission, row D")
            << page << book::rowField(book::RowD, book::AdmissionDate) << u"dataamm_d"_s;
        QTest::newRow("exit, row A")
            << page << book::rowField(book::RowA, book::ExitDate) << u"datausc_a"_s;
        QTest::newRow("exit, row D")
            << page << book::rowField(book::RowD, book::ExitDate) << u"datausc_d"_s;
        QTest::newRow("movement date")
            << &journal::movementTable() << int(journal::OperationDate) << u"movimenti_data"_s;
        QTest::newRow("movement due date")
            << &journal::movementTable() << int(journal::DueDate) << u"movimenti_scadenza"_s;
    }
    void dateBoxesHaveTheirModes()
    {
        QFETCH(const store::RecordTable *, table);
        QFETCH(int, field);
        QFETCH(QString, word);
        QCOMPARE(ui::modeWord(ui::dateFieldMode(*table, field)), word);
        QString shown;
        m_fixture->services.onNextDialog([&shown](QDialog &dialog) {
            shown = control<QLabel>(&dialog, "lblMemory")->text();
            return 0;
        });
        QCOMPARE(ui::DatePicker::pick(
                     m_fixture->app().context(), nullptr, ui::dateFieldMode(*table, field)),
            std::nullopt);
        QCOMPARE(shown, word);
    }

    // Every date box of every card has a mode of its own.
    void everyDateBoxHasItsOwnMode()
    {
        QSet<QString> words;
        int dateBoxes = 0;
        for (const store::RecordTable *table :
            {&registry::memberTable(), &book::pageTable(), &journal::movementTable()}) {
            for (const store::RecordTable::Field &field : table->fields()) {
                if (field.kind != store::ControlKind::Date)
                    continue;
                ++dateBoxes;
                const QString word = ui::modeWord(ui::dateFieldMode(*table, field.index));
                QVERIFY2(!words.contains(word), qPrintable(word));
                words.insert(word);
            }
        }
        QCOMPARE(dateBoxes, 15);
        QCOMPARE(words.size(), 15);
    }

private:
    std::unique_ptr<AppFixture> m_fixture;
    QLineEdit *m_expiry = nullptr;
};

QTEST_MAIN(TestCalendario)
#include "tst_calendario.moc"
