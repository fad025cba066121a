#pragma once

#include "report/PreparedReport.h"

#include <QDialog>

#include <functional>

class QAction;
class QLabel;
class QListWidget;
class QScrollArea;
class QToolBar;

namespace almavest::report {

class PageView;

// The modal preview of a laid-out report: the pages at a chosen zoom, a side list of page
// miniatures, full screen, and a print button that runs what the caller gives. Pages are only
// looked at, never edited.
class PreviewWindow final : public QDialog
{
    Q_OBJECT

public:
    PreviewWindow(
        const PreparedReport &report, std::function<void()> print, QWidget *parent = nullptr);
    ~PreviewWindow() override;

    // 1 is 100 %: a unit of the report on one logical pixel, the paper at its real size.
    double zoom() const;
    void setZoom(double zoom);
    void zoomIn();
    void zoomOut();
    // The zoom that shows a whole page in the window.
    void fitPage();
    // The 0-based page at the top of the view, and bringing a page there.
    int currentPage() const;
    void showPage(int index);

private:
    void buildToolBar(QToolBar *bar);
    QAction *addCommand(QToolBar *bar, const QString &name, const QString &text,
        const QString &icon, const QKeySequence &key);
    void showThumbnails(bool show);
    void toggleFullScreen(bool on);
    void updatePosition();

    PreparedReport m_report;
    std::function<void()> m_print;
    PageView *m_view = nullptr;
    QScrollArea *m_scroll = nullptr;
    QListWidget *m_thumbnails = nullptr;
    QLabel *m_zoomLabel = nullptr;
    QLabel *m_pageLabel = nullptr;
    bool m_thumbnailsDrawn = false;
};

} // namespace almavest::report
