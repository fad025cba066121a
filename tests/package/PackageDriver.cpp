// Loaded into the program installed from the package (LD_PRELOAD) to use it as a person would:
// type the password, open the member registry, save one card, confirm the message, and end.
// It reaches the real screens through their objectNames only, so the program under test is
// the unpacked executable itself, unchanged. Each step it takes and each message it answers is
// written to standard error; a step that cannot be taken ends the program with status 3.
#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaObject>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kPollMs = 50;
constexpr int kGiveUpMs = 60000;

QWidget *visibleScreen(const char *name)
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->objectName() == QLatin1String(name))
            return widget;
    return nullptr;
}

template <typename T> T *control(QWidget *screen, const char *name)
{
    return screen ? screen->findChild<T *>(QLatin1String(name)) : nullptr;
}

void say(const QString &text)
{
    std::fprintf(stderr, "package driver: %s\n", text.toLocal8Bit().constData());
}

// One step: true once it has been taken; it is tried again on the next poll until then.
struct Step
{
    const char *what;
    std::function<bool()> take;
};

class Driver final : public QObject
{
public:
    explicit Driver(QObject *parent)
        : QObject(parent)
    {
        m_steps = {
            {"password typed",
                [] {
                    QWidget *screen = visibleScreen("frmPassword");
                    auto *box = control<QLineEdit>(screen, "txtPassword");
                    auto *ok = control<QAbstractButton>(screen, "cmdOK");
                    if (!box || !ok)
                        return false;
                    box->setText(QStringLiteral("almavest"));
                    ok->click();
                    return true;
                }},
            {"member registry opened",
                [] {
                    QWidget *launcher = visibleScreen("frmAvvio");
                    QObject *picture = control<QWidget>(launcher, "btnSoci");
                    return picture && QMetaObject::invokeMethod(picture, "clicked");
                }},
            {"card saved",
                [] {
                    QWidget *card = visibleScreen("frmAnagrafica");
                    auto *name = control<QLineEdit>(card, "txtDipendente");
                    auto *expiry = control<QLineEdit>(card, "txtDataSca");
                    auto *save = control<QAbstractButton>(card, "btnSalva");
                    if (!name || !expiry || !save)
                        return false;
                    name->setText(QStringLiteral("Pacchetto Prova"));
                    expiry->setText(QStringLiteral("31/12/2030"));
                    // Save asks nothing but ends with a message box: answered from the next poll.
                    QTimer::singleShot(0, save, &QAbstractButton::click);
                    return true;
                }},
            {"program ended",
                [] {
                    if (QApplication::activeModalWidget() || !visibleScreen("frmAnagrafica"))
                        return false;
                    QCoreApplication::exit(0);
                    return true;
                }},
        };
        connect(&m_poll, &QTimer::timeout, this, &Driver::poll);
        m_poll.start(kPollMs);
    }

private:
    void poll()
    {
        // A message box in the way is read out and answered first.
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            say(QStringLiteral("message: ") + box->text());
            box->accept();
            return;
        }
        m_waited += kPollMs;
        if (m_next < m_steps.size() && m_steps[m_next].take()) {
            say(QLatin1String(m_steps[m_next].what));
            ++m_next;
            m_waited = 0;
        }
        if (m_waited > kGiveUpMs) {
            say(QStringLiteral("gave up waiting for: ") + QLatin1String(m_steps[m_next].what));
            std::fflush(stderr);
            std::_Exit(3);
        }
    }

    QTimer m_poll;
    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    int m_waited = 0;
};

void startDriver()
{
    // Started once the program's event loop runs, after its screens have been built.
    QTimer::singleShot(0, qApp, [] { new Driver(qApp); });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startDriver)
