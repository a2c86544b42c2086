#pragma once
// What the Win32 tests share: the probe program beside them, waiting for its
// answers, and wide paths in a test's folder.

#include "fakes/temp_folder.h"
#include "platform/process.h"
#include "platform/win32/command_line.h"
#include "platform/win32/wide.h"

#include <chrono>
#include <filesystem>
#include <thread>

inline std::filesystem::path Probe_Program()
{
    const auto self = Path_From_Utf8(platform::Use<platform::Process_Service>().Executable_Path());
    return self.parent_path() / VISTREL_PROBE;
}

// The file's bytes once it is there; "<none>" when it never comes. The wait
// only bounds a failure: a slow machine merely waits longer.
inline std::string Wait_For_File(const std::filesystem::path& file)
{
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!std::filesystem::exists(file)) {
        if (std::chrono::steady_clock::now() > give_up)
            return "<none>";
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return Read_Bytes(Utf8_Of(file));
}

// Starts the probe (or a copy of it) and waits for its answer in `answer`.
inline std::string Ask_Probe(const std::filesystem::path& program, const std::wstring& mode,
                             const std::filesystem::path& answer, std::vector<std::wstring> arguments = {},
                             int show_state = SW_SHOWNORMAL)
{
    arguments.insert(arguments.begin(), {mode, answer.wstring()});
    if (!platform::win32::Start_Program(program.wstring(), L"probe", arguments, show_state))
        return "<not started>";
    return Wait_For_File(answer);
}
