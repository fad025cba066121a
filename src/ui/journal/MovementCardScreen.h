#pragma once

#include "ui/conventions/CardScreen.h"

#include <QList>
#include <QString>

class QLabel;
class QRadioButton;

// The movement card: the movements of one yearly archive, one at a time; income or expense,
// new, duplicate and save, browsing, payer and beneficiary from the member registry, the due
// payments and the e-mail to the payer. The year screen opens it on a year; closing it returns
// to the launcher.
namespace almavest::journal {
enum class Party;
}

namespace almavest::ui {

class AppContext;

class MovementCardScreen final : public CardScreen
{
    Q_OBJECT
public:
    explicit MovementCardScreen(AppContext &context);
    ~MovementCardScreen() override;

    // Shows the card on the yearly archive at `path` of year `year`, in place of the screen
    // `from`; the card shown is a new one.
    void openYear(QWidget *from, const QString &path, const QString &year);

    // The yearly archive the card shows and its year; `lblFile` shows the archive.
    QString yearPath() const { return m_yearPath; }
    int year() const { return m_year; }
    QLabel *lblFile() const;

private:
    CardControls buildCard() override;
    void finishCard() override;
    QString archivePath() const override { return m_yearPath; }
    QStringList newValues() const override;
    int firstField() const override;
    std::optional<store::SaveRefusal> saveRefusal(const QStringList &values) const override;
    QStringList completed(QStringList values) const override;
    void cardChanged(Change change, const QStringList &values) override;

    void buildType(QWidget *panel);
    void buildBoxes(QWidget *panel);
    void buildSmallButtons(QWidget *panel, CardButtons &buttons);
    void dressBoxes();

    void showType(bool income);
    void importParty(journal::Party party);
    void sendEmail();
    void showDuePayments();
    void findMovement();
    void printMovement();
    // The receipt of the movement shown: a copy marked as such when it has one, otherwise a new
    // one for a settled income.
    void giveReceipt();

    QString m_yearPath;
    int m_year = 0;
    QLabel *m_lblFile = nullptr;
    QLabel *m_lblImporto = nullptr;
    QRadioButton *m_optEntrata = nullptr;
    QList<QWidget *> m_backgrounds; // surfaces that empty the status line
    std::map<int, QLineEdit *> m_boxes; // as built, by field index, for the small buttons
};

} // namespace almavest::ui
