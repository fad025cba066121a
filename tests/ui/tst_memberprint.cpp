// Printing and previewing the member card as it stands on screen, with or without the photo.
#include "AppFixture.h"
#include "PageModel.h"
#include "TemplatesRemoved.h"

#include "ui/print/MemberCardPrintDialog.h"
#include "ui/print/ReportOutput.h"
#include "ui/registry/MemberCardScreen.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace almavest;
using namespace almavest::test;

class TestMemberPrint final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_fixture.reset(); }

    void printsTheUnsavedCard_data();
    void printsTheUnsavedCard();
    void cancelPrintsNothing();
    void rowsComeFromTheValuesHandedIn_data();
    void rowsComeFromTheValuesHandedIn();
    void unreadableTemplateIsReported_data();
    void unreadableTemplateIsReported();

private:
    std::unique_ptr<AppFixture> m_fixture;
};

void TestMemberPrint::init()
{
    m_fixture = std::make_unique<AppFixture>();
    m_fixture->openMemberCard();
    auto *screen = m_fixture->app().memberCardScreen();
    control<QLineEdit>(screen, "txtDipendente")->setText(QStringLiteral("Rossi Mario"));
    control<QLineEdit>(screen, "txtStipendio")->setText(QStringLiteral("25,00"));
    control<QLineEdit>(screen, "txtCitta")->setText(QStringLiteral("  Forlì "));
    control<QLineEdit>(screen, "txtEmail")->setText(QStringLiteral("mario@example.it"));
}

void TestMemberPrint::printsTheUnsavedCard_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("preview");
    QTest::addColumn<bool>("withPhoto");
    QTest::newRow("print with photo") << "btnStampa"
                                      << "optUno" << false << true;
    QTest::newRow("print without photo") << "btnStampa"
                                         << "optDue" << false << false;
    QTest::newRow("preview with photo") << "btnAnteprima"
                                        << "optUno" << true << true;
    QTest::newRow("preview without photo") << "btnAnteprima"
                                           << "optDue" << true << false;
}

void TestMemberPrint::printsTheUnsavedCard()
{
    QFETCH(QString, button);
    QFETCH(QString, option);
    QFETCH(bool, preview);
    QFETCH(bool, withPhoto);
    QString caption;
    m_fixture->services.onNextDialog([&](QDialog &dialog) {
        caption = dialog.windowTitle();
        control<QRadioButton>(&dialog, option.toLatin1().constData())->click();
        control<QPushButton>(&dialog, "btnStampa")->click();
        return dialog.result();
    });
    control<QAbstractButton>(m_fixture->app().memberCardScreen(), button.toLatin1().constData())
        ->click();
    QCOMPARE(caption,
        preview ? QStringLiteral(" Anteprima di stampa") : QStringLiteral(" Stampa scheda"));

    const auto &out = preview ? m_fixture->services.previewed : m_fixture->services.printed;
    QCOMPARE(out.size(), size_t(1));
    QVERIFY((preview ? m_fixture->services.printed : m_fixture->services.previewed).empty());
    const report::PreparedReport &sheet = out.front();
    QCOMPARE(sheet.name, QStringLiteral("Scheda informativa"));
    QCOMPARE(sheet.pages.size(), size_t(1));
    QCOMPARE(sheet.layout.orientation(), QPageLayout::Portrait);
    const auto text = [&](const char *name) {
        const report::ReportObject *object = placedObject(sheet, 0, QLatin1String(name));
        return object ? object->lines.join(u'\n') : QStringLiteral("<missing>");
    };
    QCOMPARE(text("txtTitolo"), QStringLiteral("SCHEDA DATI ANAGRAFICI SOCIO"));
    QCOMPARE(text("titCampo03"), QStringLiteral("Quota associativa:"));
    QCOMPARE(text("txtCampo03"), QStringLiteral("€ 25,00"));
    QCOMPARE(text("txtCampo01"), QStringLiteral("Rossi Mario"));
    QCOMPARE(text("titCampo09"), QStringLiteral("Città:"));
    QCOMPARE(text("txtCampo09"), QStringLiteral("Forlì"));
    QCOMPARE(text("txtCampo18"), QStringLiteral("mario@example.it"));
    QCOMPARE(
        text("txtCalce"), QStringLiteral("Stampa eseguita in data 10/12/2026 alle ore 10:30:15"));
    const report::ReportObject *photo = placedObject(sheet, 0, QStringLiteral("imgFoto"));
    QCOMPARE(photo != nullptr, withPhoto);
    if (photo) {
        // A member without a photo of its own is printed with the card's no-photo picture.
        QCOMPARE(photo->picture.size(), m_fixture->app().memberCardScreen()->photo().size());
    }
}

void TestMemberPrint::cancelPrintsNothing()
{
    m_fixture->services.onNextDialog([&](QDialog &dialog) {
        control<QPushButton>(&dialog, "btnAnnulla")->click();
        return dialog.result();
    });
    control<QAbstractButton>(m_fixture->app().memberCardScreen(), "btnStampa")->click();
    QVERIFY(m_fixture->services.printed.empty());
    QVERIFY(m_fixture->services.previewed.empty());
}

void TestMemberPrint::rowsComeFromTheValuesHandedIn_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("value");
    QTest::newRow("first row") << 1 << "Cognome e nome:"
                               << "v00";
    QTest::newRow("fee") << 3 << "Quota associativa:"
                         << "€ v02";
    QTest::newRow("address, its printed caption") << 8 << "Indirizzo di residenza:"
                                                  << "v07";
    QTest::newRow("province") << 10 << "Provincia:"
                              << "v09";
    QTest::newRow("expiry, before the notice days") << 16 << "Scadenza iscrizione:"
                                                    << "v15";
    QTest::newRow("telephone, after the notice days") << 17 << "Recapito telefonico:"
                                                      << "v17";
    QTest::newRow("last row") << 18 << "E-mail:"
                              << "v18";
}

// The dialog prints the values it is given, whatever the member card shows, and never the
// notice days or the attachments.
void TestMemberPrint::rowsComeFromTheValuesHandedIn()
{
    QFETCH(int, row);
    QFETCH(QString, caption);
    QFETCH(QString, value);
    QStringList values;
    for (int field = 0; field < 25; ++field)
        values.append(QStringLiteral(" v%1 ").arg(field, 2, 10, QLatin1Char('0')));
    ui::MemberCardPrint dialog(
        m_fixture->app().context(), m_fixture->app().memberCardScreen(), values, QImage());
    control<QRadioButton>(&dialog, "optDue")->click();
    control<QPushButton>(&dialog, "btnStampa")->click();
    QCOMPARE(m_fixture->services.printed.size(), size_t(1));
    const report::PreparedReport &sheet = m_fixture->services.printed.front();
    const QString suffix = QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0'));
    QCOMPARE(placedOn(sheet, 0, QStringLiteral("titCampo") + suffix).lines, QStringList {caption});
    QCOMPARE(placedOn(sheet, 0, QStringLiteral("txtCampo") + suffix).lines, QStringList {value});
    const QStringList texts = pageTexts(sheet, 0);
    QVERIFY(!texts.contains(QStringLiteral("v16")));
    QVERIFY(!texts.contains(QStringLiteral("v19")));
}

void TestMemberPrint::unreadableTemplateIsReported_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("print") << "btnStampa";
    QTest::newRow("preview") << "btnAnteprima";
}

// Without its templates nothing is printed or previewed, and the user is told why.
void TestMemberPrint::unreadableTemplateIsReported()
{
    QFETCH(QString, button);
    m_fixture->services.onNextDialog([&](QDialog &dialog) {
        control<QPushButton>(&dialog, "btnStampa")->click();
        return dialog.result();
    });
    {
        const TemplatesRemoved removed;
        control<QAbstractButton>(m_fixture->app().memberCardScreen(), button.toLatin1().constData())
            ->click();
    }
    QVERIFY(m_fixture->services.printed.empty());
    QVERIFY(m_fixture->services.previewed.empty());
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QCOMPARE(m_fixture->services.messages.first().kind, ui::MessageKind::Error);
    QCOMPARE(m_fixture->services.lastMessage(), ui::unreadableTemplateMessage());
}

QTEST_MAIN(TestMemberPrint)
#include "tst_memberprint.moc"
