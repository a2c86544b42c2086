#include "docs/help_menu.h"

#include "about/about_box.h"
#include "common/title.h"
#include "docs/documents.h"

#include <QLabel>

void Help_Menu::View_Readme_file_OptionClick()
{
    Open_In_Notepad(Readme_Path());
}

void Help_Menu::View_Shareware_Catalog_OptionClick()
{
    // The about box carries the product's name; before the start-up sequence
    // has set it, the program's title is the same text.
    QString title = controls_.AboutBox ? controls_.AboutBox->Product_Name_Label->text() : QString();
    if (title.isEmpty())
        title = QString::fromLatin1(Program_Title);
    Open_Catalogue(title);
}
