#pragma once

#include "link/CASocket.h"
#include "link/NetworkTarget.h"
#include "platform/Handle.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

// Port types, as m_nPortType holds them.
inline constexpr std::int32_t PORT_COM = 0;
inline constexpr std::int32_t PORT_LPT = 1;
inline constexpr std::int32_t PORT_USB = 2;
inline constexpr std::int32_t PORT_ETHERNET = 3;

// The one channel to the printer: a serial or parallel port, a USB printer or a TCP
// connection, chosen by the port name. Synchronous; called from the UI thread only.
// Tools read the public fields directly (the port type, the handle, the USB hold).
class CComm {
public:
    // Stored in m_hPort before Close to end a TCP connection (Close leaves it standing
    // otherwise). Never a value a device open returns.
    static constexpr platform::Handle kTcpCloseMarker = -2;

    CComm() = default;
    virtual ~CComm();
    CComm(const CComm&) = delete;
    CComm& operator=(const CComm&) = delete;

    void SetPortName(const QString& name);
    void SetNetworkAddress(NetworkTarget target);

    // Closes whatever is open, then opens the port the name selects.
    bool Open();
    void Close();
    // Makes the next Close end the TCP connection.
    void MarkTcpForClose() { m_hPort = kTcpCloseMarker; }

    // Bytes read into the buffer (which holds `length` bytes), never more than `length`;
    // 0 for no reply. A failed serial read is reported once per operator action.
    int Read(void* buffer, int length);
    // 1 on serial, parallel and USB (a write that cannot be completed ends the program);
    // the length or 0 on TCP. On serial and TCP every read takes only what came after
    // the operator action's last write: a write that follows a read of the same action
    // first drops what came in too late for that read, and what was waiting when an
    // action wrote first is skipped by that action's first read. A read in an action
    // that has not written takes whatever came, as a terminal does.
    int Write(const void* data, int length);
    // The whole array, as the call above (a size past INT_MAX is cut to INT_MAX).
    int Write(const QByteArray& bytes);
    // Writes the whole text in the ANSI code page, without a terminator; `length` is unused.
    int WriteString(const QString& text, int length);

    // USB: finds a printer of a listed model and opens it for a transfer.
    platform::Handle OpenUsb();
    // Walks the present USB printer interfaces; the shared probe handle of the first that
    // matches, its path stored in `path` (at least 256 bytes).
    platform::Handle FindUsbPrinter(char* path);
    // Tests one interface path against the model table.
    platform::Handle MatchUsbDevice(const QString& interfacePath, char* path);

    std::int32_t m_nPortType = PORT_COM;
    // The open serial, parallel or USB device; kNoHandle when closed (and on TCP),
    // kInvalidHandle after a USB search that found nothing, until the next Close.
    platform::Handle m_hPort = platform::kNoHandle;
    char m_szUsbPath[512] = {};  // the USB printer's transfer path, ANSI code page
    std::uint32_t m_nBaudRate = 9600;
    std::uint32_t m_nParity = 0;  // 0 none, 1 odd, 2 even
    std::uint32_t m_nDataBits = 8;
    std::uint32_t m_nStopBits = 0;  // 0 one, 1 one and a half, 2 two
    QString m_strPortName;
    bool m_bUsbHold = false;  // while set, USB reads and writes keep the device open
    CASocket m_socket;

private:
    bool OpenSerial();
    bool OpenParallel();
    void CloseHandle();
    // Writes every byte or takes the fatal path.
    void WriteAll(const char* data, int length);
    // Before a write: drops unread input when the running action has read before; true
    // when it writes for the first time after an earlier action's reads.
    bool DropLateAnswers();
    // Notes how much is waiting on the open link, for the action's first read to skip.
    void NoteEarlierAnswers();
    // Before a read: skips what was waiting when the running action wrote first.
    void SkipEarlierAnswers();
    // Bytes that have arrived and not been read (serial and TCP).
    std::uint32_t PendingInput();

    // The operator action that has been told of a failed serial read.
    std::uint64_t m_readAlertIn = 0;
    // The operator actions that last read and last wrote; the action whose first read
    // skips `m_earlierBytes` bytes.
    std::uint64_t m_readIn = 0;
    std::uint64_t m_wroteIn = 0;
    std::uint64_t m_earlierIn = 0;
    std::uint32_t m_earlierBytes = 0;
};

extern CComm g_comm;
