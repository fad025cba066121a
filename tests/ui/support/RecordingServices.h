#pragma once

#include "FakeCamera.h"
#include "report/PreparedReport.h"
#include "ui/services/Services.h"

#include <QList>
#include <QPointer>
#include <QStringList>

#include <atomic>
#include <deque>
#include <functional>

// Services for tests: records every message and every file or address opened, answers questions and
// file dialogs from a script, keeps a fixed clock, and hands each per-use dialog to a scripted
// handler instead of running it.
// The script is strict both ways: a question, file dialog or per-use dialog that the test did not
// script fails the test that caused it, naming it, and whatever the script still holds when the
// recorder goes away (with its fixture, in the test's cleanup) fails the test too.
namespace almavest::test {

struct ShownMessage
{
    bool plain = false;
    ui::MessageKind kind = ui::MessageKind::Information;
    QString text;
};

class RecordingServices final : public ui::Services
{
public:
    RecordingServices() = default;
    ~RecordingServices() override;
    RecordingServices(const RecordingServices &) = delete;
    RecordingServices &operator=(const RecordingServices &) = delete;

    bool message(QWidget *owner, ui::MessageKind kind, const QString &text) override;
    void plainMessage(QWidget *owner, const QString &text) override;
    QString openFileName(QWidget *owner, const QString &title, const QString &filter) override;
    QString saveFileName(QWidget *owner, const QString &title, const QString &filter,
        const QString &proposedName) override;
    bool openFile(QWidget *owner, const QString &path) override;
    bool openAddress(QWidget *owner, const QUrl &address) override;
    QDate today() const override { return m_now.date(); }
    QDateTime now() const override { return m_now; }
    int execDialog(QDialog &dialog) override;
    void printReport(QWidget *owner, const report::PreparedReport &report) override;
    void previewReport(QWidget *owner, const report::PreparedReport &report) override;
    std::unique_ptr<ui::CameraSource> camera() override;
    // Holds a scan at its reports as holdScansFrom() says, on the scan's own thread.
    void scanReported(const store::ScanControl &control) override;

    // The script, used up in order. An empty path answers a file dialog as cancelled.
    void answerNextQuestion(bool yes) { m_answers.push_back(yes); }
    void answerNextOpenFile(const QString &path) { m_openFiles.push_back(path); }
    void answerNextSaveFile(const QString &path) { m_saveFiles.push_back(path); }
    // The next per-use dialog is handed to `handler`, whose return value is the dialog's result.
    void onNextDialog(std::function<int(QDialog &)> handler)
    {
        m_dialogs.push_back(std::move(handler));
    }
    // The next file or address to open fails, as where no program takes it; it is still noted.
    void failNextOpen() { ++m_failingOpens; }
    // The next per-use dialog is closed at once, as if the person cancelled it.
    void rejectNextDialog();

    // What the script still holds, one line each; empty once every answer has been used.
    QStringList unusedScript() const;
    // Fails the running test with the unused script, unless it has failed already; the
    // destructor calls it.
    void verifyScriptUsedUp();
    // Whether the computer has a camera; it has one unless told.
    void setCameraPresent(bool present) { m_cameraPresent = present; }
    void setNow(const QDateTime &now) { m_now = now; }
    // Every printed report is also written as a PDF file into `folder` (print-1.pdf, ...).
    void setPdfFolder(const QString &folder) { m_pdfFolder = folder; }
    // Every scan stops at its first progress report at or past `percent` of its archive and
    // waits there until releaseScans() or until it is cancelled: a test sees a scan in the
    // middle of its work, for as long as it likes.
    void holdScansFrom(int percent) { m_holdFrom.store(percent); }
    void releaseScans() { m_holdFrom.store(kNoHold); }
    // How many scans wait at a hold now.
    int heldScans() const { return m_heldScans.load(); }

    // What happened.
    QList<ShownMessage> messages;
    QStringList openedFiles; // the paths handed to openFile(), failed or not
    QStringList openedAddresses; // the addresses handed to openAddress(), fully encoded
    QStringList dialogsShown; // class names of the dialogs run
    QStringList fileDialogTitles;
    QStringList proposedNames;
    std::vector<report::PreparedReport> printed; // reports sent to the printer
    std::vector<report::PreparedReport> previewed; // reports shown in the preview window

    QPointer<FakeCamera> lastCamera; // the camera handed out last, while its owner keeps it

    QString lastMessage() const { return messages.isEmpty() ? QString() : messages.last().text; }
    void clear();

private:
    std::deque<bool> m_answers;
    std::deque<QString> m_openFiles;
    std::deque<QString> m_saveFiles;
    std::deque<std::function<int(QDialog &)>> m_dialogs;
    QDateTime m_now {QDate(2026, 12, 10), QTime(10, 30, 15)};
    QString m_pdfFolder;
    bool m_cameraPresent = true;
    int m_failingOpens = 0;
    static constexpr int kNoHold = 101;
    std::atomic<int> m_holdFrom {kNoHold};
    std::atomic<int> m_heldScans {0};
};

} // namespace almavest::test
