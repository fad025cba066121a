#pragma once

#include <QDialog>
#include <QString>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Makes a codice fiscale from a person's surname, name, sex, birth date and birth place (a
// comune or a foreign state, completed from the register of places as it is typed), shown as
// soon as every piece is there. The code is only offered: "Usa questo codice" hands it back, and
// a card that holds another code is changed only when the user says so.
namespace almavest::ui {

class AppContext;

class TaxCodeMaker final : public QDialog
{
    Q_OBJECT
public:
    // What the card already knows of the person.
    struct Known
    {
        QString fullName; // "Cognome e nome"
        QString birthDate;
        QString birthPlace;
        QString code; // the card's codice fiscale, maybe empty
    };

    // Opens the dialog over `owner`; the code to put on the card, or nullopt when the card keeps
    // its own.
    static std::optional<QString> make(AppContext &context, QWidget *owner, const Known &known);

    TaxCodeMaker(AppContext &context, QWidget *owner, const Known &known);

    // The code made from the boxes, or nullopt while a piece is missing or cannot be read.
    std::optional<QString> madeCode() const { return m_code; }

private:
    void build();
    void remake();
    void useCode();

    AppContext &m_context;
    Known m_known;
    QLineEdit *m_surname = nullptr;
    QLineEdit *m_name = nullptr;
    QRadioButton *m_male = nullptr;
    QRadioButton *m_female = nullptr;
    QLineEdit *m_birthDate = nullptr;
    QLineEdit *m_birthPlace = nullptr;
    QLabel *m_shown = nullptr;
    QLabel *m_missing = nullptr;
    QPushButton *m_use = nullptr;
    std::optional<QString> m_code;
    std::optional<QString> m_chosen;
};

} // namespace almavest::ui
