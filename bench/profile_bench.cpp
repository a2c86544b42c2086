// The settings save: 27 keys into a settings file of the usual size, then
// one atomic replace of the file; the read the start-up makes; and the same
// read of a file of millions of lines, which must stay well under a second.
#include "platform/profile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

const char* const Keys[] = {
    "WindowState_wsMaximized", "window_top_posn", "window_left_posn", "window_Width", "window_Height",
    "DriveComboBox1.Drive", "Always_on_Top_Option", "CPU_Drop_Threshold_SpinEdit", "CPU_Drop_Seconds_SpinEdit",
    "CPU_Drop_Beep_Seconds_SpinEdit", "Sound_Frequency_TrackBar", "Play_Single_Tone_RadioButton",
    "Play_Wolf_Whistle_RadioButton", "Play_Sliding_Scale_RadioButton", "Auto_Run_at_Windows_Startup_Option",
    "Keep_Program_Inside_the_Screen_Bounds_Option", "Snap_Program_to_Bottom_Right_of_Screen_Option",
    "Snap_Program_to_Bottom_Left_of_Screen_Option", "Snap_Program_to_Top_Left_of_Screen_Option",
    "Snap_Program_to_Top_Right_of_Screen_Option", "Show_Trailcount_Option",
};

void Write_Settings(platform::Ini_File& ini, int round)
{
    for (const char* key : Keys)
        ini.Write_Integer("vistrel", key, round);
    for (const char* key : {"Kilometers_Travelled_So_Far", "Left_Mouse_Button_Press_Count",
                            "Right_Mouse_Button_Press_Count", "Screen_Width_SpinEdit", "Screen_Height_SpinEdit",
                            "Distance_Travelled_Units_RadioGroup"})
        ini.Write_Integer("trailcnt", key, round);
}

// A file in the system's temporary folder, removed afterwards.
class Bench_File {
public:
    explicit Bench_File(const char* name)
        : path_((std::filesystem::temp_directory_path() / (std::string(name) + "-" + std::to_string(std::rand())))
                    .string())
    {
    }
    ~Bench_File() { std::filesystem::remove(path_); }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

void BM_Settings_Save(benchmark::State& state)
{
    const Bench_File file("vistrel.ini");
    const std::string& path = file.Path();
    int round = 0;
    for (auto _ : state) {
        platform::Ini_File ini(path);
        Write_Settings(ini, ++round);
        ini.Commit();
    }
}
BENCHMARK(BM_Settings_Save)->Unit(benchmark::kMicrosecond);

void BM_Settings_Read(benchmark::State& state)
{
    const Bench_File file("vistrel.ini");
    const std::string& path = file.Path();
    {
        platform::Ini_File ini(path);
        Write_Settings(ini, 1);
        ini.Commit();
    }
    for (auto _ : state) {
        const platform::Ini_File ini(path);
        int sum = 0;
        for (const char* key : Keys)
            sum += ini.Read_Integer("vistrel", key, 0);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_Settings_Read)->Unit(benchmark::kMicrosecond);

// A settings file that another program filled with lines: the program's own
// sections come last, after millions of foreign keys in sections of their
// own and in a section of the program's.
void BM_Settings_Read_Millions_Of_Lines(benchmark::State& state)
{
    const Bench_File file("huge.ini");
    {
        std::ofstream out(file.Path(), std::ios::binary);
        const auto lines = state.range(0);
        for (std::int64_t i = 0; i < lines; ++i) {
            if (i % 1000 == 0)
                out << "[section " << i / 1000 << "]\r\n";
            out << "foreign_key_" << i << "=a value of some length " << i << "\r\n";
        }
        out << "[vistrel]\r\n";
        for (std::int64_t i = 0; i < lines / 10; ++i)
            out << "stray_" << i << "=1\r\n";
        for (const char* key : Keys)
            out << key << "=5\r\n";
    }
    for (auto _ : state) {
        platform::Ini_File ini(file.Path());
        int sum = 0;
        for (const char* key : Keys)
            sum += ini.Read_Integer("vistrel", key, 0);
        for (const char* key : Keys) // as a save does, up to the writing of the file
            ini.Write_Integer("vistrel", key, 6);
        ini.Write_Integer("trailcnt", "Left_Mouse_Button_Press_Count", 1);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_Settings_Read_Millions_Of_Lines)->Arg(1'000'000)->Arg(3'000'000)->Unit(benchmark::kMillisecond);

} // namespace
