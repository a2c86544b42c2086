// vistrel.ini through the main window: the start-up's load, the close's save.
#include "settings/settings_fixture.h"
#include "settings/settings_test_support.h"
#include "fakes/file_size_limit.h"

#include "alarm/cpu_drop_form.h"
#include "app/main_form.h"
#include "settings/settings_file.h"
#include "common/number_format.h"
#include "common/window_bounds.h"
#include "app/windows.h"
#include "metrics/drive_combo_box.h"
#include "odometer/settings_form.h"
#include "widgets/radio_group.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <gtest/gtest.h>

#include <optional>
#include <sys/inotify.h>
#include <unistd.h>

using settings_test::Environment;

namespace {

std::string Bounds_Keys(const QRect& bounds)
{
    return "window_top_posn=" + std::to_string(bounds.top()) + "\nwindow_left_posn=" + std::to_string(bounds.left())
           + "\nwindow_Width=" + std::to_string(bounds.width()) + "\nwindow_Height=" + std::to_string(bounds.height())
           + "\n";
}

// What the settings load left in the window, seen at the start-up's first
// look at the time (after the load, before always-on-top, the auto-run check
// and any placement change what the load put there).
struct Loaded {
    QRect bounds;
    bool always_on_top = false;
    bool auto_run = false;
};

Loaded Start(Environment& environment, Vistrel_Windows& windows)
{
    Loaded loaded;
    TMainForm1& form = *windows.MainForm1;
    environment.clock.at_next_reading = [&] {
        loaded = {Outer_Bounds(&form), form.Always_On_Top_Option->isChecked(),
                  form.Auto_Run_at_Windows_Startup_Option->isChecked()};
    };
    form.show();
    return loaded;
}

// What the panel command leaves the check mark at when called on a cleared
// mark; the load hands a stored "shown" to that command.
bool Mark_After_Panel_Command(TMainForm1& form)
{
    form.Show_Trailcount_Option->setChecked(false);
    form.Odometer.Show_Trailcount_OptionClick();
    return form.Show_Trailcount_Option->isChecked();
}

} // namespace

TEST(Settings_File, First_Start_Takes_The_Defaults_And_First_Close_Writes_Every_Key_In_Order)
{
    Environment environment;
    Vistrel_Windows windows;
    TMainForm1& form = *windows.MainForm1;
    const TCPU_Drop_Form& alarm = *windows.CPU_Drop_Form;
    const TSettings_Form& odometer = *windows.Settings_Form;
    const Loaded loaded = Start(environment, windows);
    EXPECT_EQ(loaded.bounds, QRect(200, 200, 212, 270));
    EXPECT_FALSE(loaded.always_on_top);
    EXPECT_FALSE(loaded.auto_run);
    EXPECT_FALSE(form.Settings->Start_Maximized());
    EXPECT_EQ(form.DriveComboBox1->Drive(), QLatin1Char('c'));
    EXPECT_EQ(alarm.CPU_Drop_Threshold_SpinEdit->value(), 50);
    EXPECT_EQ(alarm.CPU_Drop_Seconds_SpinEdit->value(), 5);
    EXPECT_EQ(alarm.CPU_Drop_Beep_Seconds_SpinEdit->value(), 1);
    EXPECT_EQ(alarm.Sound_Frequency_TrackBar->value(), 400);
    EXPECT_TRUE(alarm.Play_Single_Tone_RadioButton->isChecked());
    EXPECT_FALSE(alarm.Play_Wolf_Whistle_RadioButton->isChecked());
    EXPECT_FALSE(alarm.Play_Sliding_Scale_RadioButton->isChecked());
    EXPECT_FALSE(form.Keep_Program_Inside_the_Screen_Bounds_Option->isChecked());
    EXPECT_FALSE(form.Snap_Program_to_Bottom_Right_of_Screen_Option->isChecked());
    EXPECT_FALSE(form.Snap_Program_to_Bottom_Left_of_Screen_Option->isChecked());
    EXPECT_FALSE(form.Snap_Program_to_Top_Left_of_Screen_Option->isChecked());
    EXPECT_TRUE(form.Snap_Program_to_Top_Right_of_Screen_Option->isChecked());
    EXPECT_FALSE(form.Show_Trailcount_Option->isChecked());
    EXPECT_EQ(form.Odometer.Odometer_Distance, 0);
    EXPECT_EQ(form.Odometer.Left_Press_Count, 0);
    EXPECT_EQ(form.Odometer.Right_Press_Count, 0);
    EXPECT_EQ(odometer.Screen_Width_SpinEdit->value(), 27);
    EXPECT_EQ(odometer.Screen_Height_SpinEdit->value(), 20);
    EXPECT_EQ(odometer.Distance_Travelled_Units_RadioGroup->ItemIndex(), 0);
    EXPECT_EQ(environment.Read_Ini(), "<missing>") << "a start writes nothing";

    const QRect bounds = Outer_Bounds(&form);
    const bool always_on_top = form.Always_On_Top_Option->isChecked();
    EXPECT_TRUE(form.close());
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(environment.Read_Ini(), "[vistrel]\n"
                                      "WindowState_wsMaximized=0\n"
                                          + Bounds_Keys(bounds)
                                          + "DriveComboBox1.Drive=c\n"
                                            "Always_on_Top_Option="
                                          + (always_on_top ? "1" : "0")
                                          + "\nCPU_Drop_Threshold_SpinEdit=50\n"
                                            "CPU_Drop_Seconds_SpinEdit=5\n"
                                            "CPU_Drop_Beep_Seconds_SpinEdit=1\n"
                                            "Sound_Frequency_TrackBar=400\n"
                                            "Play_Single_Tone_RadioButton=1\n"
                                            "Play_Wolf_Whistle_RadioButton=0\n"
                                            "Play_Sliding_Scale_RadioButton=0\n"
                                            "Auto_Run_at_Windows_Startup_Option=0\n"
                                            "Keep_Program_Inside_the_Screen_Bounds_Option=0\n"
                                            "Snap_Program_to_Bottom_Right_of_Screen_Option=0\n"
                                            "Snap_Program_to_Bottom_Left_of_Screen_Option=0\n"
                                            "Snap_Program_to_Top_Left_of_Screen_Option=0\n"
                                            "Snap_Program_to_Top_Right_of_Screen_Option=1\n"
                                            "Show_Trailcount_Option=0\n"
                                            "\n"
                                            "[trailcnt]\n"
                                            "Kilometers_Travelled_So_Far=0.0000000000\n"
                                            "Left_Mouse_Button_Press_Count=0\n"
                                            "Right_Mouse_Button_Press_Count=0\n"
                                            "Screen_Width_SpinEdit=27\n"
                                            "Screen_Height_SpinEdit=20\n"
                                            "Distance_Travelled_Units_RadioGroup=0\n");
    EXPECT_TRUE(environment.messages.empty());
}

TEST(Settings_File, Every_Setting_Survives_A_Close_And_The_Next_Start)
{
    Environment environment;
    // The user's separators are not the file's; neither may leak into the other.
    Program_Format() = Format_Settings{QLatin1Char(','), QLatin1Char('.')};
    {
        Vistrel_Windows windows;
        TMainForm1& form = *windows.MainForm1;
        Start(environment, windows);
        Set_Outer_Top(&form, 250);
        Set_Outer_Left(&form, 300);
        Set_Outer_Width(&form, 260);
        Set_Outer_Height(&form, 330);
        form.DriveComboBox1->Set_Drive(QLatin1Char('d'));
        form.Always_On_Top_Option->setChecked(true);
        TCPU_Drop_Form& alarm = *windows.CPU_Drop_Form;
        alarm.CPU_Drop_Threshold_SpinEdit->setValue(77);
        alarm.CPU_Drop_Seconds_SpinEdit->setValue(123);
        alarm.CPU_Drop_Beep_Seconds_SpinEdit->setValue(9);
        alarm.Sound_Frequency_TrackBar->setValue(1234);
        alarm.Play_Wolf_Whistle_RadioButton->setChecked(true);
        form.Auto_Run_at_Windows_Startup_Option->setChecked(true);
        form.Keep_Program_Inside_the_Screen_Bounds_Option->setChecked(true);
        form.Snap_Program_to_Top_Right_of_Screen_Option->setChecked(false);
        form.Snap_Program_to_Bottom_Left_of_Screen_Option->setChecked(true);
        form.Show_Trailcount_Option->setChecked(true);
        form.Odometer.Odometer_Distance = 1234.5;
        form.Odometer.Left_Press_Count = 9000000000;
        form.Odometer.Right_Press_Count = 7;
        windows.Settings_Form->Screen_Width_SpinEdit->setValue(30);
        windows.Settings_Form->Screen_Height_SpinEdit->setValue(25);
        windows.Settings_Form->Distance_Travelled_Units_RadioGroup->Set_ItemIndex(1);
        EXPECT_TRUE(form.close());
    }
    const std::string text = environment.Read_Ini();
    EXPECT_NE(text.find("\n" + Bounds_Keys(QRect(300, 250, 260, 330)) + "DriveComboBox1.Drive=d\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("\nAuto_Run_at_Windows_Startup_Option=1\n"), std::string::npos);
    EXPECT_NE(text.find("\nShow_Trailcount_Option=1\n"), std::string::npos);
    EXPECT_NE(text.find("\n[trailcnt]\nKilometers_Travelled_So_Far=1,234.5000000000\n"
                        "Left_Mouse_Button_Press_Count=9000000000\nRight_Mouse_Button_Press_Count=7\n"
                        "Screen_Width_SpinEdit=30\nScreen_Height_SpinEdit=25\n"
                        "Distance_Travelled_Units_RadioGroup=1\n"),
              std::string::npos)
        << text;

    Vistrel_Windows windows;
    TMainForm1& form = *windows.MainForm1;
    const Loaded loaded = Start(environment, windows);
    EXPECT_EQ(loaded.bounds, QRect(300, 250, 260, 330));
    EXPECT_TRUE(loaded.always_on_top);
    EXPECT_TRUE(loaded.auto_run);
    EXPECT_FALSE(form.Settings->Start_Maximized());
    EXPECT_EQ(form.DriveComboBox1->Drive(), QLatin1Char('d'));
    const TCPU_Drop_Form& alarm = *windows.CPU_Drop_Form;
    EXPECT_EQ(alarm.CPU_Drop_Threshold_SpinEdit->value(), 77);
    EXPECT_EQ(alarm.CPU_Drop_Seconds_SpinEdit->value(), 123);
    EXPECT_EQ(alarm.CPU_Drop_Beep_Seconds_SpinEdit->value(), 9);
    EXPECT_EQ(alarm.Sound_Frequency_TrackBar->value(), 1234);
    EXPECT_FALSE(alarm.Play_Single_Tone_RadioButton->isChecked());
    EXPECT_TRUE(alarm.Play_Wolf_Whistle_RadioButton->isChecked());
    EXPECT_FALSE(alarm.Play_Sliding_Scale_RadioButton->isChecked());
    EXPECT_TRUE(form.Keep_Program_Inside_the_Screen_Bounds_Option->isChecked());
    EXPECT_FALSE(form.Snap_Program_to_Bottom_Right_of_Screen_Option->isChecked());
    EXPECT_TRUE(form.Snap_Program_to_Bottom_Left_of_Screen_Option->isChecked());
    EXPECT_FALSE(form.Snap_Program_to_Top_Left_of_Screen_Option->isChecked());
    EXPECT_FALSE(form.Snap_Program_to_Top_Right_of_Screen_Option->isChecked());
    EXPECT_EQ(form.Odometer.Odometer_Distance, 1234.5);
    EXPECT_EQ(form.Odometer.Left_Press_Count, 9000000000);
    EXPECT_EQ(form.Odometer.Right_Press_Count, 7);
    EXPECT_EQ(windows.Settings_Form->Screen_Width_SpinEdit->value(), 30);
    EXPECT_EQ(windows.Settings_Form->Screen_Height_SpinEdit->value(), 25);
    EXPECT_EQ(windows.Settings_Form->Distance_Travelled_Units_RadioGroup->ItemIndex(), 1);
    const bool panel_mark = form.Show_Trailcount_Option->isChecked();
    EXPECT_EQ(panel_mark, Mark_After_Panel_Command(form));

    EXPECT_EQ(Program_Format().Decimal_Separator, QLatin1Char(','));
    EXPECT_EQ(Program_Format().Thousand_Separator, QLatin1Char('.'));
    Load_User_Format();
}

TEST(Settings_File, Hand_Edited_Values_Take_Their_Documented_Results)
{
    Environment environment;
    environment.Write_Ini("; edited by hand\r\n"
                          "[VISTREL]\r\n"
                          "window_top_posn=0x10\r\n"
                          "WINDOW_LEFT_POSN=abc\r\n"
                          "window_width=\r\n"
                          "window_Height=99999999999\r\n"
                          "always_on_top_option=2\r\n"
                          "DriveComboBox1.Drive=Zeta\r\n"
                          "CPU_Drop_Threshold_SpinEdit=500\r\n"
                          "CPU_Drop_Seconds_SpinEdit=0\r\n"
                          "CPU_Drop_Beep_Seconds_SpinEdit=-4\r\n"
                          "Sound_Frequency_TrackBar=5\r\n"
                          "Play_Single_Tone_RadioButton=0\r\n"
                          "Play_Wolf_Whistle_RadioButton=1\r\n"
                          "Play_Sliding_Scale_RadioButton=1\r\n"
                          "Snap_Program_to_Top_Right_of_Screen_Option=0\r\n"
                          "Snap_Program_to_Top_Right_of_Screen_Option=1\r\n"
                          "junk \x01\x02\xff\xfe with no equals sign\r\n"
                          "very_long=" + std::string(5000, '9') + "\r\n"
                          "[vistrel]\r\n"
                          "Keep_Program_Inside_the_Screen_Bounds_Option=1\r\n"
                          "[trailcnt]\r\n"
                          "Left_Mouse_Button_Press_Count=12abc\r\n"
                          "Screen_Width_SpinEdit=0x1B\r\n");
    {
        Vistrel_Windows windows;
        TMainForm1& form = *windows.MainForm1;
        const Loaded loaded = Start(environment, windows);
        EXPECT_EQ(loaded.bounds, QRect(200, 16, 212, 270));
        EXPECT_TRUE(loaded.always_on_top);
        EXPECT_EQ(form.DriveComboBox1->Drive(), QLatin1Char('z'));
        const TCPU_Drop_Form& alarm = *windows.CPU_Drop_Form;
        EXPECT_EQ(alarm.CPU_Drop_Threshold_SpinEdit->value(), 100);
        EXPECT_EQ(alarm.CPU_Drop_Seconds_SpinEdit->value(), 1);
        EXPECT_EQ(alarm.CPU_Drop_Beep_Seconds_SpinEdit->value(), 1);
        EXPECT_EQ(alarm.Sound_Frequency_TrackBar->value(), 37);
        EXPECT_FALSE(alarm.Play_Single_Tone_RadioButton->isChecked());
        EXPECT_FALSE(alarm.Play_Wolf_Whistle_RadioButton->isChecked());
        EXPECT_TRUE(alarm.Play_Sliding_Scale_RadioButton->isChecked()) << "the later of two wins";
        EXPECT_FALSE(form.Snap_Program_to_Top_Right_of_Screen_Option->isChecked()) << "the first of a repeated key";
        EXPECT_FALSE(form.Keep_Program_Inside_the_Screen_Bounds_Option->isChecked())
            << "a repeated section is not read";
        // A damaged press count takes 0 and the keys after it are still read;
        // the start-up runs to its end.
        EXPECT_EQ(form.Odometer.Left_Press_Count, 0);
        EXPECT_EQ(windows.Settings_Form->Screen_Width_SpinEdit->value(), 27);
        EXPECT_TRUE(form.Timer1->isActive());
        EXPECT_TRUE(form.Program_Size_Timer->isActive());
        EXPECT_TRUE(environment.messages.empty());

        // The close rewrites the values in their own lines and keeps the rest.
        form.close();
        const std::string text = environment.Read_Ini();
        EXPECT_EQ(text.rfind("; edited by hand\r\n[VISTREL]\r\nwindow_top_posn=", 0), 0u) << text;
        EXPECT_NE(text.find("\r\nWINDOW_LEFT_POSN="), std::string::npos);
        EXPECT_NE(text.find("\r\nDriveComboBox1.Drive=z\r\n"), std::string::npos);
        EXPECT_NE(text.find("\r\nCPU_Drop_Threshold_SpinEdit=100\r\n"), std::string::npos);
        EXPECT_NE(text.find("junk \x01\x02\xff\xfe with no equals sign\r\nvery_long=" + std::string(5000, '9')),
                  std::string::npos);
        EXPECT_NE(text.find("[vistrel]\r\nKeep_Program_Inside_the_Screen_Bounds_Option=1\r\n"), std::string::npos);
        EXPECT_NE(text.find("\r\nShow_Trailcount_Option=0\r\n"), std::string::npos)
            << "new keys end as the file's lines do";
    }

    // Every sound switched off in the file loads as no sound at all; an
    // empty drive selects the system drive.
    environment.Write_Ini("[vistrel]\nPlay_Single_Tone_RadioButton=0\nDriveComboBox1.Drive=\n");
    Vistrel_Windows windows;
    Start(environment, windows);
    EXPECT_FALSE(windows.CPU_Drop_Form->Play_Single_Tone_RadioButton->isChecked());
    EXPECT_FALSE(windows.CPU_Drop_Form->Play_Wolf_Whistle_RadioButton->isChecked());
    EXPECT_FALSE(windows.CPU_Drop_Form->Play_Sliding_Scale_RadioButton->isChecked());
    EXPECT_EQ(windows.MainForm1->DriveComboBox1->Drive(), QLatin1Char('c'));
}

TEST(Settings_File, Closing_While_Maximized_Keeps_The_Normal_Bounds)
{
    Environment environment;
    {
        Vistrel_Windows windows;
        TMainForm1& form = *windows.MainForm1;
        Start(environment, windows);
        // No corner: the placement pass would otherwise move the restored window first.
        form.Snap_Program_to_Top_Right_of_Screen_Option->setChecked(false);
        Set_Outer_Top(&form, 120);
        Set_Outer_Left(&form, 150);
        Set_Outer_Width(&form, 240);
        Set_Outer_Height(&form, 300);
        form.showMaximized();
        QCoreApplication::processEvents();
        ASSERT_TRUE(form.isMaximized());
        ASSERT_NE(Outer_Bounds(&form), QRect(150, 120, 240, 300));
        EXPECT_TRUE(form.close());
    }
    const std::string text = environment.Read_Ini();
    EXPECT_NE(text.find("WindowState_wsMaximized=1\n" + Bounds_Keys(QRect(150, 120, 240, 300))), std::string::npos)
        << text;

    Vistrel_Windows windows;
    EXPECT_EQ(Start(environment, windows).bounds, QRect(150, 120, 240, 300));
    EXPECT_TRUE(windows.MainForm1->Settings->Start_Maximized());
    EXPECT_TRUE(windows.MainForm1->isMaximized());
}

TEST(Settings_File, A_Save_That_Fails_Keeps_The_Window_Open_And_The_Old_File)
{
    Environment environment;
    const std::string old_text = "[vistrel]\nwindow_top_posn=300\n";
    environment.Write_Ini(old_text);
    Vistrel_Windows windows;
    TMainForm1& form = *windows.MainForm1;
    Start(environment, windows);
    const Format_Settings user{QLatin1Char(','), QLatin1Char('.')};
    Program_Format() = user;

    // The disk is full: no file may grow past 100 bytes.
    std::optional<Scoped_File_Size_Limit> full_disk(std::in_place, 100);
    ASSERT_TRUE(full_disk->Active());
    const bool closed = form.close();
    full_disk.reset();

    EXPECT_FALSE(closed);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(environment.Read_Ini(), old_text);
    ASSERT_EQ(environment.messages.size(), 1u);
    EXPECT_EQ(environment.messages[0].type, Msg_Type::Error);
    EXPECT_EQ(environment.messages[0].caption, QStringLiteral("Vistrel v4.8f"));
    EXPECT_EQ(environment.messages[0].text, QStringLiteral("Unable to write to ") + environment.Ini_Path() + '.');
    EXPECT_EQ(Program_Format().Decimal_Separator, user.Decimal_Separator);
    EXPECT_EQ(Program_Format().Thousand_Separator, user.Thousand_Separator);

    // With room again, the next close saves everything.
    EXPECT_TRUE(form.close());
    EXPECT_NE(environment.Read_Ini().find("Distance_Travelled_Units_RadioGroup=0\n"), std::string::npos);
    Load_User_Format();
}

TEST(Settings_File, Lives_Beside_The_Program_Or_In_The_Config_Folder)
{
    Environment environment;
    EXPECT_EQ(Settings_File_Path(), environment.Ini_Path());

    // A program folder that cannot take the file: the user's config folder,
    // made when the settings are first saved.
    environment.process.executable_path = environment.dir.filePath(QStringLiteral("gone/vistrel")).toStdString();
    const QString config = environment.dir.filePath(QStringLiteral("config/vistrel/vistrel.ini"));
    EXPECT_EQ(Settings_File_Path(), config);
    EXPECT_EQ(Settings_File_Path_For_Writing(), config);
    EXPECT_TRUE(QFileInfo(config).absoluteDir().exists());

    Vistrel_Windows windows;
    Start(environment, windows);
    EXPECT_TRUE(windows.MainForm1->close());
    EXPECT_TRUE(QFileInfo(config).isFile());
}

TEST(Settings_File, An_Installed_Copy_Keeps_Them_In_The_Config_Folder_Even_Where_It_May_Write)
{
    // <prefix>/bin/vistrel beside <prefix>/share/vistrel, all of it writable,
    // as /usr is to root.
    Environment environment;
    ASSERT_TRUE(QDir(environment.dir.path()).mkpath(QStringLiteral("prefix/bin")));
    ASSERT_TRUE(QDir(environment.dir.path()).mkpath(QStringLiteral("prefix/share/vistrel")));
    const QString bin = environment.dir.filePath(QStringLiteral("prefix/bin"));
    environment.process.executable_path = (bin + QStringLiteral("/vistrel")).toStdString();
    const QString config = environment.dir.filePath(QStringLiteral("config/vistrel/vistrel.ini"));
    EXPECT_EQ(Settings_File_Path(), config);

    Vistrel_Windows windows;
    Start(environment, windows);
    EXPECT_TRUE(windows.MainForm1->close());
    EXPECT_TRUE(QFileInfo(config).isFile());
    EXPECT_EQ(QDir(bin).entryList(QDir::Files | QDir::Hidden), QStringList());

    // A file someone put beside it is still the one read and written.
    Write_All(bin + QStringLiteral("/vistrel.ini"), "[vistrel]\n");
    EXPECT_EQ(Settings_File_Path(), bin + QStringLiteral("/vistrel.ini"));
}

TEST(Settings_File, A_Failed_Save_Never_Traps_The_User_Nor_Keeps_An_Ending_Session)
{
    Environment environment;
    environment.Write_Ini("[vistrel]\nwindow_top_posn=300\n");
    {
        Vistrel_Windows windows;
        TMainForm1& form = *windows.MainForm1;
        Start(environment, windows);
        const Scoped_File_Size_Limit full_disk(100);
        ASSERT_TRUE(full_disk.Active());

        // The first close tells why it cannot save and stays open.
        EXPECT_FALSE(form.close());
        ASSERT_EQ(environment.messages.size(), 1u);
        EXPECT_EQ(environment.messages[0].type, Msg_Type::Error);
        // Asked again, it asks rather than keeps the user in; No stays.
        environment.question_answer = Msg_Result::No;
        EXPECT_FALSE(form.close());
        ASSERT_EQ(environment.messages.size(), 2u);
        EXPECT_EQ(environment.messages[1].text, QStringLiteral("Close without saving?"));
        EXPECT_EQ(environment.messages[1].buttons, Msg_Buttons::Yes_No);
        environment.question_answer = Msg_Result::Yes;
        EXPECT_TRUE(form.close());
        EXPECT_EQ(environment.Read_Ini(), "[vistrel]\nwindow_top_posn=300\n");
    }
    environment.messages.clear();
    {
        // The session ends: no question, no waiting, the window closes.
        Vistrel_Windows windows;
        TMainForm1& form = *windows.MainForm1;
        Start(environment, windows);
        const Scoped_File_Size_Limit full_disk(100);
        form.Close_For_Session_End();
        EXPECT_FALSE(form.isVisible());
        EXPECT_TRUE(environment.messages.empty());
    }
}

TEST(Settings_File, One_Save_Replaces_The_File_Once_And_A_Stray_Temporary_File_Is_Cleared)
{
    Environment environment;
    environment.Write_Ini("[vistrel]\nwindow_top_posn=300\n");
    const QString folder = QFileInfo(environment.Ini_Path()).absolutePath();
    QFile old_stray(folder + QStringLiteral("/vistrel.ini.Ab12Cd"));
    QFile young_stray(folder + QStringLiteral("/vistrel.ini.Xy34Zw"));
    for (QFile* stray : {&old_stray, &young_stray}) {
        ASSERT_TRUE(stray->open(QIODevice::WriteOnly));
        stray->write("[vistrel]\nwindow_top_posn=1\n");
        stray->close();
    }
    ASSERT_TRUE(old_stray.open(QIODevice::ReadWrite));
    ASSERT_TRUE(old_stray.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    old_stray.close();

    Vistrel_Windows windows;
    TMainForm1& form = *windows.MainForm1;
    Start(environment, windows);
    EXPECT_FALSE(old_stray.exists()) << "left by a save killed an hour ago";
    EXPECT_TRUE(young_stray.exists()) << "perhaps another copy saving right now";

    // Both sections arrive in one rename: a kill can never leave new window
    // bounds beside an old odometer count.
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, folder.toLocal8Bit().constData(), IN_MOVED_TO), 0);
    form.Odometer.Left_Press_Count = 12345;
    form.Settings->Save_Settings();
    int renames = 0;
    alignas(inotify_event) char events[4096];
    for (ssize_t got; (got = read(watch, events, sizeof events)) > 0;)
        for (char* at = events; at < events + got; at += sizeof(inotify_event) + reinterpret_cast<inotify_event*>(at)->len)
            renames += QByteArray(reinterpret_cast<inotify_event*>(at)->name) == "vistrel.ini";
    close(watch);
    EXPECT_EQ(renames, 1);
    EXPECT_NE(environment.Read_Ini().find("Left_Mouse_Button_Press_Count=12345"), std::string::npos);
}

// The settings file on its own controls: what a load puts in them and asks
// of the window, and what a save of a maximized window writes.
TEST_F(Settings_File_Fixture, Loads_Into_Its_Controls_And_Saves_Them_With_The_Normal_Bounds)
{
    environment.Write_Ini("[vistrel]\n"
                          "WindowState_wsMaximized=1\n"
                          "window_top_posn=120\nwindow_left_posn=150\nwindow_Width=240\nwindow_Height=300\n"
                          "DriveComboBox1.Drive=d\n"
                          "CPU_Drop_Threshold_SpinEdit=77\n"
                          "Play_Single_Tone_RadioButton=0\nPlay_Sliding_Scale_RadioButton=1\n"
                          "Auto_Run_at_Windows_Startup_Option=1\n"
                          "Snap_Program_to_Top_Right_of_Screen_Option=0\n"
                          "[trailcnt]\nLeft_Mouse_Button_Press_Count=40\n");
    file->Load_Settings();
    EXPECT_EQ(calls, (std::vector<std::string>{"width 201", "height 239", "record"}));
    EXPECT_EQ(window_bounds, QRect(150, 120, 240, 300));
    EXPECT_TRUE(file->Start_Maximized());
    EXPECT_EQ(DriveComboBox1->Drive(), QLatin1Char('d'));
    EXPECT_EQ(alarm.CPU_Drop_Threshold_SpinEdit->value(), 77);
    EXPECT_FALSE(alarm.Play_Single_Tone_RadioButton->isChecked());
    EXPECT_TRUE(alarm.Play_Sliding_Scale_RadioButton->isChecked());
    EXPECT_TRUE(Auto_Run_at_Windows_Startup_Option->isChecked());
    EXPECT_FALSE(Snap_Program_to_Top_Right_of_Screen_Option->isChecked());
    EXPECT_FALSE(Show_Trailcount_Option->isChecked());
    EXPECT_EQ(odometer.Left_Press_Count, 40);

    // Maximized, the window is saved with the bounds it has when normal.
    maximized = true;
    window_bounds = QRect(10, 20, 230, 280);
    Always_On_Top_Option->setChecked(true);
    file->Save_Settings();
    EXPECT_EQ(environment.Read_Ini(), "[vistrel]\n"
                                      "WindowState_wsMaximized=1\n"
                                      "window_top_posn=20\nwindow_left_posn=10\nwindow_Width=230\nwindow_Height=280\n"
                                      "DriveComboBox1.Drive=d\n"
                                      "CPU_Drop_Threshold_SpinEdit=77\n"
                                      "Play_Single_Tone_RadioButton=0\nPlay_Sliding_Scale_RadioButton=1\n"
                                      "Auto_Run_at_Windows_Startup_Option=1\n"
                                      "Snap_Program_to_Top_Right_of_Screen_Option=0\n"
                                      "Always_on_Top_Option=1\n"
                                      "CPU_Drop_Seconds_SpinEdit=5\n"
                                      "CPU_Drop_Beep_Seconds_SpinEdit=1\n"
                                      "Sound_Frequency_TrackBar=400\n"
                                      "Play_Wolf_Whistle_RadioButton=0\n"
                                      "Keep_Program_Inside_the_Screen_Bounds_Option=0\n"
                                      "Snap_Program_to_Bottom_Right_of_Screen_Option=0\n"
                                      "Snap_Program_to_Bottom_Left_of_Screen_Option=0\n"
                                      "Snap_Program_to_Top_Left_of_Screen_Option=0\n"
                                      "Show_Trailcount_Option=0\n"
                                      "[trailcnt]\n"
                                      "Left_Mouse_Button_Press_Count=40\n"
                                      "Kilometers_Travelled_So_Far=0.0000000000\n"
                                      "Right_Mouse_Button_Press_Count=0\n"
                                      "Screen_Width_SpinEdit=27\n"
                                      "Screen_Height_SpinEdit=20\n"
                                      "Distance_Travelled_Units_RadioGroup=0\n");
}
