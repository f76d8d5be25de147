#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zelkora::test {

void StationTest::setEnv(const char* name, const QString& value) {
    m_saved.append({QByteArray(name), qgetenv(name)});
    qputenv(name, value.toLocal8Bit());
}

void StationTest::SetUp() {
    ASSERT_TRUE(m_dir.isValid());
    QDir().mkpath(runtimeDir());
    QFile::setPermissions(runtimeDir(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    setEnv("ZELKORA_HOME", stationDir());
    setEnv("XDG_CONFIG_HOME", configDir());
    setEnv("ZELKORA_MACHINE_DIR", machineDir());
    setEnv("XDG_RUNTIME_DIR", runtimeDir());
}

void StationTest::TearDown() {
    for (auto it = m_saved.crbegin(); it != m_saved.crend(); ++it) {
        if (it->second.isNull())
            qunsetenv(it->first.constData());
        else
            qputenv(it->first.constData(), it->second);
    }
    m_saved.clear();
}

void StationTest::writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QByteArray StationTest::readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace zelkora::test
