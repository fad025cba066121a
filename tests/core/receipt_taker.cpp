// Takes receipt numbers for new movements of a journal as the movement card does, one action
// each, and prints the number each one got. Started twice at once by the renewal tests.
//   receipt_taker <journal> <first movement position> <count>
// Waits for a line on its input before the first one, so that two copies start together.
#include "membership/RenewalWrite.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

using namespace almavest::membership;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4)
        return 2;
    const QString journal = args.at(1);
    const qint64 first = args.at(2).toLongLong();
    const int count = args.at(3).toInt();

    char go[8];
    if (!std::fgets(go, sizeof go, stdin))
        return 2;
    QTextStream out(stdout);
    for (int i = 0; i < count; ++i) {
        Receipt draft;
        draft.movement = first + i;
        draft.issued = QDate(2026, 3, 15);
        draft.amount = QStringLiteral("10,00");
        draft.payer = QStringLiteral("SOCIO %1").arg(first + i);
        const IssuedReceipt issued = issueReceipt(journal, draft);
        if (!issued.receipt || issued.alreadyGiven) {
            std::fprintf(stderr, "receipt %d: %s\n", i, qPrintable(issued.error));
            return 1;
        }
        out << issued.receipt->number << '\n';
        out.flush();
    }
    return 0;
}
