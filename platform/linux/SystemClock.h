#pragma once

#include "platform/Clock.h"

namespace platform {

class SystemClock : public Clock {
public:
    void sleep(int milliseconds) override;
    QDateTime localTime() const override;
};

}  // namespace platform
