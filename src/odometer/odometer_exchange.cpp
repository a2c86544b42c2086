// The odometer's "trailcnt" section in vistrel.ini and trailcnt.ini.
#include "odometer/odometer_exchange.h"

#include "common/file_dialog.h"
#include "common/number_format.h"
#include "common/settings_location.h"
#include "common/text_helpers.h"
#include "odometer/odometer.h"
#include "odometer/odometer_scheduler.h"
#include "odometer/settings_form.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "widgets/radio_group.h"

#include <QLineEdit>
#include <QSpinBox>

#include <charconv>
#include <cmath>

namespace {

constexpr std::string_view Section = "trailcnt";
constexpr auto Dollar_Too = platform::Ini_File::Hex_Prefixes::Zero_X_Or_Dollar;
const char Trailcount_Filter[] = "Trailcount INI File|trailcnt.ini";

std::string Latin1(const QString& text)
{
    return text.toLatin1().toStdString();
}

// The folder both file dialogs open in.
QString Trailcount_Start_Folder(const QString& remembered)
{
    if (!remembered.isEmpty() && remembered != QLatin1String(".") && remembered != QLatin1String("..")
        && platform::Use<platform::File_Service>().Folder_Exists(remembered.toStdString()))
        return remembered;
    return Executable_Folder();
}

bool Chosen_File(TFile_Dialog& dialog, const QString& start_folder)
{
    dialog.Filter = QString::fromLatin1(Trailcount_Filter);
    dialog.InitialDir = start_folder;
    return dialog.Execute() && platform::Use<platform::File_Service>().File_Exists(dialog.FileName.toStdString());
}

} // namespace

double Parse_Distance_Text(const QString& source)
{
    const QString text = Replace_All(Replace_All(source.toUpper(), QStringLiteral(" "), QString()),
                                     QStringLiteral(","), QString());
    if (text.isEmpty())
        return Rejected_Distance;
    for (const QChar once : {QLatin1Char('+'), QLatin1Char('-'), QLatin1Char('.'), QLatin1Char('E')})
        if (text.count(once) > 1)
            return Rejected_Distance;
    for (const QChar c : text)
        if (!QStringLiteral("+-.E1234567890").contains(c))
            return Rejected_Distance;
    if (!text.contains(QLatin1Char('E'))
        && (text.lastIndexOf(QLatin1Char('+')) > 0 || text.lastIndexOf(QLatin1Char('-')) > 0))
        return Rejected_Distance;
    if (text == QLatin1String("+") || text == QLatin1String("-"))
        return Rejected_Distance;

    // Optional sign, digits with an optional fraction (at least one digit),
    // optional exponent with its own optional sign and at least one digit.
    const std::string ascii = text.toStdString();
    std::string_view rest = ascii;
    std::string number;
    if (rest.front() == '+' || rest.front() == '-') {
        if (rest.front() == '-')
            number += '-';
        rest.remove_prefix(1);
    }
    const std::size_t mantissa_end = std::min(rest.find('E'), rest.size());
    const std::string_view mantissa = rest.substr(0, mantissa_end);
    if (mantissa.find_first_of("0123456789") == std::string_view::npos || mantissa.find_first_of("+-") != std::string_view::npos)
        return Rejected_Distance;
    number += mantissa;
    if (mantissa_end < rest.size()) {
        std::string_view exponent = rest.substr(mantissa_end + 1);
        if (!exponent.empty() && (exponent.front() == '+' || exponent.front() == '-')) {
            if (exponent.front() == '-')
                number += "E-";
            else
                number += 'E';
            exponent.remove_prefix(1);
        } else {
            number += 'E';
        }
        if (exponent.empty() || exponent.find_first_not_of("0123456789") != std::string_view::npos)
            return Rejected_Distance;
        number += exponent;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
        return Rejected_Distance;
    return value;
}

std::int64_t Parse_Press_Count(const QString& text)
{
    return platform::Parse_Profile_Integer64(Latin1(text)).value_or(0);
}

void Odometer::Write_Odometer_Ini(const QString& path)
{
    const Settings_File_Format format;
    platform::Ini_File ini(path.toStdString());
    Write_Odometer_Ini(ini);
    ini.Commit();
}

void Odometer::Write_Odometer_Ini(platform::Ini_File& ini)
{
    if (pacing_)
        pacing_->Catch_Up();
    ini.Write_String(Section, "Kilometers_Travelled_So_Far",
                     Latin1(Format_Fixed(Odometer_Distance, 10, true, 12)));
    ini.Write_Integer(Section, "Left_Mouse_Button_Press_Count", Left_Press_Count);
    ini.Write_Integer(Section, "Right_Mouse_Button_Press_Count", Right_Press_Count);
    if (const TSettings_Form* settings_form = controls_.Settings_Form) {
        ini.Write_Integer(Section, "Screen_Width_SpinEdit", settings_form->Screen_Width_SpinEdit->value());
        ini.Write_Integer(Section, "Screen_Height_SpinEdit", settings_form->Screen_Height_SpinEdit->value());
        ini.Write_Integer(Section, "Distance_Travelled_Units_RadioGroup",
                          settings_form->Distance_Travelled_Units_RadioGroup->ItemIndex());
    }
}

void Odometer::Read_Odometer_Ini(const QString& path)
{
    const Settings_File_Format format;
    Read_Odometer_Ini(platform::Ini_File(path.toStdString()));
}

void Odometer::Read_Odometer_Ini(const platform::Ini_File& ini)
{
    const auto text = [&ini](std::string_view key) {
        return QString::fromLatin1(ini.Read_String(Section, key, "0"));
    };
    Odometer_Distance = Parse_Distance_Text(text("Kilometers_Travelled_So_Far"));
    Left_Press_Count = Parse_Press_Count(text("Left_Mouse_Button_Press_Count"));
    Right_Press_Count = Parse_Press_Count(text("Right_Mouse_Button_Press_Count"));
    if (TSettings_Form* settings_form = controls_.Settings_Form) {
        // The dialog is closed, so its conversion guard is clear and a
        // changed unit converts nothing; the controls clamp the values.
        settings_form->Screen_Width_SpinEdit->setValue(ini.Read_Integer(Section, "Screen_Width_SpinEdit", 27, Dollar_Too));
        settings_form->Screen_Height_SpinEdit->setValue(
            ini.Read_Integer(Section, "Screen_Height_SpinEdit", 20, Dollar_Too));
        settings_form->Distance_Travelled_Units_RadioGroup->Set_ItemIndex(
            ini.Read_Integer(Section, "Distance_Travelled_Units_RadioGroup", 0, Dollar_Too));
    }
    Show_Distance_Units_Caption();
    Left_Press_Latch = false;
    Right_Press_Latch = false;
    Show_Press_Counts();
}

void Odometer::Load_Settings_from_Trailcount_OptionClick()
{
    TFile_Dialog& dialog = *controls_.OpenDialog1;
    if (Chosen_File(dialog, Trailcount_Start_Folder(controls_.Trailcount_Ini_File_Directory_Edit->text())))
        Read_Odometer_Ini(dialog.FileName);
}

// Only an existing trailcnt.ini is updated: a new name writes nothing.
void Odometer::Save_Settings_to_Trailcount_OptionClick()
{
    TFile_Dialog& dialog = *controls_.SaveDialog1;
    if (Chosen_File(dialog, Trailcount_Start_Folder(controls_.Trailcount_Ini_File_Directory_Edit->text())))
        Write_Odometer_Ini(dialog.FileName);
}
