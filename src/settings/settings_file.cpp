// The settings file: loaded into the controls at start, saved from them when
// the main window is asked to close.
#include "settings/settings_file.h"

#include "alarm/cpu_drop_form.h"
#include "common/number_format.h"
#include "common/settings_location.h"
#include "common/window_bounds.h"
#include "metrics/drive_combo_box.h"
#include "odometer/odometer.h"
#include "platform/profile.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>

namespace {

constexpr std::string_view Section = "vistrel";

// A radio button set from a stored flag. Clearing goes around the group's
// exclusivity, so that a file with every sound switched off loads as such.
void Set_Radio_Checked(QRadioButton* button, bool checked)
{
    if (checked) {
        button->setChecked(true);
        return;
    }
    const bool exclusive = button->autoExclusive();
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(exclusive);
}

// A temporary file a save left beside the settings file when it was killed
// between writing and renaming ("vistrel.ini.a1B2c3"). One younger than a
// minute may be another copy of the program saving right now.
void Remove_Stray_Temporary_Files(const QString& path)
{
    const QFileInfo settings(path);
    const QString prefix = settings.fileName() + QLatin1Char('.');
    const QDateTime a_minute_ago = QDateTime::currentDateTimeUtc().addSecs(-60);
    const QFileInfoList strays = settings.dir().entryInfoList({prefix + QStringLiteral("??????")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& stray : strays)
        if (!stray.isSymLink() && stray.lastModified().toUTC() < a_minute_ago)
            QFile::remove(stray.filePath());
}

QChar Drive_From_Text(const std::string& text)
{
    // The program never writes an empty drive; a hand-edited one selects
    // the system drive, as a first start does.
    return text.empty() ? QLatin1Char('c') : QChar::fromLatin1(text.front());
}

} // namespace

void Settings_File::Load_Settings()
{
    const Controls& c = controls_;
    const QString path = Settings_File_Path();
    Remove_Stray_Temporary_Files(path);
    {
        const Settings_File_Format format;
        const platform::Ini_File ini(path.toStdString());
        const auto flag = [&ini](std::string_view key, bool fallback) { return ini.Read_Bool(Section, key, fallback); };
        const auto number = [&ini](std::string_view key, std::int32_t fallback) {
            return ini.Read_Integer(Section, key, fallback);
        };

        c.Set_Client_Width(c.Bevel3->x() + c.Bevel3->width() + c.Bevel3->x());
        c.Show_Trailcount_Option->setChecked(flag("Show_Trailcount_Option", false));
        if (c.Show_Trailcount_Option->isChecked()) {
            c.Show_Trailcount_Option->setChecked(false);
            c.Odometer->Show_Trailcount_OptionClick();
        } else {
            c.Set_Client_Height(c.Bevel3->y() + c.Bevel3->height() + c.Label2->y());
            c.Record_Layout();
        }
        // The first reference of the run is the design layout, whatever the
        // file said: the factory defaults go back to it.
        if (design_layout_.empty())
            for (int i = 0; i < c.Scaling_ListBox->count(); ++i)
                design_layout_.push_back(c.Scaling_ListBox->item(i)->text());

        // A hand-edited file may ask for anything; the window gets bounds it
        // can have, and the file keeps its other values.
        const QRect bounds = Sane_Window_Bounds(number("window_left_posn", 200), number("window_top_posn", 200),
                                                number("window_Width", 212), number("window_Height", 270));
        c.Set_Window_Bounds(bounds);

        c.DriveComboBox1->Set_Drive(Drive_From_Text(ini.Read_String(Section, "DriveComboBox1.Drive", "c")));
        c.Always_On_Top_Option->setChecked(flag("Always_on_Top_Option", false));

        if (TCPU_Drop_Form* alarm = c.CPU_Drop_Form) {
            // The controls clamp what they are given to their own limits.
            alarm->CPU_Drop_Threshold_SpinEdit->setValue(number("CPU_Drop_Threshold_SpinEdit", 50));
            alarm->CPU_Drop_Seconds_SpinEdit->setValue(number("CPU_Drop_Seconds_SpinEdit", 5));
            alarm->CPU_Drop_Beep_Seconds_SpinEdit->setValue(number("CPU_Drop_Beep_Seconds_SpinEdit", 1));
            alarm->Sound_Frequency_TrackBar->setValue(number("Sound_Frequency_TrackBar", 400));
            Set_Radio_Checked(alarm->Play_Single_Tone_RadioButton, flag("Play_Single_Tone_RadioButton", true));
            Set_Radio_Checked(alarm->Play_Wolf_Whistle_RadioButton, flag("Play_Wolf_Whistle_RadioButton", false));
            Set_Radio_Checked(alarm->Play_Sliding_Scale_RadioButton, flag("Play_Sliding_Scale_RadioButton", false));
        }

        c.Auto_Run_at_Windows_Startup_Option->setChecked(flag("Auto_Run_at_Windows_Startup_Option", false));
        c.Keep_Program_Inside_the_Screen_Bounds_Option->setChecked(
            flag("Keep_Program_Inside_the_Screen_Bounds_Option", false));
        c.Snap_Program_to_Bottom_Right_of_Screen_Option->setChecked(
            flag("Snap_Program_to_Bottom_Right_of_Screen_Option", false));
        c.Snap_Program_to_Bottom_Left_of_Screen_Option->setChecked(
            flag("Snap_Program_to_Bottom_Left_of_Screen_Option", false));
        c.Snap_Program_to_Top_Left_of_Screen_Option->setChecked(flag("Snap_Program_to_Top_Left_of_Screen_Option", false));
        c.Snap_Program_to_Top_Right_of_Screen_Option->setChecked(
            flag("Snap_Program_to_Top_Right_of_Screen_Option", true));
        start_maximized_ = flag("WindowState_wsMaximized", false);
        c.Odometer->Read_Odometer_Ini(ini);
    }
}

// Both sections go to the disk in one replace of the whole file, so the file
// is always all old or all new, whatever ends the program.
void Settings_File::Save_Settings()
{
    const Controls& c = controls_;
    const QString path = Settings_File_Path_For_Writing();
    {
        const Settings_File_Format format;
        platform::Ini_File ini(path.toStdString());
        const bool maximized = c.Is_Maximized();
        const auto flag = [&ini](std::string_view key, bool value) { ini.Write_Bool(Section, key, value); };
        const auto number = [&ini](std::string_view key, std::int64_t value) {
            ini.Write_Integer(Section, key, value);
        };

        flag("WindowState_wsMaximized", maximized);
        // A maximized or minimized window is saved with its normal bounds,
        // as they were before: restored only to be measured, a window comes
        // back wherever the window manager puts it, a frame off each time.
        const QRect bounds = c.Normal_Bounds();
        number("window_top_posn", bounds.top());
        number("window_left_posn", bounds.left());
        number("window_Width", bounds.width());
        number("window_Height", bounds.height());
        const QByteArray drive = QString(c.DriveComboBox1->Drive().toLower()).toLatin1();
        ini.Write_String(Section, "DriveComboBox1.Drive", std::string_view(drive.constData(), drive.size()));
        flag("Always_on_Top_Option", c.Always_On_Top_Option->isChecked());
        if (const TCPU_Drop_Form* alarm = c.CPU_Drop_Form) {
            number("CPU_Drop_Threshold_SpinEdit", alarm->CPU_Drop_Threshold_SpinEdit->value());
            number("CPU_Drop_Seconds_SpinEdit", alarm->CPU_Drop_Seconds_SpinEdit->value());
            number("CPU_Drop_Beep_Seconds_SpinEdit", alarm->CPU_Drop_Beep_Seconds_SpinEdit->value());
            number("Sound_Frequency_TrackBar", alarm->Sound_Frequency_TrackBar->value());
            flag("Play_Single_Tone_RadioButton", alarm->Play_Single_Tone_RadioButton->isChecked());
            flag("Play_Wolf_Whistle_RadioButton", alarm->Play_Wolf_Whistle_RadioButton->isChecked());
            flag("Play_Sliding_Scale_RadioButton", alarm->Play_Sliding_Scale_RadioButton->isChecked());
        }
        flag("Auto_Run_at_Windows_Startup_Option", c.Auto_Run_at_Windows_Startup_Option->isChecked());
        flag("Keep_Program_Inside_the_Screen_Bounds_Option", c.Keep_Program_Inside_the_Screen_Bounds_Option->isChecked());
        flag("Snap_Program_to_Bottom_Right_of_Screen_Option",
             c.Snap_Program_to_Bottom_Right_of_Screen_Option->isChecked());
        flag("Snap_Program_to_Bottom_Left_of_Screen_Option", c.Snap_Program_to_Bottom_Left_of_Screen_Option->isChecked());
        flag("Snap_Program_to_Top_Left_of_Screen_Option", c.Snap_Program_to_Top_Left_of_Screen_Option->isChecked());
        flag("Snap_Program_to_Top_Right_of_Screen_Option", c.Snap_Program_to_Top_Right_of_Screen_Option->isChecked());
        flag("Show_Trailcount_Option", c.Show_Trailcount_Option->isChecked());
        c.Odometer->Write_Odometer_Ini(ini);
        ini.Commit();
    }
}
