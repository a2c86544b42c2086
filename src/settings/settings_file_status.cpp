#include "settings/settings_file_status.h"

#include "platform/disk.h"
#include "platform/files.h"

namespace {

// The platform's critical-error boxes stay off for the length of the test.
class Quiet_Errors {
public:
    Quiet_Errors()
        : previous_(platform::Use<platform::Disk_Service>().Set_Error_Mode(SEM_FAILCRITICALERRORS))
    {
    }
    ~Quiet_Errors() { platform::Use<platform::Disk_Service>().Set_Error_Mode(previous_); }
    Quiet_Errors(const Quiet_Errors&) = delete;
    Quiet_Errors& operator=(const Quiet_Errors&) = delete;

private:
    unsigned previous_;
};

QString Status_Of_Error(std::uint32_t error)
{
    switch (error) {
    case 0: return QStringLiteral("CLOSED");
    case 2:  // file not found
    case 3:  // path not found
    case 21: // device not ready
    case 26: // not a DOS disk
    case 27: // sector not found
        return QStringLiteral("NOT FOUND");
    case 32: // sharing violation
    case 33: // lock violation
        return QStringLiteral("OPEN");
    default: return QStringLiteral("ERROR");
    }
}

} // namespace

QString File_Open_Status(const QString& path)
{
    if (path.isEmpty())
        return {};
    platform::File_Service& files = platform::Use<platform::File_Service>();
    const std::string name = path.toStdString();
    if (!files.File_Exists(name))
        return {};
    const Quiet_Errors quiet;
    return Status_Of_Error(files.Exclusive_Open_Error(name));
}

bool Delete_File_If_Closed(const QString& path)
{
    platform::File_Service& files = platform::Use<platform::File_Service>();
    const std::string name = path.toStdString();
    if (!files.File_Exists(name))
        return false;
    files.Clear_File_Attributes(name);
    if (File_Open_Status(path) != QLatin1String("CLOSED"))
        return false;
    return files.Delete_File(name);
}
