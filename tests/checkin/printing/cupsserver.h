#pragma once

#include <QMap>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class QProcess;

namespace zelkora::test {

// A private CUPS scheduler for one test binary, in a temporary folder on a Unix socket, with
// three queues on the null device: "TwinOld" (DYMO lwtt.ppd), "Twin450" (DYMO lw450tt.ppd) and
// "Plain" (the generic sample PPD). The program and the tools reach it through CUPS_SERVER.
class CupsServer final : public ::testing::Environment {
public:
    CupsServer();
    ~CupsServer() override;
    void SetUp() override;
    void TearDown() override;

    // The running scheduler, or nullptr with the reason in skipReason().
    static CupsServer* running();
    static QString skipReason();

    QString socketPath() const;
    // The job's attributes by name (values joined by ","), read back with Get-Job-Attributes.
    QMap<QString, QString> jobAttributes(int jobId) const;
    // The ids of every job the scheduler holds.
    QList<int> jobIds() const;
    // Runs lpadmin against this scheduler; false (and a test failure) when it fails.
    bool lpadmin(const QStringList& arguments) const;

private:
    bool run(const QString& program, const QStringList& arguments, QString* output) const;
    bool start();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QProcess> m_cupsd;
};

} // namespace zelkora::test

// Skips the test when no scheduler could be started because cupsd is not installed.
#define ZELKORA_REQUIRE_CUPS()                                                                     \
    do {                                                                                           \
        if (!::zelkora::test::CupsServer::running())                                               \
            GTEST_SKIP() << ::zelkora::test::CupsServer::skipReason().toStdString();               \
    } while (false)
