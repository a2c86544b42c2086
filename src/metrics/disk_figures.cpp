#include "metrics/disk_figures.h"

#include "app/number_format.h"
#include "platform/disk.h"

namespace {

struct Space {
    std::uint64_t free_available = 0;
    std::uint64_t total = 0;
    std::uint64_t total_free = 0;
};

Space Query(int drive_number)
{
    Space space;
    const std::string root = Drive_Root_Path(drive_number);
    if (!root.empty())
        platform::Use<platform::Disk_Service>().Get_Disk_Free_Space_Ex(root, &space.free_available, &space.total,
                                                                       &space.total_free);
    return space;
}

} // namespace

int Drive_Number(const QString& letter_text)
{
    if (letter_text.isEmpty())
        return 0;
    return letter_text.front().toLower().unicode() - 'a' + 1;
}

std::string Drive_Root_Path(int drive_number)
{
    if (drive_number < 1 || drive_number > 26)
        return {};
    return std::string(1, static_cast<char>('A' + drive_number - 1)) + ":\\";
}

double Disk_Free_Bytes(int drive_number)
{
    return static_cast<double>(static_cast<std::int64_t>(Query(drive_number).total_free));
}

double Disk_Total_Bytes(int drive_number)
{
    return static_cast<double>(static_cast<std::int64_t>(Query(drive_number).total));
}

int Disk_Free_Percent(int drive_number)
{
    std::int64_t free = 0;
    std::int64_t total = 0;
    {
        platform::Quiet_Critical_Errors quiet;
        free = Round_Half_Even(Disk_Free_Bytes(drive_number));
        total = Round_Half_Even(Disk_Total_Bytes(drive_number));
    }
    if (total > 0)
        return static_cast<int>(Trunc(static_cast<long double>(free) / (static_cast<long double>(total) / 100)));
    return 0;
}

QString Disk_Space_Text(int drive_number)
{
    std::int64_t free_kb = 0;
    {
        platform::Quiet_Critical_Errors quiet;
        free_kb = Round_Half_Even(static_cast<long double>(Disk_Free_Bytes(drive_number)) / 1024);
    }
    QString text = Format_Disk_Size(free_kb);
    std::int64_t total_kb = 0;
    {
        platform::Quiet_Critical_Errors quiet;
        total_kb = Round_Half_Even(static_cast<long double>(Disk_Total_Bytes(drive_number)) / 1024);
    }
    if (total_kb > 0)
        return text + QStringLiteral(" / ") + Format_Disk_Size(total_kb);
    return QStringLiteral("0");
}

QString Format_Disk_Size(std::int64_t kb)
{
    const long double v = static_cast<long double>(kb);
    if (kb > 1073741824)
        return Format_Fixed(v / 1073741824, 2, false) + QStringLiteral(" TB");
    if (kb > 1048576)
        return Format_Fixed(v / 1048576, 2, false) + QStringLiteral(" GB");
    if (kb > 1024)
        return Format_Fixed(v / 1024, 1, false) + QStringLiteral(" MB");
    if (kb > 1)
        return Format_Fixed(v, 1, false) + QStringLiteral(" KB");
    if (kb > 0)
        return Format_Fixed(v * 1024, 0, false) + QStringLiteral(" Bytes");
    return QStringLiteral("0");
}
