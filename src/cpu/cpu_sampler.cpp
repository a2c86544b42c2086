// The sampler's state, start-up, the NT-family sample and the loads.
#include "cpu/cpu_sampler.h"

#include "platform/error.h"
#include "platform/perf_walk.h"
#include "platform/clock_version.h"
#include "platform/perf_data.h"

#include <algorithm>

namespace {

constexpr std::int32_t First_Buffer_Size = 8192;
constexpr std::int32_t Buffer_Growth = 4096;
// A query that never fits would otherwise grow the buffer until memory runs
// out; past this the answer is taken as a failed query.
constexpr std::int32_t Largest_Buffer_Size = 16 * 1024 * 1024;

const char* const Processor_Object_Missing = "Unable to locate the \"Processor\" performance object";
const char* const Processor_Counter_Missing = "Unable to locate the \"% of CPU usage\" performance counter";
const char* const Index_Out_Of_Bounds = "CPU index out of bounds";

// Differences of raw counters as the 64-bit arithmetic gives them: data
// from outside must not be able to overflow a signed subtraction.
std::int64_t Difference(std::int64_t later, std::int64_t earlier)
{
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(later) - static_cast<std::uint64_t>(earlier));
}

CPU_Sampler*& Installed_Sampler()
{
    static CPU_Sampler* installed = nullptr;
    return installed;
}

} // namespace

CPU_Sampler::CPU_Sampler() : buffer_(First_Buffer_Size, 0), buffer_size_(First_Buffer_Size) {}

void CPU_Sampler::Start_Up()
{
    instance_count_ = -1;
    buffer_size_ = First_Buffer_Size;
    buffer_.assign(First_Buffer_Size, 0);
    answer_size_ = 0;
    platform::OSVERSIONINFOA version;
    version.dwOSVersionInfoSize = sizeof(platform::OSVERSIONINFOA);
    if (!platform::Use<platform::Version_Service>().Get_Version_Ex(version))
        throw Program_Error("Can't get the Windows version");
    is_nt_family_ = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

void CPU_Sampler::Shut_Down()
{
    Stop_CPU_Statistics();
    std::vector<std::uint8_t>().swap(buffer_);
    answer_size_ = 0;
}

void CPU_Sampler::Take_CPU_Sample()
{
    if (is_nt_family_)
        Take_NT_Sample();
    else
        Take_9x_Sample();
}

void CPU_Sampler::Take_NT_Sample()
{
    auto& performance = platform::Use<platform::Performance_Data_Service>();
    if (buffer_.size() != static_cast<std::size_t>(buffer_size_)) // released by Shut_Down
        buffer_.resize(static_cast<std::size_t>(buffer_size_));

    auto available = static_cast<std::uint32_t>(buffer_size_);
    long result = performance.Query_Performance_Data("238", buffer_.data(), &available);
    while (result == ERROR_MORE_DATA && buffer_size_ <= Largest_Buffer_Size - Buffer_Growth) {
        buffer_size_ += Buffer_Growth;
        buffer_.resize(static_cast<std::size_t>(buffer_size_));
        available = static_cast<std::uint32_t>(buffer_size_);
        result = performance.Query_Performance_Data("238", buffer_.data(), &available);
    }
    // The walk looks only at the bytes the answer holds: past them lie zeros
    // or the rest of an earlier, longer answer, which a damaged length would
    // otherwise read as instances. Any other answer leaves the last one as
    // it is: none fails the search below, a previous sample's data repeats
    // it and every load reads 0.
    if (result == ERROR_SUCCESS)
        answer_size_ = std::min<std::size_t>(available, buffer_.size());

    const Perf_Bytes bytes{buffer_.data(), answer_size_};
    std::uint64_t object_at = 0;
    platform::PERF_OBJECT_TYPE object;
    if (!Find_Perf_Object(bytes, platform::Processor_Object_Title_Index, object_at, object))
        throw Program_Error(Processor_Object_Missing);
    if (instance_count_ == -1)
        Set_Up_Instances(object.NumInstances, Perf_Instances_That_Fit(bytes, object_at, object));

    platform::PERF_COUNTER_DEFINITION counter;
    if (!Find_Perf_Counter(bytes, object_at, object, platform::Processor_Time_Counter_Title_Index, counter))
        throw Program_Error(Processor_Counter_Missing);
    if (!Read_Instance_Counters(bytes, object_at, object, counter, fresh_counters_))
        throw Program_Error(Processor_Counter_Missing);

    platform::PERF_DATA_BLOCK block;
    bytes.Read(0, block);
    std::int64_t time = 0;
    if (!performance.System_Time_To_File_Time(block.SystemTime, &time)) {
        // A block without a usable time cannot be measured against: it counts
        // as the previous sample once more, as a failed query does.
        previous_counters_ = current_counters_;
        previous_time_ = current_time_;
        return;
    }
    previous_counters_.swap(current_counters_);
    current_counters_.swap(fresh_counters_);
    previous_time_ = current_time_;
    current_time_ = time;
}

// The instance count is fixed by the first sample that finds the processor
// object. An object without instances (none, or the no-instances mark) has
// nothing to measure and counts as zero processors. A count that its bytes
// could not hold is damaged data, and must not size the arrays.
void CPU_Sampler::Set_Up_Instances(std::int32_t declared, std::int64_t fit)
{
    if (declared > fit)
        throw Program_Error(Processor_Counter_Missing);
    instance_count_ = declared > 0 ? declared : 0;
    const auto count = static_cast<std::size_t>(instance_count_);
    current_counters_.assign(count, 0);
    previous_counters_.assign(count, 0);
    fresh_counters_.assign(count, 0);
}

std::int32_t CPU_Sampler::CPU_Instance_Count()
{
    if (!is_nt_family_)
        return 1;
    if (instance_count_ == -1)
        Take_CPU_Sample();
    return instance_count_;
}

double CPU_Sampler::CPU_Instance_Usage(std::int32_t index)
{
    if (!is_nt_family_) {
        if (index != 0)
            throw Program_Error(Index_Out_Of_Bounds);
        if (!statistics_started_)
            Take_CPU_Sample();
        return static_cast<double>(usage_9x_) / 100.0;
    }
    if (instance_count_ == -1)
        Take_CPU_Sample();
    if (index < 0 || index >= instance_count_)
        throw Program_Error(Index_Out_Of_Bounds);
    if (current_time_ == previous_time_)
        return 0;
    const auto i = static_cast<std::size_t>(index);
    const std::int64_t idle = Difference(current_counters_[i], previous_counters_[i]);
    const std::int64_t elapsed = Difference(current_time_, previous_time_);
    return static_cast<double>(1.0L - static_cast<long double>(idle) / static_cast<long double>(elapsed));
}

CPU_Sampler& Program_CPU_Sampler()
{
    static CPU_Sampler program_sampler;
    if (CPU_Sampler* installed = Installed_Sampler())
        return *installed;
    return program_sampler;
}

Scoped_CPU_Sampler::Scoped_CPU_Sampler(CPU_Sampler& replacement) : previous_(Installed_Sampler())
{
    Installed_Sampler() = &replacement;
}

Scoped_CPU_Sampler::~Scoped_CPU_Sampler()
{
    Installed_Sampler() = previous_;
}
