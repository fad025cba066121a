#include "ui/dialogs/CardAttachments.h"

#include "ui/conventions/CardForm.h"
#include "ui/dialogs/AttachmentsDialog.h"

#include <QLabel>

namespace almavest::ui {

namespace {

QLabel *attachmentLabel(const CardForm &form, const char *prefix, size_t slot)
{
    const QString name = QString::fromLatin1(prefix) + QStringLiteral("0%1").arg(slot + 1);
    return form.hiddenLabel(form.table().indexOf(name));
}

} // namespace

void editCardAttachments(
    AppContext &context, QWidget *card, const CardForm &form, AttachmentsMode mode)
{
    AttachmentSlots slots;
    for (size_t i = 0; i < slots.files.size(); ++i) {
        slots.files[i] = attachmentLabel(form, "lblFile", i)->text();
        slots.descriptions[i] = attachmentLabel(form, "lblDesc", i)->text();
    }
    const std::optional<AttachmentSlots> applied
        = AttachmentsDialog::edit(context, card, mode, slots);
    if (!applied)
        return;
    for (size_t i = 0; i < slots.files.size(); ++i) {
        attachmentLabel(form, "lblFile", i)->setText(applied->files[i]);
        attachmentLabel(form, "lblDesc", i)->setText(applied->descriptions[i]);
    }
}

} // namespace almavest::ui
