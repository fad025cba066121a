#pragma once

#include "ui/services/Services.h"

#include <QStringList>

#include <functional>

// Services for taking the guide's pictures: a fixed clock, no window ever waits for the user,
// and each per-use dialog is handed to the picture taker instead of being run.
namespace almavest::guide {

class GuideServices final : public ui::Services
{
public:
    explicit GuideServices(QDate today)
        : m_now(today, QTime(10, 30))
    { }

    bool message(QWidget *owner, ui::MessageKind kind, const QString &text) override;
    void plainMessage(QWidget *owner, const QString &text) override;
    QString openFileName(QWidget *owner, const QString &title, const QString &filter) override;
    QString saveFileName(QWidget *owner, const QString &title, const QString &filter,
        const QString &proposedName) override;
    // The pictures of the guide open nothing outside the program.
    bool openFile(QWidget *, const QString &) override { return true; }
    bool openAddress(QWidget *, const QUrl &) override { return true; }
    QDate today() const override { return m_now.date(); }
    QDateTime now() const override { return m_now; }
    int execDialog(QDialog &dialog) override;
    void printReport(QWidget *, const report::PreparedReport &) override { }
    void previewReport(QWidget *, const report::PreparedReport &) override { }
    std::unique_ptr<ui::CameraSource> camera() override { return nullptr; }

    // The next per-use dialog goes to `handler`; it is closed afterwards, rejected.
    void onNextDialog(std::function<void(QDialog &)> handler) { m_handler = std::move(handler); }
    // Whether the handler given last was reached.
    bool dialogShown() const { return !m_handler; }

    // Every message the screens showed, which no picture should have caused.
    QStringList messages;

private:
    QDateTime m_now;
    std::function<void(QDialog &)> m_handler;
};

} // namespace almavest::guide
