// The readme and catalogue commands of the Help menu.
#include "about/about_box.h"
#include "app/main_form.h"
#include "common/title.h"
#include "docs/documents.h"

#include <QLabel>

void TMainForm1::View_Readme_file_OptionClick()
{
    Open_In_Notepad(Readme_Path());
}

void TMainForm1::View_Shareware_Catalog_OptionClick()
{
    // The about box carries the product's name; before the start-up sequence
    // has set it, the program's title is the same text.
    QString title = AboutBox ? AboutBox->Product_Name_Label->text() : QString();
    if (title.isEmpty())
        title = QString::fromLatin1(Program_Title);
    Open_Catalogue(title);
}
