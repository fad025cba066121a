#pragma once

#include "ui/print/ReportOutput.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;

// The title page shared by every book: ten values kept in Libro_Soci.ini, stored whenever the
// window closes, previewed and printed on one landscape page.
namespace almavest::ui {

class AppContext;

class TitlePageDialog final : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kValueCount = 10;

    TitlePageDialog(AppContext &context, QWidget *owner);
    ~TitlePageDialog() override;

    // Opens a fresh title page window over `owner` and waits until it closes.
    static void open(AppContext &context, QWidget *owner);

    // Stores the values first; when they cannot be stored the user is told, and the window stays
    // open with what was typed unless the user chooses to leave it all the same.
    void done(int result) override;

private:
    // The ten boxes with their chains; returns their captions.
    std::array<QLabel *, kValueCount> buildBoxes();
    void buildScreen();
    QLayout *buildButtons();
    void load();
    [[nodiscard]] bool store(QString &error);
    void produce(ReportOutput output);

    AppContext &m_context;
    std::array<QLineEdit *, kValueCount> m_boxes {};
};

} // namespace almavest::ui
