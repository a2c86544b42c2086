// "&Restore Factory Defaults", and the file test it relies on.
#include "settings/settings_fixture.h"
#include "settings/settings_test_support.h"

#include "alarm/cpu_drop_form.h"
#include "app/main_form.h"
#include "settings/settings_file.h"
#include "settings/settings_file_status.h"
#include "common/window_bounds.h"
#include "app/windows.h"
#include "fakes/fake_files.h"
#include "metrics/drive_combo_box.h"
#include "odometer/settings_form.h"
#include "widgets/radio_group.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QListWidget>
#include <QSpinBox>
#include <gtest/gtest.h>

#include <sys/stat.h>

using settings_test::Environment;
using settings_test::Lock_Holder;

namespace {

const std::string Changed_Settings = "[vistrel]\n"
                                     "window_top_posn=50\n"
                                     "DriveComboBox1.Drive=d\n"
                                     "Always_on_Top_Option=1\n"
                                     "CPU_Drop_Threshold_SpinEdit=80\n"
                                     "Show_Trailcount_Option=1\n"
                                     "[trailcnt]\n"
                                     "Kilometers_Travelled_So_Far=12.5\n"
                                     "Left_Mouse_Button_Press_Count=40\n"
                                     "Distance_Travelled_Units_RadioGroup=1\n";

// Every visual control's place and font, in creation order.
std::vector<std::pair<QRect, int>> Layout_Of(const TMainForm1& form)
{
    std::vector<std::pair<QRect, int>> layout;
    for (QObject* component : form.Components)
        if (auto* control = qobject_cast<QWidget*>(component))
            layout.emplace_back(control->geometry(), control->font().pixelSize());
    return layout;
}

} // namespace

TEST(Factory_Defaults, Answered_No_Changes_Nothing)
{
    Environment environment;
    environment.Write_Ini(Changed_Settings);
    Vistrel_Windows windows;
    TMainForm1& form = *windows.MainForm1;
    form.show();
    form.Odometer.Right_Press_Count = 3;

    environment.question_answer = Msg_Result::No;
    form.Restore_Factory_Defaults_Option->trigger(); // the menu reaches the handler
    ASSERT_EQ(environment.messages.size(), 1u);
    EXPECT_EQ(environment.messages[0].type, Msg_Type::Warning);
    EXPECT_EQ(environment.messages[0].buttons, Msg_Buttons::Yes_No);
    EXPECT_TRUE(environment.messages[0].text.contains(QStringLiteral("factory")));
    EXPECT_EQ(environment.Read_Ini(), Changed_Settings);
    EXPECT_EQ(form.DriveComboBox1->Drive(), QLatin1Char('d'));
    EXPECT_EQ(form.Odometer.Right_Press_Count, 3);
}

TEST(Factory_Defaults, Answered_Yes_Brings_Back_A_First_Start)
{
    Environment environment;
    // What a first start looks like.
    std::vector<std::pair<QRect, int>> first_start;
    {
        Vistrel_Windows fresh;
        fresh.MainForm1->show();
        first_start = Layout_Of(*fresh.MainForm1);
    }

    environment.Write_Ini(Changed_Settings);
    Vistrel_Windows windows;
    TMainForm1& form = *windows.MainForm1;
    form.show();
    // A run that moved everything: the panel toggled, the window resized and
    // maximized, the odometer counting.
    form.Odometer.Show_Trailcount_OptionClick();
    form.Odometer.Show_Trailcount_OptionClick();
    Set_Outer_Width(&form, 420);
    Set_Outer_Height(&form, 520);
    form.showMaximized();
    QCoreApplication::processEvents();
    ASSERT_TRUE(form.isMaximized());
    form.Odometer.Right_Press_Count = 3;

    environment.question_answer = Msg_Result::Yes;
    QRect bounds_before_placement;
    environment.clock.at_next_reading = [&] { bounds_before_placement = Outer_Bounds(&form); };
    form.Settings->Restore_Factory_Defaults_OptionClick();

    EXPECT_EQ(environment.messages.size(), 1u) << "only the question";
    EXPECT_FALSE(QFileInfo::exists(environment.Ini_Path()));
    QCoreApplication::processEvents(); // the window system's answer to the restore
    EXPECT_FALSE(form.isMaximized());
    EXPECT_EQ(Outer_Bounds(&form).size(), QSize(212, 270));
    EXPECT_EQ(bounds_before_placement, QRect(200, 200, 212, 270));
    EXPECT_EQ(Layout_Of(form), first_start);
    if (form.Scaling_ListBox->count() > 0) {
        EXPECT_EQ(form.Scaling_ListBox->item(0)->text(), QStringLiteral("201 239 W/H Mainform1"));
    }
    EXPECT_FALSE(form.Show_Trailcount_Option->isChecked());
    EXPECT_EQ(form.DriveComboBox1->Drive(), QLatin1Char('c'));
    EXPECT_EQ(windows.CPU_Drop_Form->CPU_Drop_Threshold_SpinEdit->value(), 50);
    EXPECT_EQ(form.Odometer.Odometer_Distance, 0);
    EXPECT_EQ(form.Odometer.Left_Press_Count, 0);
    EXPECT_EQ(form.Odometer.Right_Press_Count, 0);
    EXPECT_EQ(windows.Settings_Form->Screen_Width_SpinEdit->value(), 27);
    EXPECT_EQ(windows.Settings_Form->Screen_Height_SpinEdit->value(), 20);
    EXPECT_EQ(windows.Settings_Form->Distance_Travelled_Units_RadioGroup->ItemIndex(), 0);
}

TEST(Factory_Defaults, A_File_Another_Program_Holds_Stays_And_Is_Read_Again)
{
    Environment environment;
    environment.Write_Ini(Changed_Settings);
    Vistrel_Windows windows;
    TMainForm1& form = *windows.MainForm1;
    form.show();
    form.DriveComboBox1->Set_Drive(QLatin1Char('e'));
    form.Odometer.Left_Press_Count = 99;

    const Lock_Holder holder(environment.Ini_Path().toStdString(), Lock_Holder::Kind::Record);
    ASSERT_TRUE(holder.Locked());
    environment.question_answer = Msg_Result::Yes;
    form.Settings->Restore_Factory_Defaults_OptionClick();

    EXPECT_EQ(environment.messages.size(), 1u) << "no message about the file";
    EXPECT_EQ(environment.Read_Ini(), Changed_Settings);
    EXPECT_EQ(form.DriveComboBox1->Drive(), QLatin1Char('d'));
    EXPECT_EQ(form.Odometer.Left_Press_Count, 40);
}

// On its own controls: the file goes, the window comes back to normal, the
// layout to the run's first reference, unscaled by the resize, and the
// start-up runs again; answered No, nothing at all.
TEST_F(Settings_File_Fixture, Restoring_The_Defaults_Returns_The_Layout_Before_The_Start_Up)
{
    const std::string changed = "[vistrel]\nwindow_top_posn=50\nDriveComboBox1.Drive=d\n";
    environment.Write_Ini(changed);
    file->Load_Settings();
    calls.clear();
    Scaling_ListBox->clear();
    Scaling_ListBox->addItem(QStringLiteral("420 480 W/H Mainform1")); // a later reference

    environment.question_answer = Msg_Result::No;
    file->Restore_Factory_Defaults_OptionClick();
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(environment.Read_Ini(), changed);

    environment.question_answer = Msg_Result::Yes;
    file->Restore_Factory_Defaults_OptionClick();
    EXPECT_EQ(environment.Read_Ini(), "<missing>");
    EXPECT_EQ(calls, (std::vector<std::string>{"show normal", "resize off", "width 201", "height 239", "scale 2",
                                               "resize on", "start up"}));
    EXPECT_EQ(Scaling_ListBox->count(), 0);
    EXPECT_EQ(environment.messages.size(), 2u) << "only the questions";
}

TEST(File_Open_Status, Tells_Closed_Open_And_Missing_Files_Apart)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vistrel.ini"));
    EXPECT_EQ(File_Open_Status(QString()), QString());
    EXPECT_EQ(File_Open_Status(path), QString());
    EXPECT_FALSE(Delete_File_If_Closed(path));
    EXPECT_EQ(File_Open_Status(dir.path()), QString()) << "a folder is no file";

    QFile(path).open(QIODevice::WriteOnly);
    EXPECT_EQ(File_Open_Status(path), QStringLiteral("CLOSED"));
    for (const auto kind : {Lock_Holder::Kind::Record, Lock_Holder::Kind::Flock}) {
        const Lock_Holder holder(path.toStdString(), kind);
        ASSERT_TRUE(holder.Locked());
        EXPECT_EQ(File_Open_Status(path), QStringLiteral("OPEN"));
        EXPECT_FALSE(Delete_File_If_Closed(path));
        EXPECT_TRUE(QFileInfo::exists(path));
    }
    EXPECT_EQ(File_Open_Status(path), QStringLiteral("CLOSED")) << "the test itself holds no lock";

    // A long path is tested like any other.
    QString deep = dir.path();
    while (deep.size() < 200)
        deep += QStringLiteral("/a_rather_long_folder_name");
    ASSERT_TRUE(QDir().mkpath(deep));
    const QString long_path = deep + QStringLiteral("/vistrel.ini");
    QFile(long_path).open(QIODevice::WriteOnly);
    {
        const Lock_Holder holder(long_path.toStdString(), Lock_Holder::Kind::Flock);
        EXPECT_EQ(File_Open_Status(long_path), QStringLiteral("OPEN"));
    }

    // A read-only file is deleted all the same.
    ASSERT_EQ(chmod(path.toLocal8Bit().constData(), 0444), 0);
    EXPECT_TRUE(Delete_File_If_Closed(path));
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(File_Open_Status, Maps_Platform_Errors_With_Error_Boxes_Off)
{
    Fake_Files files;
    Fake_Disk disk;
    const platform::Scoped_Service<platform::File_Service> files_guard(files);
    const platform::Scoped_Service<platform::Disk_Service> disk_guard(disk);
    files.files = {"x.ini"};
    disk.error_mode = 0x8000;
    unsigned mode_during_test = 0;
    files.during_open = [&] { mode_during_test = disk.error_mode; };

    const std::pair<std::uint32_t, const char*> table[] = {
        {0, "CLOSED"},     {2, "NOT FOUND"}, {3, "NOT FOUND"}, {21, "NOT FOUND"}, {26, "NOT FOUND"},
        {27, "NOT FOUND"}, {32, "OPEN"},     {33, "OPEN"},     {5, "ERROR"},      {19, "ERROR"},
    };
    for (const auto& [error, status] : table) {
        files.open_error = error;
        EXPECT_EQ(File_Open_Status(QStringLiteral("x.ini")), QLatin1String(status)) << error;
        EXPECT_EQ(mode_during_test, SEM_FAILCRITICALERRORS);
        EXPECT_EQ(disk.error_mode, 0x8000u);
        EXPECT_EQ(Delete_File_If_Closed(QStringLiteral("x.ini")), error == 0);
        files.files = {"x.ini"};
    }
}
