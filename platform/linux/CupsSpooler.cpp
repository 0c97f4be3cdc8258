#include "platform/linux/CupsSpooler.h"
#include "platform/linux/CupsHandles.h"

#include "platform/Services.h"
#include "platform/linux/LinuxDeviceIo.h"

#include <QRegularExpression>
#include <QUrl>

#include <cups/cups.h>
#include <sys/socket.h>

#include <cstring>
#include <memory>

namespace platform {

namespace {

constexpr char kNullDeviceUri[] = "file:///dev/null";
constexpr char kFilePort[] = "FILE:";
constexpr int kMaxNameBytes = 127;

struct PortFamily {
    const char* prefix;
    const char* scheme;
};

constexpr PortFamily kPortFamilies[] = {
    {"COM", "serial"},
    {"LPT", "parallel"},
};
constexpr int kMaxPortNumber = 255;

QString portName(const PortFamily& family, int n)
{
    return QString::fromLatin1(family.prefix) + QString::number(n);
}

// The same device the link opens for that name.
QString deviceOfPort(const QString& name)
{
    return LinuxDeviceIo::portDevicePath(name, profile());
}

// The port whose device is `path`. A device the profile maps explicitly is known by
// that name even when a default name would also reach it.
QString portNameForDevice(const QString& path)
{
    for (const PortFamily& family : kPortFamilies) {
        for (int n = 1; n <= kMaxPortNumber; ++n) {
            const QString name = portName(family, n);
            const QString device = deviceOfPort(name);
            if (device == path && device != LinuxDeviceIo::defaultPortDevicePath(name))
                return name + QLatin1Char(':');
        }
    }
    for (const PortFamily& family : kPortFamilies) {
        for (int n = 1; n <= kMaxPortNumber; ++n) {
            const QString name = portName(family, n);
            if (LinuxDeviceIo::defaultPortDevicePath(name) == path && deviceOfPort(name) == path)
                return name + QLatin1Char(':');
        }
    }
    return {};
}

// The local device a serial:, parallel: or file: URI writes to.
QString deviceOfUri(const QString& uri)
{
    const QUrl url(uri, QUrl::StrictMode);
    if (!url.isValid() || !url.host().isEmpty())
        return {};
    const QString scheme = url.scheme();
    if (scheme != QLatin1String("serial") && scheme != QLatin1String("parallel")
        && scheme != QLatin1String("file"))
        return {};
    return url.path();
}

bool looksLikeUri(const QString& text)
{
    static const QRegularExpression uri(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:\\S+$"));
    return uri.match(text).hasMatch();
}

// Queue names as the scheduler accepts them; anything else never reaches a request.
bool validQueueName(const QByteArray& name)
{
    if (name.isEmpty() || name.size() > kMaxNameBytes)
        return false;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= ' ' || u == 0x7f || c == '/' || c == '\\' || c == '?' || c == '\'' || c == '"'
            || c == '#')
            return false;
    }
    return true;
}

// There is no terminal to ask on; an unanswered prompt would block the window.
const char* noPassword(const char*, http_t*, const char*, const char*, void*)
{
    return nullptr;
}

HttpPtr connectScheduler(int connectMsec, double replySeconds)
{
    cupsSetPasswordCB2(noPassword, nullptr);
    HttpPtr http(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(),
                              1, connectMsec, nullptr));
    if (http)
        httpSetTimeout(http.get(), replySeconds, nullptr, nullptr);
    return http;
}

IppPtr newRequest(ipp_op_t op)
{
    IppPtr request(ippNewRequest(op));
    if (request)
        ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name",
                     nullptr, cupsUser());
    return request;
}

bool addPrinterUri(ipp_t* request, const QByteArray& name)
{
    char uri[HTTP_MAX_URI];
    if (httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                         "/printers/%s", name.constData())
        < HTTP_URI_STATUS_OK)
        return false;
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    return true;
}

// Sends the request (always consumed) and returns a successful response, else null.
IppPtr send(http_t* http, IppPtr request, const char* resource)
{
    IppPtr response(cupsDoRequest(http, request.release(), resource));
    if (!response || ippGetStatusCode(response.get()) > IPP_STATUS_OK_CONFLICTING)
        return {};
    return response;
}

bool fetchDeviceUri(http_t* http, const QByteArray& name, QString* uri)
{
    static const char* const wanted[] = {"device-uri"};
    IppPtr request = newRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    if (!request || !addPrinterUri(request.get(), name))
        return false;
    ippAddStrings(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  1, nullptr, wanted);
    IppPtr response = send(http, std::move(request), "/");
    if (!response)
        return false;
    ipp_attribute_t* attr = ippFindAttribute(response.get(), "device-uri", IPP_TAG_URI);
    const char* value = attr ? ippGetString(attr, 0, nullptr) : nullptr;
    if (!value)
        return false;
    *uri = QString::fromUtf8(value);
    return true;
}

}  // namespace

CupsSpooler::CupsSpooler(int connectMsec, double replySeconds)
    : m_connectMsec(connectMsec), m_replySeconds(replySeconds)
{
}

QString CupsSpooler::portForDeviceUri(const QString& uri)
{
    const QString device = deviceOfUri(uri);
    if (device.isEmpty())
        return uri;
    if (device == QLatin1String("/dev/null"))
        return QString::fromLatin1(kFilePort);
    const QString port = portNameForDevice(device);
    return port.isEmpty() ? uri : port;
}

QString CupsSpooler::deviceUriForPort(const QString& port)
{
    if (port == QLatin1String(kFilePort))
        return QString::fromLatin1(kNullDeviceUri);
    static const QRegularExpression portPattern(QStringLiteral("^(COM|LPT)[1-9][0-9]{0,2}:$"),
                                                QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = portPattern.match(port);
    if (match.hasMatch()) {
        const QString prefix = match.captured(1).toUpper();
        const QString device = deviceOfPort(port);
        for (const PortFamily& family : kPortFamilies) {
            if (!device.isEmpty() && prefix == QLatin1String(family.prefix))
                return QString::fromLatin1(family.scheme) + QLatin1Char(':') + device;
        }
        return {};
    }
    return looksLikeUri(port) ? port : QString();
}

QString CupsSpooler::remember(const QString& printer, const QString& uri)
{
    const QString port = portForDeviceUri(uri);
    m_shownUris[printer][port] = uri;
    return port;
}

std::vector<SpoolerPrinter> CupsSpooler::localPrinters()
{
    std::vector<SpoolerPrinter> printers;
    HttpPtr http = connectScheduler(m_connectMsec, m_replySeconds);
    if (!http)
        return printers;

    static const char* const wanted[] = {"printer-name", "device-uri", "printer-type"};
    IppPtr request = newRequest(IPP_OP_CUPS_GET_PRINTERS);
    if (!request)
        return printers;
    ippAddStrings(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  3, nullptr, wanted);
    // No queues at all is answered with "not found": an empty list as well.
    IppPtr response = send(http.get(), std::move(request), "/");
    if (!response)
        return printers;

    ipp_attribute_t* attr = ippFirstAttribute(response.get());
    while (attr) {
        while (attr && ippGetGroupTag(attr) != IPP_TAG_PRINTER)
            attr = ippNextAttribute(response.get());
        const char* name = nullptr;
        const char* uri = nullptr;
        int type = 0;
        for (; attr && ippGetGroupTag(attr) == IPP_TAG_PRINTER;
             attr = ippNextAttribute(response.get())) {
            const char* attrName = ippGetName(attr);
            if (!attrName)
                break;
            if (!strcmp(attrName, "printer-name") && ippGetValueTag(attr) == IPP_TAG_NAME)
                name = ippGetString(attr, 0, nullptr);
            else if (!strcmp(attrName, "device-uri") && ippGetValueTag(attr) == IPP_TAG_URI)
                uri = ippGetString(attr, 0, nullptr);
            else if (!strcmp(attrName, "printer-type") && ippGetValueTag(attr) == IPP_TAG_ENUM)
                type = ippGetInteger(attr, 0);
        }
        // Queues shared by another host are not this machine's to change.
        if (name && uri && !(type & CUPS_PRINTER_REMOTE)) {
            const QString printer = QString::fromUtf8(name);
            printers.push_back({printer, remember(printer, QString::fromUtf8(uri))});
        }
        if (attr)
            attr = ippNextAttribute(response.get());
    }
    return printers;
}

bool CupsSpooler::readPort(const QString& printer, QString* port)
{
    const QByteArray name = printer.toUtf8();
    if (!port || !validQueueName(name))
        return false;
    HttpPtr http = connectScheduler(m_connectMsec, m_replySeconds);
    QString uri;
    if (!http || !fetchDeviceUri(http.get(), name, &uri))
        return false;
    *port = remember(printer, uri);
    return true;
}

bool CupsSpooler::writePort(const QString& printer, const QString& port)
{
    const QByteArray name = printer.toUtf8();
    if (!validQueueName(name))
        return false;
    HttpPtr http = connectScheduler(m_connectMsec, m_replySeconds);
    // Adding and modifying a queue is one operation: make sure it exists, or a missing
    // queue would be created.
    QString current;
    if (!http || !fetchDeviceUri(http.get(), name, &current))
        return false;
    remember(printer, current);

    QString uri = durablePort(printer, port);
    if (uri == port)
        uri = deviceUriForPort(port);
    if (uri.isEmpty())
        return false;

    IppPtr request = newRequest(IPP_OP_CUPS_ADD_MODIFY_PRINTER);
    if (!request || !addPrinterUri(request.get(), name))
        return false;
    ippAddString(request.get(), IPP_TAG_PRINTER, IPP_TAG_URI, "device-uri", nullptr,
                 uri.toUtf8().constData());
    return send(http.get(), std::move(request), "/admin/") != nullptr;
}

QString CupsSpooler::durablePort(const QString& printer, const QString& port)
{
    const auto shown = m_shownUris.find(printer);
    if (shown != m_shownUris.end()) {
        const auto it = shown->second.find(port);
        if (it != shown->second.end())
            return it->second;
    }
    return port;
}

template <>
Spooler& defaultService<Spooler>()
{
    static Spooler* spooler = new CupsSpooler;
    return *spooler;
}

}  // namespace platform
