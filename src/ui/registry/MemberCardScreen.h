#pragma once

#include "ui/registry/MemberPhoto.h"

#include "ui/conventions/ResidentScreen.h"
#include <QByteArray>
#include <QImage>
#include <QStringList>

#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// The member card: one member at a time, browsing the member archive, new, duplicate and save,
// the photo, and the doors to the registry's dialogs. Closing it returns to the launcher.
namespace almavest::store {
class ArchiveFile;
enum class Arrow;
} // namespace almavest::store

namespace almavest::ui {

class AppContext;
class CardForm;

class MemberCardScreen final : public ResidentScreen
{
    Q_OBJECT
public:
    explicit MemberCardScreen(AppContext &context);
    ~MemberCardScreen() override;

    // Reads the card at `position` into the screen; false when the archive cannot be read, after
    // the archive access message unless `quietly`. Used by browsing and by the lists that open
    // a card.
    bool loadCard(qint64 position, bool quietly = false);

    // The card's 25 member values as it shows them, saved or not, by member field index.
    QStringList cardValues() const;

    // The screen's state values.
    QString position() const;
    QLabel *lblPosizione() const;
    QImage photo() const { return m_photo.image(); }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void build() override;
    void buildScreen();
    void buildFields(QWidget *panel);
    void buildButtons(QWidget *panel);
    void buildPhotoArea(QWidget *panel);
    void connectActions();

    void newCard();
    void browse(store::Arrow arrow);
    bool refuseSave(const QStringList &values);
    void save();
    void duplicate();
    void normaliseFee();
    void openDatePicker(int field);
    // Opens the print or the preview dialog on the card as it stands.
    template <typename Dialog> void printCard();
    // Loads the card a search or a summary handed back, if any.
    void openChosenCard(std::optional<qint64> position);
    void loadPhotoFromFile();
    void savePhotoToFile();
    void clearPhoto();
    void takeWebcamPhoto();
    void sendEmail();

    store::ArchiveFile memberArchive() const;
    bool readCard(store::ArchiveFile &archive, qint64 position, bool quietly = false);
    // Writes `values` as the card's record in the member archive; the position written, or
    // nullopt.
    void showPhoto();
    void showPlaceholder();
    const QImage &placeholder();
    void loadPhotoOfPosition();
    bool writePhotoOfPosition();
    void archiveFailed();

    // A button of the screen by name; the program stops when it is missing.
    QLineEdit *box(int field) const;

    AppContext &m_context;
    QWidget *m_panel = nullptr;
    QLabel *m_lblPosizione = nullptr;
    QLabel *m_panInfo = nullptr;
    QLabel *m_imgFoto = nullptr;
    QLabel *m_imgBianco = nullptr;
    QWidget *m_btnFocus = nullptr;
    std::unique_ptr<CardForm> m_form;
    QImage m_placeholder;
    MemberPhoto m_photo;
    QByteArray m_buffer;
};

} // namespace almavest::ui
