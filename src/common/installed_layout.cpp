#include "common/installed_layout.h"

#include "common/settings_location.h"

#include <QDir>
#include <QFileInfo>

QString Installed_Data_Folder()
{
    const QString folder = Executable_Folder();
    if (folder.isEmpty())
        return {};
    return QDir::cleanPath(folder + QLatin1Char('/') + QLatin1String(Data_Folder_From_Executable));
}

bool Runs_Installed()
{
    const QString folder = Installed_Data_Folder();
    return !folder.isEmpty() && QFileInfo(folder).isDir();
}
