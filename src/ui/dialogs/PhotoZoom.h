#pragma once

#include <QDialog>
#include <QImage>

class QLabel;

// The member's photo enlarged to almost the whole screen; a click anywhere on it closes it.
namespace almavest::ui {

class AppContext;

class PhotoZoom final : public QDialog
{
    Q_OBJECT
public:
    PhotoZoom(QWidget *owner, const QImage &photo);

    QWidget *panContainer() const { return m_panContainer; }
    QLabel *imgFoto() const { return m_imgFoto; }

    // Shows `photo` enlarged over `owner` and waits until the window is clicked.
    static void zoom(AppContext &context, QWidget *owner, const QImage &photo);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void fitPicture();

    QWidget *m_panContainer = nullptr;
    QLabel *m_imgFoto = nullptr;
    QImage m_photo;
};

} // namespace almavest::ui
