// Performance data on Linux: the processor object of the published
// performance-data layout, built from the CPU lines of /proc/stat, so that
// the sampler walks the same bytes it would walk on Windows.
#include "platform/perf_data.h"

#include "platform/linux/proc_file.h"
#include "platform/processor_block.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <ctime>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

constexpr std::int64_t Hundred_Ns_Per_Second = 10'000'000;

SYSTEMTIME System_Utc_Now()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm utc{};
    gmtime_r(&now.tv_sec, &utc);
    SYSTEMTIME time;
    time.wYear = static_cast<std::uint16_t>(utc.tm_year + 1900);
    time.wMonth = static_cast<std::uint16_t>(utc.tm_mon + 1);
    time.wDayOfWeek = static_cast<std::uint16_t>(utc.tm_wday);
    time.wDay = static_cast<std::uint16_t>(utc.tm_mday);
    time.wHour = static_cast<std::uint16_t>(utc.tm_hour);
    time.wMinute = static_cast<std::uint16_t>(utc.tm_min);
    time.wSecond = static_cast<std::uint16_t>(std::min(utc.tm_sec, 59)); // a leap second is not a SYSTEMTIME
    time.wMilliseconds = static_cast<std::uint16_t>(now.tv_nsec / 1'000'000);
    return time;
}

std::int64_t Monotonic_100ns()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * Hundred_Ns_Per_Second + now.tv_nsec / 100;
}

// ---- /proc/stat

struct Cpu_Idle {
    std::uint32_t number = 0;       // N of the "cpuN" line
    std::uint64_t idle_ticks = 0;   // idle + iowait, in clock ticks
};

bool Starts_With_Cpu(const char* line, std::size_t length)
{
    return length >= 3 && std::memcmp(line, "cpu", 3) == 0;
}

// The block of CPU lines is at the top of the file; the rest of /proc/stat
// can be long on machines with many interrupts, and is not read: enough once
// a whole line that is not a CPU line has been read.
bool Past_Cpu_Lines(std::string_view text)
{
    std::size_t at = 0;
    for (std::size_t end; (end = text.find('\n', at)) != std::string_view::npos; at = end + 1)
        if (!Starts_With_Cpu(text.data() + at, end - at))
            return true;
    return false;
}

// One "cpuN user nice system idle iowait ..." line; false for the aggregate
// "cpu" line and for anything malformed.
bool Parse_Cpu_Line(std::string_view line, Cpu_Idle& cpu)
{
    const char* at = line.data() + 3;
    const char* const end = line.data() + line.size();
    auto number = std::from_chars(at, end, cpu.number);
    if (number.ec != std::errc{} || number.ptr == at)
        return false;
    at = number.ptr;
    std::uint64_t fields[5] = {};
    int parsed = 0;
    while (parsed < 5) {
        while (at < end && *at == ' ')
            ++at;
        const auto field = std::from_chars(at, end, fields[parsed]);
        if (field.ec != std::errc{})
            break;
        at = field.ptr;
        ++parsed;
    }
    if (parsed < 4) // iowait came later than idle; older kernels lack it
        return false;
    cpu.idle_ticks = fields[3] + fields[4];
    return true;
}

void Parse_Cpu_Lines(const char* text, std::size_t length, std::vector<Cpu_Idle>& cpus)
{
    cpus.clear();
    std::size_t at = 0;
    while (at < length) {
        const void* newline = std::memchr(text + at, '\n', length - at);
        const std::size_t end = newline ? static_cast<std::size_t>(static_cast<const char*>(newline) - text) : length;
        if (!Starts_With_Cpu(text + at, end - at))
            break;
        Cpu_Idle cpu;
        if (Parse_Cpu_Line(std::string_view(text + at, end - at), cpu))
            cpus.push_back(cpu);
        at = end + 1;
    }
}

std::int64_t Ticks_To_100ns(std::uint64_t ticks, std::uint64_t per_second)
{
    const std::uint64_t whole = ticks / per_second;
    const std::uint64_t part = ticks % per_second;
    return static_cast<std::int64_t>(whole * Hundred_Ns_Per_Second + part * Hundred_Ns_Per_Second / per_second);
}

// The CPU numbers of a list such as /sys/devices/system/cpu/possible holds:
// "0-3", "0", "0-1,4-7". Empty when the text is not such a list.
std::vector<std::uint32_t> Parse_Cpu_List(std::string_view text)
{
    std::vector<std::uint32_t> numbers;
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.remove_suffix(1);
    while (!text.empty()) {
        const std::string_view item = text.substr(0, text.find(','));
        text.remove_prefix(std::min(item.size() + 1, text.size()));
        std::uint32_t first = 0;
        std::uint32_t last = 0;
        const char* end = item.data() + item.size();
        auto parsed = std::from_chars(item.data(), end, first);
        if (parsed.ec != std::errc{})
            return {};
        last = first;
        if (parsed.ptr != end) {
            if (*parsed.ptr != '-' || std::from_chars(parsed.ptr + 1, end, last).ec != std::errc{} || last < first
                || last - first > 65535)
                return {};
        }
        for (std::uint32_t n = first;; ++n) {
            numbers.push_back(n);
            if (n == last)
                break;
        }
    }
    return numbers;
}

class Proc_Stat_Performance_Data final : public Performance_Data_Service {
public:
    Proc_Stat_Performance_Data(std::string path, std::function<SYSTEMTIME()> utc_now, const std::string& possible_path)
        : proc_stat_(std::move(path)), utc_now_(std::move(utc_now))
    {
        if (!possible_path.empty()) {
            linux_detail::Proc_File possible(possible_path);
            std::string_view text;
            if (possible.Read(text))
                for (const std::uint32_t number : Parse_Cpu_List(text))
                    instances_.push_back(Instance{number});
        }
        const long ticks = sysconf(_SC_CLK_TCK);
        ticks_per_second_ = ticks > 0 ? static_cast<std::uint64_t>(ticks) : 100;
        char host[256] = {};
        if (gethostname(host, sizeof host - 1) == 0)
            system_name_ = host;
    }

    long Query_Performance_Data(const std::string& value_name, std::uint8_t* buffer, std::uint32_t* size) override
    {
        if (!size || (!buffer && *size > 0))
            return ERROR_INVALID_PARAMETER;
        processors_.clear();
        const bool processor = Names_Processor_Object(value_name);
        if (processor) {
            std::string_view text;
            if (!proc_stat_.Read(text, Past_Cpu_Lines))
                return ERROR_FILE_NOT_FOUND;
            Parse_Cpu_Lines(text.data(), text.size(), cpus_);
            if (cpus_.empty())
                return ERROR_FILE_NOT_FOUND;
        }
        const SYSTEMTIME now = utc_now_ ? utc_now_() : System_Utc_Now();
        if (processor) {
            Update_Instances(now);
            for (const Instance& instance : instances_)
                processors_.push_back({instance.number, instance.reported});
        }
        const std::uint32_t total = Processor_Block_Bytes(processors_, system_name_);
        if (*size < total) {
            *size = total;
            return ERROR_MORE_DATA;
        }
        Block_Time time;
        time.system_time = now;
        time.perf_time = Monotonic_100ns();
        time.perf_freq = Hundred_Ns_Per_Second;
        Put_Processor_Block(buffer, processors_, system_name_, time);
        *size = total;
        return ERROR_SUCCESS;
    }

    bool System_Time_To_File_Time(const SYSTEMTIME& time, std::int64_t* file_time) override
    {
        return Civil_To_File_Time(time, file_time);
    }

private:
    // One instance for every CPU the machine can have, the same for the
    // program's whole life: a CPU going offline drops out of /proc/stat,
    // and the sampler, which fixed its instances at its first sample, would
    // otherwise find the block short and fail at every tick. An offline CPU
    // reads as idle (its counter runs on with the clock), which is what it
    // is; coming back, it goes on from there. Without a list of possible
    // CPUs, the CPUs of the first reading are the instances.
    struct Instance {
        std::uint32_t number = 0;
        std::int64_t reported = 0; // the counter given, in 100-ns units
        std::int64_t offset = 0;   // reported less the kernel's counter
        bool online = false;
    };

    void Update_Instances(const SYSTEMTIME& now)
    {
        if (instances_.empty())
            for (const Cpu_Idle& cpu : cpus_)
                instances_.push_back(Instance{cpu.number});
        std::int64_t now_100ns = 0;
        if (!Civil_To_File_Time(now, &now_100ns))
            now_100ns = last_query_100ns_;
        const std::int64_t elapsed = std::max<std::int64_t>(0, now_100ns - last_query_100ns_);
        const bool first = last_query_100ns_ == 0;
        last_query_100ns_ = now_100ns;
        for (Instance& instance : instances_) {
            const auto cpu = std::find_if(cpus_.begin(), cpus_.end(),
                                          [&](const Cpu_Idle& line) { return line.number == instance.number; });
            if (cpu == cpus_.end()) {
                if (!first)
                    instance.reported += elapsed;
                instance.online = false;
                continue;
            }
            const std::int64_t kernel = Ticks_To_100ns(cpu->idle_ticks, ticks_per_second_);
            if (!instance.online && !first)
                instance.offset = instance.reported - kernel;
            instance.reported = kernel + instance.offset;
            instance.online = true;
        }
    }

    linux_detail::Proc_File proc_stat_; // kept open between queries: no allocation per tick
    std::function<SYSTEMTIME()> utc_now_;
    std::string system_name_;
    std::uint64_t ticks_per_second_ = 100;
    std::vector<Cpu_Idle> cpus_;
    std::vector<Processor_Idle> processors_;
    std::vector<Instance> instances_;
    std::int64_t last_query_100ns_ = 0;
};

} // namespace

std::unique_ptr<Performance_Data_Service> Make_Proc_Stat_Performance_Data(std::string proc_stat_path,
                                                                          std::function<SYSTEMTIME()> utc_now,
                                                                          const std::string& possible_cpus_path)
{
    return std::make_unique<Proc_Stat_Performance_Data>(std::move(proc_stat_path), std::move(utc_now),
                                                        possible_cpus_path);
}

template <>
Performance_Data_Service& Default_Service<Performance_Data_Service>()
{
    static const std::unique_ptr<Performance_Data_Service> service =
        Make_Proc_Stat_Performance_Data("/proc/stat", {}, "/sys/devices/system/cpu/possible");
    return *service;
}

} // namespace platform
