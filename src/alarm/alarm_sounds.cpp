#include "alarm/alarm_sounds.h"

#include "platform/clock_version.h"
#include "platform/sound.h"

namespace {

double End_Time(const Sound_Output& output, int duration_ms)
{
    return static_cast<double>(output.clock.Now() + static_cast<long double>(duration_ms) / 24 / 60 / 60 / 1000);
}

// Repeats a pass until the end time; the test comes before each pass, except
// that a positive duration always gets its first pass, however slow the clock
// reading before it.
template <class Pass>
void Play_Sweep(const Sound_Output& output, int duration_ms, Pass pass)
{
    const double end = End_Time(output, duration_ms);
    for (bool first = duration_ms > 0; (first || output.clock.Now() < end) && !output.Stopped(); first = false)
        pass();
}

} // namespace

bool Is_Windows_NT()
{
    platform::OSVERSIONINFOA info;
    info.dwOSVersionInfoSize = sizeof info;
    platform::Use<platform::Version_Service>().Get_Version_Ex(info);
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

Sound_Output Current_Sound_Output()
{
    return {platform::Use<platform::Sound_Service>(), platform::Use<platform::Clock_Service>(), Is_Windows_NT()};
}

void Speaker_Tone(const Sound_Output& output, int duration_ms, int frequency_hz)
{
    if (duration_ms < 0 || output.Stopped())
        return;
    if (output.nt) {
        output.sound.Beep(frequency_hz, duration_ms);
        return;
    }
    const double end = End_Time(output, duration_ms);
    while (output.clock.Now() < end && !output.Stopped())
        output.sound.Message_Beep(0);
}

void Play_Wolf_Whistle(const Sound_Output& output, int duration_ms)
{
    Play_Sweep(output, duration_ms, [&output] {
        for (int f = 37; f < 800; f += 20)
            Speaker_Tone(output, 1, f);
        for (int f = 100; f < 700; f += 20)
            Speaker_Tone(output, 1, f);
        for (int f = 700; f > 100; f -= 20)
            Speaker_Tone(output, 1, f);
    });
}

void Play_Sliding_Scale(const Sound_Output& output, int duration_ms)
{
    Play_Sweep(output, duration_ms, [&output] {
        for (int f = 37; f < 2000; f += 20)
            Speaker_Tone(output, 1, f);
    });
}
