// The member's photo enlarged and taken with the webcam, the camera fed by the test.
#include "AppFixture.h"
#include "DialogDriving.h"
#include "FakeCamera.h"
#include "ReadOnlyAccess.h"
#include "WritesFail.h"

#include "ui/dialogs/PhotoZoom.h"
#include "ui/dialogs/WebcamDialog.h"
#include "ui/registry/MemberCardScreen.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QSignalSpy>

#include <QScreen>

#include <atomic>
#include <functional>
#include <optional>
#include <thread>

using namespace almavest;
using namespace almavest::test;
using ui::MessageKind;

namespace {

QImage filled(QColor colour, QSize size = QSize(640, 480))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QImage shownOn(const QLabel *label)
{
    return label->pixmap().toImage();
}

// The same pixels, whatever format each picture keeps them in.
bool samePicture(const QImage &a, const QImage &b)
{
    return a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestPhotoDialogs final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void zoomFitsTheCardPhotoToTheScreen();
    void aClickAnywhereClosesTheZoom_data();
    void aClickAnywhereClosesTheZoom();

    void opensWithTheCameraOffAndBothIcons();
    void captureAndImportReplaceTheCardPhoto();
    void captureBeforeSwitchingOnTakesTheWebcamIcon();
    void switchingOffFreezesTheLastFrame();
    void everyWayOutStopsTheCamera_data();
    void everyWayOutStopsTheCamera();
    void onlyTheNewestFrameIsShown();
    void framesFromAnotherThreadNeverBlockStopping();
    void withoutACameraTheDialogSaysSo();
    void aCameraThatGivesUpIsReported();
    void savesTheCapturedFrame_data();
    void savesTheCapturedFrame();

private:
    ui::MemberCardScreen *card() { return m_fixture->app().memberCardScreen(); }
    QAbstractButton *cardButton(const char *name) { return control<QAbstractButton>(card(), name); }
    // Opens the webcam dialog from the card and hands it, with its camera, to `drive`; the
    // dialog's result is what `drive` returns.
    void runWebCam(std::function<int(ui::WebcamDialog &, FakeCamera &)> drive);

    std::unique_ptr<AppFixture> m_fixture;
};

void TestPhotoDialogs::init()
{
    m_fixture = std::make_unique<AppFixture>();
    m_fixture->openMemberCard();
}

void TestPhotoDialogs::cleanup()
{
    m_fixture.reset();
}

void TestPhotoDialogs::runWebCam(std::function<int(ui::WebcamDialog &, FakeCamera &)> drive)
{
    bool ran = false;
    m_fixture->services.onNextDialog([&](QDialog &dialog) {
        ran = true;
        auto *webcam = qobject_cast<ui::WebcamDialog *>(&dialog);
        FakeCamera *camera = m_fixture->services.lastCamera;
        if (!webcam || !camera)
            return -1;
        dialog.show();
        return drive(*webcam, *camera);
    });
    cardButton("btnAcquisisciFoto")->click();
    QVERIFY(ran);
    QCOMPARE(m_fixture->services.dialogsShown.last(), QStringLiteral("almavest::ui::WebcamDialog"));
    QVERIFY2(m_fixture->services.lastCamera.isNull(), "the dialog's camera outlived it");
}

// ---- zoom --------------------------------------------------------------------------------------

void TestPhotoDialogs::zoomFitsTheCardPhotoToTheScreen()
{
    const QString path = m_fixture->file(QStringLiteral("wide.png"));
    QVERIFY(filled(Qt::red, QSize(400, 100)).save(path));
    m_fixture->services.answerNextOpenFile(path);
    cardButton("btnCaricaFoto")->click();

    std::optional<QSize> panel;
    std::optional<QSize> picture;
    m_fixture->services.onNextDialog([&](QDialog &dialog) {
        auto &zoom = dynamic_cast<ui::PhotoZoom &>(dialog);
        zoom.show();
        [&] {
            QCOMPARE(zoom.windowTitle(),
                QStringLiteral(" Fai clic sulla foto per chiudere questa finestra"));
            QVERIFY(zoom.windowState() & Qt::WindowMaximized);
        }();
        panel = zoom.panContainer()->size();
        picture = zoom.imgFoto()->pixmap().size();
        return 0;
    });
    cardButton("btnZoomFoto")->click();
    QVERIFY(panel && picture);
    const QSize screen = card()->screen()->geometry().size();
    QCOMPARE(*panel, QSize(screen.width() - 60, screen.height() - 90));
    // Four times as wide as high, as the photo is, and as wide as the box allows.
    QCOMPARE(picture->width(), panel->width());
    QCOMPARE(picture->height(), panel->width() / 4);
}

void TestPhotoDialogs::aClickAnywhereClosesTheZoom_data()
{
    QTest::addColumn<QString>("where");
    QTest::newRow("on the picture") << QStringLiteral("imgFoto");
    QTest::newRow("on its panel") << QStringLiteral("panContainer");
    QTest::newRow("beside it") << QStringLiteral("frmZoom");
}

void TestPhotoDialogs::aClickAnywhereClosesTheZoom()
{
    QFETCH(QString, where);
    bool closed = false;
    m_fixture->services.onNextDialog([&](QDialog &dialog) {
        dialog.show();
        QWidget *target
            = where == dialog.objectName() ? &dialog : dialog.findChild<QWidget *>(where);
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        closed = !dialog.isVisible() && dialog.result() == QDialog::Accepted;
        return dialog.result();
    });
    cardButton("btnZoomFoto")->click();
    QVERIFY(closed);
}

// ---- webcam ------------------------------------------------------------------------------------

void TestPhotoDialogs::opensWithTheCameraOffAndBothIcons()
{
    runWebCam([](ui::WebcamDialog &webcam, FakeCamera &camera) {
        [&] {
            QCOMPARE(webcam.windowTitle(), QStringLiteral(" Cattura foto con webcam"));
            QVERIFY(!camera.isActive());
            QCOMPARE(camera.starts, 0);
            const auto *bianco = webcam.findChild<QLabel *>(QStringLiteral("imgBianco"));
            QVERIFY(bianco && !bianco->isVisible());
            QVERIFY(samePicture(webcam.livePicture(), bianco->pixmap().toImage()));
            QVERIFY(!shownOn(webcam.imgTarget()).isNull());
            QVERIFY(shownOn(webcam.imgTarget()) != shownOn(webcam.imgCamera()));
            QCOMPARE(webcam.imgCamera()->size(), QSize(366, 274));
            QCOMPARE(webcam.imgTarget()->size(), QSize(366, 274));
        }();
        return 0;
    });
}

void TestPhotoDialogs::captureAndImportReplaceTheCardPhoto()
{
    const QImage frame = filled(Qt::green);
    runWebCam([&](ui::WebcamDialog &webcam, FakeCamera &camera) {
        leaveDialog(webcam, Leave::Button, "btnAccendi");
        std::thread([&] { camera.feed(frame); }).join();
        [&] {
            QTRY_COMPARE(webcam.livePicture(), frame);
            leaveDialog(webcam, Leave::Button, "btnCattura");
            QCOMPARE(webcam.capturedPicture(), frame);
            const QImage target = shownOn(webcam.imgTarget());
            QCOMPARE(target.pixelColor(target.rect().center()), QColor(Qt::green));
            leaveDialog(webcam, Leave::Button, "btnImportaFoto");
            QVERIFY(!camera.isActive());
            QVERIFY(!webcam.isVisible());
        }();
        return webcam.result();
    });
    QCOMPARE(card()->photo(), frame);
    const QImage onCard = shownOn(control<QLabel>(card(), "imgFoto"));
    QCOMPARE(onCard.pixelColor(onCard.rect().center()), QColor(Qt::green));
}

void TestPhotoDialogs::captureBeforeSwitchingOnTakesTheWebcamIcon()
{
    QImage icon;
    runWebCam([&](ui::WebcamDialog &webcam, FakeCamera &) {
        icon = webcam.findChild<QLabel *>(QStringLiteral("imgBianco"))->pixmap().toImage();
        leaveDialog(webcam, Leave::Button, "btnCattura");
        leaveDialog(webcam, Leave::Button, "btnImportaFoto");
        return webcam.result();
    });
    QVERIFY(!icon.isNull());
    QVERIFY(samePicture(card()->photo(), icon));
}

void TestPhotoDialogs::switchingOffFreezesTheLastFrame()
{
    const QImage last = filled(Qt::blue);
    runWebCam([&](ui::WebcamDialog &webcam, FakeCamera &camera) {
        leaveDialog(webcam, Leave::Button, "btnAccendi");
        camera.feed(last);
        [&] {
            QTRY_COMPARE(webcam.livePicture(), last);
            leaveDialog(webcam, Leave::Button, "btnSpegni");
            QVERIFY(!camera.isActive());
            camera.feed(filled(Qt::yellow));
            QCoreApplication::processEvents();
            QCOMPARE(webcam.livePicture(), last);
            leaveDialog(webcam, Leave::Button, "btnCattura");
            QCOMPARE(webcam.capturedPicture(), last);
        }();
        leaveDialog(webcam, Leave::Button, "btnClose");
        return webcam.result();
    });
}

void TestPhotoDialogs::everyWayOutStopsTheCamera_data()
{
    QTest::addColumn<int>("way");
    QTest::addColumn<bool>("imports");
    QTest::newRow("Annulla") << int(Leave::Button) << false;
    QTest::newRow("Escape") << int(Leave::Escape) << false;
    QTest::newRow("window closed") << int(Leave::Close) << false;
    QTest::newRow("Importa foto in scheda") << -1 << true;
}

void TestPhotoDialogs::everyWayOutStopsTheCamera()
{
    QFETCH(int, way);
    QFETCH(bool, imports);
    const QImage before = card()->photo();
    const QImage frame = filled(Qt::magenta);
    runWebCam([&](ui::WebcamDialog &webcam, FakeCamera &camera) {
        leaveDialog(webcam, Leave::Button, "btnAccendi");
        camera.feed(frame);
        [&] {
            QTRY_COMPARE(webcam.livePicture(), frame);
            leaveDialog(webcam, Leave::Button, "btnCattura");
            if (imports)
                leaveDialog(webcam, Leave::Button, "btnImportaFoto");
            else
                leaveDialog(webcam, Leave(way), "btnClose");
            QVERIFY(!webcam.isVisible());
            QVERIFY(!camera.isActive());
            QCOMPARE(camera.stops, 1);
        }();
        return webcam.result();
    });
    QCOMPARE(card()->photo(), imports ? frame : before);
}

// Frames that pile up while the interface is busy are not queued: the newest one is shown, once.
void TestPhotoDialogs::onlyTheNewestFrameIsShown()
{
    runWebCam([](ui::WebcamDialog &webcam, FakeCamera &camera) {
        leaveDialog(webcam, Leave::Button, "btnAccendi");
        QSignalSpy shown(&camera, &ui::CameraSource::frameReady);
        std::thread([&] {
            for (QColor colour : {Qt::red, Qt::green, Qt::blue})
                camera.feed(filled(colour));
        }).join();
        [&] {
            QTRY_COMPARE(shown.count(), 1);
            QCoreApplication::processEvents();
            QCOMPARE(shown.count(), 1);
            QCOMPARE(webcam.livePicture(), filled(Qt::blue));
        }();
        return 0;
    });
}

// The capture thread keeps sending while the camera is stopped and started again and the dialog
// closes: nothing waits on anything, and no frame arrives after the stop.
void TestPhotoDialogs::framesFromAnotherThreadNeverBlockStopping()
{
    runWebCam([](ui::WebcamDialog &webcam, FakeCamera &camera) {
        std::atomic<bool> running = true;
        std::thread capture([&] {
            const QImage frame = filled(Qt::cyan, QSize(64, 48));
            while (running)
                camera.feed(frame);
        });
        for (int round = 0; round < 200; ++round) {
            leaveDialog(webcam, Leave::Button, "btnAccendi");
            QCoreApplication::processEvents();
            leaveDialog(webcam, Leave::Button, "btnSpegni");
        }
        QSignalSpy late(&camera, &ui::CameraSource::frameReady);
        QCoreApplication::processEvents();
        leaveDialog(webcam, Leave::Escape);
        running = false;
        capture.join();
        [&] {
            QCOMPARE(late.count(), 0);
            QCOMPARE(camera.starts, 200);
            QCOMPARE(camera.stops, 200);
        }();
        return webcam.result();
    });
}

void TestPhotoDialogs::withoutACameraTheDialogSaysSo()
{
    m_fixture->services.setCameraPresent(false);
    runWebCam([this](ui::WebcamDialog &webcam, FakeCamera &camera) {
        const QImage icon = webcam.livePicture();
        leaveDialog(webcam, Leave::Button, "btnAccendi");
        [&] {
            QVERIFY(!camera.isActive());
            QCOMPARE(m_fixture->services.messages.size(), 1);
            QCOMPARE(m_fixture->services.messages.last().kind, MessageKind::Warning);
            QVERIFY(m_fixture->services.lastMessage().contains(QStringLiteral("nessuna webcam")));
            QVERIFY(webcam.isVisible());
            QCOMPARE(webcam.livePicture(), icon);
        }();
        leaveDialog(webcam, Leave::Button, "btnClose");
        return webcam.result();
    });
}

void TestPhotoDialogs::aCameraThatGivesUpIsReported()
{
    runWebCam([this](ui::WebcamDialog &webcam, FakeCamera &camera) {
        leaveDialog(webcam, Leave::Button, "btnAccendi");
        camera.breakDown();
        [&] {
            QCOMPARE(m_fixture->services.messages.size(), 1);
            QVERIFY(m_fixture->services.lastMessage().contains(QStringLiteral("in uso")));
            QVERIFY(!camera.isActive());
        }();
        leaveDialog(webcam, Leave::Button, "btnClose");
        return webcam.result();
    });
}

void TestPhotoDialogs::savesTheCapturedFrame_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("written") << QString();
    QTest::newRow("disk full") << QStringLiteral("disk full");
    QTest::newRow("read-only folder") << QStringLiteral("read-only");
}

void TestPhotoDialogs::savesTheCapturedFrame()
{
    QFETCH(QString, failure);
    const QString folder = m_fixture->file(QStringLiteral("Foto"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/Ritratto.jpg");
    const QImage frame = filled(QColor(200, 120, 40), QSize(320, 240));
    m_fixture->services.answerNextSaveFile(path);
    runWebCam([&](ui::WebcamDialog &webcam, FakeCamera &camera) {
        leaveDialog(webcam, Leave::Button, "btnAccendi");
        camera.feed(frame);
        [&] {
            QTRY_COMPARE(webcam.livePicture(), frame);
            leaveDialog(webcam, Leave::Button, "btnCattura");
            std::optional<WritesFail> diskFull;
            std::optional<ReadOnlyAccess> readOnly;
            if (failure == QStringLiteral("disk full"))
                diskFull.emplace();
            if (failure == QStringLiteral("read-only"))
                readOnly.emplace(QStringList {folder});
            leaveDialog(webcam, Leave::Button, "btnSalvaFotogramma");
            // Whatever became of the file, the frame is still there to be saved or imported.
            QCOMPARE(webcam.capturedPicture(), frame);
            const QImage target = shownOn(webcam.imgTarget());
            QCOMPARE(target.pixelColor(target.rect().center()), frame.pixelColor(0, 0));
        }();
        return webcam.result();
    });
    RecordingServices &services = m_fixture->services;
    QCOMPARE(services.fileDialogTitles.last(),
        QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg."));
    QCOMPARE(services.proposedNames.last(), QStringLiteral("Foto.jpg"));
    if (failure.isEmpty()) {
        QVERIFY(services.messages.isEmpty());
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        QCOMPARE(reader.size(), frame.size());
        return;
    }
    QVERIFY(!QFile::exists(path));
    QCOMPARE(services.messages.size(), 1);
    QVERIFY(services.lastMessage().startsWith(
        QStringLiteral("Attenzione: non è stato possibile salvare la foto perché ")));
}

QTEST_MAIN(TestPhotoDialogs)
#include "tst_photodialogs.moc"
