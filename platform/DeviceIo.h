#pragma once

#include "platform/Service.h"

#include "platform/Handle.h"

#include <QString>
#include <cstdint>

namespace platform {

enum class ShareMode { Exclusive, Shared };

// Serial settings, the fields the link reads and changes (the rest the driver keeps).
struct SerialSettings {
    std::uint32_t baudRate = 9600;
    std::uint8_t byteSize = 8;
    std::uint8_t parity = 0;    // 0 none, 1 odd, 2 even
    std::uint8_t stopBits = 0;  // 0 one, 1 one and a half, 2 two
    bool parityCheck = false;
    bool outxCtsFlow = false;
    bool outxDsrFlow = false;
    bool dtrEnable = false;
    bool rtsEnable = false;
    bool dsrSensitivity = false;
    bool xonXoffOut = false;
    bool xonXoffIn = false;
    bool nullStrip = false;
    bool abortOnError = false;
};

inline constexpr std::uint32_t kMaxTimeout = 0xFFFFFFFFu;

// Serial time-outs in milliseconds, as the link sets them.
struct SerialTimeouts {
    std::uint32_t readInterval = 0;
    std::uint32_t readTotalMultiplier = 0;
    std::uint32_t readTotalConstant = 0;
    std::uint32_t writeTotalMultiplier = 0;
    std::uint32_t writeTotalConstant = 0;
};

// Event mask and modem status bits.
inline constexpr std::uint32_t kEventCts = 0x0008;
inline constexpr std::uint32_t kEventDsr = 0x0010;
inline constexpr std::uint32_t kModemCtsOn = 0x0010;
inline constexpr std::uint32_t kModemDsrOn = 0x0020;

// Purge flags.
inline constexpr std::uint32_t kPurgeTxAbort = 0x0001;
inline constexpr std::uint32_t kPurgeRxAbort = 0x0002;
inline constexpr std::uint32_t kPurgeTxClear = 0x0004;
inline constexpr std::uint32_t kPurgeRxClear = 0x0008;
inline constexpr std::uint32_t kPurgeAll = kPurgeTxAbort | kPurgeRxAbort | kPurgeTxClear | kPurgeRxClear;

// Parallel status bits (one status byte).
inline constexpr std::uint8_t kParallelSelected = 0x80;
inline constexpr std::uint8_t kParallelBusy = 0x01;
inline constexpr std::uint8_t kParallelPaperEmpty = 0x04;
inline constexpr std::uint8_t kParallelOffline = 0x08;
inline constexpr std::uint8_t kParallelPowerOff = 0x10;
inline constexpr std::uint8_t kParallelNotConnected = 0x20;
inline constexpr std::uint8_t kParallelAutoFeed = 0x40;
inline constexpr std::uint8_t kParallelInit = 0x02;

// Device files opened by the name the link computes: "COM1:", "\\.\COM10", "LPT1:", or a
// USB interface path (with or without the transfer suffix). Serial and parallel control
// act on the same handles, so they live on this one interface.
class DeviceIo {
public:
    virtual ~DeviceIo() = default;

    // kInvalidHandle when the name maps to nothing or the open fails.
    virtual Handle open(const QString& name, ShareMode share) = 0;
    virtual bool close(Handle h) = 0;
    // Both report the bytes moved in *done; a short write returns true with fewer bytes.
    virtual bool read(Handle h, void* buffer, std::uint32_t length, std::uint32_t* done) = 0;
    virtual bool write(Handle h, const void* data, std::uint32_t length, std::uint32_t* done) = 0;

    virtual bool setCommMask(Handle h, std::uint32_t mask) = 0;
    virtual bool getModemStatus(Handle h, std::uint32_t* status) = 0;
    virtual bool getCommState(Handle h, SerialSettings* settings) = 0;
    virtual bool setCommState(Handle h, const SerialSettings& settings) = 0;
    virtual bool getCommTimeouts(Handle h, SerialTimeouts* timeouts) = 0;
    virtual bool setCommTimeouts(Handle h, const SerialTimeouts& timeouts) = 0;
    virtual bool purge(Handle h, std::uint32_t flags) = 0;

    virtual bool getParallelStatus(Handle h, std::uint8_t* status) = 0;

    // Bytes that have arrived on a serial port and not been read yet.
    virtual bool pendingInput(Handle h, std::uint32_t* count) = 0;
};

template <>
DeviceIo& defaultService<DeviceIo>();

}  // namespace platform
