#include "AppFixture.h"

#include "app/PasswordFile.h"
#include "ui/app/TfrmAvvio.h"
#include "ui/app/TfrmPassword.h"
#include "ui/registry/TfrmAnagrafica.h"

#include <QLineEdit>
#include <QPushButton>

namespace almavest::test {

AppFixture::AppFixture(const QString &password)
{
    if (!password.isNull())
        app::PasswordFile(m_dir.filePath(QString::fromLatin1(app::kPasswordFileName)))
            .storePassword(password);
    m_app = std::make_unique<ui::Application>(services, m_dir.path());
    m_app->context().setQuitHandler([this] { quitRequested = true; });
    m_app->start();
}

AppFixture::~AppFixture() = default;

void AppFixture::openMemberCard()
{
    auto *password = m_app->passwordScreen();
    control<QLineEdit>(password, "txtPassword")->setText(QStringLiteral("segreto"));
    control<QPushButton>(password, "cmdOK")->click();
    m_app->launcher()->openMemberRegistry();
}

void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace almavest::test
