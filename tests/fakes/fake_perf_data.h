#pragma once
#include "platform/perf_data.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

// Performance data the test lays out byte by byte, answered like the
// registry's query: "more data" while the caller's buffer is too small.
class Fake_Perf_Data final : public platform::Performance_Data_Service {
public:
    std::vector<std::uint8_t> data;
    long failure = ERROR_SUCCESS; // answered instead, buffer untouched, when set
    bool times_convert = true;
    std::vector<std::uint32_t> offered_sizes; // the buffer size of every query, in order

    long Query_Performance_Data(const std::string&, std::uint8_t* buffer, std::uint32_t* size) override
    {
        offered_sizes.push_back(*size);
        if (failure != ERROR_SUCCESS)
            return failure;
        if (*size < data.size()) {
            *size = static_cast<std::uint32_t>(data.size());
            return ERROR_MORE_DATA;
        }
        if (!data.empty()) // an empty vector's data() may be null, which memcpy must not get
            std::memcpy(buffer, data.data(), data.size());
        *size = static_cast<std::uint32_t>(data.size());
        return ERROR_SUCCESS;
    }

    bool System_Time_To_File_Time(const platform::SYSTEMTIME& time, std::int64_t* file_time) override
    {
        return times_convert && platform::Civil_To_File_Time(time, file_time);
    }
};

// ---- Hand-built data blocks.

struct Fake_Instance {
    std::int64_t counter = 0;     // value of the counter with title index 6
    std::uint32_t name_bytes = 8; // space after the definition: definitions of different lengths
};

struct Fake_Object {
    std::uint32_t title_index = platform::Processor_Object_Title_Index;
    std::vector<std::uint32_t> counters = {platform::Processor_Time_Counter_Title_Index};
    std::vector<Fake_Instance> instances;
    std::optional<std::int32_t> declared_instances; // NumInstances when it should differ from instances.size()
    std::uint32_t trailing_bytes = 0;               // unused space at the object's end
    std::uint32_t header_extra = 0;                 // space between the object's header and its first counter
    std::uint32_t counter_extra = 0;                // space after each counter definition
};

// 1 March 2024, 12:00:00 plus `milliseconds`.
inline platform::SYSTEMTIME Fake_Time(int milliseconds)
{
    platform::SYSTEMTIME time;
    time.wYear = 2024;
    time.wMonth = 3;
    time.wDay = 1;
    time.wHour = static_cast<std::uint16_t>(12 + milliseconds / 3'600'000);
    time.wMinute = static_cast<std::uint16_t>(milliseconds / 60'000 % 60);
    time.wSecond = static_cast<std::uint16_t>(milliseconds / 1000 % 60);
    time.wMilliseconds = static_cast<std::uint16_t>(milliseconds % 1000);
    return time;
}

// Lays the objects out as the published records do. Counters other than
// title index 6 hold a decoy value, so a walk that takes the wrong counter,
// instance or object reads nonsense. `header_extra` bytes follow the block
// header (where Windows puts the system name).
inline std::vector<std::uint8_t> Build_Perf_Data(const platform::SYSTEMTIME& time,
                                                 const std::vector<Fake_Object>& objects,
                                                 std::uint32_t header_extra = 16)
{
    using platform::PERF_COUNTER_BLOCK, platform::PERF_COUNTER_DEFINITION, platform::PERF_DATA_BLOCK,
        platform::PERF_INSTANCE_DEFINITION, platform::PERF_OBJECT_TYPE, platform::Processor_Time_Counter_Title_Index;
    constexpr std::int64_t Decoy = 0x5555'5555'5555;
    std::vector<std::uint8_t> bytes(sizeof(PERF_DATA_BLOCK) + header_extra, 0);
    auto put = [&bytes](std::size_t at, const auto& record) {
        if (bytes.size() < at + sizeof record)
            bytes.resize(at + sizeof record, 0);
        std::memcpy(bytes.data() + at, &record, sizeof record);
    };

    for (const Fake_Object& described : objects) {
        const std::size_t object_at = bytes.size();
        const auto counter_count = static_cast<std::uint32_t>(described.counters.size());
        PERF_OBJECT_TYPE object;
        const std::uint32_t definition_bytes = sizeof(PERF_COUNTER_DEFINITION) + described.counter_extra;
        object.HeaderLength = sizeof(PERF_OBJECT_TYPE) + described.header_extra;
        object.DefinitionLength = object.HeaderLength + counter_count * definition_bytes;
        object.ObjectNameTitleIndex = described.title_index;
        object.NumCounters = counter_count;
        object.NumInstances = described.declared_instances.value_or(static_cast<std::int32_t>(described.instances.size()));
        const std::uint32_t block_bytes = 8 + 8 * counter_count;
        for (std::uint32_t c = 0; c < counter_count; ++c) {
            PERF_COUNTER_DEFINITION counter;
            counter.ByteLength = definition_bytes;
            counter.CounterNameTitleIndex = described.counters[c];
            counter.CounterType = PERF_100NSEC_TIMER_INV;
            counter.CounterSize = 8;
            counter.CounterOffset = 8 + 8 * c;
            put(object_at + object.HeaderLength + c * definition_bytes, counter);
        }
        std::size_t at = object_at + object.DefinitionLength;
        for (const Fake_Instance& fake : described.instances) {
            PERF_INSTANCE_DEFINITION instance;
            instance.ByteLength = sizeof(PERF_INSTANCE_DEFINITION) + fake.name_bytes;
            instance.NameOffset = sizeof(PERF_INSTANCE_DEFINITION);
            instance.NameLength = fake.name_bytes;
            put(at, instance);
            at += instance.ByteLength;
            put(at, PERF_COUNTER_BLOCK{block_bytes});
            for (std::uint32_t c = 0; c < counter_count; ++c)
                put(at + 8 + 8 * c, described.counters[c] == Processor_Time_Counter_Title_Index ? fake.counter : Decoy);
            at += block_bytes;
        }
        bytes.resize(std::max(bytes.size(), at) + described.trailing_bytes, 0);
        object.TotalByteLength = static_cast<std::uint32_t>(bytes.size() - object_at);
        put(object_at, object);
    }

    PERF_DATA_BLOCK block;
    std::memcpy(block.Signature, u"PERF", sizeof block.Signature);
    block.LittleEndian = 1;
    block.TotalByteLength = static_cast<std::uint32_t>(bytes.size());
    block.HeaderLength = sizeof(PERF_DATA_BLOCK) + header_extra;
    block.NumObjectTypes = static_cast<std::uint32_t>(objects.size());
    block.SystemTime = time;
    put(0, block);
    return bytes;
}

// One processor busy by `load` (0 idle, 1 fully busy), which the test may
// change at any time: every reading reports half a second more, idle by
// (1 - load) of it, however much real time has passed. A reading that only
// asks for the buffer's size moves nothing.
class Fake_Cpu_Load final : public platform::Performance_Data_Service {
public:
    double load = 0;

    long Query_Performance_Data(const std::string& name, std::uint8_t* buffer, std::uint32_t* size) override
    {
        const std::vector<std::uint8_t> next = Block(milliseconds_ + 500, idle_ + Idle_Of_Half_A_Second());
        if (*size >= next.size()) {
            milliseconds_ += 500;
            idle_ += Idle_Of_Half_A_Second();
        }
        answer_.data = next;
        return answer_.Query_Performance_Data(name, buffer, size);
    }

    bool System_Time_To_File_Time(const platform::SYSTEMTIME& time, std::int64_t* file_time) override
    {
        return answer_.System_Time_To_File_Time(time, file_time);
    }

private:
    std::int64_t Idle_Of_Half_A_Second() const { return std::llround((1 - load) * 5'000'000); }

    static std::vector<std::uint8_t> Block(int milliseconds, std::int64_t idle)
    {
        Fake_Object processor;
        processor.instances = {{idle}};
        return Build_Perf_Data(Fake_Time(milliseconds), {processor});
    }

    Fake_Perf_Data answer_;
    int milliseconds_ = 0;
    std::int64_t idle_ = 0;
};
