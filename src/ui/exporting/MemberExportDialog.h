#pragma once

#include "ui/exporting/SheetExportDialog.h"

// The export of the member archive "Soci.pro" to "Soci.xls".
namespace almavest::ui {

class MemberExportDialog final : public SheetExportDialog
{
    Q_OBJECT
public:
    MemberExportDialog(AppContext &context, QWidget *owner);

    // Opens the export over `owner` and waits until it closes.
    static void open(AppContext &context, QWidget *owner);
};

} // namespace almavest::ui
