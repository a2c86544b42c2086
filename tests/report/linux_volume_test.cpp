// The Linux volume readers and the writability probe, on real folders.
#include "platform/linux/mount_table.h"
#include "platform/linux/volume_detail.h"
#include "platform/volume.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using platform::linux_detail::Drive_Type_Of;
using platform::linux_detail::Probe_Writable_Folder;
using platform::linux_detail::Volume_Label;

const std::string Check_Name = "$$$TEMP_DRIVE_CHECK.tmp";

std::string Path(const QTemporaryDir& dir, const QString& name = QString())
{
    return QFile::encodeName(name.isEmpty() ? dir.path() : dir.filePath(name)).toStdString();
}

void Write(const QString& path, const QByteArray& content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TEST(Writability_Probe, Writable_Folder_Is_Left_As_It_Was)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    EXPECT_TRUE(Probe_Writable_Folder(Path(root), Check_Name));
    EXPECT_TRUE(QDir(root.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
                    .isEmpty());

    EXPECT_FALSE(Probe_Writable_Folder(Path(root, QStringLiteral("not-there")), Check_Name));
    EXPECT_FALSE(Probe_Writable_Folder(Path(root), "../escape.tmp"));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(root.path()).dir().filePath(QStringLiteral("escape.tmp"))));
}

TEST(Writability_Probe, A_Users_File_Of_That_Name_Keeps_Its_Content)
{
    QTemporaryDir root;
    const QString file = root.filePath(QString::fromStdString(Check_Name));
    Write(file, "my notes");
    struct stat before{};
    ASSERT_EQ(stat(QFile::encodeName(file).constData(), &before), 0);

    EXPECT_TRUE(Probe_Writable_Folder(Path(root), Check_Name));
    EXPECT_EQ(Read(file), QByteArray("my notes"));
    struct stat after{};
    ASSERT_EQ(stat(QFile::encodeName(file).constData(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
}

TEST(Writability_Probe, Planted_Links_And_Other_Entries_Are_Not_Followed)
{
    QTemporaryDir root;
    QTemporaryDir elsewhere;
    const QString victim = elsewhere.filePath(QStringLiteral("victim"));
    Write(victim, "precious");
    const QString planted = root.filePath(QString::fromStdString(Check_Name));

    // A link to someone's file: neither emptied, written, nor removed.
    ASSERT_TRUE(QFile::link(victim, planted));
    EXPECT_FALSE(Probe_Writable_Folder(Path(root), Check_Name));
    EXPECT_EQ(Read(victim), QByteArray("precious"));
    EXPECT_TRUE(QFileInfo(planted).isSymLink());

    // A dangling link must not make the probe create its target.
    ASSERT_TRUE(QFile::remove(planted));
    const QString target = elsewhere.filePath(QStringLiteral("created-through-link"));
    ASSERT_TRUE(QFile::link(target, planted));
    EXPECT_FALSE(Probe_Writable_Folder(Path(root), Check_Name));
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_TRUE(QFileInfo(planted).isSymLink());

    // A folder or a pipe of that name is left alone.
    ASSERT_TRUE(QFile::remove(planted));
    ASSERT_TRUE(QDir(root.path()).mkdir(QString::fromStdString(Check_Name)));
    EXPECT_FALSE(Probe_Writable_Folder(Path(root), Check_Name));
    EXPECT_TRUE(QFileInfo(planted).isDir());
    ASSERT_TRUE(QDir(root.path()).rmdir(QString::fromStdString(Check_Name)));
    ASSERT_EQ(mkfifo(QFile::encodeName(planted).constData(), 0600), 0);
    EXPECT_FALSE(Probe_Writable_Folder(Path(root), Check_Name));
}

// Runs the probe in a child process with a mount namespace of its own, where
// the folder is bound read-only, so no other process sees the mount.
int Probe_Read_Only_In_Child(const std::string& folder)
{
    const pid_t child = fork();
    if (child == 0) {
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) != 0
            || mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
            _exit(2);
        _exit(Probe_Writable_Folder(folder, Check_Name) ? 1 : 0);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

TEST(Writability_Probe, Read_Only_File_System_Is_Not_Writable)
{
    // Root ignores permission bits, so only a read-only mount says No to it.
    QTemporaryDir root;
    const int empty_folder = Probe_Read_Only_In_Child(Path(root));
    if (empty_folder == 2)
        GTEST_SKIP() << "no private mount namespace here (needs root or CAP_SYS_ADMIN)";
    EXPECT_EQ(empty_folder, 0);

    const QString file = root.filePath(QString::fromStdString(Check_Name));
    Write(file, "kept");
    EXPECT_EQ(Probe_Read_Only_In_Child(Path(root)), 0);
    EXPECT_EQ(Read(file), QByteArray("kept"));

    // The same folder outside the child's namespace was never read-only.
    EXPECT_TRUE(Probe_Writable_Folder(Path(root), Check_Name));
}

TEST(Volume_Label, Found_Through_Links_With_Escapes)
{
    QTemporaryDir root;
    QDir dir(root.path());
    ASSERT_TRUE(dir.mkpath(QStringLiteral("dev/disk/by-label")));
    Write(root.filePath(QStringLiteral("dev/sdz1")), "");
    Write(root.filePath(QStringLiteral("dev/sdz2")), "");
    Write(root.filePath(QStringLiteral("dev/sdz3")), "");
    ASSERT_TRUE(QFile::link(QStringLiteral("../../sdz2"), root.filePath(QStringLiteral("dev/disk/by-label/OTHER"))));
    ASSERT_TRUE(QFile::link(QStringLiteral("../../sdz1"),
                            root.filePath(QStringLiteral("dev/disk/by-label/My\\x20Disk\\x2fA"))));
    const std::string labels = Path(root, QStringLiteral("dev/disk/by-label"));

    EXPECT_EQ(Volume_Label(Path(root, QStringLiteral("dev/sdz1")), labels), "My Disk/A");
    EXPECT_EQ(Volume_Label(Path(root, QStringLiteral("dev/sdz2")), labels), "OTHER");
    EXPECT_EQ(Volume_Label(Path(root, QStringLiteral("dev/sdz3")), labels), "");
    EXPECT_EQ(Volume_Label("tmpfs", labels), "");
    EXPECT_EQ(Volume_Label(Path(root, QStringLiteral("dev/sdz1")), Path(root, QStringLiteral("none"))), "");
}

TEST(Drive_Type_Of, File_System_Kinds_And_Removable_Disks)
{
    QTemporaryDir root;
    QDir dir(root.path());
    // sysfs: class/block/<name> links into devices/, a partition inside its disk.
    ASSERT_TRUE(dir.mkpath(QStringLiteral("devices/usb/sdz/sdz1")));
    ASSERT_TRUE(dir.mkpath(QStringLiteral("devices/ata/sdy")));
    ASSERT_TRUE(dir.mkpath(QStringLiteral("class/block")));
    ASSERT_TRUE(dir.mkpath(QStringLiteral("dev")));
    Write(root.filePath(QStringLiteral("devices/usb/sdz/removable")), "1\n");
    Write(root.filePath(QStringLiteral("devices/ata/sdy/removable")), "0\n");
    ASSERT_TRUE(QFile::link(QStringLiteral("../../devices/usb/sdz/sdz1"), root.filePath(QStringLiteral("class/block/sdz1"))));
    ASSERT_TRUE(QFile::link(QStringLiteral("../../devices/ata/sdy"), root.filePath(QStringLiteral("class/block/sdy"))));
    for (const char* device : {"dev/sdz1", "dev/sdy"})
        Write(root.filePath(QString::fromLatin1(device)), "");
    const std::string sys = Path(root, QStringLiteral("class/block"));
    const std::string usb = Path(root, QStringLiteral("dev/sdz1"));
    const std::string ata = Path(root, QStringLiteral("dev/sdy"));

    EXPECT_EQ(Drive_Type_Of("vfat", usb, sys), DRIVE_REMOVABLE);
    EXPECT_EQ(Drive_Type_Of("ext4", ata, sys), DRIVE_FIXED);
    EXPECT_EQ(Drive_Type_Of("overlay", "overlay", sys), DRIVE_FIXED);
    EXPECT_EQ(Drive_Type_Of("tmpfs", "tmpfs", sys), DRIVE_RAMDISK);
    EXPECT_EQ(Drive_Type_Of("iso9660", usb, sys), DRIVE_CDROM);
    EXPECT_EQ(Drive_Type_Of("nfs4", "server:/export", sys), DRIVE_REMOTE);
    EXPECT_EQ(Drive_Type_Of("fuse.sshfs", "me@host:", sys), DRIVE_REMOTE);
}

TEST(Linux_Volume_Service, Root_Drive_Figures_Match_The_File_System)
{
    auto& volume = platform::Default_Service<platform::Volume_Service>();
    std::uint64_t sectors = 0, sector_bytes = 0, free = 0, total = 0;
    ASSERT_TRUE(volume.Get_Disk_Free_Space("C:\\", &sectors, &sector_bytes, &free, &total));
    struct statvfs info{};
    ASSERT_EQ(statvfs("/", &info), 0);
    EXPECT_EQ(sector_bytes * sectors, info.f_frsize);
    EXPECT_EQ(total, info.f_blocks);

    std::string name, file_system;
    std::uint32_t serial = 0;
    ASSERT_TRUE(volume.Get_Volume_Information("C:\\", &name, &serial, &file_system));
    EXPECT_EQ(serial, static_cast<std::uint32_t>(info.f_fsid));
    EXPECT_FALSE(file_system.empty());

    // The first letter past the machine's drives has nothing behind it.
    const auto drives = platform::linux_detail::Current_Drives();
    const char free_letter = static_cast<char>(drives.back().letter + 1);
    if (free_letter <= 'z') {
        const std::string none = std::string(1, free_letter) + ":\\";
        EXPECT_EQ(volume.Get_Drive_Type(none), DRIVE_NO_ROOT_DIR);
        EXPECT_FALSE(volume.Get_Volume_Information(none, &name, &serial, &file_system));
        EXPECT_FALSE(volume.Get_Disk_Free_Space(none, &sectors, &sector_bytes, &free, &total));
        EXPECT_EQ(total, 0u);
        EXPECT_FALSE(volume.Probe_Writable(none, Check_Name));
    }
}

} // namespace
