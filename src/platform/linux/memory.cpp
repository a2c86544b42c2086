#include "platform/memory.h"

#include <cstdio>
#include <cstring>

namespace platform {

bool Read_Meminfo(const std::string& path, MEMORYSTATUSEX& status)
{
    std::FILE* file = std::fopen(path.c_str(), "re");
    if (!file)
        return false;
    struct Field {
        const char* name;
        std::uint64_t* target;
        bool seen;
    } fields[] = {
        {"MemTotal:", &status.ullTotalPhys, false},
        {"MemAvailable:", &status.ullAvailPhys, false},
        {"SwapTotal:", &status.ullTotalPageFile, false},
        {"SwapFree:", &status.ullAvailPageFile, false},
    };
    int found = 0;
    char line[256];
    while (found < 4 && std::fgets(line, sizeof line, file)) {
        for (Field& field : fields) {
            const std::size_t length = std::strlen(field.name);
            if (field.seen || std::strncmp(line, field.name, length) != 0)
                continue;
            unsigned long long kib = 0;
            if (std::sscanf(line + length, "%llu", &kib) == 1) {
                *field.target = kib * 1024u;
                field.seen = true;
                ++found;
            }
            break;
        }
    }
    std::fclose(file);
    if (status.ullTotalPhys)
        status.dwMemoryLoad = static_cast<std::uint32_t>(100 - status.ullAvailPhys * 100 / status.ullTotalPhys);
    return found == 4;
}

namespace {

class Linux_Memory_Service final : public Memory_Service {
public:
    bool Global_Memory_Status_Ex(MEMORYSTATUSEX& status) override
    {
        status = MEMORYSTATUSEX{};
        return Read_Meminfo("/proc/meminfo", status);
    }
};

} // namespace

template <>
Memory_Service& Default_Service<Memory_Service>()
{
    static Linux_Memory_Service service;
    return service;
}

} // namespace platform
