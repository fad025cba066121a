// The date picker: opened from a date field, starting on today, handing back the day chosen or
// nothing, which the field shows as dd/mm/yyyy.
#include "AppFixture.h"
#include "DialogDriving.h"

#include "ui/dialogs/DatePicker.h"
#include "ui/registry/MemberCardScreen.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>

using namespace almavest;
using namespace almavest::test;

namespace {

// In a child process started with this variable set, the picker is opened with its value as
// mode word.
constexpr char kChildWord[] = "ALMAVEST_PICKER_WORD";

} // namespace

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

    // A mode word that names no date field is a mistake in the calling code: the program stops
    // at once instead of leaving a date field that never fills. Run in a child process.
    void unknownModeWordStopsTheProgram_data()
    {
        QTest::addColumn<QString>("word");
        QTest::newRow("unknown") << QStringLiteral("sconosciuto");
        QTest::newRow("case matters") << QStringLiteral("DataSca");
        QTest::newRow("empty") << QString();
    }
    void unknownModeWordStopsTheProgram()
    {
        QFETCH(QString, word);
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(kChildWord), word);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForFinished(30000));
        QVERIFY(child.exitStatus() == QProcess::CrashExit || child.exitCode() != 0);
        QVERIFY(child.readAllStandardError().contains("unknown mode word"));
    }

private:
    std::unique_ptr<AppFixture> m_fixture;
    QLineEdit *m_expiry = nullptr;
};

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (qEnvironmentVariableIsSet(kChildWord)) {
        AppFixture fixture;
        ui::DatePicker::pick(fixture.app().context(), nullptr, qEnvironmentVariable(kChildWord));
        return 0;
    }
    TestCalendario test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_calendario.moc"
