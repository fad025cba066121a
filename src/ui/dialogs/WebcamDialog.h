#pragma once

#include <QDialog>
#include <QImage>

#include <memory>
#include <optional>

class QLabel;

// Takes the member's photo with the webcam: the live picture on the left, the frame captured on
// the right, saved to a JPEG file or imported into the member card. Every way out stops the
// camera.
namespace almavest::ui {

class AppContext;
class CameraSource;

class WebcamDialog final : public QDialog
{
    Q_OBJECT
public:
    WebcamDialog(AppContext &context, QWidget *owner);
    ~WebcamDialog() override;

    QLabel *imgCamera() const { return m_imgCamera; }
    QLabel *imgTarget() const { return m_imgTarget; }
    QImage livePicture() const { return m_live; }
    QImage capturedPicture() const { return m_captured; }
    // The picture handed to the card by "Importa foto in scheda", once pressed.
    std::optional<QImage> imported() const { return m_imported; }

    // Opens the dialog over `owner` and waits until it closes: the picture imported, or nothing.
    static std::optional<QImage> capture(AppContext &context, QWidget *owner);

    void done(int result) override;

private:
    void buildPictures();
    void buildButtons();
    void switchOn();
    void switchOff();
    void takeShot();
    void saveShot();
    void importShot();
    void showFrame(const QImage &frame);
    void cameraFailed();

    AppContext &m_context;
    std::unique_ptr<CameraSource> m_camCamera;
    QLabel *m_imgCamera = nullptr;
    QLabel *m_imgTarget = nullptr;
    QLabel *m_imgBianco = nullptr;
    QImage m_live;
    QImage m_captured;
    std::optional<QImage> m_imported;
};

} // namespace almavest::ui
