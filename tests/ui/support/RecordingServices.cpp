#include "RecordingServices.h"

#include <QDialog>
#include <QUrl>

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

} // namespace

bool RecordingServices::message(QWidget *, ui::MessageKind kind, const QString &text)
{
    messages.append({false, kind, text});
    if (kind != ui::MessageKind::Question)
        return true;
    if (m_answers.empty())
        return true;
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
    if (m_openFiles.empty())
        return {};
    QString path = m_openFiles.front();
    m_openFiles.pop_front();
    return path;
}

QString RecordingServices::saveFileName(
    QWidget *, const QString &title, const QString &, const QString &proposedName)
{
    fileDialogTitles.append(title);
    proposedNames.append(proposedName);
    if (m_saveFiles.empty())
        return {};
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
    if (m_dialogs.empty())
        return QDialog::Rejected;
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

void RecordingServices::previewReport(QWidget *, const report::PreparedReport &report)
{
    previewed.push_back(report);
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
