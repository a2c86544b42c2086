#include "report/drive_report.h"

#include "common/number_format.h"
#include "metrics/disk_figures.h"
#include "platform/disk.h"
#include "platform/volume.h"

#include <QStringList>
#include <cstdint>
#include <string>

namespace {

const QString Line_Break = QStringLiteral("\r\n");
const QString Unknown = QStringLiteral("Unknown");

platform::Volume_Service& Volume()
{
    return platform::Use<platform::Volume_Service>();
}

// The root path the report's queries use. Drive number 0 keeps the root of
// drive A; any other number outside 1..26 names no drive at all.
std::string Report_Root_Path(int drive_number)
{
    if (drive_number == 0)
        return "A:\\";
    return Drive_Root_Path(drive_number);
}

// A label padded to 25 characters and its separator, so values line up in column 28.
QString Labelled(const char* label, const QString& value, const char* separator = "= ")
{
    return QString::fromLatin1(label).leftJustified(25, QLatin1Char(' ')) + QLatin1String(separator) + value;
}

struct Volume_Facts {
    bool ok = false;
    std::string name;
    std::uint32_t serial = 0;
    std::string file_system;
};

Volume_Facts Query_Volume(const std::string& root)
{
    Volume_Facts facts;
    if (!root.empty())
        facts.ok = Volume().Get_Volume_Information(root, &facts.name, &facts.serial, &facts.file_system);
    return facts;
}

// Each field is asked for on its own, as the report has always done, so one
// failing read costs only its own line.
QString Volume_Name(const std::string& root)
{
    const Volume_Facts facts = Query_Volume(root);
    return facts.ok ? QString::fromStdString(facts.name) : Unknown;
}

QString Volume_Serial_Text(const std::string& root)
{
    const Volume_Facts facts = Query_Volume(root);
    return facts.ok ? QStringLiteral("%1").arg(facts.serial, 8, 16, QLatin1Char('0')).toUpper() : Unknown;
}

QString File_System_Name(const std::string& root)
{
    const Volume_Facts facts = Query_Volume(root);
    return facts.ok ? QString::fromStdString(facts.file_system) : Unknown;
}

QString Whole(long double value)
{
    return Format_Fixed(value, 0, true);
}

QString Count(std::uint64_t value)
{
    return Whole(static_cast<long double>(value));
}

QString Space_Block(const char* heading, long double bytes)
{
    const char* continuation = "";
    return Labelled(heading, Whole(bytes) + QStringLiteral(" Bytes")) + Line_Break
           + Labelled(continuation, Format_Fixed(bytes / 1024, 1, true) + QStringLiteral(" KB")) + Line_Break
           + Labelled(continuation, Format_Fixed(bytes / 1024 / 1024, 2, true) + QStringLiteral(" MB"))
           + Line_Break
           + Labelled(continuation, Format_Fixed(bytes / 1024 / 1024 / 1024, 3, true) + QStringLiteral(" GB"));
}

} // namespace

bool Is_Drive_Writable(const QString& letter)
{
    if (letter.isEmpty())
        return false;
    const char16_t first = letter.front().toLower().unicode();
    if (first < u'a' || first > u'z')
        return false;
    platform::Quiet_Critical_Errors quiet;
    const std::string root = std::string(1, static_cast<char>(first)) + ":\\";
    return Volume().Probe_Writable(root, Drive_Check_File_Name);
}

QString Drive_Type_Text(int drive_number)
{
    const std::string root = Report_Root_Path(drive_number);
    const unsigned type = root.empty() ? DRIVE_NO_ROOT_DIR : Volume().Get_Drive_Type(root);
    switch (type) {
    case DRIVE_NO_ROOT_DIR: return QStringLiteral("The root directory does not exist.");
    case DRIVE_REMOVABLE: return QStringLiteral("The drive can be removed from the drive.");
    case DRIVE_FIXED: return QStringLiteral("The disk cannot be removed from the drive.  e.g. a hard-drive.");
    case DRIVE_REMOTE: return QStringLiteral("The drive is a remote (network) drive.");
    case DRIVE_CDROM: return QStringLiteral("The drive is a CD-ROM drive.");
    case DRIVE_RAMDISK: return QStringLiteral("The drive is a RAM disk.");
    default: return QStringLiteral("The drive type cannot be determined.");
    }
}

QString Build_Drive_Report(int drive_number)
{
    const char letter = drive_number >= 1 && drive_number <= 26 ? static_cast<char>('a' + drive_number - 1) : 'c';
    const std::string root = Report_Root_Path(drive_number);

    QStringList lines;
    lines << Labelled("Drive", QString(QLatin1Char(letter)).toUpper()) << QString();
    lines << Labelled("Disk Volume Name", Volume_Name(root)) << QString();
    lines << Labelled("Disk Volume Serial Num", Volume_Serial_Text(root)) << QString();
    lines << Labelled("File System", File_System_Name(root)) << QString();
    lines << Labelled("Is Disk Writable ?",
                      Is_Drive_Writable(QString(QLatin1Char(letter))) ? QStringLiteral("Yes") : QStringLiteral("No"),
                      "  ");

    std::uint64_t sectors_per_cluster = 0, bytes_per_sector = 0, free_clusters = 0, total_clusters = 0;
    const bool have_space = !root.empty()
                            && Volume().Get_Disk_Free_Space(root, &sectors_per_cluster, &bytes_per_sector,
                                                            &free_clusters, &total_clusters);
    if (have_space) {
        // Extended precision: no product of the counts can overflow.
        const long double cluster_bytes =
            static_cast<long double>(bytes_per_sector) * static_cast<long double>(sectors_per_cluster);
        const long double total_bytes = cluster_bytes * static_cast<long double>(total_clusters);
        const long double free_bytes = cluster_bytes * static_cast<long double>(free_clusters);
        lines << QString() << Labelled("Bytes per Sector", Count(bytes_per_sector));
        lines << QString() << Labelled("Sectors per Cluster", Count(sectors_per_cluster));
        lines << QString() << Labelled("Number of Free Clusters", Count(free_clusters));
        lines << QString() << Labelled("Total Number of Clusters", Count(total_clusters));
        lines << QString() << Space_Block("Free Disk Space", free_bytes);
        lines << QString() << Space_Block("Used Disk Space", total_bytes - free_bytes);
        lines << QString() << Space_Block("Total Disk Space", total_bytes);
        lines << QString() << QString() << QString();
    } else {
        lines << QString();
    }
    lines << Drive_Type_Text(drive_number);
    return lines.join(Line_Break);
}
