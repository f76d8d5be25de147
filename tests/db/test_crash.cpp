#include "dbtestsupport.h"

#include <QProcess>

namespace zelkora::test {
namespace {

class CrashTest : public DatabaseTest {};

// A station killed in the middle of check-ins keeps every visit it had committed.
TEST_F(CrashTest, KilledWriterLosesNoCommittedVisit) {
    QProcess writer;
    writer.setProgram(QStringLiteral(DB_CRASH_HELPER));
    writer.start();
    ASSERT_TRUE(writer.waitForStarted());
    QByteArray output;
    while (output.count('\n') < 300 && writer.state() == QProcess::Running) {
        if (writer.waitForReadyRead(30000))
            output += writer.readAllStandardOutput();
        else
            break;
    }
    writer.kill(); // SIGKILL: no chance to close anything
    ASSERT_TRUE(writer.waitForFinished());
    output += writer.readAllStandardOutput();
    ASSERT_GE(output.count('\n'), 300) << writer.readAllStandardError().toStdString();

    // Only whole lines were reported as committed.
    QList<QByteArray> lines = output.split('\n');
    lines.removeLast();
    EXPECT_EQ(rawColumn(QStringLiteral("PRAGMA integrity_check")).value(0).toString(),
              QStringLiteral("ok"));
    for (const QByteArray& line : std::as_const(lines)) {
        const QList<QByteArray> parts = line.split(' ');
        ASSERT_EQ(parts.size(), 2) << line.toStdString();
        EXPECT_EQ(rawColumn(QStringLiteral("SELECT Name FROM Labels WHERE ID = ?"),
                            {parts.at(0).toLongLong()}),
                  QVariantList{QString::fromLatin1(parts.at(1))})
            << line.toStdString();
    }
}

} // namespace
} // namespace zelkora::test
