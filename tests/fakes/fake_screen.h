#pragma once
#include "platform/input.h"

// A primary screen of the size the test sets; the pointer rests where the
// test puts it, with no buttons down.
class Fake_Screen final : public platform::Input_Service {
public:
    std::int32_t width = 1280;
    std::int32_t height = 800;
    platform::Pointer_State pointer;
    int metric_queries = 0;

    platform::Pointer_State Query_Pointer() override { return pointer; }
    std::int32_t Get_System_Metrics(int index) override
    {
        ++metric_queries;
        if (index == platform::SM_CXSCREEN)
            return width;
        if (index == platform::SM_CYSCREEN)
            return height;
        return 0;
    }
};
