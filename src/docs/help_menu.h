#pragma once
// The readme and catalogue commands of the Help menu.

class TAboutBox;

class Help_Menu {
public:
    struct Controls {
        TAboutBox* AboutBox; // carries the product's name; none: the program's title
    };
    explicit Help_Menu(const Controls& controls) : controls_(controls) {}

    void View_Readme_file_OptionClick();
    void View_Shareware_Catalog_OptionClick();

private:
    Controls controls_;
};
