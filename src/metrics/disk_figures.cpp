#include "metrics/disk_figures.h"

#include "common/number_format.h"
#include "platform/disk.h"

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

Disk_Space Disk_Space_Of(int drive_number)
{
    std::uint64_t free_available = 0;
    std::uint64_t total = 0;
    std::uint64_t total_free = 0;
    const std::string root = Drive_Root_Path(drive_number);
    if (!root.empty()) {
        platform::Quiet_Critical_Errors quiet;
        platform::Use<platform::Disk_Service>().Get_Disk_Free_Space_Ex(root, &free_available, &total, &total_free);
    }
    // Through a signed 64-bit figure, as the counts have always been taken.
    return {static_cast<double>(static_cast<std::int64_t>(total_free)),
            static_cast<double>(static_cast<std::int64_t>(total))};
}

int Disk_Free_Percent(const Disk_Space& space)
{
    const std::int64_t free = Round_Half_Even(space.free_bytes);
    const std::int64_t total = Round_Half_Even(space.total_bytes);
    if (total > 0)
        return static_cast<int>(Trunc(static_cast<long double>(free) / (static_cast<long double>(total) / 100)));
    return 0;
}

std::int64_t Disk_Free_KB(const Disk_Space& space)
{
    return Round_Half_Even(static_cast<long double>(space.free_bytes) / 1024);
}

std::int64_t Disk_Total_KB(const Disk_Space& space)
{
    return Round_Half_Even(static_cast<long double>(space.total_bytes) / 1024);
}

QString Disk_Space_Text(const Disk_Space& space)
{
    const std::int64_t total_kb = Disk_Total_KB(space);
    if (total_kb > 0)
        return Format_Disk_Size(Disk_Free_KB(space)) + QStringLiteral(" / ") + Format_Disk_Size(total_kb);
    return QStringLiteral("0");
}

int Disk_Free_Percent(int drive_number)
{
    return Disk_Free_Percent(Disk_Space_Of(drive_number));
}

QString Disk_Space_Text(int drive_number)
{
    return Disk_Space_Text(Disk_Space_Of(drive_number));
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
