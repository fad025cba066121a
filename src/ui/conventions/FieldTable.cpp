#include "ui/conventions/FieldTable.h"

#include "ui/conventions/FieldBehaviour.h"
#include "ui/conventions/Halo.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>

namespace almavest::ui {

namespace {

QString haloName(const QString &fieldName)
{
    return QStringLiteral("eff")
        + (fieldName.startsWith(QLatin1String("txt")) ? fieldName.mid(3) : fieldName);
}

// Writes a hint on entering a control, or empties the line on moving over a background.
class HintWriter final : public QObject
{
public:
    HintWriter(QLabel *status, QString hint, QObject *parent)
        : QObject(parent)
        , m_status(status)
        , m_hint(std::move(hint))
    { }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        // A control writes its hint as soon as the pointer enters it; a background clears the
        // line only when the pointer really moves over it, not when a window appears under it.
        const bool moved = event->type() == QEvent::MouseMove;
        if (moved || (event->type() == QEvent::Enter && !m_hint.isEmpty())) {
            if (m_status->text() != m_hint)
                m_status->setText(m_hint);
        }
        return false;
    }

private:
    QLabel *m_status;
    QString m_hint;
};

void addHalo(QWidget *screen, QLineEdit *field, FieldBehaviour *behaviour, const FieldSettings &row)
{
    const QString name = row.halo ? QString::fromLatin1(row.halo) : haloName(field->objectName());
    auto *halo = screen->findChild<QWidget *>(name);
    if (!halo)
        halo = new Halo(field, name);
    behaviour->setHalo(halo);
}

} // namespace

void requireNoneMissing(const QWidget *screen, const QStringList &missing)
{
    if (missing.isEmpty())
        return;
    qFatal("Screen %s lacks the controls: %s", qPrintable(screen->objectName()),
        qPrintable(missing.join(QLatin1String(", "))));
}

void applyFieldTable(QWidget *screen, std::span<const FieldSettings> table)
{
    for (const FieldSettings &row : table)
        applyField(screen, row);
}

void applyField(QWidget *screen, const FieldSettings &row)
{
    auto *field = requireControl<QLineEdit>(screen, QLatin1String(row.name));
    auto *behaviour = new FieldBehaviour(field, row);
    if (row.highlight == Highlight::Background)
        field->setProperty("recoloured", true);
    else
        addHalo(screen, field, behaviour, row);
    if (row.enterNext) {
        auto *next = requireControl<QWidget>(screen, QLatin1String(row.enterNext));
        behaviour->setEnterSuccessor(next);
        if (qobject_cast<QAbstractButton *>(next))
            makeEnterClick(next);
    }
}

void installHints(QWidget *screen, QLabel *status, std::span<const HintSpec> hints,
    std::initializer_list<QWidget *> backgrounds)
{
    installHints(screen, status, hints, QList<QWidget *>(backgrounds));
}

void installHints(QWidget *screen, QLabel *status, std::span<const HintSpec> hints,
    const QList<QWidget *> &backgrounds)
{
    for (const HintSpec &hint : hints) {
        auto *control = requireControl<QWidget>(screen, QLatin1String(hint.control));
        control->installEventFilter(new HintWriter(status, QString::fromUtf8(hint.text), control));
    }
    for (QWidget *background : backgrounds) {
        background->setMouseTracking(true);
        background->installEventFilter(new HintWriter(status, QString(), background));
    }
}

} // namespace almavest::ui
