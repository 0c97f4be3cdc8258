#include "tests/support/CupsTestServer.h"
#include "platform/linux/CupsHandles.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cups/cups.h>
#include <sys/socket.h>

#include <memory>

namespace testsupport {

using platform::HttpPtr;
using platform::IppPtr;

namespace {

constexpr char kCupsd[] = "/usr/sbin/cupsd";
constexpr int kStartMsec = 10000;
constexpr int kStopMsec = 5000;
constexpr int kConnectMsec = 2000;
constexpr double kReplySeconds = 10.0;

// Unix socket paths are short (sun_path); a long TMPDIR would not fit.
QString scratchTemplate()
{
    QString base = QDir::tempPath();
    if (base.size() > 64)
        base = QStringLiteral("/tmp");
    return base + QStringLiteral("/zcups-XXXXXX");
}

const char* noPassword(const char*, http_t*, const char*, const char*, void*)
{
    return nullptr;
}

HttpPtr connectTo(const QString& socket, int msec)
{
    cupsSetPasswordCB2(noPassword, nullptr);
    HttpPtr http(httpConnect2(socket.toUtf8().constData(), 0, nullptr, AF_LOCAL,
                              HTTP_ENCRYPTION_IF_REQUESTED, 1, msec, nullptr));
    if (http)
        httpSetTimeout(http.get(), kReplySeconds, nullptr, nullptr);
    return http;
}

IppPtr printerRequest(ipp_op_t op, const QString& name)
{
    IppPtr request(ippNewRequest(op));
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                     "/printers/%s", name.toUtf8().constData());
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name",
                 nullptr, cupsUser());
    return request;
}

bool writeFile(const QString& path, const QByteArray& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

}  // namespace

CupsTestServer::CupsTestServer() : m_dir(scratchTemplate()) {}

CupsTestServer::~CupsTestServer()
{
    stop();
    if (m_pointed) {
        if (m_hadServerEnv)
            qputenv("CUPS_SERVER", m_savedServerEnv);
        else
            qunsetenv("CUPS_SERVER");
        cupsSetServer(nullptr);
    }
}

bool CupsTestServer::available()
{
    return QFileInfo(QString::fromLatin1(kCupsd)).isExecutable();
}

QString CupsTestServer::socketPath() const
{
    return m_dir.filePath(QStringLiteral("cups.sock"));
}

QString CupsTestServer::directory() const
{
    return m_dir.filePath(QStringLiteral("scratch"));
}

bool CupsTestServer::writeConfiguration(QString* error)
{
    const QDir dir(m_dir.path());
    for (const char* sub : {"root", "spool", "spool/tmp", "cache", "state", "log", "scratch"}) {
        if (!dir.mkpath(QString::fromLatin1(sub))) {
            *error = QStringLiteral("cannot create %1").arg(dir.filePath(QString::fromLatin1(sub)));
            return false;
        }
    }
    const QByteArray base = m_dir.path().toUtf8();
    const QByteArray files = "ServerRoot " + base + "/root\n"
                             "RequestRoot " + base + "/spool\n"
                             "TempDir " + base + "/spool/tmp\n"
                             "CacheDir " + base + "/cache\n"
                             "StateDir " + base + "/state\n"
                             "ErrorLog " + base + "/log/error_log\n"
                             "AccessLog " + base + "/log/access_log\n"
                             "PageLog " + base + "/log/page_log\n"
                             "SystemGroup root\n"
                             "PeerCred on\n"
                             "FileDevice Yes\n"
                             "Sandboxing Relaxed\n"
                             "CreateSelfSignedCerts no\n";
    const QByteArray conf = "Listen " + socketPath().toUtf8() + "\n"
                            "LogLevel warn\n"
                            "Browsing No\n"
                            "WebInterface No\n"
                            "DefaultAuthType Basic\n"
                            "<Location />\n"
                            "  Order allow,deny\n"
                            "  Allow all\n"
                            "</Location>\n"
                            "<Policy default>\n"
                            "  <Limit CUPS-Add-Modify-Printer CUPS-Delete-Printer>\n"
                            "    AuthType Default\n"
                            "    Require user @SYSTEM\n"
                            "    Order deny,allow\n"
                            "  </Limit>\n"
                            "  <Limit All>\n"
                            "    Order deny,allow\n"
                            "  </Limit>\n"
                            "</Policy>\n";
    if (!writeFile(dir.filePath(QStringLiteral("cups-files.conf")), files)
        || !writeFile(dir.filePath(QStringLiteral("cupsd.conf")), conf)) {
        *error = QStringLiteral("cannot write the configuration in %1").arg(m_dir.path());
        return false;
    }
    return true;
}

bool CupsTestServer::start(QString* error)
{
    QString ignored;
    if (!error)
        error = &ignored;
    if (!m_dir.isValid()) {
        *error = QStringLiteral("cannot create a temporary folder: %1").arg(m_dir.errorString());
        return false;
    }
    if (!writeConfiguration(error))
        return false;

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Not socket-activated: it must open the listener named in its own configuration.
    env.remove(QStringLiteral("LISTEN_FDS"));
    env.remove(QStringLiteral("LISTEN_PID"));
    m_cupsd.setProcessEnvironment(env);
    m_cupsd.setStandardOutputFile(QProcess::nullDevice());
    m_cupsd.setStandardErrorFile(m_dir.filePath(QStringLiteral("log/stderr")));
    m_cupsd.start(QString::fromLatin1(kCupsd),
                  {QStringLiteral("-f"), QStringLiteral("-c"),
                   m_dir.filePath(QStringLiteral("cupsd.conf")), QStringLiteral("-s"),
                   m_dir.filePath(QStringLiteral("cups-files.conf"))});
    if (!m_cupsd.waitForStarted(kStartMsec)) {
        *error = QStringLiteral("cannot run %1: %2")
                     .arg(QString::fromLatin1(kCupsd), m_cupsd.errorString());
        return false;
    }
    if (!waitUntilAnswering(error)) {
        stop();
        return false;
    }

    m_hadServerEnv = qEnvironmentVariableIsSet("CUPS_SERVER");
    m_savedServerEnv = qgetenv("CUPS_SERVER");
    m_pointed = true;
    qputenv("CUPS_SERVER", socketPath().toUtf8());
    cupsSetServer(socketPath().toUtf8().constData());
    return true;
}

bool CupsTestServer::waitUntilAnswering(QString* error)
{
    const QDeadlineTimer deadline(kStartMsec);
    while (!deadline.hasExpired()) {
        if (m_cupsd.state() == QProcess::NotRunning) {
            *error = QStringLiteral("cupsd ended at start (exit code %1):\n%2")
                         .arg(m_cupsd.exitCode())
                         .arg(logTail());
            return false;
        }
        if (QFileInfo::exists(socketPath()) && connectTo(socketPath(), 200))
            return true;
        QThread::msleep(20);
    }
    *error = QStringLiteral("cupsd did not answer on %1 within %2 ms:\n%3")
                 .arg(socketPath())
                 .arg(kStartMsec)
                 .arg(logTail());
    return false;
}

QString CupsTestServer::logTail() const
{
    QString text;
    for (const char* name : {"log/stderr", "log/error_log"}) {
        QFile file(m_dir.filePath(QString::fromLatin1(name)));
        if (file.open(QIODevice::ReadOnly))
            text += QString::fromUtf8(file.readAll().right(4000));
    }
    return text;
}

void CupsTestServer::stop()
{
    if (m_cupsd.state() == QProcess::NotRunning)
        return;
    m_cupsd.terminate();
    if (!m_cupsd.waitForFinished(kStopMsec)) {
        m_cupsd.kill();
        m_cupsd.waitForFinished(kStopMsec);
    }
}

bool CupsTestServer::addQueue(const QString& name, const QString& deviceUri, QString* error)
{
    QString ignored;
    if (!error)
        error = &ignored;
    HttpPtr http = connectTo(socketPath(), kConnectMsec);
    if (!http) {
        *error = QStringLiteral("cannot connect to %1").arg(socketPath());
        return false;
    }
    IppPtr request = printerRequest(IPP_OP_CUPS_ADD_MODIFY_PRINTER, name);
    ippAddString(request.get(), IPP_TAG_PRINTER, IPP_TAG_URI, "device-uri", nullptr,
                 deviceUri.toUtf8().constData());
    ippAddInteger(request.get(), IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", IPP_PSTATE_IDLE);
    ippAddBoolean(request.get(), IPP_TAG_PRINTER, "printer-is-accepting-jobs", 1);
    IppPtr response(cupsDoRequest(http.get(), request.release(), "/admin/"));
    if (!response || ippGetStatusCode(response.get()) > IPP_STATUS_OK_CONFLICTING) {
        *error = QStringLiteral("adding %1 (%2): %3")
                     .arg(name, deviceUri, QString::fromUtf8(cupsLastErrorString()));
        return false;
    }
    return true;
}

QString CupsTestServer::deviceUri(const QString& name) const
{
    HttpPtr http = connectTo(socketPath(), kConnectMsec);
    if (!http)
        return {};
    IppPtr request = printerRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, name);
    static const char* const wanted[] = {"device-uri"};
    ippAddStrings(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 1,
                  nullptr, wanted);
    IppPtr response(cupsDoRequest(http.get(), request.release(), "/"));
    if (!response || ippGetStatusCode(response.get()) > IPP_STATUS_OK_CONFLICTING)
        return {};
    ipp_attribute_t* attr = ippFindAttribute(response.get(), "device-uri", IPP_TAG_URI);
    const char* value = attr ? ippGetString(attr, 0, nullptr) : nullptr;
    return value ? QString::fromUtf8(value) : QString();
}

}  // namespace testsupport
