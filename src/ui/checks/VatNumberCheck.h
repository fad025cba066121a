#pragma once

#include "ui/checks/CodeCheckDialog.h"

// The partita IVA check: the check digit of an 11-digit VAT number and the office that issued it.
namespace almavest::ui {

class VatNumberCheck final : public CodeCheckDialog
{
    Q_OBJECT
public:
    VatNumberCheck(AppContext &context, QWidget *owner, const QString &code);

    // Opens the check over `owner` with `code` in its field and waits until it closes.
    static void check(AppContext &context, QWidget *owner, const QString &code);

protected:
    CheckVerdict verdict(const QString &code) const override;
};

} // namespace almavest::ui
