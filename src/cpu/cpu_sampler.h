#pragma once
// The CPU usage sampler: processor load on both Windows families.
//
// The NT family reads the processor object of the performance data and
// derives each instance's load from the change of its idle-time counter
// between two samples. The older 9x family switches on the kernel's own CPU
// statistics through the dynamic-data registry keys and reads the load the
// kernel keeps. The method is chosen once, at start-up; until start-up has
// run the sampler takes the NT road, the one every platform here offers.
//
// Errors are Program_Error exceptions carrying the user's message. The
// program has one sampler (Program_CPU_Sampler); tests make their own.

#include "platform/registry.h"

#include <cstdint>
#include <vector>

class CPU_Sampler {
public:
    CPU_Sampler();

    // Chooses the method from the platform version; raises "Can't get the
    // Windows version" when the version query fails.
    void Start_Up();
    // Stops the 9x statistics and releases the performance buffer.
    void Shut_Down();

    void Take_CPU_Sample();
    // The processor instances; NT: takes a first sample when none has found
    // the processor object yet. 9x: always 1.
    std::int32_t CPU_Instance_Count();
    // An instance's load since the sample before, 1.0 being fully busy;
    // deliberately not clamped (the display clamps).
    double CPU_Instance_Usage(std::int32_t index);
    // Stops the 9x kernel statistics if they run; nothing on the NT family.
    void Stop_CPU_Statistics();

    bool Is_NT_Family() const { return is_nt_family_; }
    std::int32_t Buffer_Size() const { return buffer_size_; }
    bool Statistics_Started() const { return statistics_started_; }

private:
    void Take_NT_Sample();
    void Set_Up_Instances(std::int32_t declared, std::int64_t fit);
    void Take_9x_Sample();
    void Read_9x_Usage(platform::HKEY key);

    bool is_nt_family_ = true;

    // NT family.
    std::vector<std::uint8_t> buffer_;
    std::int32_t buffer_size_ = 0;
    std::size_t answer_size_ = 0; // the bytes of the last answer that succeeded
    std::int32_t instance_count_ = -1;
    std::vector<std::int64_t> current_counters_;
    std::vector<std::int64_t> previous_counters_;
    std::vector<std::int64_t> fresh_counters_; // a sample is read here first, so a failed one changes nothing
    std::int64_t current_time_ = 0;
    std::int64_t previous_time_ = 0;

    // 9x family.
    bool statistics_started_ = false;
    platform::HKEY data_key_ = {};
    std::uint32_t usage_9x_ = 0;
};

// The sampler the refresh tick uses.
CPU_Sampler& Program_CPU_Sampler();

// Puts a test's sampler in the program's place for the guard's lifetime.
class Scoped_CPU_Sampler {
public:
    explicit Scoped_CPU_Sampler(CPU_Sampler& replacement);
    ~Scoped_CPU_Sampler();
    Scoped_CPU_Sampler(const Scoped_CPU_Sampler&) = delete;
    Scoped_CPU_Sampler& operator=(const Scoped_CPU_Sampler&) = delete;

private:
    CPU_Sampler* previous_;
};
