#pragma once
// The refresh tick, the CPU display and the drop alarm, each made with the
// controls it drives and wired as the main window wires them, but without
// the window, over fake memory, disk and clock services. The controls carry
// the main window's names.

#include "alarm/cpu_drop_form.h"
#include "alarm/drop_alarm.h"
#include "cpu/cpu_display.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_disk.h"
#include "fakes/fake_machine.h"
#include "fakes/fake_memory.h"
#include "metrics/drive_combo_box.h"
#include "metrics/refresh_tick.h"
#include "widgets/gauge.h"

#include <QAction>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>
#include <QWidget>

struct Monitor_Controls {
    Fake_Memory memory;
    Fake_Disk disk;
    Fake_Clock clock;
    platform::Scoped_Service<platform::Memory_Service> use_memory{memory};
    platform::Scoped_Service<platform::Disk_Service> use_disk{disk};
    platform::Scoped_Service<platform::Clock_Service> use_clock{clock};

    QWidget window;
    TGauge* Phisical_RAM_Gauge = new TGauge(&window);
    TGauge* Swap_File_Gauge = new TGauge(&window);
    QLabel* RAM_Label = new QLabel(&window);
    QLabel* SWAP_Label = new QLabel(&window);
    QLabel* Spinner_Label = new QLabel(QStringLiteral("|"), &window);
    TDriveComboBox* DriveComboBox1 = new TDriveComboBox(&window);
    QLabel* Disk_Space_Label = new QLabel(&window);
    TGauge* Disk_Used_Gauge = new TGauge(&window);
    TGauge* CPU_Gauge = new TGauge(&window);
    TGauge* Avg_CPU_Gauge = new TGauge(&window);
    QRadioButton* CPU_Drop_RadioButton = new QRadioButton(&window);
    QAction* Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_Option = new QAction(&window);
    QTimer* Timer1 = new QTimer(&window);
    QTimer* Reset_CPU_Monitoring_Timer = new QTimer(&window);
    TCPU_Drop_Form CPU_Drop_Form;

    Cpu_Display cpu{{CPU_Gauge, Avg_CPU_Gauge, Timer1, Reset_CPU_Monitoring_Timer}};
    Drop_Alarm alarm{{Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_Option, CPU_Drop_RadioButton, CPU_Gauge,
                      &CPU_Drop_Form, [this] { return tick.Running(); }}};
    Refresh_Tick tick{{Phisical_RAM_Gauge, Swap_File_Gauge, RAM_Label, SWAP_Label, Spinner_Label, DriveComboBox1,
                       Disk_Space_Label, Disk_Used_Gauge},
                      cpu,
                      alarm};

    Monitor_Controls()
    {
        Set_Up_Fake_Machine(memory, disk);
        DriveComboBox1->Fill_Drives();
        Timer1->setInterval(500);
        Reset_CPU_Monitoring_Timer->setInterval(1000);
        Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_Option->setCheckable(true);
        CPU_Drop_RadioButton->setAutoExclusive(false);
        CPU_Drop_RadioButton->hide();
    }
};
