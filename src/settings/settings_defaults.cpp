// "&Restore Factory Defaults": every setting back to its first-start value.
#include "settings/settings_file.h"

#include "common/message_box.h"
#include "common/settings_location.h"
#include "common/text_helpers.h"
#include "settings/settings_file_status.h"

#include <QListWidget>

namespace {

const char Factory_Defaults_Question[] =
    "All settings will return to their factory values: the window's position and size, the menu options, "
    "the CPU usage drop alarm's settings, and the odometer's distance, click counts and settings.\n\n"
    "Do you want to restore the factory defaults?";

} // namespace

// Puts every control back where a first start has it. The start-up that
// follows records its reference from the current geometry, so the controls
// must first leave whatever scaled layout the run had left them in; with the
// reference list emptied, its change of client size scales nothing.
void Settings_File::Return_To_Design_Layout()
{
    const Controls& c = controls_;
    c.Attach_Resize_Handler(false);
    if (!design_layout_.empty()) {
        c.Scaling_ListBox->clear();
        for (const QString& line : design_layout_)
            c.Scaling_ListBox->addItem(line);
        const QString& header = design_layout_.front();
        c.Set_Client_Width(Number_Field(header, QStringLiteral(" "), 1));
        c.Set_Client_Height(Number_Field(header, QStringLiteral(" "), 2));
        c.Scale_Layout();
    }
    c.Scaling_ListBox->clear();
    c.Attach_Resize_Handler(true);
}

void Settings_File::Restore_Factory_Defaults_OptionClick()
{
    if (Message_Dlg(QString::fromLatin1(Factory_Defaults_Question), Msg_Type::Warning, Msg_Buttons::Yes_No)
        == Msg_Result::No)
        return;
    // A file another program holds stays, and the start-up reads it again.
    Delete_File_If_Closed(Settings_File_Path());
    controls_.Show_Normal();
    Return_To_Design_Layout();
    controls_.Start_Up();
}
