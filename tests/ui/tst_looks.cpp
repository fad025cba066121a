// The program's one style sheet: every screen and dialog takes its look from it, and none
// carries a sheet of its own.
#include "AppFixture.h"

#include "ui/registry/MemberCardScreen.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

using namespace almavest;
using namespace almavest::test;

namespace {

// The objectNames of the widgets that carry a style sheet of their own.
QStringList ownSheets()
{
    QStringList names;
    const auto widgets = QApplication::allWidgets();
    for (const QWidget *widget : widgets) {
        if (!widget->styleSheet().isEmpty())
            names.append(widget->objectName());
    }
    return names;
}

QColor textColour(QWidget *dialog, const char *name)
{
    auto *label = control<QLabel>(dialog, name);
    label->ensurePolished();
    return label->palette().color(QPalette::WindowText);
}

} // namespace

class TestLooks final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<AppFixture>();
        m_fixture->openMemberCard();
    }
    void cleanup() { m_fixture.reset(); }

    void residentScreensUseTheProgramSheet()
    {
        QVERIFY(qApp->styleSheet().contains(QStringLiteral("#panAnagrafica")));
        QCOMPARE(ownSheets(), QStringList());
    }

    void dialogsUseTheProgramSheet_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("date picker") << "txtDataSca"
                                     << "lblCampo001" << QColor(Qt::white);
        QTest::newRow("member search") << "btnTrova"
                                       << "lblAttendere" << QColor(0xB2, 0x22, 0x22);
        QTest::newRow("print") << "btnStampa"
                               << "icoIstruzioni01" << QColor(Qt::white);
        QTest::newRow("preview") << "btnAnteprima"
                                 << "icoIstruzioni01" << QColor(Qt::white);
        QTest::newRow("expired") << "btnScaduti"
                                 << "lblRigo01" << QColor();
        QTest::newRow("expiring") << "btnScadenze"
                                  << "lblRigo01" << QColor();
    }
    void dialogsUseTheProgramSheet()
    {
        QFETCH(QString, opener);
        QFETCH(QString, label);
        QFETCH(QColor, colour);
        bool ran = false;
        QStringList sheets;
        QColor shown;
        m_fixture->services.onNextDialog([&](QDialog &dialog) {
            sheets = ownSheets();
            shown = textColour(&dialog, label.toLatin1().constData());
            ran = true;
            return int(QDialog::Rejected);
        });
        QWidget *card = m_fixture->app().memberCardScreen();
        if (opener == QLatin1String("txtDataSca"))
            QTest::keyClick(control<QLineEdit>(card, "txtDataSca"), Qt::Key_A);
        else
            control<QAbstractButton>(card, opener.toLatin1().constData())->click();
        QVERIFY(ran);
        QCOMPARE(sheets, QStringList());
        if (colour.isValid())
            QCOMPARE(shown, colour);
    }

private:
    std::unique_ptr<AppFixture> m_fixture;
};

QTEST_MAIN(TestLooks)
#include "tst_looks.moc"
