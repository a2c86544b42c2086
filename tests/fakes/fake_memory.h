#pragma once
#include "platform/memory.h"

// Memory status with figures the test sets, in bytes.
class Fake_Memory final : public platform::Memory_Service {
public:
    platform::MEMORYSTATUSEX status;
    int calls = 0;
    bool Global_Memory_Status_Ex(platform::MEMORYSTATUSEX& out) override
    {
        ++calls;
        out = status;
        return true;
    }
};
