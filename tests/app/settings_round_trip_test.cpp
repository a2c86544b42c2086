// Hand-edited settings files at their extremes, through the windows: what a
// start and a close make of a file, a second start and close leave as it is.
#include "app/settings_test_support.h"

#include "app/main_form.h"
#include "app/windows.h"

#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

using settings_test::Environment;

namespace {

const std::vector<std::string> Program_Keys = {
    "WindowState_wsMaximized", "window_top_posn", "window_left_posn", "window_Width", "window_Height",
    "DriveComboBox1.Drive", "Always_on_Top_Option", "CPU_Drop_Threshold_SpinEdit", "CPU_Drop_Seconds_SpinEdit",
    "CPU_Drop_Beep_Seconds_SpinEdit", "Sound_Frequency_TrackBar", "Play_Single_Tone_RadioButton",
    "Play_Wolf_Whistle_RadioButton", "Play_Sliding_Scale_RadioButton", "Auto_Run_at_Windows_Startup_Option",
    "Keep_Program_Inside_the_Screen_Bounds_Option", "Snap_Program_to_Bottom_Right_of_Screen_Option",
    "Snap_Program_to_Bottom_Left_of_Screen_Option", "Snap_Program_to_Top_Left_of_Screen_Option",
    "Snap_Program_to_Top_Right_of_Screen_Option", "Show_Trailcount_Option"};
const std::vector<std::string> Odometer_Keys = {
    "Kilometers_Travelled_So_Far", "Left_Mouse_Button_Press_Count", "Right_Mouse_Button_Press_Count",
    "Screen_Width_SpinEdit", "Screen_Height_SpinEdit", "Distance_Travelled_Units_RadioGroup"};

// Both sections, every key given the next of `values` in turn, each line
// written by `line`.
std::string Every_Key(const std::vector<std::string>& values,
                      const std::function<std::string(const std::string&, const std::string&)>& line,
                      const std::string& end = "\n")
{
    std::string text;
    std::size_t next = 0;
    const auto section = [&](const std::string& header, const std::vector<std::string>& keys) {
        text += header + end;
        for (const std::string& key : keys)
            text += line(key, values[next++ % values.size()]) + end;
    };
    section("[vistrel]", Program_Keys);
    section("[trailcnt]", Odometer_Keys);
    return text;
}

std::string Plain(const std::string& key, const std::string& value)
{
    return key + "=" + value;
}

// Started, left to settle as a user would, and closed.
std::string Start_And_Close(Environment& environment)
{
    Vistrel_Windows windows;
    TMainForm1& form = *windows.MainForm1;
    form.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form.Program_Size_Timer->isActive(); }, 10000));
    EXPECT_TRUE(form.close());
    return environment.Read_Ini();
}

} // namespace

TEST(Settings_Round_Trip, A_Hand_Edited_File_Saved_Once_Saves_The_Same_Bytes_Again)
{
    const std::vector<std::string> large = {"2147483647", "0x7FFFFFFF", "99999999999999999999", "0xFFFFFFFF",
                                            "$7FFFFFFF", "9223372036854775807", "1.7976931348623157e308"};
    const std::vector<std::string> small = {"-2147483648", "-1", "-0x80000000", "-9223372036854775808", "0",
                                            "-1,234,567,890.0000000001"};
    const std::vector<std::string> damaged = {"", "junk", "0x", "$", "--5", "1e400", "12abc", "\xff\xfe", "NaN"};
    const std::map<std::string, std::string> files = {
        {"large values", Every_Key(large, Plain)},
        {"small values, CR LF and a byte-order mark", "\xEF\xBB\xBF" + Every_Key(small, Plain, "\r\n")},
        {"damaged values, odd spacing and case",
         Every_Key(damaged,
                   [](const std::string& key, const std::string& value) {
                       return "  " + QString::fromStdString(key).toUpper().toStdString() + " \t=  " + value + " \t";
                   })},
        {"repeated sections and keys, no final line end",
         "; kept\n" + Every_Key(small, Plain) + Every_Key(large, Plain) + "[vistrel]\nwindow_Width=5\nlast=1"},
    };
    for (const auto& [name, text] : files) {
        SCOPED_TRACE(name);
        Environment environment;
        environment.Write_Ini(text);
        const std::string first = Start_And_Close(environment);
        EXPECT_EQ(Start_And_Close(environment), first);
        EXPECT_TRUE(environment.messages.empty());
    }
}
