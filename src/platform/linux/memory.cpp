#include "platform/memory.h"

#include "platform/linux/proc_file.h"

#include <charconv>

namespace platform {
namespace {

// The four figures from the text of a meminfo file, in bytes; false unless
// all four were there.
bool Parse_Meminfo(std::string_view text, MEMORYSTATUSEX& status)
{
    struct Field {
        std::string_view name;
        std::uint64_t* target;
        bool seen;
    } fields[] = {
        {"MemTotal:", &status.ullTotalPhys, false},
        {"MemAvailable:", &status.ullAvailPhys, false},
        {"SwapTotal:", &status.ullTotalPageFile, false},
        {"SwapFree:", &status.ullAvailPageFile, false},
    };
    int found = 0;
    while (found < 4 && !text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        for (Field& field : fields) {
            if (field.seen || line.substr(0, field.name.size()) != field.name)
                continue;
            std::string_view number = line.substr(field.name.size());
            number.remove_prefix(std::min(number.find_first_not_of(' '), number.size()));
            std::uint64_t kib = 0;
            if (std::from_chars(number.data(), number.data() + number.size(), kib).ec == std::errc{}) {
                *field.target = kib * 1024u;
                field.seen = true;
                ++found;
            }
            break;
        }
    }
    if (status.ullTotalPhys)
        status.dwMemoryLoad = static_cast<std::uint32_t>(100 - status.ullAvailPhys * 100 / status.ullTotalPhys);
    return found == 4;
}

bool Read_Meminfo_File(linux_detail::Proc_File& file, MEMORYSTATUSEX& status)
{
    std::string_view text;
    return file.Read(text) && Parse_Meminfo(text, status);
}

class Linux_Memory_Service final : public Memory_Service {
public:
    bool Global_Memory_Status_Ex(MEMORYSTATUSEX& status) override
    {
        status = MEMORYSTATUSEX{};
        return Read_Meminfo_File(meminfo_, status);
    }

private:
    linux_detail::Proc_File meminfo_{"/proc/meminfo"};
};

} // namespace

bool Read_Meminfo(const std::string& path, MEMORYSTATUSEX& status)
{
    linux_detail::Proc_File file(path);
    return Read_Meminfo_File(file, status);
}

template <>
Memory_Service& Default_Service<Memory_Service>()
{
    static Linux_Memory_Service service;
    return service;
}

} // namespace platform
