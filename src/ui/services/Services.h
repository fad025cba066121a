#pragma once

#include "ui/services/Camera.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <memory>

class QDialog;
class QUrl;
class QWidget;

namespace almavest::report {
struct PreparedReport;
}
namespace almavest::store {
class ScanControl;
}

// Everything that leaves the program or asks the person goes through this one object, so that
// tests can answer in place of the user, fix the clock and see what was shown.
namespace almavest::ui {

enum class MessageKind { Warning, Error, Information, Question };

class Services
{
public:
    virtual ~Services() = default;

    // The standard message box; true unless a question was answered No.
    virtual bool message(QWidget *owner, MessageKind kind, const QString &text) = 0;
    // A text with no icon, an empty title and one OK button.
    virtual void plainMessage(QWidget *owner, const QString &text) = 0;

    // File dialogs; an empty text when cancelled. `filter` is in Qt's "Text (*.a *.b);;..." form.
    virtual QString openFileName(QWidget *owner, const QString &title, const QString &filter) = 0;
    virtual QString saveFileName(
        QWidget *owner, const QString &title, const QString &filter, const QString &proposedName)
        = 0;

    // Opens the file at `path` with the program the desktop has for it; false when the file is
    // missing or no program took it.
    [[nodiscard]] virtual bool openFile(QWidget *owner, const QString &path) = 0;
    // Opens a web address in the browser or a "mailto:" address in the mail program; false when
    // no program took it.
    [[nodiscard]] virtual bool openAddress(QWidget *owner, const QUrl &address) = 0;

    virtual QDate today() const = 0;
    virtual QDateTime now() const = 0;

    // Runs a per-use dialog modally and returns its result code.
    virtual int execDialog(QDialog &dialog) = 0;

    // Prints a laid-out report through the print dialog, the default printer preselected;
    // cancelling prints nothing.
    virtual void printReport(QWidget *owner, const report::PreparedReport &report) = 0;
    // Shows the modal preview window of a laid-out report, with its own print button.
    virtual void previewReport(QWidget *owner, const report::PreparedReport &report) = 0;

    // The computer's default camera, not yet started.
    virtual std::unique_ptr<CameraSource> camera() = 0;
    // Called on a scan's own thread each time the scan reports its progress (ScanRunner); the
    // desktop lets it read on. Whatever it does must be safe on any thread.
    virtual void scanReported(const store::ScanControl &control) { Q_UNUSED(control); }
};

// Opens `address` and, when that fails, tells the user which program could not be started: the
// mail program for a "mailto:" address, the browser for any other. False after a failure.
bool openAddressOrTell(Services &services, QWidget *owner, const QUrl &address);

// The real thing: Qt's message boxes and file dialogs, the desktop shell, the system clock,
// the system's default camera through Qt Multimedia.
class DesktopServices final : public Services
{
public:
    bool message(QWidget *owner, MessageKind kind, const QString &text) override;
    void plainMessage(QWidget *owner, const QString &text) override;
    QString openFileName(QWidget *owner, const QString &title, const QString &filter) override;
    QString saveFileName(QWidget *owner, const QString &title, const QString &filter,
        const QString &proposedName) override;
    bool openFile(QWidget *owner, const QString &path) override;
    bool openAddress(QWidget *owner, const QUrl &address) override;
    QDate today() const override;
    QDateTime now() const override;
    int execDialog(QDialog &dialog) override;
    void printReport(QWidget *owner, const report::PreparedReport &report) override;
    void previewReport(QWidget *owner, const report::PreparedReport &report) override;
    std::unique_ptr<CameraSource> camera() override;
};

} // namespace almavest::ui
