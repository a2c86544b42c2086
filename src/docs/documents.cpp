// The readme and catalogue commands of the Help menu.
#include "app/main_form.h"

void TMainForm1::View_Readme_file_OptionClick() {}
void TMainForm1::View_Shareware_Catalog_OptionClick() {}
