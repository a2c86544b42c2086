#include "platform/processor_block.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>

namespace platform {
namespace {

constexpr std::uint32_t Aligned_8(std::size_t bytes)
{
    return static_cast<std::uint32_t>((bytes + 7) & ~std::size_t{7});
}

int Digits(std::uint32_t number)
{
    int digits = 1;
    while (number >= 10) {
        number /= 10;
        ++digits;
    }
    return digits;
}

// Bytes a UTF-16 name of `chars` characters takes with its terminating zero.
std::uint32_t Name_Bytes(std::size_t chars)
{
    return static_cast<std::uint32_t>((chars + 1) * sizeof(char16_t));
}

constexpr std::uint32_t Counter_Block_Bytes = 16; // PERF_COUNTER_BLOCK, padding, the 64-bit value
constexpr std::uint32_t Counter_Value_Offset = 8;
constexpr std::string_view Total_Name = "_Total";

template <class T>
void Put(std::uint8_t* at, const T& value)
{
    std::memcpy(at, &value, sizeof value);
}

void Put_Name(std::uint8_t* at, std::string_view name)
{
    for (const char c : name) {
        const char16_t wide = static_cast<unsigned char>(c) < 0x80 ? static_cast<char16_t>(c) : u'?';
        Put(at, wide);
        at += sizeof wide;
    }
    Put(at, char16_t{0});
}

std::uint32_t Header_Bytes(std::string_view system_name)
{
    return sizeof(PERF_DATA_BLOCK) + Aligned_8(Name_Bytes(system_name.size()));
}

std::uint32_t Instance_Bytes(std::size_t name_chars)
{
    return sizeof(PERF_INSTANCE_DEFINITION) + Aligned_8(Name_Bytes(name_chars)) + Counter_Block_Bytes;
}

std::uint32_t Object_Bytes(std::span<const Processor_Idle> processors)
{
    if (processors.empty())
        return 0;
    std::uint32_t bytes = sizeof(PERF_OBJECT_TYPE) + sizeof(PERF_COUNTER_DEFINITION);
    for (const Processor_Idle& processor : processors)
        bytes += Instance_Bytes(static_cast<std::size_t>(Digits(processor.number)));
    return bytes + Instance_Bytes(Total_Name.size());
}

std::uint8_t* Put_Instance(std::uint8_t* at, std::string_view name, std::int64_t idle_100ns)
{
    PERF_INSTANCE_DEFINITION instance;
    instance.ByteLength = sizeof(PERF_INSTANCE_DEFINITION) + Aligned_8(Name_Bytes(name.size()));
    instance.UniqueID = PERF_NO_UNIQUE_ID;
    instance.NameOffset = sizeof(PERF_INSTANCE_DEFINITION);
    instance.NameLength = Name_Bytes(name.size());
    Put(at, instance);
    Put_Name(at + instance.NameOffset, name);
    at += instance.ByteLength;
    Put(at, PERF_COUNTER_BLOCK{Counter_Block_Bytes});
    Put(at + Counter_Value_Offset, idle_100ns);
    return at + Counter_Block_Bytes;
}

void Put_Processor_Object(std::uint8_t* at, std::span<const Processor_Idle> processors, const Block_Time& time)
{
    PERF_OBJECT_TYPE object;
    object.TotalByteLength = Object_Bytes(processors);
    object.DefinitionLength = sizeof(PERF_OBJECT_TYPE) + sizeof(PERF_COUNTER_DEFINITION);
    object.HeaderLength = sizeof(PERF_OBJECT_TYPE);
    object.ObjectNameTitleIndex = Processor_Object_Title_Index;
    object.ObjectHelpTitleIndex = Processor_Object_Title_Index + 1;
    object.DetailLevel = PERF_DETAIL_NOVICE;
    object.NumCounters = 1;
    object.NumInstances = static_cast<std::int32_t>(processors.size() + 1);
    object.PerfTime = time.perf_time;
    object.PerfFreq = time.perf_freq;
    Put(at, object);

    PERF_COUNTER_DEFINITION counter;
    counter.ByteLength = sizeof(PERF_COUNTER_DEFINITION);
    counter.CounterNameTitleIndex = Processor_Time_Counter_Title_Index;
    counter.CounterHelpTitleIndex = Processor_Time_Counter_Title_Index + 1;
    counter.DetailLevel = PERF_DETAIL_NOVICE;
    counter.CounterType = PERF_100NSEC_TIMER_INV;
    counter.CounterSize = sizeof(std::int64_t);
    counter.CounterOffset = Counter_Value_Offset;
    Put(at + object.HeaderLength, counter);

    std::uint8_t* instance = at + object.DefinitionLength;
    std::int64_t sum = 0;
    char digits[16];
    for (const Processor_Idle& processor : processors) {
        sum = static_cast<std::int64_t>(static_cast<std::uint64_t>(sum) +
                                        static_cast<std::uint64_t>(processor.idle_100ns));
        const auto written = std::to_chars(digits, digits + sizeof digits, processor.number);
        instance = Put_Instance(instance, std::string_view(digits, static_cast<std::size_t>(written.ptr - digits)),
                                processor.idle_100ns);
    }
    Put_Instance(instance, Total_Name, sum / static_cast<std::int64_t>(processors.size()));
}

} // namespace

bool Names_Processor_Object(std::string_view value_name)
{
    while (!value_name.empty()) {
        const std::size_t space = value_name.find(' ');
        const std::string_view item = value_name.substr(0, space);
        if (item == "238" || item == "Global")
            return true;
        if (space == std::string_view::npos)
            break;
        value_name.remove_prefix(space + 1);
    }
    return false;
}

std::uint32_t Processor_Block_Bytes(std::span<const Processor_Idle> processors, std::string_view system_name)
{
    return Header_Bytes(system_name) + Object_Bytes(processors);
}

void Put_Processor_Block(std::uint8_t* buffer, std::span<const Processor_Idle> processors,
                         std::string_view system_name, const Block_Time& time)
{
    const std::uint32_t header_bytes = Header_Bytes(system_name);
    const std::uint32_t total = header_bytes + Object_Bytes(processors);
    std::memset(buffer, 0, total);

    PERF_DATA_BLOCK block;
    std::copy_n(u"PERF", 4, block.Signature);
    block.LittleEndian = std::endian::native == std::endian::little ? 1 : 0;
    block.Version = 1;
    block.Revision = 1;
    block.TotalByteLength = total;
    block.HeaderLength = header_bytes;
    block.NumObjectTypes = processors.empty() ? 0 : 1;
    block.DefaultObject = static_cast<std::int32_t>(Processor_Object_Title_Index);
    block.SystemTime = time.system_time;
    block.PerfTime = time.perf_time;
    block.PerfFreq = time.perf_freq;
    Civil_To_File_Time(time.system_time, &block.PerfTime100nSec);
    block.SystemNameLength = Name_Bytes(system_name.size());
    block.SystemNameOffset = sizeof(PERF_DATA_BLOCK);
    Put(buffer, block);
    Put_Name(buffer + block.SystemNameOffset, system_name);
    if (!processors.empty())
        Put_Processor_Object(buffer + header_bytes, processors, time);
}

} // namespace platform
