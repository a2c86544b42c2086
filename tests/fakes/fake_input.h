#pragma once
#include "platform/input.h"

#include <deque>
#include <optional>

// A pointer and a screen the test sets; counts what the program asked. With
// `reports` set it offers activity reports, which the test sends itself;
// with `positions` set as well the reports carry positions, which wait until
// read or handed over.
class Fake_Input final : public platform::Input_Service {
public:
    platform::Pointer_State pointer;
    std::int32_t screen_width = 1024;
    std::int32_t screen_height = 768;
    int pointer_queries = 0;
    int metric_queries = 0;
    std::optional<platform::Screen_Bounds> primary; // else (0, 0) and the size above
    bool reports = false;
    platform::Pointer_Activity_Listener* listener = nullptr;
    bool motion_reported = false;
    bool positions = false;
    struct Position_Report {
        std::int32_t x = 0;
        std::int32_t y = 0;
        std::uint32_t time_ms = 0;
    };
    std::deque<Position_Report> waiting;

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
    platform::Screen_Bounds Primary_Screen_Bounds() override
    {
        return primary.value_or(platform::Screen_Bounds{0, 0, screen_width, screen_height});
    }
    bool Report_Activity(platform::Pointer_Activity_Listener* to) override
    {
        listener = reports ? to : nullptr;
        motion_reported = listener != nullptr;
        return listener != nullptr;
    }
    void Report_Motion(bool on) override { motion_reported = on && listener; }
    bool Reports_Positions() override { return positions && listener; }
    void Read_Reports() override { Hand_Over(); }

    // The pointer moved at a time of the server's clock: the report waits.
    void Report_Position(std::int32_t x, std::int32_t y, std::uint32_t time_ms)
    {
        Move_To(x, y);
        waiting.push_back({x, y, time_ms});
    }
    void Hand_Over()
    {
        while (listener && !waiting.empty()) {
            const Position_Report report = waiting.front();
            waiting.pop_front();
            listener->Pointer_At(report.x, report.y, report.time_ms);
        }
    }

    void Move_To(std::int32_t x, std::int32_t y)
    {
        pointer.x = x;
        pointer.y = y;
    }

    // A device moves the pointer: reported when motion reports are on.
    void Device_Move_To(std::int32_t x, std::int32_t y)
    {
        Move_To(x, y);
        if (listener && motion_reported)
            listener->Pointer_Moved();
    }

    void Device_Button(platform::Mouse_Button button, bool down)
    {
        (button == platform::Mouse_Button::Left ? pointer.left_down : pointer.right_down) = down;
        if (listener)
            listener->Button_Changed(button, down);
    }
};
