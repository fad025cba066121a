#include "RecordingServices.h"

#include "store/ScanControl.h"

#include <QDialog>
#include <QTest>
#include <QUrl>

#include <chrono>
#include <thread>

namespace almavest::test {

namespace {

// Uses up one of the failures scripted in `count`; false when none is left.
bool takeFailure(int &count)
{
    if (count == 0)
        return false;
    --count;
    return true;
}

// Fails the running test with `what`; outside a test function there is nothing to fail, and the
// reason still reaches the log.
void failTest(const QString &what)
{
    if (QTest::currentTestFunction())
        QTest::qFail(qPrintable(what), __FILE__, __LINE__);
    else
        qCritical("%s", qPrintable(what));
}

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

RecordingServices::~RecordingServices()
{
    verifyScriptUsedUp();
}

bool RecordingServices::message(QWidget *, ui::MessageKind kind, const QString &text)
{
    messages.append({false, kind, text});
    if (kind != ui::MessageKind::Question)
        return true;
    if (m_answers.empty()) {
        // "No" is the answer that changes nothing, so the test fails on the question alone.
        failTest(QStringLiteral("unscripted question: ") + quoted(text));
        return false;
    }
    const bool yes = m_answers.front();
    m_answers.pop_front();
    return yes;
}

void RecordingServices::plainMessage(QWidget *, const QString &text)
{
    messages.append({true, ui::MessageKind::Information, text});
}

QString RecordingServices::openFileName(QWidget *, const QString &title, const QString &)
{
    fileDialogTitles.append(title);
    if (m_openFiles.empty()) {
        failTest(QStringLiteral("unscripted open file dialog: ") + quoted(title));
        return {};
    }
    QString path = m_openFiles.front();
    m_openFiles.pop_front();
    return path;
}

QString RecordingServices::saveFileName(
    QWidget *, const QString &title, const QString &, const QString &proposedName)
{
    fileDialogTitles.append(title);
    proposedNames.append(proposedName);
    if (m_saveFiles.empty()) {
        failTest(QStringLiteral("unscripted save file dialog: ") + quoted(title));
        return {};
    }
    QString path = m_saveFiles.front();
    m_saveFiles.pop_front();
    return path;
}

bool RecordingServices::openFile(QWidget *, const QString &path)
{
    openedFiles.append(path);
    return !takeFailure(m_failingOpens);
}

bool RecordingServices::openAddress(QWidget *, const QUrl &address)
{
    openedAddresses.append(QString::fromLatin1(address.toEncoded()));
    return !takeFailure(m_failingOpens);
}

std::unique_ptr<ui::CameraSource> RecordingServices::camera()
{
    auto camera = std::make_unique<FakeCamera>(m_cameraPresent);
    lastCamera = camera.get();
    return camera;
}

int RecordingServices::execDialog(QDialog &dialog)
{
    dialogsShown.append(QString::fromLatin1(dialog.metaObject()->className()));
    if (m_dialogs.empty()) {
        failTest(QStringLiteral("unscripted dialog: ") + dialogsShown.last() + QLatin1Char(' ')
            + quoted(dialog.windowTitle()));
        return QDialog::Rejected;
    }
    auto handler = std::move(m_dialogs.front());
    m_dialogs.pop_front();
    return handler(dialog);
}

void RecordingServices::printReport(QWidget *, const report::PreparedReport &report)
{
    printed.push_back(report);
    if (!m_pdfFolder.isEmpty()
        && !report::writePdf(
            report, QStringLiteral("%1/print-%2.pdf").arg(m_pdfFolder).arg(printed.size())))
        qFatal("The printed report cannot be written into %s", qPrintable(m_pdfFolder));
}

// Runs on the scan's thread: it looks only at atomics, never at a widget or the script.
void RecordingServices::scanReported(const store::ScanControl &control)
{
    const auto held
        = [&] { return control.percent() >= m_holdFrom.load() && !control.cancelled(); };
    if (!held())
        return;
    ++m_heldScans;
    while (held())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    --m_heldScans;
}

void RecordingServices::previewReport(QWidget *, const report::PreparedReport &report)
{
    previewed.push_back(report);
}

void RecordingServices::rejectNextDialog()
{
    onNextDialog([](QDialog &) { return int(QDialog::Rejected); });
}

QStringList RecordingServices::unusedScript() const
{
    QStringList unused;
    for (const bool yes : m_answers)
        unused.append(QStringLiteral("answer to a question: ") + QLatin1String(yes ? "yes" : "no"));
    for (const QString &path : m_openFiles)
        unused.append(QStringLiteral("open file: ") + quoted(path));
    for (const QString &path : m_saveFiles)
        unused.append(QStringLiteral("save file: ") + quoted(path));
    if (!m_dialogs.empty())
        unused.append(QStringLiteral("dialog handlers: %1").arg(m_dialogs.size()));
    return unused;
}

void RecordingServices::verifyScriptUsedUp()
{
    const QStringList unused = unusedScript();
    // A test that failed on its way has left its script behind for that reason alone.
    if (unused.isEmpty() || QTest::currentTestFailed())
        return;
    failTest(QStringLiteral("scripted but never used: ") + unused.join(QLatin1String("; ")));
}

void RecordingServices::clear()
{
    printed.clear();
    previewed.clear();
    messages.clear();
    openedFiles.clear();
    openedAddresses.clear();
    dialogsShown.clear();
    fileDialogTitles.clear();
    proposedNames.clear();
}

} // namespace almavest::test
