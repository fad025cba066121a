#pragma once

#include <QWidget>

// A resident screen that builds its controls the first time it is shown or used rather than at
// start: the program creates every resident screen at start, and the large card screens would
// otherwise delay the password screen. Public functions that reach the controls call
// ensureBuilt() first.
namespace almavest::ui {

class ResidentScreen : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;

    void setVisible(bool visible) override
    {
        if (visible)
            ensureBuilt();
        QWidget::setVisible(visible);
    }

protected:
    // Builds and binds the controls; runs once. A table naming a control the screen lacks stops
    // the program here.
    virtual void build() = 0;

    // Building is no change that callers of a const accessor can see.
    void ensureBuilt() const
    {
        if (m_built)
            return;
        m_built = true;
        const_cast<ResidentScreen *>(this)->build();
    }

private:
    mutable bool m_built = false;
};

} // namespace almavest::ui
