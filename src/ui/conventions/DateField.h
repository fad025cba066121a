#pragma once

#include <QObject>

#include <functional>

class QLineEdit;

// A read-only date field: Backspace and Delete empty it, any other key asks for the date picker.
namespace almavest::ui {

class DateField final : public QObject
{
    Q_OBJECT
public:
    DateField(QLineEdit *field, std::function<void()> openPicker);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_field;
    std::function<void()> m_openPicker;
};

} // namespace almavest::ui
