#pragma once
// TSettings_Form: the odometer's settings dialog. Its controls are the
// odometer's settings: the sampling reads them every 10 ms and the settings
// file loads and saves them. Changes take effect at once; there is no cancel.

#include <QDialog>
#include <cstdint>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class TRadioGroup;

// What the sampling needs from the dialog at every tick.
struct Odometer_Settings {
    std::int32_t Screen_Width = 27;  // cm when metric, inches otherwise
    std::int32_t Screen_Height = 20;
    int Unit_Index = 0;              // 0 metric; any other value imperial
};

class TSettings_Form : public QDialog {
    Q_OBJECT
public:
    TSettings_Form();

    QPushButton* OKBtn = nullptr;
    QGroupBox* Screen_Size_GroupBox = nullptr;
    QLabel* Screen_Width_Label = nullptr;
    QLabel* Screen_Height_Label = nullptr;
    QLabel* Label12 = nullptr;
    QSpinBox* Screen_Width_SpinEdit = nullptr;          // 1..999999
    QSpinBox* Screen_Height_SpinEdit = nullptr;         // 1..999999
    QGroupBox* GroupBox2 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label1 = nullptr;
    QSpinBox* Screen_Resolution_X_SpinEdit = nullptr;
    QSpinBox* Screen_Resolution_Y_SpinEdit = nullptr;
    TRadioGroup* Distance_Travelled_Units_RadioGroup = nullptr; // ItemIndex -1..1
    // Set only while the dialog is open, so that a unit set by program code
    // (loading a file) converts nothing and a unit the user picks does.
    QCheckBox* Adjust_Width_and_Height_Fields_CheckBox = nullptr;

    Odometer_Settings Settings() const;

    void FormActivate();
    void FormClose();
    void Distance_Travelled_Units_RadioGroupClick();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The unit the sizes are in now, as far as this opening of the dialog
    // knows: the sizes change only when a pick changes metric to imperial or back.
    int sizes_unit_ = 0;
};
