#pragma once

#include <QByteArray>
#include <QImage>
#include <QStringList>
#include <QWidget>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// The member card: one member at a time, browsing the member archive, new, duplicate and save,
// the photo, and the doors to the registry's dialogs. Closing it returns to the launcher.
namespace almavest::store {
class ArchiveFile;
}

namespace almavest::ui {

class AppContext;

class TfrmAnagrafica final : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmAnagrafica(AppContext &context);
    ~TfrmAnagrafica() override;

    // Reads the card at `position` into the screen; false when the archive cannot be read, after
    // the archive access message unless `quietly`. Used by browsing and by the lists that open
    // a card.
    bool loadCard(qint64 position, bool quietly = false);

    // The screen's state values.
    QString position() const;
    QLabel *lblPosizione() const { return m_lblPosizione; }
    QImage photo() const { return m_photo; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildScreen();
    void buildFields(QWidget *panel);
    void buildButtons(QWidget *panel);
    void buildPhotoArea(QWidget *panel);
    void connectActions();

    void newCard();
    void browse(int arrow);
    void save();
    void duplicate();
    void normaliseFee();
    void openDatePicker();
    // Opens the print or the preview dialog on the card as it stands.
    template <typename Dialog>
    void printCard();
    // Loads the card a search or a summary handed back, if any.
    void openChosenCard(std::optional<qint64> position);
    void loadPhotoFromFile();
    void savePhotoToFile();
    void clearPhoto();
    void sendEmail();

    store::ArchiveFile memberArchive() const;
    bool readCard(store::ArchiveFile &archive, qint64 position, bool quietly = false);
    QStringList cardValues() const;
    void showValues(const QStringList &values);
    void showPhoto(const QImage &photo);
    void showPlaceholder();
    const QImage &placeholder();
    void loadPhotoOfPosition();
    void writePhotoOfPosition();
    void archiveFailed();

    QLineEdit *field(const char *name) const;

    AppContext &m_context;
    QWidget *m_panel = nullptr;
    QLabel *m_lblPosizione = nullptr;
    QLabel *m_panInfo = nullptr;
    QLabel *m_imgFoto = nullptr;
    QImage m_placeholder;
    QImage m_photo;
    QByteArray m_buffer;
};

} // namespace almavest::ui
