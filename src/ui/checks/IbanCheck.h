#pragma once

#include "ui/checks/CodeCheckDialog.h"

// The IBAN check: the remainder 97 of a 27-character Italian IBAN.
namespace almavest::ui {

class IbanCheck final : public CodeCheckDialog
{
    Q_OBJECT
public:
    IbanCheck(AppContext &context, QWidget *owner, const QString &code);

    // Opens the check over `owner` with `code` in its field and waits until it closes.
    static void check(AppContext &context, QWidget *owner, const QString &code);

protected:
    CheckVerdict verdict(const QString &code) const override;
};

} // namespace almavest::ui
