#pragma once
#include "platform/host/shell.h"

class QtBeeper : public Beeper
{
public:
    void beep() override;
};
