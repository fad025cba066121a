// A card whose screen lacks a control its record table names must stop the program at once, in
// every build type, naming what is missing; CTest expects that message on the output.
#include "registry/MemberRecord.h"
#include "ui/conventions/CardForm.h"

#include <QApplication>
#include <QLineEdit>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget screen;
    screen.setObjectName(QStringLiteral("frmProva"));
    auto *name = new QLineEdit(&screen);
    name->setObjectName(QStringLiteral("txtDipendente"));
    const almavest::ui::CardForm form(&screen, almavest::registry::memberTable(), [](int) {});
    // Reaching this line is the fault: the binding let a card without its boxes through.
    return 0;
}
