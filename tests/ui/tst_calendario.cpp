// The date picker: opened from a date field, starting on today, writing dd/mm/yyyy or nothing.
#include "AppFixture.h"

#include "ui/dialogs/TfrmCalendario.h"
#include "ui/registry/TfrmAnagrafica.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace almavest;
using namespace almavest::test;

class TestCalendario final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<AppFixture>();
        m_fixture->openMemberCard();
        m_expiry = control<QLineEdit>(m_fixture->app().memberCard(), "txtDataSca");
    }
    void cleanup() { m_fixture.reset(); }

    void opensOnTodayAndImportsWithLeadingZeros()
    {
        m_expiry->setText(QStringLiteral("15/06/2030"));
        QDate shownAtOpening;
        QString modeWord;
        m_fixture->services.onNextDialog([&](QDialog &dialog) {
            auto &picker = dynamic_cast<ui::TfrmCalendario &>(dialog);
            shownAtOpening = picker.calendar()->selectedDate();
            modeWord = picker.lblMemory()->text();
            picker.calendar()->setSelectedDate(QDate(2015, 2, 1));
            control<QPushButton>(&picker, "btnImportaData")->click();
            return picker.result();
        });
        QTest::keyClick(m_expiry, Qt::Key_A);
        QCOMPARE(m_fixture->services.dialogsShown, QStringList{QStringLiteral("almavest::ui::TfrmCalendario")});
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

    void cancelWritesNothing_data()
    {
        QTest::addColumn<QString>("before");
        QTest::newRow("empty") << QString();
        QTest::newRow("a date") << QStringLiteral("15/06/2030");
    }
    void cancelWritesNothing()
    {
        QFETCH(QString, before);
        m_expiry->setText(before);
        m_fixture->services.onNextDialog([](QDialog &dialog) {
            dynamic_cast<ui::TfrmCalendario &>(dialog).calendar()->setSelectedDate(QDate(2020, 1, 1));
            control<QPushButton>(&dialog, "btnAnnulla")->click();
            return dialog.result();
        });
        QTest::keyClick(m_expiry, Qt::Key_5);
        QCOMPARE(m_expiry->text(), before);
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

    // A word with no field to fill leaves the picker open and writes nothing anywhere.
    void unknownModeWordKeepsThePickerOpen_data()
    {
        QTest::addColumn<QString>("word");
        QTest::newRow("unknown") << QStringLiteral("sconosciuto");
        QTest::newRow("case matters") << QStringLiteral("DataSca");
    }
    void unknownModeWordKeepsThePickerOpen()
    {
        QFETCH(QString, word);
        ui::TfrmCalendario picker(m_fixture->app().context(), m_fixture->app().memberCard());
        picker.lblMemory()->setText(word);
        picker.show();
        control<QPushButton>(&picker, "btnImportaData")->click();
        QVERIFY(picker.isVisible());
        QVERIFY(m_expiry->text().isEmpty());
    }

private:
    std::unique_ptr<AppFixture> m_fixture;
    QLineEdit *m_expiry = nullptr;
};

QTEST_MAIN(TestCalendario)
#include "tst_calendario.moc"
