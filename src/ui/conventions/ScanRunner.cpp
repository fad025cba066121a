#include "ui/conventions/ScanRunner.h"

#include "ui/services/Services.h"

#include <QBoxLayout>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

namespace almavest::ui {

namespace {

// How often the notice's percentage is brought up to date.
constexpr int kProgressMilliseconds = 100;

// The box layout under `layout` that holds `widget`, with the widget's place in it.
QBoxLayout *boxHolding(QLayout *layout, const QWidget *widget, int &index)
{
    if (layout == nullptr)
        return nullptr;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (item->widget() == widget) {
            index = i;
            return qobject_cast<QBoxLayout *>(layout);
        }
        if (QBoxLayout *inner = boxHolding(item->layout(), widget, index))
            return inner;
    }
    return nullptr;
}

QPushButton *newCancelButton(QWidget *parent)
{
    auto *button = new QPushButton(QStringLiteral("Annulla"), parent);
    button->setObjectName(QStringLiteral("btnAnnullaAttesa"));
    button->setCursor(Qt::PointingHandCursor);
    button->setAutoDefault(false);
    button->hide();
    return button;
}

} // namespace

struct ScanRunner::Job
{
    store::ScanControl control;
    std::function<void()> deliver; // written by the worker before it hands the job back
};

ScanRunner::ScanRunner(Services &services, QWidget *window, QLabel *notice)
    : QObject(window)
    , m_services(services)
    , m_window(window)
    , m_notice(notice)
{
    if (m_notice == nullptr) {
        buildOwnNotice();
    } else {
        m_cancel = newCancelButton(m_notice->parentWidget());
        int index = 0;
        QBoxLayout *box = boxHolding(m_notice->parentWidget()->layout(), m_notice, index);
        if (box == nullptr)
            qFatal("The wait notice %s is not in a box layout", qPrintable(notice->objectName()));
        box->insertWidget(index + 1, m_cancel);
        // A notice that keeps its room while hidden does so that nothing moves under the
        // pointer; its button does the same.
        QSizePolicy policy = m_cancel->sizePolicy();
        policy.setRetainSizeWhenHidden(m_notice->sizePolicy().retainSizeWhenHidden());
        m_cancel->setSizePolicy(policy);
    }
    connect(m_cancel, &QPushButton::clicked, this, &ScanRunner::cancel);
    m_escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    m_escape->setContext(Qt::WindowShortcut);
    m_escape->setEnabled(false);
    connect(m_escape, &QShortcut::activated, this, &ScanRunner::cancel);
    m_progress = new QTimer(this);
    m_progress->setInterval(kProgressMilliseconds);
    connect(m_progress, &QTimer::timeout, this, &ScanRunner::showProgress);
    window->installEventFilter(this);
}

ScanRunner &ScanRunner::of(Services &services, QWidget *window)
{
    if (auto *runner = window->findChild<ScanRunner *>(QString(), Qt::FindDirectChildrenOnly))
        return *runner;
    return *new ScanRunner(services, window);
}

ScanRunner::~ScanRunner()
{
    if (m_job)
        m_job->control.cancel();
    stopWorker();
}

// A window without a notice of its own gets a framed one over its bottom edge.
void ScanRunner::buildOwnNotice()
{
    auto *frame = new QFrame(m_window);
    frame->setObjectName(QStringLiteral("panAttesa"));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setAutoFillBackground(true);
    m_notice = new QLabel(QStringLiteral("Lettura dell'archivio in corso. Attendere..."), frame);
    m_notice->setObjectName(QStringLiteral("lblAttesa"));
    m_cancel = newCancelButton(frame);
    m_cancel->show();
    m_notice->show();
    auto *layout = new QHBoxLayout(frame);
    layout->addWidget(m_notice);
    layout->addWidget(m_cancel);
    frame->hide();
    m_ownNotice = frame;
}

void ScanRunner::placeOwnNotice()
{
    m_ownNotice->adjustSize();
    const QSize size = m_ownNotice->size();
    m_ownNotice->move((m_window->width() - size.width()) / 2, m_window->height() - size.height());
    m_ownNotice->raise();
}

void ScanRunner::startJob(Work work)
{
    // A second request replaces the first: the first stops at its next report and what it read
    // is thrown away, so only the last request's lines reach the window.
    // The notice's own text is taken only when no scan runs: while one does, it carries the
    // running scan's percentage.
    if (m_job) {
        m_job->control.cancel();
        stopWorker();
        m_job.reset();
    } else {
        m_noticeText = m_notice->text();
    }
    auto job = std::make_shared<Job>();
    Services &services = m_services;
    job->control.setPace(
        [&services](const store::ScanControl &control) { services.scanReported(control); });
    m_job = job;
    m_notice->setText(progressText());
    // A notice of the runner's own waits for the first progress tick, so that the lists of a
    // small archive open without a flash of it over the window.
    if (!m_ownNotice) {
        m_notice->show();
        m_cancel->show();
    }
    m_escape->setEnabled(true);
    m_progress->start();
    m_worker = std::thread([this, job, work = std::move(work)]() mutable {
        job->deliver = work(job->control);
        QMetaObject::invokeMethod(
            this, [this, job] { finish(job); }, Qt::QueuedConnection);
    });
}

void ScanRunner::finish(const std::shared_ptr<Job> &job)
{
    if (job != m_job)
        return; // a scan replaced or cancelled meanwhile
    stopWorker();
    m_job.reset();
    hideNotice();
    if (!job->control.cancelled())
        job->deliver();
    Q_EMIT idle();
}

// Cancelling puts nothing on screen: the window is as it was before the request.
void ScanRunner::cancel()
{
    if (!m_job)
        return;
    m_job->control.cancel();
    stopWorker();
    m_job.reset();
    hideNotice();
    Q_EMIT idle();
}

void ScanRunner::stopWorker()
{
    if (m_worker.joinable())
        m_worker.join();
}

QString ScanRunner::progressText() const
{
    return QStringLiteral("%1 %2%").arg(m_noticeText).arg(m_job->control.percent());
}

void ScanRunner::showProgress()
{
    if (!m_job || !m_notice)
        return;
    m_notice->setText(progressText());
    if (m_ownNotice && m_ownNotice->isHidden()) {
        placeOwnNotice();
        m_ownNotice->show();
    }
}

void ScanRunner::hideNotice()
{
    m_progress->stop();
    m_escape->setEnabled(false);
    if (m_notice)
        m_notice->setText(m_noticeText);
    if (m_ownNotice) {
        m_ownNotice->hide();
        return;
    }
    if (m_notice)
        m_notice->hide();
    if (m_cancel)
        m_cancel->hide();
}

// Closing the window stops its scan; so does hiding it, as a dialog's closing does.
bool ScanRunner::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window) {
        const QEvent::Type type = event->type();
        if (type == QEvent::Close || (type == QEvent::Hide && !event->spontaneous()))
            cancel();
        else if (type == QEvent::Resize && m_ownNotice && m_ownNotice->isVisible())
            placeOwnNotice();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace almavest::ui
