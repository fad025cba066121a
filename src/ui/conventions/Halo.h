#pragma once

#include <QWidget>

// The yellow rectangle behind a focused field: 4 pixels larger on every side, yellow inside with
// a border fading from yellow to white, hidden while the field does not have the focus.
namespace almavest::ui {

class Halo final : public QWidget
{
    Q_OBJECT
public:
    Halo(QWidget *field, const QString &name);

    // Follows the field's geometry.
    void follow();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *m_field;
};

} // namespace almavest::ui
