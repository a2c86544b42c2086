#pragma once
#include "platform/process.h"

#include <vector>

// The running program as the test describes it, and the editors it would start.
class Fake_Process final : public platform::Process_Service {
public:
    std::string executable_path = "/opt/vistrel/vistrel";
    bool editor_present = true;
    bool editor_starts = true;
    int show_state = SW_SHOWDEFAULT;
    std::vector<std::string> started; // paths the editor was started on

    std::string Executable_Path() override { return executable_path; }
    bool Text_Editor_Present() override { return editor_present; }
    bool Start_Text_Editor(const std::string& path) override
    {
        started.push_back(path);
        return editor_starts;
    }
    int Startup_Show_State() override { return show_state; }
};
