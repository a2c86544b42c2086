#pragma once
// The program's five windows over fake platform services, so that widget
// tests see the same figures on every machine and write nothing outside
// their own temporary folder.

#include "app/main_form.h"
#include "app/windows.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_disk.h"
#include "fakes/fake_machine.h"
#include "fakes/fake_memory.h"
#include "fakes/fake_process.h"
#include "fakes/fake_input.h"
#include "fakes/fake_sound.h"
#include "fakes/scoped_config_home.h"

#include <QTemporaryDir>
#include <memory>

struct Faked_Windows {
    QTemporaryDir folder;
    Fake_Memory memory;
    Fake_Disk disk;
    Fake_Clock clock;
    Fake_Version version;
    Fake_Process process;
    Fake_Input screen;
    Fake_Sound sound{&clock};
    Scoped_Config_Home config_home{folder.filePath(QStringLiteral("config"))};
    platform::Scoped_Service<platform::Memory_Service> use_memory{memory};
    platform::Scoped_Service<platform::Disk_Service> use_disk{disk};
    platform::Scoped_Service<platform::Clock_Service> use_clock{clock};
    platform::Scoped_Service<platform::Version_Service> use_version{version};
    platform::Scoped_Service<platform::Process_Service> use_process{process};
    platform::Scoped_Service<platform::Input_Service> use_screen{screen};
    platform::Scoped_Service<platform::Sound_Service> use_sound{sound};
    std::unique_ptr<Vistrel_Windows> windows;

    Faked_Windows()
    {
        Set_Up_Fake_Machine(memory, disk);
        process.executable_path = folder.filePath(QStringLiteral("vistrel")).toStdString();
        windows = std::make_unique<Vistrel_Windows>();
    }

    TMainForm1& form() { return *windows->MainForm1; }
};
