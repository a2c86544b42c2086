#include "fakes/temp_folder.h"
#include "platform/linux/mount_table.h"

#include <gtest/gtest.h>

TEST(Mount_Table, Letters_Root_First_Then_Real_File_Systems_In_Order)
{
    Temp_Folder folder;
    const std::string path = folder.Path("mounts");
    Write_Bytes(path, "sysfs /sys sysfs rw 0 0\n"
                      "proc /proc proc rw 0 0\n"
                      "/dev/sda2 / ext4 rw 0 0\n"
                      "devpts /dev/pts devpts rw 0 0\n"
                      "/dev/sda3 /home ext4 rw 0 0\n"
                      "tmpfs /tmp tmpfs rw 0 0\n"
                      "tmpfs /run tmpfs rw 0 0\n"
                      "/dev/sda3 /srv/bound ext4 rw 0 0\n"
                      "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n"
                      "/dev/sdb1 /media/usb\\040stick vfat rw 0 0\n"
                      "server:/export /mnt/nfs nfs4 rw 0 0\n"
                      "garbage\n");
    const auto drives = platform::linux_detail::Read_Mount_Table(path);
    std::vector<std::string> seen;
    for (const auto& drive : drives)
        seen.push_back(std::string(1, drive.letter) + ": " + drive.mount_point + " " + drive.file_system);
    const std::vector<std::string> expected = {
        "c: / ext4", "d: /home ext4", "e: /tmp tmpfs", "f: /run tmpfs", "g: /media/usb stick vfat",
        "h: /mnt/nfs nfs4",
    };
    EXPECT_EQ(seen, expected);
}

TEST(Mount_Table, Unreadable_Table_Gives_No_Drives)
{
    EXPECT_TRUE(platform::linux_detail::Read_Mount_Table("/nonexistent/mounts").empty());
}
