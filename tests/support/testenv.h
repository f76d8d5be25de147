#pragma once

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zelkora::test {

// A fresh station for one test: station folder, settings folder, machine folder and runtime
// folder inside one temporary directory, set through the environment variables the station
// reads. The variables are restored when the test ends.
class StationTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Paths inside the temporary directory.
    QString root() const { return m_dir.path(); }
    QString stationDir() const { return m_dir.path() + QStringLiteral("/station/"); }
    QString configDir() const { return m_dir.path() + QStringLiteral("/config"); }
    QString machineDir() const { return m_dir.path() + QStringLiteral("/machine/"); }
    QString runtimeDir() const { return m_dir.path() + QStringLiteral("/runtime"); }
    // The per-user settings file of the program title.
    QString settingsFile() const { return configDir() + QStringLiteral("/Zelkora/Zelkora.ini"); }

    // Small file helpers for arranging and inspecting fixtures.
    static void writeFile(const QString& path, const QByteArray& bytes);
    static QByteArray readFile(const QString& path);

private:
    QTemporaryDir m_dir;
    QList<std::pair<QByteArray, QByteArray>> m_saved;
    void setEnv(const char* name, const QString& value);
};

} // namespace zelkora::test
