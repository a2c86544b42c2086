#pragma once
// Points XDG_CONFIG_HOME (and so the autostart folder) at a test's own
// folder for the test's length, and puts the old value back, or its absence.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

class Scoped_Config_Home {
public:
    explicit Scoped_Config_Home(const QString& path)
        : was_set_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")), previous_(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", path.toLocal8Bit());
    }
    ~Scoped_Config_Home()
    {
        if (was_set_)
            qputenv("XDG_CONFIG_HOME", previous_);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    Scoped_Config_Home(const Scoped_Config_Home&) = delete;
    Scoped_Config_Home& operator=(const Scoped_Config_Home&) = delete;

private:
    bool was_set_;
    QByteArray previous_;
};
