#pragma once

#include <QLabel>
#include <QToolButton>

// Clickable pictures: the launcher's pictures and notes, and the card screens' picture buttons.
namespace almavest::ui {

// A picture (or a rich text) that acts as a button.
class ClickablePicture final : public QLabel
{
    Q_OBJECT
public:
    explicit ClickablePicture(const QString &name, QWidget *parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};

// Gives `label` one of the program's pictures at `size`. The picture is drawn when the label is
// first shown, so that screens created at start but shown later cost nothing at start-up.
void showPicture(QLabel *label, const QString &picture, QSize size);

// A flat button with an icon from the program's pictures and its caption under it.
QToolButton *makePictureButton(const QString &name, const QString &picture, const QString &caption,
    QWidget *parent, int iconSize = 32);

} // namespace almavest::ui
