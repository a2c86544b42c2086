#pragma once
// TSettings_Form: the odometer's settings dialog. Its controls are the
// odometer's settings: the sampling reads them every 10 ms and the settings
// file loads and saves them.

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class TRadioGroup;

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
    QCheckBox* Adjust_Width_and_Height_Fields_CheckBox = nullptr;
};
