// The codice fiscale made from the card's data: what the dialog needs before it offers a code, the
// birth place completed from the register, the card's own code replaced only when the user says
// so, and the warning on saving a card whose code disagrees with its birth date or place.
#include "AppFixture.h"

#include "book/PageRecord.h"
#include "registry/MemberRecord.h"
#include "ui/app/Application.h"
#include "ui/app/PasswordScreen.h"
#include "ui/book/BookPageScreen.h"
#include "ui/checks/TaxCodeMaker.h"
#include "ui/registry/MemberCardScreen.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace almavest;
using namespace almavest::test;
using namespace Qt::StringLiterals;

namespace {

const QString kRossi = u"RSSMRA85T10A562S"_s; // Rossi Mario, 10/12/1985, San Giuliano Terme (PI)

} // namespace

class TestTaxCodeMaker final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_fixture = std::make_unique<AppFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void codeOnceEveryPieceIsThere_data();
    void codeOnceEveryPieceIsThere();
    void birthPlaceCompleted_data();
    void birthPlaceCompleted();
    void cardCodeReplacedOnlyWhenAsked_data();
    void cardCodeReplacedOnlyWhenAsked();
    void cardButtonPutsTheCodeOnTheCard();
    void savingACodeThatDisagrees_data();
    void savingACodeThatDisagrees();
    void bookPageRowsToo();

private:
    using Maker = ui::TaxCodeMaker;
    template <typename T> static T *at(QWidget *dialog, const char *name)
    {
        return control<T>(dialog, name);
    }
    std::unique_ptr<AppFixture> m_fixture;
};

void TestTaxCodeMaker::codeOnceEveryPieceIsThere_data()
{
    QTest::addColumn<QString>("fullName");
    QTest::addColumn<QString>("sex"); // the radio button to check, or empty
    QTest::addColumn<QString>("birthDate");
    QTest::addColumn<QString>("birthPlace");
    QTest::addColumn<QString>("code"); // empty: no code offered
    QTest::addColumn<QString>("missing"); // a piece of the text naming what is missing
    QTest::newRow("a man") << u"Rossi Mario"_s << u"optMaschio"_s << u"10/12/1985"_s
                           << u"san giuliano terme"_s << kRossi << u""_s;
    QTest::newRow("the place with its province, the year in two digits")
        << u"Rossi Mario"_s << u"optMaschio"_s << u"10/12/85"_s << u"SAN GIULIANO TERME (PI)"_s
        << kRossi << u""_s;
    QTest::newRow("the place's name on the birth date")
        << u"Rossi Mario"_s << u"optMaschio"_s << u"10/12/1930"_s << u"Bagni San Giuliano"_s
        << u"RSSMRA30T10A562"_s << u""_s;
    QTest::newRow("no sex chosen") << u"Rossi Mario"_s << u""_s << u"10/12/1985"_s
                                   << u"San Giuliano Terme"_s << u""_s << u"il sesso"_s;
    QTest::newRow("a surname of no Latin letter")
        << u"Ωμέγα Anna"_s << u"optFemmina"_s << u"10/12/1985"_s << u"San Giuliano Terme"_s << u""_s
        << u"il cognome"_s;
    QTest::newRow("no name") << u"Rossi"_s << u"optMaschio"_s << u"10/12/1985"_s
                             << u"San Giuliano Terme"_s << u""_s << u"il nome"_s;
    QTest::newRow("a date that cannot be read")
        << u"Rossi Mario"_s << u"optMaschio"_s << u"31/02/1985"_s << u"San Giuliano Terme"_s
        << u""_s << u"una data di nascita valida"_s;
    QTest::newRow("a birth after today")
        << u"Rossi Mario"_s << u"optMaschio"_s << u"11/12/2026"_s << u"San Giuliano Terme"_s
        << u""_s << u"una data di nascita valida"_s;
    QTest::newRow("a place the lists do not know")
        << u"Rossi Mario"_s << u"optMaschio"_s << u"10/12/1985"_s << u"Atlantide"_s << u""_s
        << u"un luogo di nascita dell'elenco"_s;
    QTest::newRow("a name two comuni bear")
        << u"Rossi Mario"_s << u"optMaschio"_s << u"10/12/1985"_s << u"Castro"_s << u""_s
        << u"la provincia del luogo di nascita"_s;
    QTest::newRow("one of the two, by its province")
        << u"Rossi Mario"_s << u"optFemmina"_s << u"10/12/1985"_s << u"Castro (LE)"_s
        << u"RSSMRA85T50M261"_s << u""_s;
    QTest::newRow("born abroad") << u"Smith John"_s << u"optMaschio"_s << u"31/12/1970"_s
                                 << u"Stati Uniti d'America"_s << u"SMTJHN70T31Z404"_s << u""_s;
}

// The dialog opens on what the card knows and shows the code as soon as every piece is there;
// until then it says what is missing and offers nothing.
void TestTaxCodeMaker::codeOnceEveryPieceIsThere()
{
    QFETCH(QString, fullName);
    QFETCH(QString, sex);
    QFETCH(QString, birthDate);
    QFETCH(QString, birthPlace);
    QFETCH(QString, code);
    QFETCH(QString, missing);
    Maker maker(m_fixture->app().context(), nullptr, {fullName, birthDate, birthPlace, {}});
    QVERIFY(!maker.madeCode());
    if (!sex.isEmpty())
        at<QRadioButton>(&maker, sex.toLatin1().constData())->click();
    const QString shown = at<QLabel>(&maker, "lblCodice")->text();
    const QString said = at<QLabel>(&maker, "lblMancanti")->text();
    if (code.isEmpty()) {
        QVERIFY(!maker.madeCode());
        QVERIFY(!at<QPushButton>(&maker, "btnUsa")->isEnabled());
        QVERIFY2(said.contains(missing), qPrintable(said));
    } else {
        QVERIFY(maker.madeCode());
        QCOMPARE(maker.madeCode()->left(code.size()), code);
        QCOMPARE(shown, *maker.madeCode());
        QVERIFY(at<QPushButton>(&maker, "btnUsa")->isEnabled());
        QVERIFY(said.isEmpty());
    }
}

void TestTaxCodeMaker::birthPlaceCompleted_data()
{
    QTest::addColumn<QString>("where");
    QTest::newRow("the dialog") << u"dialog"_s;
    QTest::newRow("the member card") << u"card"_s;
    QTest::newRow("the last row of a book page") << u"page"_s;
}

// Typing part of a place's name, without its accent, offers the places that begin so, the
// current ones first; taking one fills the box (and, in the dialog, makes the code).
void TestTaxCodeMaker::birthPlaceCompleted()
{
    QFETCH(QString, where);
    Maker maker(m_fixture->app().context(), nullptr, {u"Neri Anna"_s, u"01/06/1980"_s, {}, {}});
    QWidget *window = &maker;
    QLineEdit *place = nullptr;
    if (where == u"dialog") {
        at<QRadioButton>(&maker, "optFemmina")->click();
        place = at<QLineEdit>(&maker, "txtLuogoNascita");
    } else if (where == u"card") {
        m_fixture->openMemberCard();
        window = m_fixture->app().memberCardScreen();
        place = m_fixture->app().memberCardScreen()->box(registry::BirthPlace);
    } else {
        ui::BookPageScreen *page = m_fixture->app().bookPageScreen();
        page->openBook(
            m_fixture->app().passwordScreen(), m_fixture->file(u"Soci 2026.lib"_s), u"Soci 2026"_s);
        window = page;
        place = page->box(book::rowField(book::RowD, book::BirthPlace));
    }
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    place->setFocus();
    QTest::keyClicks(place, u"f"_s);
    QVERIFY(!place->completer() || !place->completer()->popup()->isVisible());
    QTest::keyClicks(place, u"orl"_s);
    QAbstractItemModel *offered = place->completer()->completionModel();
    QVERIFY(offered->rowCount() >= 2);
    QCOMPARE(offered->index(0, 0).data().toString(), u"FORLÌ (FC)"_s);
    QVERIFY(place->completer()->popup()->isVisible());
    QTest::keyClick(place->completer()->popup(), Qt::Key_Down);
    QTest::keyClick(place->completer()->popup(), Qt::Key_Return);
    QCOMPARE(place->text(), u"FORLÌ (FC)"_s);
    if (where == u"dialog")
        QCOMPARE(maker.madeCode().value_or(QString()).left(15), u"NRENNA80H41D704"_s);
}

void TestTaxCodeMaker::cardCodeReplacedOnlyWhenAsked_data()
{
    QTest::addColumn<QString>("cardCode");
    QTest::addColumn<int>("answers"); // -1: no question; 0 no; 1 yes
    QTest::addColumn<bool>("taken");
    QTest::newRow("no code on the card") << u""_s << -1 << true;
    QTest::newRow("the same code, in lower case") << kRossi.toLower() << -1 << true;
    QTest::newRow("another code, kept") << u"RSSMRA85T10A56NH"_s << 0 << false;
    QTest::newRow("another code, replaced") << u"RSSMRA85T10A56NH"_s << 1 << true;
}

// "Usa questo codice" hands the code back; a card holding another code (the Agenzia's for a
// homonym, say) keeps it unless the user answers yes.
void TestTaxCodeMaker::cardCodeReplacedOnlyWhenAsked()
{
    QFETCH(QString, cardCode);
    QFETCH(int, answers);
    QFETCH(bool, taken);
    if (answers >= 0)
        m_fixture->services.answerNextQuestion(answers == 1);
    m_fixture->services.onNextDialog([](QDialog &dialog) {
        at<QRadioButton>(&dialog, "optMaschio")->click();
        at<QPushButton>(&dialog, "btnUsa")->click();
        if (dialog.isVisible() || dialog.result() != QDialog::Accepted)
            at<QPushButton>(&dialog, "btnChiudi")->click();
        return dialog.result();
    });
    const std::optional<QString> chosen = Maker::make(m_fixture->app().context(), nullptr,
        {u"Rossi Mario"_s, u"10/12/1985"_s, u"San Giuliano Terme"_s, cardCode});
    QCOMPARE(chosen, taken ? std::optional<QString>(kRossi) : std::nullopt);
    if (answers >= 0) {
        QCOMPARE(m_fixture->services.messages.size(), 1);
        QVERIFY(m_fixture->services.lastMessage().contains(u"RSSMRA85T10A56NH"_s));
    } else {
        QVERIFY(m_fixture->services.messages.isEmpty());
    }
}

// The button beside the card's codice fiscale opens the dialog on the card's data and puts the
// code taken on the card.
void TestTaxCodeMaker::cardButtonPutsTheCodeOnTheCard()
{
    m_fixture->openMemberCard();
    ui::MemberCardScreen *card = m_fixture->app().memberCardScreen();
    card->box(registry::Name)->setText(u"Rossi Mario"_s);
    card->box(registry::BirthDate)->setText(u"10/12/1985"_s);
    card->box(registry::BirthPlace)->setText(u"San Giuliano Terme"_s);
    QString surname;
    m_fixture->services.onNextDialog([&surname](QDialog &dialog) {
        surname = at<QLineEdit>(&dialog, "txtCognome")->text();
        at<QRadioButton>(&dialog, "optMaschio")->click();
        at<QPushButton>(&dialog, "btnUsa")->click();
        return dialog.result();
    });
    control<QAbstractButton>(card, "btnCalcolaCF")->click();
    QCOMPARE(surname, u"Rossi"_s);
    QCOMPARE(card->box(registry::TaxCode)->text(), kRossi);
}

void TestTaxCodeMaker::savingACodeThatDisagrees_data()
{
    QTest::addColumn<QString>("birthDate");
    QTest::addColumn<QString>("birthPlace");
    QTest::addColumn<int>("answer"); // -1: no question
    QTest::addColumn<bool>("saved");
    QTest::newRow("it agrees") << u"10/12/1985"_s << u"San Giuliano Terme"_s << -1 << true;
    QTest::newRow("another day, saved all the same") << u"11/12/1985"_s << u""_s << 1 << true;
    QTest::newRow("another day, not saved") << u"11/12/1985"_s << u""_s << 0 << false;
    QTest::newRow("another comune, not saved") << u"10/12/1985"_s << u"Pisa"_s << 0 << false;
}

// A card whose codice fiscale disagrees with its birth date or place is saved only when the
// user says so, told what disagrees; otherwise nothing is written and the code has the focus.
void TestTaxCodeMaker::savingACodeThatDisagrees()
{
    QFETCH(QString, birthDate);
    QFETCH(QString, birthPlace);
    QFETCH(int, answer);
    QFETCH(bool, saved);
    m_fixture->openMemberCard();
    ui::MemberCardScreen *card = m_fixture->app().memberCardScreen();
    card->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(card));
    card->box(registry::Name)->setText(u"Rossi Mario"_s);
    card->box(registry::Fee)->setText(u"25,00"_s);
    card->box(registry::ExpiryDate)->setText(u"31/12/2027"_s);
    card->box(registry::TaxCode)->setText(kRossi);
    card->box(registry::BirthDate)->setText(birthDate);
    card->box(registry::BirthPlace)->setText(birthPlace);
    if (answer >= 0)
        m_fixture->services.answerNextQuestion(answer == 1);
    control<QAbstractButton>(card, "btnSalva")->click();
    const QList<QStringList> stored
        = readMembers(m_fixture->file(QLatin1String(registry::kMemberArchiveName)));
    QCOMPARE(stored.size(), saved ? 1 : 0);
    const auto &messages = m_fixture->services.messages;
    if (answer >= 0) {
        QCOMPARE(messages.first().kind, ui::MessageKind::Question);
        QVERIFY(messages.first().text.contains(birthPlace.isEmpty()
                ? u"la data di nascita (nel codice: 10/12/1985)"_s
                : u"il luogo di nascita (nel codice: SAN GIULIANO TERME (PI))"_s));
    }
    if (!saved) {
        QCOMPARE(messages.size(), 1);
        QCOMPARE(QApplication::focusWidget(), card->box(registry::TaxCode));
    } else {
        QVERIFY(m_fixture->services.lastMessage().contains(u"inserita in archivio"_s));
    }
}

// Each member row of a book page has its own button, which fills that row's code only; saving a
// page with a row whose code disagrees asks first, naming the row.
void TestTaxCodeMaker::bookPageRowsToo()
{
    ui::BookPageScreen *page = m_fixture->app().bookPageScreen();
    page->openBook(
        m_fixture->app().passwordScreen(), m_fixture->file(u"Soci 2026.lib"_s), u"Soci 2026"_s);
    const auto rowBox
        = [page](int row, int field) { return page->box(book::rowField(row, field)); };
    rowBox(book::RowC, book::MemberName)->setText(u"Rossi Mario"_s);
    rowBox(book::RowC, book::BirthDate)->setText(u"10/12/1985"_s);
    rowBox(book::RowC, book::BirthPlace)->setText(u"San Giuliano Terme"_s);
    m_fixture->services.onNextDialog([](QDialog &dialog) {
        at<QRadioButton>(&dialog, "optMaschio")->click();
        at<QPushButton>(&dialog, "btnUsa")->click();
        return dialog.result();
    });
    control<QAbstractButton>(page, "calcCF_C")->click();
    QCOMPARE(rowBox(book::RowC, book::TaxCode)->text(), kRossi);
    QVERIFY(rowBox(book::RowB, book::TaxCode)->text().isEmpty());

    rowBox(book::RowC, book::BirthPlace)->setText(u"Pisa"_s);
    m_fixture->services.answerNextQuestion(false);
    page->box(book::BookNumber)->setText(u"1"_s);
    page->box(book::Association)->setText(u"Circolo Il Faro"_s);
    page->box(book::AssociationTaxCode)->setText(u"12345670371"_s);
    rowBox(book::RowA, book::Order)->setText(u"1"_s);
    rowBox(book::RowA, book::MemberName)->setText(u"Bianchi Anna"_s);
    control<QAbstractButton>(page, "cmdSalva")->click();
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QVERIFY(m_fixture->services.lastMessage().contains(
        u"- riga C, RSSMRA85T10A562S: il luogo di nascita (nel codice: SAN GIULIANO TERME (PI))"_s));
    QVERIFY(!QFileInfo::exists(m_fixture->file(u"Soci 2026.lib"_s))
        || QFileInfo(m_fixture->file(u"Soci 2026.lib"_s)).size() == 0);
}

QTEST_MAIN(TestTaxCodeMaker)
#include "tst_taxcodemaker.moc"
