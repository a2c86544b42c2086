#pragma once
// The walk through a performance-data block by the offsets its records carry.
//
// The bytes come from outside the program, so every record is read only
// when it lies wholly inside them: data that points elsewhere is data that
// does not hold what was looked for. The searches never look at more objects
// or counters than the data declares.

#include "platform/perf_data.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

struct Perf_Bytes {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;

    template <class Record>
    bool Read(std::uint64_t offset, Record& record) const
    {
        if (offset > size || sizeof(Record) > size - offset)
            return false;
        std::memcpy(&record, data + offset, sizeof(Record));
        return true;
    }
};

// The first object among the block's NumObjectTypes whose title index is
// `title_index`: its offset in the block, or false.
bool Find_Perf_Object(const Perf_Bytes& bytes, std::uint32_t title_index, std::uint64_t& object_at,
                      platform::PERF_OBJECT_TYPE& object);

// The first of the object's NumCounters counter definitions whose title
// index is `title_index`, or false.
bool Find_Perf_Counter(const Perf_Bytes& bytes, std::uint64_t object_at, const platform::PERF_OBJECT_TYPE& object,
                       std::uint32_t title_index, platform::PERF_COUNTER_DEFINITION& counter);

// The most instances the object's bytes could hold (a definition and a
// counter block each), whatever NumInstances claims.
std::int64_t Perf_Instances_That_Fit(const Perf_Bytes& bytes, std::uint64_t object_at,
                                     const platform::PERF_OBJECT_TYPE& object);

// The counter's 64-bit value in each of the object's first values.size()
// instances; false (values partly written) when one of them lies outside the
// object.
bool Read_Instance_Counters(const Perf_Bytes& bytes, std::uint64_t object_at, const platform::PERF_OBJECT_TYPE& object,
                            const platform::PERF_COUNTER_DEFINITION& counter, std::span<std::int64_t> values);
