// The settings save: 27 keys into a settings file of the usual size, then
// one atomic replace of the file; and the read the start-up makes.
#include "platform/profile.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

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

void BM_Settings_Save(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("vistrel.ini")).toStdString();
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
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("vistrel.ini")).toStdString();
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

} // namespace
