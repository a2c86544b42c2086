#include "alarm/alarm_sounds.h"

#include "platform/clock_version.h"
#include "platform/sound.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// The longest piece of a tone played without processing events: short
// enough for the 10 ms odometer tick to miss little, long enough that the
// pieces cost nothing.
constexpr int Tone_Piece_Ms = 50;

double Now()
{
    return platform::Use<platform::Clock_Service>().Now();
}

double End_Time(int duration_ms)
{
    return static_cast<double>(Now() + static_cast<long double>(duration_ms) / 24 / 60 / 60 / 1000);
}

void Process_Events()
{
    QCoreApplication::processEvents();
}

// Repeats a pass until the end time; the test comes before each pass, except
// that a positive duration always gets its first pass, however slow the clock
// reading before it.
template <class Pass>
void Play_Sweep(int duration_ms, Pass pass)
{
    Silence_When_Done silence;
    const double end = End_Time(duration_ms);
    for (bool first = duration_ms > 0; first || Now() < end; first = false)
        pass();
    Process_Events();
}

} // namespace

Silence_When_Done::~Silence_When_Done()
{
    platform::Use<platform::Sound_Service>().Silence();
}

bool Is_Windows_NT()
{
    platform::OSVERSIONINFOA info;
    info.dwOSVersionInfoSize = sizeof info;
    platform::Use<platform::Version_Service>().Get_Version_Ex(info);
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

void Speaker_Tone(int duration_ms, int frequency_hz)
{
    if (duration_ms >= 0) {
        platform::Sound_Service& sound = platform::Use<platform::Sound_Service>();
        if (Is_Windows_NT()) {
            // A long tone is played in short pieces with events processed
            // between them, so that the windows stay alive through a tone of
            // up to 100 s; the device joins the pieces into one tone.
            int left = duration_ms;
            do {
                const int piece = std::min(left, Tone_Piece_Ms);
                sound.Beep(frequency_hz, piece);
                left -= piece;
                if (left > 0)
                    Process_Events();
            } while (left > 0);
        } else {
            const double end = End_Time(duration_ms);
            while (Now() < end) {
                sound.Message_Beep(0);
                Process_Events();
            }
        }
    }
    Process_Events();
}

void Play_Wolf_Whistle(int duration_ms)
{
    Play_Sweep(duration_ms, [] {
        for (int f = 37; f < 800; f += 20)
            Speaker_Tone(1, f);
        for (int f = 100; f < 700; f += 20)
            Speaker_Tone(1, f);
        for (int f = 700; f > 100; f -= 20)
            Speaker_Tone(1, f);
    });
}

void Play_Sliding_Scale(int duration_ms)
{
    Play_Sweep(duration_ms, [] {
        for (int f = 37; f < 2000; f += 20)
            Speaker_Tone(1, f);
    });
}
