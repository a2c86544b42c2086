#pragma once
// The drive report button: the report on the drive the list shows, in the
// report window.

class TDriveComboBox;
class TResults_Form;

class Drive_Report_Command {
public:
    struct Controls {
        TDriveComboBox* DriveComboBox1;
        TResults_Form* Results_Form; // none: the button does nothing
    };
    explicit Drive_Report_Command(const Controls& controls) : controls_(controls) {}

    void SpeedButton1Click();

private:
    Controls controls_;
};
