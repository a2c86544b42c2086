// The ini layer's file replacement where only POSIX can set the scene: links,
// modes, a full disk, a pipe, a folder the user may not write to, and a disk
// that fails to flush.
#include "fakes/file_size_limit.h"
#include "fakes/temp_folder.h"
#include "platform/error.h"
#include "platform/profile.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

using platform::Ini_File;

namespace {

class Profile_File_Posix : public ::testing::Test {
protected:
    Temp_Folder dir;
    std::string Path(const char* name = "test.ini") const { return dir.Path(name); }
    std::size_t Files_In(const std::string& folder) const
    {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
    }
};

ino_t Inode(const std::string& path)
{
    struct stat info{};
    return stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

// Runs `child` in a forked process and gives its exit code (-1 when it did
// not exit). Assertions cannot cross the fork: the child answers by its code.
int In_Child(const std::function<int()>& child)
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(child());
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

constexpr int Skipped = 77;

// Root may write anywhere: the child becomes nobody, as a user would be.
bool Become_A_User()
{
    if (geteuid() != 0)
        return true;
    return setgid(65534) == 0 && setuid(65534) == 0;
}

// From here on, every flush to the disk fails as a failing disk's would.
bool Make_Flushes_Fail()
{
#if defined(__x86_64__)
    constexpr std::uint32_t arch = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
    constexpr std::uint32_t arch = AUDIT_ARCH_AARCH64;
#else
    return false;
#endif
    sock_filter program[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, arch, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_fsync, 2, 0),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_fdatasync, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EIO),
    };
    sock_fprog filter{static_cast<unsigned short>(std::size(program)), program};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) == 0;
}

} // namespace

TEST_F(Profile_File_Posix, Replaces_The_File_Whole_Through_A_Link_And_Keeps_Its_Mode)
{
    ASSERT_EQ(mkdir(Path("real").c_str(), 0755), 0);
    const std::string target = Path("real/vistrel.ini");
    Write_Bytes(target, "[vistrel]\nwindow_top_posn=1\n");
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    ASSERT_EQ(symlink(target.c_str(), Path("link.ini").c_str()), 0);

    Ini_File ini(Path("link.ini"));
    EXPECT_EQ(ini.Read_Integer("vistrel", "window_top_posn", 0), 1);
    ini.Write_Integer("vistrel", "window_top_posn", 2);
    ini.Commit();

    EXPECT_TRUE(std::filesystem::is_symlink(Path("link.ini")));
    EXPECT_EQ(Read_Bytes(target), "[vistrel]\nwindow_top_posn=2\n");
    struct stat info{};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(Files_In(Path("real")), 1u) << "no temporary file left behind";

    // A new file gets the mode the user's new files get.
    const mode_t mask = umask(022);
    Ini_File fresh(Path("fresh.ini"));
    fresh.Write_Integer("vistrel", "x", 1);
    fresh.Commit();
    umask(mask);
    ASSERT_EQ(stat(Path("fresh.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);
}

TEST_F(Profile_File_Posix, A_Full_Disk_Or_A_Pipe_Leaves_What_Was_There)
{
    const std::string old_text = "[vistrel]\nwindow_top_posn=1\n";
    Write_Bytes(Path(), old_text);

    // A full disk: the process may not write files beyond 64 bytes.
    {
        const Scoped_File_Size_Limit full_disk(64);
        ASSERT_TRUE(full_disk.Active());
        Ini_File ini(Path());
        for (int i = 0; i < 20; ++i)
            ini.Write_Integer("vistrel", "key" + std::to_string(i), i);
        std::string message;
        try {
            ini.Commit();
        } catch (const Program_Error& error) {
            message = error.what();
        }
        EXPECT_EQ(message, "Unable to write to " + Path());
    }
    EXPECT_EQ(Read_Bytes(Path()), old_text);
    EXPECT_EQ(Files_In(dir.Path()), 1u) << "no temporary file left behind";

    // A pipe is never opened so that the read would block, nor replaced.
    ASSERT_EQ(mkfifo(Path("pipe.ini").c_str(), 0600), 0);
    Ini_File ini(Path("pipe.ini"));
    EXPECT_EQ(ini.Read_Integer("vistrel", "x", 7), 7);
    ini.Write_Integer("vistrel", "x", 1);
    EXPECT_THROW(ini.Commit(), Program_Error);
    struct stat info{};
    ASSERT_EQ(lstat(Path("pipe.ini").c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST_F(Profile_File_Posix, A_Folder_That_Refuses_New_Files_Gets_The_File_Written_In_Place)
{
    const std::string writable = Path("writable.ini");
    const std::string locked = Path("locked.ini");
    Write_Bytes(writable, "; the user's own line\n[vistrel]\nwindow_top_posn=1\nwindow_left_posn=2\n");
    Write_Bytes(locked, "[vistrel]\nwindow_top_posn=1\n");
    ASSERT_EQ(chmod(writable.c_str(), 0666), 0);
    ASSERT_EQ(chmod(locked.c_str(), 0444), 0);
    ASSERT_EQ(chmod(dir.Path().c_str(), 0555), 0);
    const ino_t inode = Inode(writable);

    const int code = In_Child([&] {
        if (!Become_A_User() || access(dir.Path().c_str(), W_OK) == 0)
            return Skipped;
        Ini_File ini(writable);
        ini.Write_Integer("vistrel", "window_top_posn", 300);
        try {
            ini.Commit();
        } catch (const Program_Error&) {
            return 1;
        }
        // A file the user may not write either: the layer says so.
        Ini_File refused(locked);
        refused.Write_Integer("vistrel", "window_top_posn", 300);
        try {
            refused.Commit();
        } catch (const Program_Error& error) {
            return error.what() == "Unable to write to " + locked ? 0 : 2;
        }
        return 3;
    });
    chmod(dir.Path().c_str(), 0755);
    if (code == Skipped)
        GTEST_SKIP() << "cannot take a user's rights here";
    ASSERT_EQ(code, 0);
    EXPECT_EQ(Read_Bytes(writable), "; the user's own line\n[vistrel]\nwindow_top_posn=300\nwindow_left_posn=2\n");
    EXPECT_EQ(Inode(writable), inode) << "written in place, not replaced";
    EXPECT_EQ(Read_Bytes(locked), "[vistrel]\nwindow_top_posn=1\n");
    EXPECT_EQ(Files_In(dir.Path()), 2u);
}

TEST_F(Profile_File_Posix, A_Failed_Flush_To_The_Disk_Is_A_Failed_Write)
{
    const std::string old_text = "[vistrel]\nwindow_top_posn=1\n";
    Write_Bytes(Path(), old_text);
    const int code = In_Child([&] {
        if (!Make_Flushes_Fail())
            return Skipped;
        Ini_File ini(Path());
        ini.Write_Integer("vistrel", "window_top_posn", 2);
        try {
            ini.Commit();
        } catch (const Program_Error& error) {
            return error.what() == "Unable to write to " + Path() ? 0 : 2;
        }
        return 1;
    });
    if (code == Skipped)
        GTEST_SKIP() << "no seccomp filters here";
    EXPECT_EQ(code, 0);
    EXPECT_EQ(Read_Bytes(Path()), old_text);
    EXPECT_EQ(Files_In(dir.Path()), 1u) << "no temporary file left behind";
}
