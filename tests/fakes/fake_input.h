#pragma once
#include "platform/input.h"

// A pointer and a screen the test sets; counts what the program asked.
class Fake_Input final : public platform::Input_Service {
public:
    platform::Pointer_State pointer;
    std::int32_t screen_width = 1024;
    std::int32_t screen_height = 768;
    int pointer_queries = 0;
    int metric_queries = 0;

    platform::Pointer_State Query_Pointer() override
    {
        ++pointer_queries;
        return pointer;
    }
    std::int32_t Get_System_Metrics(int index) override
    {
        ++metric_queries;
        if (index == SM_CXSCREEN)
            return screen_width;
        if (index == SM_CYSCREEN)
            return screen_height;
        return 0;
    }

    void Move_To(std::int32_t x, std::int32_t y)
    {
        pointer.x = x;
        pointer.y = y;
    }
};
