// Commits visits in a loop through the data layer and reports each on stdout once its commit
// has returned, until it is killed. Used by the crash test.
#include "db/accessdatabase.h"

#include <QCoreApplication>
#include <QDateTime>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    using namespace zelkora;
    const QDateTime when(QDate(2024, 3, 1), QTime(9, 0, 0));
    for (int n = 0; n < 1000000; ++n) {
        const QString name = QStringLiteral("crash-%1").arg(n);
        db::Parameters p{
            {QStringLiteral("@TypeID"), db::ParamInteger, 4, n % 7},
            {QStringLiteral("@BadgeName"), db::ParamVarChar, 50, QStringLiteral("Visitor")},
            {QStringLiteral("@Name"), db::ParamVarChar, 50, name},
            {QStringLiteral("@LogInTime"), db::ParamTimeStamp, 8, when.addSecs(n)}};
        for (int i = 1; i <= 10; ++i)
            p.append({QStringLiteral("@Field%1").arg(i), db::ParamVarChar, 50, QString()});
        db::ExecResult added;
        const StationError e = db::RunSP(QStringLiteral("qAddLabel"), p, &added);
        if (e.isError()) {
            std::fprintf(stderr, "%s\n", qPrintable(e.description));
            return 1;
        }
        std::printf("%lld %s\n", added.returnedId.toLongLong(), qPrintable(name));
        std::fflush(stdout);
    }
    return 0;
}
