#pragma once
#include "platform/disk.h"

#include <functional>
#include <map>

// Drives by letter with byte counts the test sets; absent letters cannot be read.
class Fake_Disk final : public platform::Disk_Service {
public:
    struct Space {
        std::uint64_t free_available = 0;
        std::uint64_t total = 0;
        std::uint64_t total_free = 0;
    };
    std::map<char, Space> drives;
    std::vector<platform::Drive_Entry> listed;
    unsigned error_mode = 0;
    int queries = 0;
    std::function<void()> on_query; // a drive that is slow to answer, say

    std::vector<platform::Drive_Entry> Logical_Drives() override { return listed; }

    bool Get_Disk_Free_Space_Ex(const std::string& root_path, std::uint64_t* free_available,
                                std::uint64_t* total, std::uint64_t* total_free) override
    {
        ++queries;
        if (on_query)
            on_query();
        if (root_path.size() != 3 || root_path.substr(1) != ":\\")
            return false;
        const auto found = drives.find(static_cast<char>(root_path[0] | 0x20));
        if (found == drives.end())
            return false;
        *free_available = found->second.free_available;
        *total = found->second.total;
        *total_free = found->second.total_free;
        return true;
    }

    unsigned Set_Error_Mode(unsigned mode) override
    {
        const unsigned previous = error_mode;
        error_mode = mode;
        return previous;
    }
};
