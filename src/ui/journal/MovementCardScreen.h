#pragma once

#include "ui/conventions/ResidentScreen.h"

#include <QStringList>

#include <memory>
#include <optional>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QRadioButton;

// The movement card: the movements of one yearly archive, one at a time; income or expense,
// new, duplicate and save, browsing, payer and beneficiary from the member registry, the due
// payments and the e-mail to the payer. The year screen opens it on a year; closing it returns
// to the launcher.
namespace almavest::store {
class ArchiveFile;
enum class Arrow;
} // namespace almavest::store

namespace almavest::journal {
enum class Party;
}

namespace almavest::ui {

class AppContext;
class CardForm;

class MovementCardScreen final : public ResidentScreen
{
    Q_OBJECT
public:
    explicit MovementCardScreen(AppContext &context);
    ~MovementCardScreen() override;

    // Shows the card on the yearly archive at `path` of year `year`, in place of the screen
    // `from`; the card shown is a new one.
    void openYear(QWidget *from, const QString &path, const QString &year);

    // Reads the movement at `position` of the open year into the card; false, after the archive
    // access message, when it cannot be read. Used by browsing and by the lists that open a
    // movement.
    bool loadMovement(qint64 position);

    // The movement's 28 values as the card shows them, saved or not, by movement field index;
    // the signed amount follows the type and the amount shown.
    QStringList movementValues() const;
    // The box of movement field `field` (an edit or date box).
    QLineEdit *box(int field) const;

    // The screen's state values.
    QString position() const;
    QLabel *lblFile() const;
    QLabel *lblPosizione() const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void build() override;
    void buildScreen();
    void buildToolbar(QWidget *panel);
    void buildType(QWidget *panel);
    void buildBoxes(QWidget *panel);
    void buildSmallButtons(QWidget *panel);
    void dressBoxes();
    void connectActions();

    void newCard();
    void showType(bool income);
    void browse(store::Arrow arrow);
    void normaliseAmount();
    bool refuseSave(const QStringList &values);
    void save();
    void duplicate();
    void openDatePicker(int field);
    void importParty(journal::Party party);
    void sendEmail();
    void showDuePayments();
    void findMovement();
    void printMovement();

    store::ArchiveFile movementArchive() const;
    bool readMovement(store::ArchiveFile &archive, qint64 position);
    // Writes `values` as the card's movement: in place when it is stored, else after the last
    // movement. The position written, or nothing when the archive cannot be written.
    void archiveFailed();
    QAbstractButton *button(const char *name) const;

    AppContext &m_context;
    QWidget *m_panel = nullptr;
    QLabel *m_lblFile = nullptr;
    QLabel *m_lblPosizione = nullptr;
    QLabel *m_lblImporto = nullptr;
    QLabel *m_panInfo = nullptr;
    QRadioButton *m_optEntrata = nullptr;
    QList<QWidget *> m_backgrounds; // surfaces that empty the status line
    std::unique_ptr<CardForm> m_form;
};

} // namespace almavest::ui
