#pragma once

#include <QDialog>

// The maker's notice, opened from the launcher: the notice picture, the maker's web address
// and "Chiudi". Made anew for each use.
namespace almavest::ui {

class AppContext;

inline constexpr char kMakerWebSite[] = "https://www.almavest.it";
inline constexpr char kMakerNotice[] = "Copyright © Almavest";

class MakerNotice final : public QDialog
{
    Q_OBJECT
public:
    MakerNotice(AppContext &context, QWidget *owner);

    // Opens the notice over `owner` and waits until it closes.
    static void showNotice(AppContext &context, QWidget *owner);

private:
    void openWebSite();

    AppContext &m_context;
};

} // namespace almavest::ui
