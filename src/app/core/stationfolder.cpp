#include "app/core/stationfolder.h"

#include "util/clock.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace zelkora {

namespace {

QString withSlash(QString path) {
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

bool isDir(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

// Undoes a provisioning that failed half-way: what this run created, newest first.
class ProvisionJournal {
public:
    void created(const QString& path) { m_created.prepend(path); }
    void rollback() const {
        for (const QString& path : m_created) {
            if (QFileInfo(path).isDir())
                QDir().rmdir(path);
            else
                QFile::remove(path);
        }
    }

private:
    QStringList m_created;
};

// Creates every missing folder of `path`, recording each in the journal.
bool makeFolders(const QString& path, ProvisionJournal& journal, QFileDevice::Permissions mode) {
    QStringList missing;
    for (QString p = QDir::cleanPath(path); !QFileInfo::exists(p); p = QFileInfo(p).path())
        missing.prepend(p);
    for (const QString& folder : std::as_const(missing)) {
        if (!QDir().mkdir(folder))
            return false;
        journal.created(folder);
        QFile::setPermissions(folder, mode);
    }
    return QFileInfo(path).isDir();
}

} // namespace

QString GetAppPath() {
    const QString home = qEnvironmentVariable("ZELKORA_HOME");
    if (!home.isEmpty())
        return withSlash(home);
    return withSlash(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)) +
           QStringLiteral("zelkora/");
}

QString InstalledDataPath() {
    const QString fromEnvironment = qEnvironmentVariable("ZELKORA_DATA_DIR");
    if (!fromEnvironment.isEmpty())
        return withSlash(fromEnvironment);
    const QString besideProgram =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/zelkora");
    if (QCoreApplication::instance() && isDir(besideProgram))
        return withSlash(QDir::cleanPath(besideProgram));
    const QString installed = QStringLiteral(ZELKORA_INSTALLED_DATA_DIR);
    if (isDir(installed))
        return withSlash(installed);
    return withSlash(QStringLiteral(ZELKORA_BUILD_DATA_DIR));
}

QString MachinePath() {
    const QString machine = qEnvironmentVariable("ZELKORA_MACHINE_DIR");
    if (!machine.isEmpty())
        return withSlash(machine);
    return GetAppPath() + QStringLiteral("registry/");
}

ProvisionResult ProvisionStationFolder(QString* error, const ProvisionStep& extra) {
    const QString station = GetAppPath();
    const QString marker = station + QLatin1String(kProvisionedMarker);
    if (QFileInfo::exists(marker))
        return ProvisionResult::AlreadyProvisioned;

    ProvisionJournal journal;
    auto fail = [&](const QString& what) {
        journal.rollback();
        if (error)
            *error = QStringLiteral("The station folder %1 could not be prepared: %2.")
                         .arg(QDir::toNativeSeparators(station), what);
        return ProvisionResult::Failed;
    };

    const auto privateFolder =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    if (!makeFolders(station, journal, privateFolder))
        return fail(QStringLiteral("the folder cannot be created"));

    // Installed defaults; files already there (a station repairing itself) are kept.
    const QString data = InstalledDataPath();
    QDirIterator it(data, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = station + source.mid(data.size());
        if (QFileInfo::exists(target))
            continue;
        if (!makeFolders(QFileInfo(target).path(), journal, privateFolder))
            return fail(
                QStringLiteral("the folder %1 cannot be created").arg(QFileInfo(target).path()));
        if (!QFile::copy(source, target))
            return fail(QStringLiteral("%1 cannot be copied").arg(QFileInfo(source).fileName()));
        journal.created(target);
        QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    if (!makeFolders(station + QStringLiteral("photos"), journal, privateFolder))
        return fail(QStringLiteral("the folder \"photos\" cannot be created"));

    if (extra) {
        QStringList created;
        QString why;
        const bool ok = extra(station, &created, &why);
        for (const QString& path : std::as_const(created))
            journal.created(path);
        if (!ok)
            return fail(why);
    }

    // The marker goes last: without it the next start provisions again.
    QSaveFile out(marker);
    const QByteArray stamp = "Provisioned " +
                             Clock::current().now().toString(Qt::ISODate).toUtf8() +
                             " by Zelkora " ZELKORA_VERSION "\n";
    if (!out.open(QIODevice::WriteOnly) || out.write(stamp) < 0 || !out.commit())
        return fail(QStringLiteral("the folder cannot be written (%1)").arg(out.errorString()));
    return ProvisionResult::Provisioned;
}

} // namespace zelkora
