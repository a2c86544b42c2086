#include "common/settings_location.h"

#include "common/installed_layout.h"
#include "platform/process.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString Executable_Folder()
{
    const QString executable = QString::fromStdString(platform::Use<platform::Process_Service>().Executable_Path());
    if (executable.isEmpty())
        return {};
    return QFileInfo(executable).absolutePath();
}

namespace {
QString Config_Folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/vistrel");
}
} // namespace

QString Settings_File_Path()
{
    const QString folder = Executable_Folder();
    if (!folder.isEmpty()) {
        const QString beside = folder + QLatin1Char('/') + QLatin1String(Settings_File_Name);
        const QFileInfo file(beside);
        if (file.exists() || file.isSymLink())
            return beside;
        // An installed copy never writes beside itself, even where it may
        // (run by root): its folder belongs to the package, not to a user.
        if (!Runs_Installed() && QFileInfo(folder).isWritable())
            return beside;
    }
    return Config_Folder() + QLatin1Char('/') + QLatin1String(Settings_File_Name);
}

QString Settings_File_Path_For_Writing()
{
    const QString path = Settings_File_Path();
    // A folder that cannot be made shows up as the write's own error.
    QDir().mkpath(QFileInfo(path).absolutePath());
    return path;
}
