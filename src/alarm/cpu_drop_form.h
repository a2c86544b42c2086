#pragma once
// TCPU_Drop_Form: the drop alarm's settings dialog, and the alarm sounds.
// Its controls are the alarm's settings: the detector reads them every tick
// and the settings file loads and saves them.

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;

class TCPU_Drop_Form : public QDialog {
    Q_OBJECT
public:
    TCPU_Drop_Form();

    QLabel* Label7 = nullptr;
    QLabel* Label1 = nullptr;
    QSpinBox* CPU_Drop_Threshold_SpinEdit = nullptr;      // 1..100, 50
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QSpinBox* CPU_Drop_Seconds_SpinEdit = nullptr;        // 1..500, 5
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QSpinBox* CPU_Drop_Beep_Seconds_SpinEdit = nullptr;   // 1..100, 1
    QLabel* Label6 = nullptr;
    QGroupBox* Other_Options_GroupBox = nullptr;
    QRadioButton* Play_Single_Tone_RadioButton = nullptr; // checked
    QSlider* Sound_Frequency_TrackBar = nullptr;          // 37..10000, 400
    QLabel* Sound_Frequency_Label = nullptr;
    QRadioButton* Play_Wolf_Whistle_RadioButton = nullptr;
    QRadioButton* Play_Sliding_Scale_RadioButton = nullptr;
    QPushButton* Sound_Test_Button = nullptr;
    QPushButton* OK_Button = nullptr;
    QPushButton* Cancel_Button = nullptr;
    QLabel* Label8 = nullptr;
};
