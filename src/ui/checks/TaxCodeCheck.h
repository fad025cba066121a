#pragma once

#include "ui/checks/CodeCheckDialog.h"

// The codice fiscale check: the check character of a 16-character personal tax code.
namespace almavest::ui {

class TaxCodeCheck final : public CodeCheckDialog
{
    Q_OBJECT
public:
    TaxCodeCheck(AppContext &context, QWidget *owner, const QString &code);

    // Opens the check over `owner` with `code` in its field and waits until it closes.
    static void check(AppContext &context, QWidget *owner, const QString &code);

protected:
    CheckVerdict verdict(const QString &code) const override;
};

} // namespace almavest::ui
