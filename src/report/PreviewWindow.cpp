#include "report/PreviewWindow.h"

#include <QAction>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>

namespace almavest::report {

using namespace Qt::StringLiterals;

namespace {

constexpr int kGap = 16; // pixels around and between the pages
constexpr std::array kZoomSteps {0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};
constexpr double kMinZoom = 0.1;
constexpr double kMaxZoom = 4.0;
constexpr int kThumbnailWidth = 130;

QImage thumbnail(const PreparedReport &report, int index)
{
    const QSizeF paper = paperSizeUnits(report);
    const double scale = kThumbnailWidth / paper.width();
    QImage image((paper * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    drawPageInUnits(report, index, painter);
    painter.setPen(QPen(Qt::gray, 0));
    painter.resetTransform();
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
    return image;
}

// A column of page miniatures, hidden until asked for.
QListWidget *thumbnailList(const QSizeF &paper, QWidget *parent)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(u"thumbnailList"_s);
    list->setViewMode(QListView::IconMode);
    list->setFlow(QListView::TopToBottom);
    list->setWrapping(false);
    list->setMovement(QListView::Static);
    list->setSpacing(6);
    list->setIconSize(
        QSize(kThumbnailWidth, int(std::lround(kThumbnailWidth * paper.height() / paper.width()))));
    list->setFixedWidth(kThumbnailWidth + 48);
    list->hide();
    return list;
}

} // namespace

// The pages one under the other on a grey ground, drawn at the zoom straight from the page model
// so that text stays sharp at any size; only the pages in sight are drawn.
class PageView final : public QWidget
{
public:
    PageView(const PreparedReport &report, QWidget *parent)
        : QWidget(parent)
        , m_report(report)
        , m_paper(paperSizeUnits(report))
    {
        setObjectName(u"pageView"_s);
        setAttribute(Qt::WA_OpaquePaintEvent);
        updateSize();
    }

    double zoom() const { return m_zoom; }
    void setZoom(double zoom)
    {
        m_zoom = zoom;
        updateSize();
        update();
    }
    int pageCount() const { return int(m_report.pages.size()); }
    QSize pageSize() const { return (m_paper * m_zoom).toSize(); }
    QRect pageRect(int index) const
    {
        const QSize size = pageSize();
        return {(width() - size.width()) / 2, kGap + index * (size.height() + kGap), size.width(),
            size.height()};
    }
    int pageAt(int y) const
    {
        return std::clamp(
            (y - kGap / 2) / (pageSize().height() + kGap), 0, std::max(0, pageCount() - 1));
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), palette().color(QPalette::Dark));
        const int last = pageAt(event->rect().bottom());
        for (int index = pageAt(event->rect().top()); index <= last; ++index) {
            const QRect page = pageRect(index);
            painter.fillRect(page.translated(3, 3), QColor(0, 0, 0, 80));
            painter.fillRect(page, Qt::white);
            painter.save();
            painter.setClipRect(page);
            painter.translate(page.topLeft());
            painter.scale(m_zoom, m_zoom);
            drawPageInUnits(m_report, index, painter);
            painter.restore();
        }
    }

private:
    void updateSize()
    {
        const QSize page = pageSize();
        resize(page.width() + 2 * kGap, std::max(1, pageCount()) * (page.height() + kGap) + kGap);
    }

    const PreparedReport &m_report;
    QSizeF m_paper;
    double m_zoom = 1;
};

PreviewWindow::PreviewWindow(
    const PreparedReport &report, std::function<void()> print, QWidget *parent)
    : QDialog(parent,
        Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint
            | Qt::WindowCloseButtonHint)
    , m_report(report)
    , m_print(std::move(print))
{
    setObjectName(u"PreviewWindow"_s);
    setWindowTitle(m_report.name);
    setModal(true);

    m_view = new PageView(m_report, this);
    m_scroll = new QScrollArea(this);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setWidget(m_view);
    m_thumbnails = thumbnailList(paperSizeUnits(m_report), this);

    auto *bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    buildToolBar(bar);
    auto *body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(m_thumbnails);
    body->addWidget(m_scroll, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addLayout(body, 1);

    connect(m_scroll->verticalScrollBar(), &QScrollBar::valueChanged, this,
        &PreviewWindow::updatePosition);
    connect(m_thumbnails, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            showPage(row);
    });

    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    const int wanted
        = m_view->width() + 2 * kGap + m_scroll->verticalScrollBar()->sizeHint().width();
    resize(std::min(wanted, area.width() * 9 / 10), area.height() * 9 / 10);
    updatePosition();
}

PreviewWindow::~PreviewWindow() = default;

QAction *PreviewWindow::addCommand(QToolBar *bar, const QString &name, const QString &text,
    const QString &icon, const QKeySequence &key)
{
    QAction *action = bar->addAction(QIcon::fromTheme(icon), text);
    action->setObjectName(name);
    action->setShortcut(key);
    return action;
}

void PreviewWindow::buildToolBar(QToolBar *bar)
{
    QAction *print
        = addCommand(bar, u"printAction"_s, u"Stampa"_s, u"document-print"_s, QKeySequence::Print);
    connect(print, &QAction::triggered, this, [this] {
        if (m_print)
            m_print();
    });
    bar->addSeparator();
    QAction *out
        = addCommand(bar, u"zoomOutAction"_s, u"Riduci"_s, u"zoom-out"_s, QKeySequence::ZoomOut);
    connect(out, &QAction::triggered, this, &PreviewWindow::zoomOut);
    QAction *in
        = addCommand(bar, u"zoomInAction"_s, u"Ingrandisci"_s, u"zoom-in"_s, QKeySequence::ZoomIn);
    connect(in, &QAction::triggered, this, &PreviewWindow::zoomIn);
    QAction *actual = addCommand(bar, u"actualSizeAction"_s, u"100%"_s, u"zoom-original"_s,
        QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(actual, &QAction::triggered, this, [this] { setZoom(1.0); });
    QAction *fit = addCommand(
        bar, u"fitPageAction"_s, u"Pagina intera"_s, u"zoom-fit-best"_s, QKeySequence());
    connect(fit, &QAction::triggered, this, &PreviewWindow::fitPage);
    bar->addSeparator();
    QAction *full = addCommand(bar, u"fullScreenAction"_s, u"Schermo intero"_s,
        u"view-fullscreen"_s, QKeySequence(Qt::Key_F11));
    full->setCheckable(true);
    connect(full, &QAction::toggled, this, &PreviewWindow::toggleFullScreen);
    QAction *thumbnails
        = addCommand(bar, u"thumbnailsAction"_s, u"Miniature"_s, u"view-preview"_s, QKeySequence());
    thumbnails->setCheckable(true);
    connect(thumbnails, &QAction::toggled, this, &PreviewWindow::showThumbnails);
    bar->addSeparator();
    m_pageLabel = new QLabel(bar);
    m_pageLabel->setObjectName(u"pageLabel"_s);
    m_pageLabel->setContentsMargins(8, 0, 8, 0);
    bar->addWidget(m_pageLabel);
    m_zoomLabel = new QLabel(bar);
    m_zoomLabel->setObjectName(u"zoomLabel"_s);
    m_zoomLabel->setContentsMargins(8, 0, 8, 0);
    bar->addWidget(m_zoomLabel);
    auto *spacer = new QWidget(bar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    bar->addWidget(spacer);
    QAction *close
        = addCommand(bar, u"closeAction"_s, u"Chiudi"_s, u"window-close"_s, QKeySequence());
    connect(close, &QAction::triggered, this, &QDialog::reject);
}

double PreviewWindow::zoom() const
{
    return m_view->zoom();
}

void PreviewWindow::setZoom(double zoom)
{
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    // Keep the same place of the same page at the top of the view.
    QScrollBar *vertical = m_scroll->verticalScrollBar();
    QScrollBar *horizontal = m_scroll->horizontalScrollBar();
    const int page = currentPage();
    const QRect before = m_view->pageRect(page);
    const double down = double(vertical->value() - before.top()) / std::max(1, before.height());
    const double across
        = horizontal->maximum() > 0 ? double(horizontal->value()) / horizontal->maximum() : 0.5;
    m_view->setZoom(zoom);
    const QRect after = m_view->pageRect(page);
    vertical->setValue(after.top() + int(std::lround(down * after.height())));
    horizontal->setValue(int(std::lround(across * horizontal->maximum())));
    updatePosition();
}

void PreviewWindow::zoomIn()
{
    const double current = zoom();
    const auto next = std::find_if(kZoomSteps.begin(), kZoomSteps.end(),
        [current](double step) { return step > current + 1e-6; });
    setZoom(next != kZoomSteps.end() ? *next : kMaxZoom);
}

void PreviewWindow::zoomOut()
{
    const double current = zoom();
    const auto next = std::find_if(kZoomSteps.rbegin(), kZoomSteps.rend(),
        [current](double step) { return step < current - 1e-6; });
    setZoom(next != kZoomSteps.rend() ? *next : kZoomSteps.front());
}

void PreviewWindow::fitPage()
{
    const QSize room = m_scroll->viewport()->size() - QSize(2 * kGap, 2 * kGap);
    const QSizeF paper = paperSizeUnits(m_report);
    const int page = currentPage();
    setZoom(std::min(room.width() / paper.width(), room.height() / paper.height()));
    showPage(page);
}

int PreviewWindow::currentPage() const
{
    return m_view->pageAt(m_scroll->verticalScrollBar()->value() + kGap);
}

void PreviewWindow::showPage(int index)
{
    m_scroll->verticalScrollBar()->setValue(m_view->pageRect(index).top() - kGap / 2);
    updatePosition();
}

void PreviewWindow::showThumbnails(bool show)
{
    if (show && !m_thumbnailsDrawn) {
        // Drawn on first demand: a long list makes many pages that may never be looked at.
        m_thumbnailsDrawn = true;
        const QSignalBlocker blocker(m_thumbnails);
        for (int index = 0; index < m_view->pageCount(); ++index) {
            m_thumbnails->addItem(new QListWidgetItem(
                QIcon(QPixmap::fromImage(thumbnail(m_report, index))), QString::number(index + 1)));
        }
        m_thumbnails->setCurrentRow(currentPage());
    }
    m_thumbnails->setVisible(show);
}

void PreviewWindow::toggleFullScreen(bool on)
{
    if (on)
        showFullScreen();
    else
        showNormal();
}

void PreviewWindow::updatePosition()
{
    const int page = currentPage();
    m_pageLabel->setText(u"Pagina %1 di %2"_s.arg(page + 1).arg(m_view->pageCount()));
    m_zoomLabel->setText(u"Zoom %1%"_s.arg(std::lround(zoom() * 100)));
    if (m_thumbnailsDrawn) {
        const QSignalBlocker blocker(m_thumbnails);
        m_thumbnails->setCurrentRow(page);
    }
}

} // namespace almavest::report
