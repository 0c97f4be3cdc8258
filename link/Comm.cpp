#include "link/Comm.h"

#include "platform/OperatorAction.h"
#include "platform/Services.h"
#include "core/ModelTable.h"
#include "core/TextHelpers.h"

#include <QByteArray>
#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>

CComm g_comm;

namespace {

const char kSerialReadFailed[] = "Port error! Check setting of serial port, please.";
const char kWriteFailed[] = "Port error! Check printer's port, please.";

constexpr int kSettleMs = 100;     // lets the modem lines and the driver settle after an open
constexpr int kReadAttempts = 3;
constexpr int kReadPauseMs = 1;
constexpr int kWriteRetries = 3;
constexpr int kWritePauseMs = 10;
constexpr int kTcpReadLimit = 32;  // one TCP receive never takes more

// The first 8 characters of a USB interface path are its prefix and bus ("\\?\usb#"); the
// 17 that follow name the vendor and product ("vid_xxxx&pid_yyyy").
constexpr int kUsbIdOffset = 8;
constexpr int kUsbIdLength = 17;
constexpr int kUsbPathMaxChars = 254;
constexpr int kUsbAnsiPathBytes = 256;
constexpr char kUsbTransferSuffix[] = "\\USB0/4";
// An interface set that never reports its end is given up after this many indexes.
constexpr int kUsbMaxInterfaces = 1024;

// A handle the device layer gave us, as opposed to "nothing", a failed open or the marker.
bool isDeviceHandle(platform::Handle h)
{
    return h != platform::kNoHandle && h != platform::kInvalidHandle && h != CComm::kTcpCloseMarker;
}

void alert(const char* text)
{
    platform::alerts().show(QString::fromLatin1(text), platform::AlertIcon::Exclamation);
}

}  // namespace

CComm::~CComm()
{
    Close();
}

void CComm::SetPortName(const QString& name)
{
    m_strPortName = name;
}

void CComm::SetNetworkAddress(NetworkTarget target)
{
    m_socket.SetAddress(target.m_strIpAddress, static_cast<std::uint32_t>(target.m_nPort));
}

bool CComm::Open()
{
    Close();

    const QString& name = m_strPortName;
    if (name.startsWith(QLatin1String("COM"))) {
        m_nPortType = PORT_COM;
        return OpenSerial();
    }
    if (name.startsWith(QLatin1String("LPT"))) {
        m_nPortType = PORT_LPT;
        return OpenParallel();
    }
    if (name == QLatin1String("USB")) {
        m_nPortType = PORT_USB;
        CloseHandle();
        m_hPort = OpenUsb();
        return m_hPort != platform::kInvalidHandle;
    }
    if (name.startsWith(QLatin1String("ETHERNET"))) {
        m_nPortType = PORT_ETHERNET;
        return m_socket.ConnectSocket();
    }
    return false;
}

void CComm::Close()
{
    if (m_hPort == platform::kNoHandle)
        return;

    platform::DeviceIo& io = platform::devices();
    if (isDeviceHandle(m_hPort)) {
        if (m_nPortType == PORT_COM)
            io.setCommMask(m_hPort, 0);
        if (m_nPortType == PORT_COM || m_nPortType == PORT_LPT)
            io.purge(m_hPort, platform::kPurgeAll);
    }

    if (m_nPortType == PORT_ETHERNET) {
        m_socket.Close();
        m_socket.m_bConnected = false;
        m_hPort = platform::kNoHandle;
    } else {
        CloseHandle();
    }
}

void CComm::CloseHandle()
{
    if (isDeviceHandle(m_hPort))
        platform::devices().close(m_hPort);
    m_hPort = platform::kNoHandle;
}

bool CComm::OpenSerial()
{
    CloseHandle();

    // Ports above COM9 are reached by their device name only.
    QString fileName = m_strPortName;
    if (fileName.size() > 5)
        fileName = QStringLiteral("\\\\.\\") + fileName.left(fileName.size() - 1);

    platform::DeviceIo& io = platform::devices();
    m_hPort = io.open(fileName, platform::ShareMode::Exclusive);
    if (m_hPort == platform::kInvalidHandle) {
        m_hPort = platform::kNoHandle;
        return false;
    }

    // From here on a refusal leaves the port held until the next Open or Close.
    platform::clock().sleep(kSettleMs);
    io.setCommMask(m_hPort, platform::kEventCts | platform::kEventDsr);
    std::uint32_t modem = 0;
    if (!io.getModemStatus(m_hPort, &modem))
        return false;
    const std::uint32_t linesOn = platform::kModemCtsOn | platform::kModemDsrOn;
    if ((modem & linesOn) != linesOn)
        return false;

    platform::clock().sleep(kSettleMs);
    platform::SerialSettings settings;
    if (!io.getCommState(m_hPort, &settings))
        return false;
    settings.baudRate = m_nBaudRate;
    settings.byteSize = static_cast<std::uint8_t>(m_nDataBits);
    settings.parity = static_cast<std::uint8_t>(m_nParity);
    settings.stopBits = static_cast<std::uint8_t>(m_nStopBits);
    settings.parityCheck = m_nParity != 0;
    settings.outxCtsFlow = true;
    settings.outxDsrFlow = true;
    settings.dtrEnable = true;
    settings.rtsEnable = true;
    settings.dsrSensitivity = false;
    settings.xonXoffOut = false;
    settings.xonXoffIn = false;
    settings.nullStrip = false;
    settings.abortOnError = false;
    if (!io.setCommState(m_hPort, settings))
        return false;

    // Reads return at once with what has arrived; writes may take 19200 / baud ms per byte
    // (no limit from 38400 up). A zero baud rate gets no limit rather than a division fault.
    platform::SerialTimeouts timeouts;
    timeouts.readInterval = platform::kMaxTimeout;
    timeouts.readTotalMultiplier = 0;
    timeouts.readTotalConstant = 0;
    timeouts.writeTotalMultiplier = m_nBaudRate != 0 ? 19200u / m_nBaudRate : 0u;
    timeouts.writeTotalConstant = 0;
    if (!io.setCommTimeouts(m_hPort, timeouts))
        return false;

    io.purge(m_hPort, platform::kPurgeAll);
    return true;
}

bool CComm::OpenParallel()
{
    CloseHandle();

    platform::DeviceIo& io = platform::devices();
    m_hPort = io.open(m_strPortName, platform::ShareMode::Exclusive);
    if (m_hPort == platform::kInvalidHandle) {
        m_hPort = platform::kNoHandle;
        return false;
    }

    // Only a selected printer with no other status bit is ready to take a job.
    std::uint8_t status = 0;
    if (!io.getParallelStatus(m_hPort, &status) || status != platform::kParallelSelected) {
        CloseHandle();
        return false;
    }

    io.purge(m_hPort, platform::kPurgeAll);
    return true;
}

int CComm::Read(void* buffer, int length)
{
    // Nothing to read into (a negative length would become a huge unsigned one).
    if (!buffer || length <= 0)
        return 0;
    SkipEarlierAnswers();
    m_readIn = platform::OperatorAction::current();

    if (m_nPortType == PORT_ETHERNET) {
        Open();
        const int received = m_socket.Receive(buffer, std::min(length, kTcpReadLimit));
        return received > 0 ? received : 0;
    }

    const bool perOperation = m_nPortType == PORT_USB && !m_bUsbHold;
    if (perOperation)
        Open();

    platform::DeviceIo& io = platform::devices();
    const auto asked = static_cast<std::uint32_t>(length);
    std::uint32_t done = 0;
    bool ok = false;
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        done = 0;
        ok = isDeviceHandle(m_hPort) && io.read(m_hPort, buffer, asked, &done);
        done = std::min(done, asked);  // never more than the caller's buffer holds
        platform::clock().sleep(kReadPauseMs);
        if (done > 0)
            break;
    }

    if (m_nPortType == PORT_COM && !ok && done == 0) {
        // A port that has gone away fails every read of the action; one box tells it.
        const std::uint64_t action = platform::OperatorAction::current();
        if (action == 0 || m_readAlertIn != action)
            alert(kSerialReadFailed);
        m_readAlertIn = action;
    }

    if (perOperation)
        Close();
    return static_cast<int>(done);
}

int CComm::Write(const void* data, int length)
{
    // A dropped close shows before the connection is used again; what is waiting is counted
    // on the connection the write goes to.
    const bool earlier = DropLateAnswers();
    if (m_nPortType == PORT_ETHERNET) {
        Open();
        if (earlier)
            NoteEarlierAnswers();
        return m_socket.SendAll(data, length);
    }

    const bool perOperation = m_nPortType == PORT_USB && !m_bUsbHold;
    if (perOperation)
        Open();
    if (earlier)
        NoteEarlierAnswers();
    WriteAll(static_cast<const char*>(data), length);
    if (perOperation)
        Close();
    return 1;
}

bool CComm::DropLateAnswers()
{
    const std::uint64_t action = platform::OperatorAction::current();
    if (action == 0)
        return false;
    const bool firstWrite = m_wroteIn != action;
    m_wroteIn = action;
    if (m_readIn == action) {
        if (m_nPortType == PORT_ETHERNET)
            m_socket.DropPending();
        else if (m_nPortType == PORT_COM && isDeviceHandle(m_hPort))
            platform::devices().purge(m_hPort, platform::kPurgeRxAbort | platform::kPurgeRxClear);
        return false;
    }
    return firstWrite && m_readIn != 0;
}

void CComm::NoteEarlierAnswers()
{
    // Answers that came after an earlier action's reads. Only a read of this action skips
    // them; if it makes none, a terminal's own Read still shows them.
    m_earlierIn = platform::OperatorAction::current();
    m_earlierBytes = PendingInput();
}

void CComm::SkipEarlierAnswers()
{
    const std::uint64_t action = platform::OperatorAction::current();
    if (action == 0 || m_earlierIn != action)
        return;
    m_earlierIn = 0;
    char scrap[512];
    while (m_earlierBytes > 0) {
        const int want = int(std::min<std::uint32_t>(m_earlierBytes, sizeof scrap));
        int got = 0;
        if (m_nPortType == PORT_ETHERNET) {
            got = m_socket.ReceiveAvailable(scrap, want);
        } else if (m_nPortType == PORT_COM && isDeviceHandle(m_hPort)) {
            std::uint32_t done = 0;
            platform::devices().read(m_hPort, scrap, std::uint32_t(want), &done);
            got = int(std::min<std::uint32_t>(done, std::uint32_t(want)));
        }
        if (got <= 0)
            break;
        m_earlierBytes -= std::uint32_t(got);
    }
    m_earlierBytes = 0;
}

std::uint32_t CComm::PendingInput()
{
    if (m_nPortType == PORT_ETHERNET)
        return m_socket.PendingBytes();
    std::uint32_t count = 0;
    if (m_nPortType == PORT_COM && isDeviceHandle(m_hPort) && platform::devices().pendingInput(m_hPort, &count))
        return count;
    return 0;
}

int CComm::Write(const QByteArray& bytes)
{
    const auto size = static_cast<int>(std::min<qsizetype>(bytes.size(), INT_MAX));
    return Write(bytes.constData(), size);
}

int CComm::WriteString(const QString& text, int /*length*/)
{
    return Write(platform::codePage().fromWide(text));
}

void CComm::WriteAll(const char* data, int length)
{
    if (!data || length <= 0)
        return;

    platform::DeviceIo& io = platform::devices();
    // Writes what is left from `data` on; false once nothing is left.
    auto writeRest = [&](std::uint32_t& remaining) {
        std::uint32_t done = 0;
        if (isDeviceHandle(m_hPort))
            io.write(m_hPort, data, remaining, &done);
        done = std::min(done, remaining);
        data += done;
        remaining -= done;
        return remaining > 0;
    };

    auto remaining = static_cast<std::uint32_t>(length);
    if (!writeRest(remaining))
        return;
    for (int retry = 0; retry < kWriteRetries; ++retry) {
        platform::clock().sleep(kWritePauseMs);
        if (!writeRest(remaining))
            return;
    }

    alert(kWriteFailed);
    platform::process().exit(0);
}

platform::Handle CComm::OpenUsb()
{
    const platform::Handle probe = FindUsbPrinter(m_szUsbPath);
    if (probe == platform::kInvalidHandle)
        return platform::kInvalidHandle;
    platform::devices().close(probe);

    // The match stored at most 256 bytes, so the suffix and its terminator always fit.
    const std::size_t used = strnlen(m_szUsbPath, kUsbAnsiPathBytes);
    std::memcpy(m_szUsbPath + used, kUsbTransferSuffix, sizeof kUsbTransferSuffix);

    char16_t wide[kWideBufferChars + 1] = {};
    if (AnsiToWide(wide, m_szUsbPath) <= 0)
        return platform::kInvalidHandle;
    return platform::devices().open(QString::fromUtf16(wide), platform::ShareMode::Exclusive);
}

platform::Handle CComm::FindUsbPrinter(char* path)
{
    std::unique_ptr<platform::UsbInterfaceSet> set = platform::usb().presentInterfaces();
    if (!set)
        return platform::kInvalidHandle;

    for (int index = 0; index < kUsbMaxInterfaces; ++index) {
        QString interfacePath;
        const platform::UsbEnumResult result = set->interfacePath(index, &interfacePath);
        if (result == platform::UsbEnumResult::NoMoreItems)
            break;
        if (result != platform::UsbEnumResult::Ok)
            continue;
        const platform::Handle h = MatchUsbDevice(interfacePath, path);
        if (h != platform::kInvalidHandle)
            return h;
    }
    return platform::kInvalidHandle;
}

platform::Handle CComm::MatchUsbDevice(const QString& interfacePath, char* path)
{
    // A longer path cannot be held whole; a cut one would name some other device.
    if (interfacePath.size() > kUsbPathMaxChars)
        return platform::kInvalidHandle;

    const QStringView ids = QStringView(interfacePath).mid(kUsbIdOffset).left(kUsbIdLength);
    bool matched = false;
    for (const auto& [name, info] : g_modelTable.Entries()) {
        if (!info || info->m_strVid.isEmpty() || info->m_strPid.isEmpty())
            continue;
        const QString key =
            QStringLiteral("vid_%1&pid_%2").arg(info->m_strVid, info->m_strPid).toLower();
        if (ids.compare(QStringView(key).left(kUsbIdLength), Qt::CaseInsensitive) == 0) {
            matched = true;
            break;
        }
    }
    if (!matched)
        return platform::kInvalidHandle;

    std::memset(path, 0, kUsbAnsiPathBytes);
    if (WideToAnsi(path, reinterpret_cast<const char16_t*>(interfacePath.utf16()), kUsbAnsiPathBytes) <= 0)
        return platform::kInvalidHandle;
    return platform::devices().open(interfacePath, platform::ShareMode::Shared);
}
