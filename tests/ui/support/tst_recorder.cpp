#include "AppFixture.h"

#include <QDialog>
#include <QTest>

#include <memory>

using namespace almavest;
using test::AppFixture;
using test::RecordingServices;

// The recorder itself: every function but the first must fail, each with the reason the test
// registration looks for in the output, so a recorder that lets a question or a leftover pass
// silently fails this test.
class TestRecorder final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_fixture = std::make_unique<AppFixture>(); }
    // The leftover check runs here, as it does after every screen test.
    void cleanup() { m_fixture.reset(); }

    void everyScriptedAnswerUsed();
    void answersLeftOver();
    void unscriptedQuestion();
    void unscriptedFileDialogs();
    void unscriptedDialog();
    void failureHidesLeftovers();

private:
    RecordingServices &services() { return m_fixture->services; }
    std::unique_ptr<AppFixture> m_fixture;
};

void TestRecorder::everyScriptedAnswerUsed()
{
    services().answerNextQuestion(false);
    services().answerNextOpenFile(QStringLiteral("/tmp/foto.jpg"));
    services().answerNextSaveFile(QString());
    services().rejectNextDialog();
    QDialog dialog;
    QVERIFY(!services().message(nullptr, ui::MessageKind::Question, QStringLiteral("Salvare?")));
    QCOMPARE(services().openFileName(nullptr, QStringLiteral("Apri"), QString()),
        QStringLiteral("/tmp/foto.jpg"));
    QVERIFY(
        services().saveFileName(nullptr, QStringLiteral("Salva"), QString(), QString()).isEmpty());
    QCOMPARE(services().execDialog(dialog), int(QDialog::Rejected));
}

void TestRecorder::answersLeftOver()
{
    services().answerNextQuestion(true);
    services().answerNextOpenFile(QStringLiteral("/tmp/foto.jpg"));
    services().onNextDialog([](QDialog &) { return int(QDialog::Accepted); });
    // Information messages take no answer.
    services().message(nullptr, ui::MessageKind::Information, QStringLiteral("Fatto."));
}

void TestRecorder::unscriptedQuestion()
{
    services().message(nullptr, ui::MessageKind::Question, QStringLiteral("Cancellare la scheda?"));
}

void TestRecorder::unscriptedFileDialogs()
{
    services().openFileName(nullptr, QStringLiteral("Scegli la foto"), QString());
}

void TestRecorder::unscriptedDialog()
{
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Calendario"));
    QCOMPARE(services().execDialog(dialog), int(QDialog::Rejected));
}

void TestRecorder::failureHidesLeftovers()
{
    services().answerNextQuestion(false);
    QFAIL("the test's own failure");
}

QTEST_MAIN(TestRecorder)
#include "tst_recorder.moc"
