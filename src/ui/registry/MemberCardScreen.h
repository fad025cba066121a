#pragma once

#include "ui/conventions/CardScreen.h"
#include "ui/registry/MemberPhoto.h"

#include <QImage>

#include <optional>

class QLabel;

// The member card: one member at a time, browsing the member archive, new, duplicate and save,
// the photo, and the doors to the registry's dialogs. Closing it returns to the launcher.
namespace almavest::ui {

class AppContext;

class MemberCardScreen final : public CardScreen
{
    Q_OBJECT
public:
    explicit MemberCardScreen(AppContext &context);
    ~MemberCardScreen() override;

    QImage photo() const { return m_photo.image(); }

private:
    CardControls buildCard() override;
    void finishCard() override;
    QString archivePath() const override;
    QStringList newValues() const override;
    int firstField() const override;
    std::optional<store::SaveRefusal> saveRefusal(const QStringList &values) const override;
    void cardChanged(Change change, const QStringList &values) override;
    void beforeSave() override;
    bool afterSave() override;

    void buildFields(QWidget *panel, CardButtons &buttons);
    void buildButtons(QWidget *panel, CardControls &controls);
    // The photo, its frame (returned) and its buttons.
    QWidget *buildPhotoArea(QWidget *panel, CardButtons &buttons);

    // Opens the print or the preview dialog on the card as it stands.
    template <typename Dialog> void printCard();
    // Loads the card a search or a summary handed back, if any.
    void openChosenCard(std::optional<qint64> position);
    void loadPhotoFromFile();
    void savePhotoToFile();
    void takeWebcamPhoto();
    void sendEmail();
    // Offers a codice fiscale made from the card's data and puts it on the card if the user takes
    // it.
    void makeTaxCode();
    bool confirmSave(const QStringList &values) override;
    // Renews the member shown: the fee into this year's journal, the card's new expiry and a
    // numbered receipt, all or nothing.
    void renewMembership();
    // Rinnova works on a card saved in the archive only.
    void enableRenewal();

    void showPhoto();
    void showPlaceholder();
    const QImage &placeholder();
    void loadPhotoOfPosition();
    bool writePhotoOfPosition();
    QString photoPath() const;

    QLabel *m_imgFoto = nullptr;
    QLabel *m_imgBianco = nullptr;
    QWidget *m_btnFocus = nullptr;
    QImage m_placeholder;
    MemberPhoto m_photo;
};

} // namespace almavest::ui
