// The Run key on Linux: XDG autostart desktop entries.
#include "platform/linux/desktop_entry.h"
#include "platform/registry.h"
#include "fakes/scoped_config_home.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using namespace platform;
using platform::linux_detail::Autostart_Entry_Program;
using platform::linux_detail::Desktop_Exec_Program;
using platform::linux_detail::Desktop_Exec_Value;

constexpr char Run_Key[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Paths a user may really have, and the ones that break naive quoting.
const std::vector<std::string> Awkward_Paths = {
    "/usr/bin/vistrel",
    "/home/ann/My Programs/vistrel",
    "/opt/say \"hi\"/vistrel",
    "/opt/it's/vistrel",
    "/opt/back\\slash/vistrel",
    "/opt/$HOME/vistrel",
    "/opt/100%/vistrel",
    "/opt/%f %u %%/vistrel",
    "/opt/`date`/vistrel",
    "/opt/a;b|c&d<e>f*g?h#i(j)~k/vistrel",
    "/opt/tab\there/vistrel",
    "/opt/line\nbreak/vistrel",
    "/opt/Ünïcødé/vistrel",
    "/opt/trailing space /vistrel",
};

TEST(Desktop_Exec, Quotes_As_The_Desktop_Entry_Rules_Ask)
{
    struct Case {
        std::string path;
        std::string exec;
    };
    const std::vector<Case> cases = {
        {"/usr/bin/vistrel", "/usr/bin/vistrel"},
        {"/opt/My Tools/vistrel", "\"/opt/My Tools/vistrel\""},
        {"/opt/a\"b/vistrel", "\"/opt/a\\\\\"b/vistrel\""},       // \" at the Exec level, its \ escaped again
        {"/opt/a\\b/vistrel", "\"/opt/a\\\\\\\\b/vistrel\""},     // \\ at the Exec level, both escaped again
        {"/opt/$HOME/vistrel", "\"/opt/\\\\$HOME/vistrel\""},
        {"/opt/`x`/vistrel", "\"/opt/\\\\`x\\\\`/vistrel\""},
        {"/opt/100%/vistrel", "/opt/100%%/vistrel"},
        {"/opt/50% off/vistrel", "\"/opt/50%% off/vistrel\""},
        {"/opt/it's/vistrel", "\"/opt/it's/vistrel\""},
        {"/opt/line\nbreak", "\"/opt/line\\nbreak\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Desktop_Exec_Value(c.path), c.exec) << c.path;
}

TEST(Desktop_Exec, Reads_Back_What_It_Wrote_And_What_Desktops_Write)
{
    for (const std::string& path : Awkward_Paths)
        EXPECT_EQ(Desktop_Exec_Program(Desktop_Exec_Value(path)), path) << path;

    EXPECT_EQ(Desktop_Exec_Program("\"/opt/x y/vistrel\" --flag %U"), "/opt/x y/vistrel");
    EXPECT_EQ(Desktop_Exec_Program("/usr/bin/vistrel %U"), "/usr/bin/vistrel");
    EXPECT_EQ(Desktop_Exec_Program("  /usr/bin/vistrel"), "/usr/bin/vistrel");
    EXPECT_EQ(Desktop_Exec_Program("/opt/x\\ y/vistrel"), "/opt/x y/vistrel");
    EXPECT_EQ(Desktop_Exec_Program("\"/opt/no end"), std::nullopt);
    EXPECT_EQ(Desktop_Exec_Program("\"/opt/a\"b"), std::nullopt);
    EXPECT_EQ(Desktop_Exec_Program(""), std::nullopt);
}

TEST(Autostart_Entry, Names_The_Program_Unless_The_User_Switched_It_Off)
{
    EXPECT_EQ(Autostart_Entry_Program(linux_detail::Autostart_Entry("vistrel", "/opt/a b/vistrel")),
              "/opt/a b/vistrel");
    EXPECT_EQ(Autostart_Entry_Program("# made by hand\r\n[Desktop Entry]\r\nType=Application\r\n"
                                      "Exec = /usr/bin/vistrel\r\n"),
              "/usr/bin/vistrel");
    EXPECT_EQ(Autostart_Entry_Program("[Desktop Entry]\nExec=/usr/bin/vistrel\nHidden=true\n"), "");
    EXPECT_EQ(Autostart_Entry_Program("[Desktop Entry]\nExec=/usr/bin/vistrel\nX-GNOME-Autostart-enabled=false\n"),
              "");
    EXPECT_EQ(Autostart_Entry_Program("[Desktop Entry]\nType=Application\n"), "");
    EXPECT_EQ(Autostart_Entry_Program("[Desktop Action x]\nExec=/bin/other\n[Desktop Entry]\nName=v\n"), "");
    EXPECT_EQ(Autostart_Entry_Program("\x01\xff garbage"), "");
}

// The real service over a private XDG_CONFIG_HOME.
class Linux_Run_Key : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
    }

    QString Config() const { return folder.filePath(QStringLiteral("config")); }
    QString Autostart() const { return Config() + QStringLiteral("/autostart"); }

    HKEY Open(HKEY root = HKEY_LOCAL_MACHINE, const std::string& path = Run_Key)
    {
        HKEY key = 0;
        return registry.Reg_Open_Key_Ex(root, path, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS ? key : 0;
    }

    long Set(HKEY key, const std::string& name, const std::string& data)
    {
        return registry.Reg_Set_Value_Ex(key, name, REG_SZ, reinterpret_cast<const std::uint8_t*>(data.c_str()),
                                         static_cast<std::uint32_t>(data.size() + 1));
    }

    QTemporaryDir folder;
    Scoped_Config_Home config_home{folder.filePath(QStringLiteral("config"))};
    Registry_Service& registry = Default_Service<Registry_Service>();
};

TEST_F(Linux_Run_Key, Only_The_Run_Key_Opens_And_Looking_Leaves_No_Trace)
{
    HKEY key = 0;
    EXPECT_EQ(registry.Reg_Open_Key_Ex(HKEY_DYN_DATA, "PerfStats\\StatData", KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(registry.Reg_Open_Key_Ex(HKEY_CURRENT_USER, Run_Key, KEY_ALL_ACCESS, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(registry.Reg_Open_Key_Ex(HKEY_LOCAL_MACHINE, "\\Software\\Microsoft", KEY_ALL_ACCESS, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_NE(Open(HKEY_LOCAL_MACHINE, "software\\microsoft\\windows\\currentversion\\run"), 0u);

    const HKEY run = Open();
    ASSERT_NE(run, 0u);
    std::uint32_t type = 0, size = 0;
    EXPECT_EQ(registry.Reg_Query_Value_Ex(run, "vistrel", &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(registry.Reg_Delete_Value(run, "vistrel"), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(QDir(Autostart()).exists());
    EXPECT_EQ(registry.Reg_Close_Key(run), ERROR_SUCCESS);
    EXPECT_EQ(registry.Reg_Close_Key(run), ERROR_INVALID_HANDLE);
    EXPECT_EQ(registry.Reg_Query_Value_Ex(run, "vistrel", &type, nullptr, &size), ERROR_INVALID_HANDLE);
}

TEST_F(Linux_Run_Key, A_Value_Is_A_Valid_Desktop_Entry_That_Starts_Exactly_That_File)
{
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    const HKEY run = Open();
    ASSERT_NE(run, 0u);
    for (const std::string& path : Awkward_Paths) {
        ASSERT_EQ(Set(run, "vistrel", path), ERROR_SUCCESS) << path;
        const QString file = Autostart() + QStringLiteral("/vistrel.desktop");
        ASSERT_TRUE(QFile::exists(file));
        if (!validator.isEmpty()) {
            QProcess check;
            check.start(validator, {file});
            ASSERT_TRUE(check.waitForFinished(10000));
            EXPECT_EQ(check.exitCode(), 0) << path << "\n" << check.readAllStandardOutput().toStdString();
        }

        std::uint32_t type = 0, size = 0;
        ASSERT_EQ(registry.Reg_Query_Value_Ex(run, "vistrel", &type, nullptr, &size), ERROR_SUCCESS);
        EXPECT_EQ(type, REG_SZ);
        EXPECT_EQ(size, path.size() + 1);
        std::vector<std::uint8_t> data(size);
        std::uint32_t small = size - 1;
        EXPECT_EQ(registry.Reg_Query_Value_Ex(run, "vistrel", &type, data.data(), &small), ERROR_MORE_DATA);
        EXPECT_EQ(small, size);
        ASSERT_EQ(registry.Reg_Query_Value_Ex(run, "vistrel", &type, data.data(), &size), ERROR_SUCCESS);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(data.data())), path);
    }
    if (validator.isEmpty())
        GTEST_SKIP() << "desktop-file-validate is not installed: entries were not validated";
    registry.Reg_Close_Key(run);
}

TEST_F(Linux_Run_Key, Values_Are_Written_Replaced_And_Removed_And_Bad_Names_Refused)
{
    const HKEY run = Open();
    ASSERT_NE(run, 0u);
    ASSERT_EQ(Set(run, "vistrel", "/opt/one/vistrel"), ERROR_SUCCESS);
    ASSERT_EQ(Set(run, "vistrel", "/opt/two/vistrel"), ERROR_SUCCESS);
    EXPECT_EQ(QDir(Autostart()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("vistrel.desktop")});
    EXPECT_NE(Set(run, "../escape", "/x"), ERROR_SUCCESS);
    EXPECT_NE(Set(run, "", "/x"), ERROR_SUCCESS);
    EXPECT_NE(Set(run, "vistrel", "/opt/\xff\xfe/vistrel"), ERROR_SUCCESS); // not UTF-8: no broken entry
    EXPECT_FALSE(QFile::exists(Config() + QStringLiteral("/escape.desktop")));

    EXPECT_EQ(registry.Reg_Delete_Value(run, "vistrel"), ERROR_SUCCESS);
    EXPECT_EQ(registry.Reg_Delete_Value(run, "vistrel"), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(QDir(Autostart()).isEmpty());
    registry.Reg_Close_Key(run);
}

TEST_F(Linux_Run_Key, A_Folder_That_Cannot_Be_Made_Is_A_Key_That_Does_Not_Exist)
{
    ASSERT_TRUE(QDir().mkpath(Config()));
    QFile in_the_way(Autostart());
    ASSERT_TRUE(in_the_way.open(QIODevice::WriteOnly));
    in_the_way.close();
    EXPECT_EQ(Open(), 0u);
}

TEST_F(Linux_Run_Key, A_Relative_Config_Home_Does_Not_Count)
{
    // The XDG rules ignore it: the home folder's .config is used.
    struct Scoped_Home {
        QByteArray previous = qgetenv("HOME");
        ~Scoped_Home() { qputenv("HOME", previous); }
    } home_guard;
    qputenv("HOME", folder.filePath(QStringLiteral("home")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", "relative/config");
    const HKEY run = Open();
    ASSERT_NE(run, 0u);
    EXPECT_EQ(Set(run, "vistrel", "/usr/bin/vistrel"), ERROR_SUCCESS);
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("home/.config/autostart/vistrel.desktop"))));
    registry.Reg_Close_Key(run);
}

} // namespace
