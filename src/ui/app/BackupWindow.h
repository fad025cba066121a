#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;
class QTreeWidget;

// The backups of the data: the list of the backups kept, newest first, with what the chosen one
// holds; a backup made on request; a restore of the chosen one; how many backups are kept.
namespace almavest::ui {

class AppContext;

class BackupWindow final : public QDialog
{
    Q_OBJECT
public:
    BackupWindow(AppContext &context, QWidget *owner);

    static void open(AppContext &context, QWidget *owner);

private:
    void build();
    void refresh();
    void showChosen();
    void backUpNow();
    void restoreChosen();
    void saveKept(int kept);
    QString chosenPath() const;

    AppContext &m_context;
    QTreeWidget *m_backups = nullptr;
    QTreeWidget *m_contents = nullptr;
    QLabel *m_notice = nullptr;
    QSpinBox *m_kept = nullptr;
    QPushButton *m_restore = nullptr;
};

// Backs up the data as the program ends, when they changed since the last backup: the window
// stays free and shows the progress when it takes more than a moment, and a failure is told.
// Nothing is done for a folder the program may not write into.
void backUpAtExit(AppContext &context, QWidget *window);

} // namespace almavest::ui
