#pragma once

#include "ui/exporting/SheetExportDialog.h"

// The export of one year's movements to "Movimenti.xls".
namespace almavest::ui {

class MovementExportDialog final : public SheetExportDialog
{
    Q_OBJECT
public:
    MovementExportDialog(AppContext &context, QWidget *owner);

    // Opens the export of the movement archive at `archivePath` over `owner` and waits until it
    // closes.
    static void open(AppContext &context, QWidget *owner, const QString &archivePath);
};

} // namespace almavest::ui
