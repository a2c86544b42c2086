// The odometer's "trailcnt" section and the Trailcount file exchange.
#include "common/number_format.h"
#include "fakes/fake_process.h"
#include "fakes/file_bytes.h"
#include "odometer/odometer_exchange.h"
#include "odometer_fixture.h"
#include "platform/error.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Odometer_Exchange : public Odometer_Fixture {
protected:
    Odometer_Exchange() : process_guard_(process)
    {
        process.executable_path = dir.filePath(QStringLiteral("vistrel")).toStdString();
        Program_Format() = Format_Settings{QLatin1Char(','), QLatin1Char('.')};
    }
    ~Odometer_Exchange() override
    {
        TFile_Dialog::Set_Answerer(nullptr);
        Load_User_Format();
    }

    void Expect_User_Format() const
    {
        EXPECT_EQ(Program_Format().Decimal_Separator, QLatin1Char(','));
        EXPECT_EQ(Program_Format().Thousand_Separator, QLatin1Char('.'));
    }

    QTemporaryDir dir;
    Fake_Process process;
    platform::Scoped_Service<platform::Process_Service> process_guard_;
};

} // namespace

TEST(Parse_Distance_Text, Accepts_Plain_Numbers_And_Rejects_The_Rest)
{
    const std::pair<const char*, double> table[] = {
        {"1,234.5", 1234.5}, {"  12  ", 12},     {"1.5e3", 1500},   {"1E-3", 0.001},   {"+5", 5},
        {"-2.5", -2.5},      {"1.", 1},          {".5", 0.5},       {"1 2,3", 123},    {"1E+2", 100},
        {"abc", Rejected_Distance}, {"", Rejected_Distance},     {"1.2.3", Rejected_Distance},
        {"1-2", Rejected_Distance}, {"+", Rejected_Distance},    {"-", Rejected_Distance},
        {"-1E-3", Rejected_Distance}, {"E5", Rejected_Distance}, {"1E", Rejected_Distance},
        {"1E5-", Rejected_Distance}, {"1-E5", Rejected_Distance}, {".", Rejected_Distance},
        {"1E999", Rejected_Distance}, {"0x10", Rejected_Distance}, {"1\xc2\xa0" "5", Rejected_Distance},
    };
    for (const auto& [text, expected] : table)
        EXPECT_EQ(Parse_Distance_Text(QString::fromUtf8(text)), expected) << text;
}

TEST_F(Odometer_Exchange, Writes_Fixed_Figures_Whatever_The_User_Separators_And_Reads_Them_Back)
{
    const QString path = dir.filePath(QStringLiteral("trailcnt.ini"));
    Write_All(path, "[Trailcount]\r\nWindow=1\r\n[TRAILCNT]\r\nkilometers_travelled_so_far=5\r\n");
    odometer.Odometer_Distance = 123456.789012345;
    odometer.Left_Press_Count = -4;
    odometer.Right_Press_Count = 9223372036854775805;
    settings.Screen_Width_SpinEdit->setValue(999999);
    settings.Screen_Height_SpinEdit->setValue(1);
    settings.Distance_Travelled_Units_RadioGroup->Set_ItemIndex(-1);
    odometer.Write_Odometer_Ini(path);
    Expect_User_Format();
    EXPECT_EQ(Read_All(path), "[Trailcount]\r\nWindow=1\r\n[TRAILCNT]\r\n"
                              "kilometers_travelled_so_far=123,456.7890120000\r\n"
                              "Left_Mouse_Button_Press_Count=-4\r\n"
                              "Right_Mouse_Button_Press_Count=9223372036854775805\r\n"
                              "Screen_Width_SpinEdit=999999\r\n"
                              "Screen_Height_SpinEdit=1\r\n"
                              "Distance_Travelled_Units_RadioGroup=-1\r\n");

    static_cast<Odometer_State&>(odometer) = Odometer_State{};
    odometer.Left_Press_Latch = odometer.Right_Press_Latch = true;
    odometer.Read_Odometer_Ini(path);
    Expect_User_Format();
    EXPECT_EQ(odometer.Odometer_Distance, 123456.789012);
    EXPECT_EQ(odometer.Left_Press_Count, -4);
    EXPECT_EQ(odometer.Right_Press_Count, 9223372036854775805);
    EXPECT_FALSE(odometer.Left_Press_Latch);
    EXPECT_FALSE(odometer.Right_Press_Latch);
    EXPECT_EQ(settings.Distance_Travelled_Units_RadioGroup->ItemIndex(), -1);

    for (const auto& [distance, text] : {std::pair{0.0, "0.0000000000"}, std::pair{1234.5, "1,234.5000000000"}}) {
        odometer.Odometer_Distance = distance;
        odometer.Write_Odometer_Ini(path);
        EXPECT_NE(Read_All(path).find(std::string("=") + text + "\r\n"), std::string::npos) << text;
        odometer.Read_Odometer_Ini(path);
        EXPECT_EQ(odometer.Odometer_Distance, distance);
    }
}

TEST_F(Odometer_Exchange, Missing_And_Damaged_Values_Take_Their_Defaults)
{
    odometer.Odometer_Distance = 5;
    odometer.Left_Press_Count = 5;
    settings.Screen_Width_SpinEdit->setValue(50);
    settings.Distance_Travelled_Units_RadioGroup->Set_ItemIndex(1);
    odometer.Read_Odometer_Ini(dir.filePath(QStringLiteral("no such file.ini")));
    EXPECT_EQ(odometer.Odometer_Distance, 0);
    EXPECT_EQ(odometer.Left_Press_Count, 0);
    EXPECT_EQ(settings.Screen_Width_SpinEdit->value(), 27);
    EXPECT_EQ(settings.Screen_Height_SpinEdit->value(), 20);
    EXPECT_EQ(settings.Distance_Travelled_Units_RadioGroup->ItemIndex(), 0);

    const QString path = dir.filePath(QStringLiteral("damaged.ini"));
    Write_All(path, "[trailcnt]\n"
                    "Kilometers_Travelled_So_Far=12 km\n"
                    "Left_Mouse_Button_Press_Count=99999999999999999999\n"
                    "Right_Mouse_Button_Press_Count=seven\n"
                    "Screen_Width_SpinEdit=0\n"
                    "Screen_Height_SpinEdit=$1E\n"
                    "Distance_Travelled_Units_RadioGroup=5\n");
    odometer.Read_Odometer_Ini(path);
    EXPECT_EQ(odometer.Odometer_Distance, Rejected_Distance);
    EXPECT_EQ(odometer.Left_Press_Count, 0);
    EXPECT_EQ(odometer.Right_Press_Count, 0);
    EXPECT_EQ(settings.Screen_Width_SpinEdit->value(), 1);
    EXPECT_EQ(settings.Screen_Height_SpinEdit->value(), 30);
    EXPECT_EQ(settings.Distance_Travelled_Units_RadioGroup->ItemIndex(), 1);

    Write_All(path, "[trailcnt]\nScreen_Width_SpinEdit=1000000\nScreen_Height_SpinEdit=0x1B\n"
                    "Distance_Travelled_Units_RadioGroup=-3\n");
    odometer.Read_Odometer_Ini(path);
    EXPECT_EQ(settings.Screen_Width_SpinEdit->value(), 999999);
    EXPECT_EQ(settings.Screen_Height_SpinEdit->value(), 27);
    EXPECT_EQ(settings.Distance_Travelled_Units_RadioGroup->ItemIndex(), -1);
    Expect_User_Format();
}

TEST_F(Odometer_Exchange, A_Refused_Write_Raises_The_Error_And_Restores_The_Separators)
{
    const QString folder = dir.filePath(QStringLiteral("trailcnt.ini"));
    ASSERT_TRUE(QDir().mkpath(folder));
    try {
        odometer.Write_Odometer_Ini(folder);
        ADD_FAILURE() << "no error";
    } catch (const Program_Error& error) {
        // The path as the system writes it: backslashes on Windows.
        EXPECT_EQ(QString::fromStdString(error.what()),
                  QStringLiteral("Unable to write to ") + QDir::toNativeSeparators(folder));
    }
    Expect_User_Format();
}

TEST_F(Odometer_Exchange, Load_Command_Reads_A_Chosen_Existing_File)
{
    const QString chosen = dir.filePath(QStringLiteral("trailcnt.ini"));
    Write_All(chosen, "[trailcnt]\nKilometers_Travelled_So_Far=42.5\nDistance_Travelled_Units_RadioGroup=1\n");
    std::vector<std::pair<QString, QString>> shown; // filter, starting folder
    QString answer;
    TFile_Dialog::Set_Answerer([&](const TFile_Dialog& dialog) {
        shown.emplace_back(dialog.Filter, dialog.InitialDir);
        EXPECT_EQ(&dialog, OpenDialog1);
        return answer;
    });

    answer = QString(); // cancelled
    odometer.Load_Settings_from_Trailcount_OptionClick();
    answer = dir.filePath(QStringLiteral("absent/trailcnt.ini"));
    odometer.Load_Settings_from_Trailcount_OptionClick();
    EXPECT_EQ(odometer.Odometer_Distance, 0);

    answer = chosen;
    odometer.Load_Settings_from_Trailcount_OptionClick();
    EXPECT_EQ(odometer.Odometer_Distance, 42.5);
    EXPECT_EQ(settings.Distance_Travelled_Units_RadioGroup->ItemIndex(), 1);

    // The hidden folder field decides the starting folder when it names one.
    Trailcount_Ini_File_Directory_Edit->setText(dir.filePath(QStringLiteral("absent")));
    odometer.Load_Settings_from_Trailcount_OptionClick();
    Trailcount_Ini_File_Directory_Edit->setText(QStringLiteral(".."));
    odometer.Load_Settings_from_Trailcount_OptionClick();
    Trailcount_Ini_File_Directory_Edit->setText(QDir::tempPath());
    odometer.Load_Settings_from_Trailcount_OptionClick();

    ASSERT_EQ(shown.size(), 6u);
    for (const auto& [filter, folder] : shown)
        EXPECT_EQ(filter, QStringLiteral("Trailcount INI File|trailcnt.ini"));
    EXPECT_EQ(shown[0].second, dir.path());
    EXPECT_EQ(shown[3].second, dir.path());
    EXPECT_EQ(shown[4].second, dir.path());
    EXPECT_EQ(shown[5].second, QDir::tempPath());
}

TEST_F(Odometer_Exchange, Save_Command_Only_Updates_An_Existing_File)
{
    const QString existing = dir.filePath(QStringLiteral("trailcnt.ini"));
    Write_All(existing, "[trailcnt]\nKilometers_Travelled_So_Far=1\n[other]\nkept=yes\n");
    const QString absent = dir.filePath(QStringLiteral("new/trailcnt.ini"));
    QString answer;
    QString filter;
    TFile_Dialog::Set_Answerer([&](const TFile_Dialog& dialog) {
        EXPECT_EQ(&dialog, SaveDialog1);
        filter = dialog.Filter;
        return answer;
    });
    odometer.Odometer_Distance = 2.25;

    answer = absent;
    odometer.Save_Settings_to_Trailcount_OptionClick();
    EXPECT_FALSE(QFileInfo::exists(absent));
    EXPECT_EQ(filter, QStringLiteral("Trailcount INI File|trailcnt.ini"));

    answer = existing;
    odometer.Save_Settings_to_Trailcount_OptionClick();
    EXPECT_EQ(Read_All(existing), "[trailcnt]\nKilometers_Travelled_So_Far=2.2500000000\n"
                                  "Left_Mouse_Button_Press_Count=0\nRight_Mouse_Button_Press_Count=0\n"
                                  "Screen_Width_SpinEdit=27\nScreen_Height_SpinEdit=20\n"
                                  "Distance_Travelled_Units_RadioGroup=0\n[other]\nkept=yes\n");
    EXPECT_EQ(odometer.Odometer_Distance, 2.25) << "saving changes nothing in memory";
}
