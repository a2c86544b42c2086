#pragma once
#include "platform/clock_version.h"

// A clock that only moves when the test moves it (days since 30 Dec 1899).
class Fake_Clock final : public platform::Clock_Service {
public:
    double now = 46000.5;
    double Now() override { return now; }
    void Advance_Seconds(double seconds) { now += seconds / 24 / 60 / 60; }
};

// A version query that answers the platform id the test sets.
class Fake_Version final : public platform::Version_Service {
public:
    std::uint32_t platform_id = VER_PLATFORM_WIN32_NT;
    bool succeeds = true;
    int calls = 0;
    bool Get_Version_Ex(platform::OSVERSIONINFOA& info) override
    {
        ++calls;
        if (!succeeds)
            return false;
        info.dwPlatformId = platform_id;
        return true;
    }
};
