#include "platform/perf_walk.h"

#include <algorithm>

namespace {

// The object's own bytes: instances must lie inside them, so that a block
// with fewer instances than expected is noticed rather than read past.
Perf_Bytes Object_Bytes(const Perf_Bytes& bytes, std::uint64_t object_at, const platform::PERF_OBJECT_TYPE& object)
{
    const std::uint64_t end = std::min<std::uint64_t>(object_at + object.TotalByteLength, bytes.size);
    return Perf_Bytes{bytes.data + object_at, static_cast<std::size_t>(end - object_at)};
}

} // namespace

bool Find_Perf_Object(const Perf_Bytes& bytes, std::uint32_t title_index, std::uint64_t& object_at,
                      platform::PERF_OBJECT_TYPE& object)
{
    platform::PERF_DATA_BLOCK block;
    if (!bytes.Read(0, block))
        return false;
    std::uint64_t at = block.HeaderLength;
    for (std::uint32_t n = 0; n < block.NumObjectTypes; ++n) {
        if (!bytes.Read(at, object))
            return false;
        if (object.ObjectNameTitleIndex == title_index) {
            object_at = at;
            return true;
        }
        if (object.TotalByteLength == 0) // the next object would be this one again
            return false;
        at += object.TotalByteLength;
    }
    return false;
}

bool Find_Perf_Counter(const Perf_Bytes& bytes, std::uint64_t object_at, const platform::PERF_OBJECT_TYPE& object,
                       std::uint32_t title_index, platform::PERF_COUNTER_DEFINITION& counter)
{
    std::uint64_t at = object_at + object.HeaderLength;
    for (std::uint32_t n = 0; n < object.NumCounters; ++n) {
        if (!bytes.Read(at, counter))
            return false;
        if (counter.CounterNameTitleIndex == title_index)
            return true;
        if (counter.ByteLength == 0)
            return false;
        at += counter.ByteLength;
    }
    return false;
}

std::int64_t Perf_Instances_That_Fit(const Perf_Bytes& bytes, std::uint64_t object_at, const platform::PERF_OBJECT_TYPE& object)
{
    const Perf_Bytes inside = Object_Bytes(bytes, object_at, object);
    if (object.DefinitionLength >= inside.size)
        return 0;
    constexpr std::size_t Smallest_Instance = sizeof(platform::PERF_INSTANCE_DEFINITION) + sizeof(platform::PERF_COUNTER_BLOCK);
    return static_cast<std::int64_t>((inside.size - object.DefinitionLength) / Smallest_Instance);
}

bool Read_Instance_Counters(const Perf_Bytes& bytes, std::uint64_t object_at, const platform::PERF_OBJECT_TYPE& object,
                            const platform::PERF_COUNTER_DEFINITION& counter, std::span<std::int64_t> values)
{
    const Perf_Bytes inside = Object_Bytes(bytes, object_at, object);
    std::uint64_t instance_at = object.DefinitionLength;
    for (std::int64_t& value : values) {
        platform::PERF_INSTANCE_DEFINITION instance;
        platform::PERF_COUNTER_BLOCK block;
        if (!inside.Read(instance_at, instance))
            return false;
        const std::uint64_t block_at = instance_at + instance.ByteLength;
        if (!inside.Read(block_at, block) || !inside.Read(block_at + counter.CounterOffset, value))
            return false;
        instance_at = block_at + block.ByteLength;
    }
    return true;
}
