#pragma once

#include "ui/conventions/FieldTable.h"
#include "ui/services/Services.h"

#include <QDialog>
#include <QSize>

class QLineEdit;

// The look and the flow the three code checks share: a banner, one instruction, one entry field
// in large type, "Controlla" and "Chiudi". "Controlla" shows the verdict on the code; a verdict
// on the code itself closes the dialog, a refusal of its length leaves it open to correct.
namespace almavest::ui {

class AppContext;

// What tells one code check from another on screen.
struct CodeCheckForm
{
    const char *objectName;
    const char *title;
    const char *banner; // picture file
    QSize bannerSize;
    const char *instruction;
    FieldSettings field;
};

// What "Controlla" says about the code in the field.
struct CheckVerdict
{
    MessageKind kind;
    QString text;
    bool closes; // false for a refusal the user corrects in place
};

class CodeCheckDialog : public QDialog
{
    Q_OBJECT
public:
    QLineEdit *field() const { return m_field; }

protected:
    // The dialog over `owner` with `code` already in its field.
    CodeCheckDialog(
        AppContext &context, QWidget *owner, const CodeCheckForm &form, const QString &code);
    virtual CheckVerdict verdict(const QString &code) const = 0;
    AppContext &context() const { return m_context; }
    void showEvent(QShowEvent *event) override;
    // Runs a dialog built by the caller and waits until it closes.
    static void run(AppContext &context, CodeCheckDialog &dialog);

private:
    void checkCode();

    AppContext &m_context;
    QLineEdit *m_field = nullptr;
};

// Opens the check a card's codice fiscale button asks for: the partita IVA check when the
// field's trimmed text is all digits, the codice fiscale check otherwise.
void openTaxCodeCheck(AppContext &context, QWidget *owner, const QString &fieldText);

} // namespace almavest::ui
