#include "cupsserver.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <cstring>
#include <cups/cups.h>
#include <grp.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace zelkora::test {

namespace {

const QString kCupsd = QStringLiteral("/usr/sbin/cupsd");
CupsServer* g_running = nullptr;
QString g_skipReason = QStringLiteral("the CUPS scheduler was not started");

// Registered once per test binary: one scheduler serves all its tests.
[[maybe_unused]] const ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new CupsServer);

// Whether something accepts connections on the Unix socket at `path`.
bool acceptsConnections(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (name.size() >= static_cast<qsizetype>(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    const bool connected =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

void writeText(const QString& path, const QString& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(text.toUtf8());
}

} // namespace

CupsServer::CupsServer() = default;

CupsServer::~CupsServer() = default;

CupsServer* CupsServer::running() {
    return g_running;
}

QString CupsServer::skipReason() {
    return g_skipReason;
}

QString CupsServer::socketPath() const {
    return m_dir->path() + QStringLiteral("/run/cups.sock");
}

bool CupsServer::run(const QString& program, const QStringList& arguments, QString* output) const {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(30000);
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void CupsServer::SetUp() {
    if (!QFileInfo::exists(kCupsd)) {
        g_skipReason = QStringLiteral("%1 is not installed (package cups-daemon)").arg(kCupsd);
        return;
    }
    ASSERT_TRUE(start()) << "the private CUPS scheduler did not start";
    g_running = this;
}

bool CupsServer::start() {
    m_dir = std::make_unique<QTemporaryDir>();
    if (!m_dir->isValid())
        return false;
    const QString dir = m_dir->path();
    // The scheduler's filters run as lp and must reach the folder.
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                   QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                   QFile::ExeOther);
    const passwd* lp = getpwnam("lp");
    const group* lpGroup = getgrnam("lp");
    for (const char* sub : {"spool", "cache", "state", "log", "run"}) {
        const QString path = dir + QLatin1Char('/') + QLatin1String(sub);
        QDir().mkpath(path);
        if (lp && lpGroup && QLatin1String(sub) != QLatin1String("run") &&
            chown(QFile::encodeName(path).constData(), lp->pw_uid, lpGroup->gr_gid) != 0)
            return false;
    }
    writeText(dir + QStringLiteral("/cupsd.conf"),
              QStringLiteral("Listen %1/run/cups.sock\n"
                             "LogLevel warn\n"
                             "WebInterface No\n"
                             "Browsing Off\n"
                             "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                             "<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                             "  </Limit>\n</Policy>\n")
                  .arg(dir));
    writeText(dir + QStringLiteral("/cups-files.conf"),
              QStringLiteral("FileDevice Yes\n"
                             "ServerRoot %1\n"
                             "RequestRoot %1/spool\n"
                             "CacheDir %1/cache\n"
                             "StateDir %1/state\n"
                             "TempDir %1/spool\n"
                             "ErrorLog %1/log/error_log\n"
                             "AccessLog %1/log/access_log\n"
                             "PageLog %1/log/page_log\n"
                             "User lp\nGroup lp\nSystemGroup lpadmin\n")
                  .arg(dir));

    m_cupsd = std::make_unique<QProcess>();
    m_cupsd->setProcessChannelMode(QProcess::ForwardedChannels);
    m_cupsd->start(kCupsd,
                   {QStringLiteral("-f"), QStringLiteral("-c"), dir + QStringLiteral("/cupsd.conf"),
                    QStringLiteral("-s"), dir + QStringLiteral("/cups-files.conf")});
    if (!m_cupsd->waitForStarted(10000))
        return false;

    // The scheduler is ready once its socket accepts a connection.
    const QDeadlineTimer deadline(15000);
    bool ready = false;
    while (!ready && !deadline.hasExpired() && m_cupsd->state() == QProcess::Running) {
        ready = acceptsConnections(socketPath());
        if (!ready)
            QThread::msleep(20);
    }
    if (!ready)
        return false;

    qputenv("CUPS_SERVER", QFile::encodeName(socketPath()));
    cupsSetServer(QFile::encodeName(socketPath()).constData());

    const QString dymo = QStringLiteral("dymo:0/cups/model/");
    const QList<std::pair<QString, QString>> queues = {
        {QStringLiteral("TwinOld"), dymo + QStringLiteral("lwtt.ppd")},
        {QStringLiteral("Twin450"), dymo + QStringLiteral("lw450tt.ppd")},
        {QStringLiteral("Plain"), QStringLiteral("drv:///sample.drv/generic.ppd")},
    };
    for (const auto& [name, model] : queues) {
        if (!lpadmin({QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                      QStringLiteral("file:///dev/null"), QStringLiteral("-m"), model}))
            return false;
    }
    return true;
}

bool CupsServer::lpadmin(const QStringList& arguments) const {
    QString output;
    if (run(QStringLiteral("lpadmin"), arguments, &output))
        return true;
    ADD_FAILURE() << "lpadmin " << arguments.join(QLatin1Char(' ')).toStdString() << ": "
                  << output.toStdString();
    return false;
}

void CupsServer::TearDown() {
    g_running = nullptr;
    if (m_cupsd && m_cupsd->state() != QProcess::NotRunning) {
        m_cupsd->terminate();
        if (!m_cupsd->waitForFinished(10000)) {
            m_cupsd->kill();
            m_cupsd->waitForFinished(5000);
        }
    }
    m_cupsd.reset();
    m_dir.reset();
}

QMap<QString, QString> CupsServer::jobAttributes(int jobId) const {
    QMap<QString, QString> attributes;
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const QByteArray uri = QStringLiteral("ipp://localhost/jobs/%1").arg(jobId).toUtf8();
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
    // The job's owner sees its private values (job-name among them).
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "all");
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/jobs/");
    if (!response)
        return attributes;
    for (ipp_attribute_t* a = ippFirstAttribute(response); a; a = ippNextAttribute(response)) {
        if (!ippGetName(a) || ippGetGroupTag(a) != IPP_TAG_JOB)
            continue;
        char buffer[1024];
        ippAttributeString(a, buffer, sizeof buffer);
        attributes.insert(QString::fromUtf8(ippGetName(a)), QString::fromUtf8(buffer));
    }
    ippDelete(response);
    return attributes;
}

QList<int> CupsServer::jobIds() const {
    QList<int> ids;
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ALL);
    for (int i = 0; i < count; ++i)
        ids.append(jobs[i].id);
    cupsFreeJobs(count, jobs);
    return ids;
}

} // namespace zelkora::test
