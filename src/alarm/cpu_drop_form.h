#pragma once
// TCPU_Drop_Form: the drop alarm's settings dialog, and the alarm sounds.
// Its controls are the alarm's settings: the detector reads them every tick
// and the settings file loads and saves them.
//
// The three sound choices exclude each other, yet all three may be off (a
// settings file can say so): setChecked(true) on one clears the other two,
// setChecked(false) is always honoured.

#include "alarm/sound_player.h"

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

    void OK_ButtonClick();
    void Cancel_ButtonClick();
    // Runs each time the dialog is shown.
    void FormShow();
    void Sound_Frequency_TrackBarChange();
    // Plays the chosen sound for the beep seconds and returns when it has
    // ended; the detector sounds the alarm through it.
    void Sound_Test_ButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Create_Controls();
    void Connect_Handlers();
    void Set_Tab_Order();

    // Plays the sounds for as long as the dialog lives: for the whole run.
    Sound_Player sounds_;
};

// The frequency label's text: the trackbar position with the user's
// thousands separator, no decimals, no unit.
QString Sound_Frequency_Text(int position);
