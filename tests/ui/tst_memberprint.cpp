// Printing and previewing the member card as it stands on screen, with or without the photo.
#include "AppFixture.h"
#include "PageModel.h"

#include "ui/print/MemberCardPrintDialog.h"
#include "ui/registry/TfrmAnagrafica.h"

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

private:
    std::unique_ptr<AppFixture> m_fixture;
};

void TestMemberPrint::init()
{
    m_fixture = std::make_unique<AppFixture>();
    m_fixture->openMemberCard();
    auto *screen = m_fixture->app().memberCard();
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
    QTest::newRow("print with photo") << "btnStampa" << "optUno" << false << true;
    QTest::newRow("print without photo") << "btnStampa" << "optDue" << false << false;
    QTest::newRow("preview with photo") << "btnAnteprima" << "optUno" << true << true;
    QTest::newRow("preview without photo") << "btnAnteprima" << "optDue" << true << false;
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
    control<QAbstractButton>(m_fixture->app().memberCard(), button.toLatin1().constData())->click();
    QCOMPARE(caption, preview ? QStringLiteral(" Anteprima di stampa") : QStringLiteral(" Stampa scheda"));

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
    QCOMPARE(text("txtCalce"), QStringLiteral("Stampa eseguita in data 10/12/2026 alle ore 10:30:15"));
    const report::ReportObject *photo = placedObject(sheet, 0, QStringLiteral("imgFoto"));
    QCOMPARE(photo != nullptr, withPhoto);
    if (photo) {
        // A member without a photo of its own is printed with the card's no-photo picture.
        QCOMPARE(photo->picture.size(), m_fixture->app().memberCard()->photo().size());
    }
}

void TestMemberPrint::cancelPrintsNothing()
{
    m_fixture->services.onNextDialog([&](QDialog &dialog) {
        control<QPushButton>(&dialog, "btnAnnulla")->click();
        return dialog.result();
    });
    control<QAbstractButton>(m_fixture->app().memberCard(), "btnStampa")->click();
    QVERIFY(m_fixture->services.printed.empty());
    QVERIFY(m_fixture->services.previewed.empty());
}

QTEST_MAIN(TestMemberPrint)
#include "tst_memberprint.moc"
