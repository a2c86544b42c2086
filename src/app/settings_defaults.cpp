// "&Restore Factory Defaults": every setting back to its first-start value.
#include "app/main_form.h"

#include "common/message_box.h"
#include "app/settings_file_status.h"
#include "common/settings_location.h"
#include "common/text_helpers.h"

#include <QListWidget>

namespace {

const char Factory_Defaults_Question[] =
    "All settings will return to their factory values: the window's position and size, the menu options, "
    "the CPU usage drop alarm's settings, and the odometer's distance, click counts and settings.\n\n"
    "Do you want to restore the factory defaults?";

// Puts every control back where a first start has it. The start-up that
// follows records its reference from the current geometry, so the controls
// must first leave whatever scaled layout the run had left them in; with the
// reference list emptied, its change of client size scales nothing.
void Return_To_Design_Layout(TMainForm1& form)
{
    form.Resize_Handler_Attached = false;
    if (!form.Design_Layout.empty()) {
        form.Scaling_ListBox->clear();
        for (const QString& line : form.Design_Layout)
            form.Scaling_ListBox->addItem(line);
        const QString& header = form.Design_Layout.front();
        form.Set_Client_Width(Number_Field(header, QStringLiteral(" "), 1));
        form.Set_Client_Height(Number_Field(header, QStringLiteral(" "), 2));
        form.Scale_Layout();
    }
    form.Scaling_ListBox->clear();
    form.Resize_Handler_Attached = true;
}

} // namespace

void TMainForm1::Restore_Factory_Defaults_OptionClick()
{
    if (Message_Dlg(QString::fromLatin1(Factory_Defaults_Question), Msg_Type::Warning, Msg_Buttons::Yes_No)
        == Msg_Result::No)
        return;
    // A file another program holds stays, and the start-up reads it again.
    Delete_File_If_Closed(Settings_File_Path());
    showNormal();
    Return_To_Design_Layout(*this);
    FormShow();
}
