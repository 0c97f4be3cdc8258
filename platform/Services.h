#pragma once

#include "platform/Alerts.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/DeviceIo.h"
#include "platform/Folders.h"
#include "platform/Network.h"
#include "platform/PictureLibrary.h"
#include "platform/Process.h"
#include "platform/ProfileStore.h"
#include "platform/Service.h"
#include "platform/Spooler.h"
#include "platform/UsbPrinters.h"
#include "platform/VersionInfo.h"

namespace platform {

inline DeviceIo& devices() { return service<DeviceIo>(); }
inline UsbPrinters& usb() { return service<UsbPrinters>(); }
inline Network& network() { return service<Network>(); }
inline ProfileStore& profile() { return service<ProfileStore>(); }
inline CodePage& codePage() { return service<CodePage>(); }
inline Clock& clock() { return service<Clock>(); }
inline Process& process() { return service<Process>(); }
inline Alerts& alerts() { return service<Alerts>(); }
inline Spooler& spooler() { return service<Spooler>(); }
inline Folders& folders() { return service<Folders>(); }
inline VersionInfo& versionInfo() { return service<VersionInfo>(); }
inline PictureLibrary& pictures() { return service<PictureLibrary>(); }

}  // namespace platform
