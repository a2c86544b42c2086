// The ini layer: reading hand-edited and damaged files, writing without
// disturbing what it does not own, and replacing files whole or not at all.
#include "fakes/file_bytes.h"
#include "app/error.h"
#include "platform/profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using platform::Ini_File;

namespace {

class Profile_File : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path(const char* name = "test.ini") const { return dir.filePath(QString::fromLatin1(name)); }
    std::string Std_Path(const char* name = "test.ini") const { return Path(name).toStdString(); }
};

} // namespace

TEST(Profile_Integer, Decimal_And_Hexadecimal_Rules)
{
    using platform::Parse_Profile_Integer;
    const auto plain = Ini_File::Hex_Prefixes::Zero_X;
    const auto dollar = Ini_File::Hex_Prefixes::Zero_X_Or_Dollar;
    struct Case {
        const char* text;
        std::optional<std::int32_t> plain, dollar;
    };
    const Case cases[] = {
        {"200", 200, 200},           {"-3", -3, -3},
        {"+5", 5, 5},                {"007", 7, 7},
        {"0x10", 16, 16},            {"0X1b", 27, 27},
        {"$1B", std::nullopt, 27},   {"$", std::nullopt, std::nullopt},
        {"0x", std::nullopt, std::nullopt}, {"0xG", std::nullopt, std::nullopt},
        {"0xFFFFFFFF", -1, -1},      {"0x100000000", std::nullopt, std::nullopt},
        {"2147483647", 2147483647, 2147483647},
        {"2147483648", std::nullopt, std::nullopt},
        {"-2147483648", INT32_MIN, INT32_MIN},
        {"-2147483649", std::nullopt, std::nullopt},
        {"99999999999999999999999", std::nullopt, std::nullopt},
        {"abc", std::nullopt, std::nullopt}, {"", std::nullopt, std::nullopt},
        {"-", std::nullopt, std::nullopt},   {"1.5", std::nullopt, std::nullopt},
        {"12abc", std::nullopt, std::nullopt}, {"-0x10", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Parse_Profile_Integer(c.text, plain), c.plain) << c.text;
        EXPECT_EQ(Parse_Profile_Integer(c.text, dollar), c.dollar) << c.text;
    }

    using platform::Parse_Profile_Integer64;
    EXPECT_EQ(Parse_Profile_Integer64("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(Parse_Profile_Integer64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(Parse_Profile_Integer64("9223372036854775808"), std::nullopt);
    EXPECT_EQ(Parse_Profile_Integer64("9000000000"), 9000000000LL);
    EXPECT_EQ(Parse_Profile_Integer64("$FF"), 255);
    EXPECT_EQ(Parse_Profile_Integer64("1,234"), std::nullopt);
    EXPECT_EQ(Parse_Profile_Integer64(""), std::nullopt);
}

TEST_F(Profile_File, Reads_Hand_Edited_And_Damaged_Files)
{
    const std::string long_value(3000, 'v');
    Write_All(Path(), "\xEF\xBB\xBF"
                      "orphan=before any section\r\n"
                      "[Vistrel]\r\n"
                      "; a comment line\r\n"
                      "  Window_Top_Posn = 0x10 \r\n"
                      "window_left_posn=abc\r\n"
                      "always_on_top_option=2\r\n"
                      "empty=\r\n"
                      "repeated=first\r\n"
                      "repeated=second\r\n"
                      "long=" + long_value + "\r\n"
                      "binary=ab\x01\xff" + std::string("\0cd", 3) + "\r\n"
                      "no equals sign here\r\n"
                      "[ other ]\n"
                      "window_top_posn=999\n"
                      "[VISTREL]\n"
                      "only_in_repeat=1\n"
                      "[broken\n"
                      "[trailcnt]\n"
                      "last=no line end");
    const Ini_File ini(Std_Path());
    EXPECT_EQ(ini.Read_Integer("vistrel", "window_top_posn", 200), 16);
    EXPECT_EQ(ini.Read_Integer("vistrel", "window_left_posn", 200), 200);
    EXPECT_TRUE(ini.Read_Bool("vistrel", "Always_on_Top_Option", false));
    EXPECT_EQ(ini.Read_String("vistrel", "empty", "default"), "");
    EXPECT_EQ(ini.Read_Integer("vistrel", "empty", 5), 5);
    EXPECT_EQ(ini.Read_String("vistrel", "repeated", ""), "first");
    EXPECT_EQ(ini.Read_String("vistrel", "long", ""), long_value.substr(0, 2047));
    EXPECT_EQ(ini.Read_String("vistrel", "binary", ""), "ab\x01\xff");
    EXPECT_EQ(ini.Read_String("vistrel", "orphan", "none"), "none");
    EXPECT_EQ(ini.Read_String("vistrel", "only_in_repeat", "none"), "none");
    EXPECT_EQ(ini.Read_Integer("other", "window_top_posn", 0), 999);
    EXPECT_EQ(ini.Read_String("trailcnt", "last", ""), "no line end");
    EXPECT_EQ(ini.Read_String("missing", "key", "fallback"), "fallback");

    // Writing what the file already says leaves the file alone.
    const auto inode = [this] {
        struct stat info{};
        stat(Std_Path().c_str(), &info);
        return info.st_ino;
    };
    Ini_File respelled(Std_Path());
    respelled.Write_Integer("vistrel", "window_top_posn", 16);
    respelled.Commit();
    const std::string rewritten = Read_All(Path());
    EXPECT_NE(rewritten.find("  Window_Top_Posn = 16\r\n"), std::string::npos);
    const auto before = inode();
    Ini_File same(Std_Path());
    same.Write_Integer("vistrel", "window_top_posn", 16);
    same.Write_String("vistrel", "repeated", "first");
    same.Commit();
    EXPECT_EQ(inode(), before);
    EXPECT_EQ(Read_All(Path()), rewritten);
}

TEST_F(Profile_File, Writes_In_Place_And_Keeps_Every_Other_Line)
{
    Write_All(Path(), "; kept\r\n"
                      "[vistrel]\r\n"
                      "Window_Top_Posn = 5\r\n"
                      "foreign=kept too\r\n"
                      "\r\n"
                      "[other]\r\n"
                      "x=1");
    Ini_File ini(Std_Path());
    ini.Write_Integer("VISTREL", "window_top_posn", 300);
    ini.Write_String("vistrel", "new_key", "new\nvalue");
    ini.Write_Bool("other", "flag", true);
    ini.Write_String("trailcnt", "Kilometers_Travelled_So_Far", "1,234.5000000000");
    ini.Commit();
    EXPECT_EQ(Read_All(Path()), "; kept\r\n"
                                "[vistrel]\r\n"
                                "Window_Top_Posn = 300\r\n"
                                "foreign=kept too\r\n"
                                "new_key=new\r\n"
                                "\r\n"
                                "[other]\r\n"
                                "x=1\r\n"
                                "flag=1\r\n"
                                "\r\n"
                                "[trailcnt]\r\n"
                                "Kilometers_Travelled_So_Far=1,234.5000000000\r\n");

    // A new file is made, with LF line ends.
    Ini_File fresh(Std_Path("new.ini"));
    fresh.Write_Integer("vistrel", "a", -3);
    fresh.Write_Integer("vistrel", "b", 2);
    fresh.Write_Integer("trailcnt", "c", 0);
    fresh.Commit();
    EXPECT_EQ(Read_All(Path("new.ini")), "[vistrel]\na=-3\nb=2\n\n[trailcnt]\nc=0\n");
    EXPECT_EQ(Ini_File(Std_Path("new.ini")).Read_Integer("vistrel", "a", 0), -3);
}

TEST_F(Profile_File, Replaces_The_File_Whole_Through_A_Link_And_Keeps_Its_Mode)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("real")));
    const QString target = dir.filePath(QStringLiteral("real/vistrel.ini"));
    Write_All(target, "[vistrel]\nwindow_top_posn=1\n");
    ASSERT_EQ(chmod(target.toLocal8Bit().constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(target, Path("link.ini")));

    Ini_File ini(Std_Path("link.ini"));
    EXPECT_EQ(ini.Read_Integer("vistrel", "window_top_posn", 0), 1);
    ini.Write_Integer("vistrel", "window_top_posn", 2);
    ini.Commit();

    EXPECT_TRUE(QFileInfo(Path("link.ini")).isSymLink());
    EXPECT_EQ(Read_All(target), "[vistrel]\nwindow_top_posn=2\n");
    struct stat info{};
    ASSERT_EQ(stat(target.toLocal8Bit().constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("real"))).entryList(QDir::Files | QDir::Hidden).size(), 1)
        << "no temporary file left behind";
}

TEST_F(Profile_File, A_Failed_Write_Reports_The_Path_And_Leaves_The_Old_File)
{
    const std::string old_text = "[vistrel]\nwindow_top_posn=1\n";
    Write_All(Path(), old_text);
    const std::string expected_message = "Unable to write to " + QFileInfo(Path()).absoluteFilePath().toStdString();

    // A full disk: the process may not write files beyond 64 bytes.
    {
        struct rlimit saved{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto previous_handler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit tight = saved;
        tight.rlim_cur = 64;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);

        Ini_File ini(Std_Path());
        for (int i = 0; i < 20; ++i)
            ini.Write_Integer("vistrel", "key" + std::to_string(i), i);
        std::string message;
        try {
            ini.Commit();
        } catch (const Program_Error& error) {
            message = error.what();
        }
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous_handler);
        EXPECT_EQ(message, expected_message);
    }
    EXPECT_EQ(Read_All(Path()), old_text);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "no temporary file left behind";

    // A folder in the file's place is neither read nor replaced.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.ini")));
    Ini_File folder(Std_Path("folder.ini"));
    EXPECT_EQ(folder.Read_String("vistrel", "x", "default"), "default");
    folder.Write_Integer("vistrel", "x", 1);
    EXPECT_THROW(folder.Commit(), Program_Error);
    EXPECT_TRUE(QFileInfo(Path("folder.ini")).isDir());

    // A file whose folder does not exist cannot be made.
    Ini_File nowhere(dir.filePath(QStringLiteral("no/such/folder/x.ini")).toStdString());
    nowhere.Write_Integer("vistrel", "x", 1);
    EXPECT_THROW(nowhere.Commit(), Program_Error);
}

TEST_F(Profile_File, A_Pipe_In_The_File_Place_Is_Neither_Read_Nor_Replaced)
{
    ASSERT_EQ(mkfifo(Std_Path("pipe.ini").c_str(), 0600), 0);
    Ini_File ini(Std_Path("pipe.ini")); // must not block
    EXPECT_EQ(ini.Read_Integer("vistrel", "x", 7), 7);
    ini.Write_Integer("vistrel", "x", 1);
    EXPECT_THROW(ini.Commit(), Program_Error);
    struct stat info{};
    ASSERT_EQ(lstat(Std_Path("pipe.ini").c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}
