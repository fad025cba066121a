#pragma once

#include "RecordingServices.h"

#include "ui/app/Application.h"

#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <memory>

// The whole application on a fresh temporary program folder, with recording services and a
// password file holding `password`.
namespace almavest::test {

class AppFixture final
{
public:
    explicit AppFixture(const QString &password = QStringLiteral("SEGRETO"));
    ~AppFixture();

    QString folder() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    ui::Application &app() { return *m_app; }

    // Logs in and opens the member card from the launcher.
    void openMemberCard();

    RecordingServices services;
    bool quitRequested = false;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ui::Application> m_app;
};

// A control of a screen by its objectName. A missing one ends the test program with its name:
// going on would only fail later, on a null pointer, far from the cause.
template <typename T> T *control(QWidget *screen, const char *name)
{
    T *found = screen->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("control %s of %s not found", name, qPrintable(screen->objectName()));
    return found;
}

// The member archive at `path` as decoded records, in file order.
QList<QStringList> readMembers(const QString &path);
// Appends `records` to the member archive at `path`.
void writeMembers(const QString &path, const QList<QStringList> &records);
// Appends `movements` to the yearly movement archive at `path`.
void writeMovements(const QString &path, const QList<QStringList> &movements);
// A card with a name, an expiry date, a town and one attachment.
QStringList sampleMember(const QString &name, const QString &expiry = QStringLiteral("31/12/2027"));

// Types `text` key by key into `widget`, accented letters and the euro sign included.
void typeText(QWidget *widget, const QString &text);

} // namespace almavest::test
