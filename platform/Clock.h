#pragma once

#include "platform/Service.h"

#include <QDateTime>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    virtual void sleep(int milliseconds) = 0;
    virtual QDateTime localTime() const = 0;
};

template <>
Clock& defaultService<Clock>();

}  // namespace platform
