#pragma once
#include "platform/host/shell.h"

class QtClock : public Clock
{
public:
    std::int64_t nowMs() const override;
};
