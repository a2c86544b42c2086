// Start at log-on: the menu item's handler, the start-up check and the
// registry routines, on a menu item of their own; the window's wiring of both.
#include "autorun/auto_run.h"
#include "platform/error.h"
#include "app/main_form.h"
#include "common/message_box.h"
#include "fakes/fake_process.h"
#include "fakes/fake_registry.h"
#include "fakes/scoped_config_home.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

namespace {

const QString Run_Key = QStringLiteral("\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");

// The Linux Run key over a private XDG_CONFIG_HOME, a program at a path the
// test chooses, every message answered and written down, and the subsystem
// on a check item as the window's menu has it.
class Auto_Run_Entry : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        process.executable_path = "/opt/Vistrel Tools/vistrel";
        item.setCheckable(true);
    }

    QString Entry_File() const { return folder.filePath(QStringLiteral("config/autostart/vistrel.desktop")); }
    QString Stored(const QString& name = QStringLiteral("vistrel")) const
    {
        return Read_Registry_String(HKEY_LOCAL_MACHINE, Run_Key, name);
    }

    QTemporaryDir folder;
    Scoped_Config_Home config_home{folder.filePath(QStringLiteral("config"))};
    Fake_Process process;
    platform::Scoped_Service<platform::Process_Service> process_guard{process};
    std::vector<Message_Record> messages;
    Msg_Result answer = Msg_Result::No;
    Scoped_Message_Answerer answerer{[this](const Message_Record& record) {
        messages.push_back(record);
        return record.buttons == Msg_Buttons::Yes_No ? answer : Msg_Result::OK;
    }};
    QAction item{QStringLiteral("Auto-Run at Windows Startup")};
    ::Auto_Run auto_run{{&item}};

    // The handler decides the mark: the item's own toggle is never seen.
    void Click() { auto_run.Auto_Run_at_Windows_Startup_OptionClick(); }
};

TEST_F(Auto_Run_Entry, The_Menu_Item_Writes_And_Removes_The_Entry_And_Follows_It)
{
    Click();
    EXPECT_TRUE(item.isChecked());
    EXPECT_TRUE(QFile::exists(Entry_File()));
    EXPECT_EQ(Stored(), QStringLiteral("/opt/Vistrel Tools/vistrel"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].type, Msg_Type::Information);
    EXPECT_EQ(messages[0].buttons, Msg_Buttons::OK);
    EXPECT_EQ(messages[0].text,
              QStringLiteral("This program (vistrel) will now run automatically at Windows Start-Up."));

    Click();
    EXPECT_FALSE(item.isChecked());
    EXPECT_FALSE(QFile::exists(Entry_File()));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text,
              QStringLiteral("This program (vistrel) will now no-longer run automatically at Windows Start-Up."));

    // Someone else removed the entry while the mark was still set: the
    // removal is not checked, only that the entry is gone afterwards.
    item.setChecked(true);
    Click();
    EXPECT_FALSE(item.isChecked());
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[2].text, messages[1].text);
}

TEST_F(Auto_Run_Entry, The_Start_Up_Check_Asks_Only_When_The_Program_Has_Moved)
{
    EXPECT_FALSE(auto_run.Check_Auto_Run_Path()); // no entry at all
    ASSERT_TRUE(Enable_Auto_Run());
    messages.clear();

    process.executable_path = "/OPT/vistrel tools/vistrel"; // letters a to z differ in case only...
    EXPECT_TRUE(auto_run.Check_Auto_Run_Path());
    EXPECT_TRUE(messages.empty());

    process.executable_path = "/opt/Vistrel Tools/vistrel"; // ...but no other letter does
    ASSERT_TRUE(Write_Registry_String(HKEY_LOCAL_MACHINE, Run_Key, QStringLiteral("vistrel"),
                                      QStringLiteral("/opt/\u00c9T\u00c9/vistrel")));
    process.executable_path = "/opt/\u00e9t\u00e9/vistrel";
    answer = Msg_Result::No;
    EXPECT_TRUE(auto_run.Check_Auto_Run_Path());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].type, Msg_Type::Warning);
    EXPECT_EQ(messages[0].buttons, Msg_Buttons::Yes_No);
    EXPECT_EQ(messages[0].text,
              QStringLiteral("The directory / path settings required to make this program (vistrel)\r\n"
                             "run automatically at Windows Start-up do not match where the program \r\n"
                             "is currently being run from.\r\n\r\n"
                             " Old      = /opt/\u00c9T\u00c9/vistrel\r\n"
                             " Current = /opt/\u00e9t\u00e9/vistrel\r\n\r\n"
                             "Do you want to update the Windows Registry to reflect the programs current locaton ?"));
    EXPECT_EQ(Stored(), QStringLiteral("/opt/\u00c9T\u00c9/vistrel")); // No keeps the old entry

    messages.clear();
    answer = Msg_Result::Yes;
    EXPECT_TRUE(auto_run.Check_Auto_Run_Path());
    EXPECT_EQ(Stored(), QStringLiteral("/opt/\u00e9t\u00e9/vistrel"));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text,
              QStringLiteral("This program (vistrel) will now run automatically at Windows Start-Up."));
}

TEST_F(Auto_Run_Entry, A_Renamed_Program_Finds_No_Entry_And_Leaves_The_Old_One)
{
    ASSERT_TRUE(Enable_Auto_Run());
    process.executable_path = "/opt/Vistrel Tools/vistrel-4.8";
    EXPECT_FALSE(auto_run.Check_Auto_Run_Path());
    EXPECT_EQ(Stored(QStringLiteral("vistrel")), QStringLiteral("/opt/Vistrel Tools/vistrel"));
}

TEST_F(Auto_Run_Entry, An_Autostart_Folder_That_Cannot_Be_Made_Leaves_The_Mark_As_It_Was)
{
    ASSERT_TRUE(QDir().mkpath(folder.filePath(QStringLiteral("config"))));
    QFile in_the_way(folder.filePath(QStringLiteral("config/autostart")));
    ASSERT_TRUE(in_the_way.open(QIODevice::WriteOnly));
    in_the_way.close();

    Click();
    EXPECT_FALSE(item.isChecked());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].type, Msg_Type::Error);
    EXPECT_EQ(messages[0].text, QStringLiteral("Error: The specified Registry Key for this operation \r\n"
                                               "does NOT exist on your PC.  \r\n\r\n"
                                               " Error Key   = \\Software\\Microsoft\\Windows\\CurrentVersion\\Run\r\n"
                                               " Error Item  = vistrel\r\n"
                                               " Error Value = /opt/Vistrel Tools/vistrel\r\n\r\n"
                                               "Please contact the program's author."));

    item.setChecked(true);
    Click();
    EXPECT_TRUE(item.isChecked());
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, QStringLiteral("Error: The specified Registry Key for this operation \r\n"
                                               "does NOT exist on your PC.  \r\n\r\n"
                                               " Error Key   = \\Software\\Microsoft\\Windows\\CurrentVersion\\Run\r\n"
                                               " Error Item  = vistrel\r\n\r\n"
                                               "Please contact the program's author."));
    EXPECT_FALSE(auto_run.Check_Auto_Run_Path());
}

// The window's wiring: the start-up sets the mark from the entry, and the
// menu item reaches the handler.
TEST_F(Auto_Run_Entry, Start_Up_Sets_The_Mark_From_The_Entry_After_Asking_About_A_Move)
{
    ASSERT_TRUE(Enable_Auto_Run());
    messages.clear();
    process.executable_path = "/opt/elsewhere/vistrel";
    answer = Msg_Result::No;
    TMainForm1 form;
    form.show(); // the start-up sequence
    EXPECT_TRUE(form.Auto_Run_at_Windows_Startup_Option->isChecked());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].buttons, Msg_Buttons::Yes_No);
    EXPECT_TRUE(form.Program_Size_Timer->isActive()); // the start-up went on to its end

    form.Auto_Run_at_Windows_Startup_Option->trigger();
    EXPECT_FALSE(form.Auto_Run_at_Windows_Startup_Option->isChecked());
    EXPECT_FALSE(QFile::exists(Entry_File()));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text,
              QStringLiteral("This program (vistrel) will now no-longer run automatically at Windows Start-Up."));
}

// Windows since Vista: the machine's Run key refuses full access to all
// but an elevated administrator, and the user's own holds the entry then.
TEST_F(Auto_Run_Entry, Where_The_Machine_Key_Refuses_The_Users_Own_Holds_The_Entry)
{
    Fake_Registry registry;
    platform::Scoped_Service<platform::Registry_Service> registry_guard(registry);
    const std::string key = Run_Key.toStdString();
    const Fake_Registry::Key_Name machine{HKEY_LOCAL_MACHINE, key}, user{HKEY_CURRENT_USER, key};
    registry.Create_Key(HKEY_LOCAL_MACHINE, key);
    registry.Create_Key(HKEY_CURRENT_USER, key);
    registry.refused_keys = {machine};
    process.executable_path = "/opt/Tools/vistrel.exe";
    const QString name = QStringLiteral("vistrel.exe");

    Click();
    EXPECT_TRUE(item.isChecked());
    EXPECT_EQ(Read_Registry_String(HKEY_CURRENT_USER, Run_Key, name), QStringLiteral("/opt/Tools/vistrel.exe"));
    EXPECT_TRUE(registry.keys[machine].empty());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              QStringLiteral("This program (vistrel.exe) will now run automatically at Windows Start-Up."));

    // The start-up check finds it there, and a correction goes there too.
    process.executable_path = "/opt/Moved/vistrel.exe";
    answer = Msg_Result::Yes;
    EXPECT_TRUE(auto_run.Check_Auto_Run_Path());
    EXPECT_EQ(messages.size(), 3u); // the question and the enable message
    EXPECT_EQ(Read_Registry_String(HKEY_CURRENT_USER, Run_Key, name), QStringLiteral("/opt/Moved/vistrel.exe"));

    Click();
    EXPECT_FALSE(item.isChecked());
    EXPECT_TRUE(registry.keys[user].empty());
    EXPECT_EQ(messages.back().text,
              QStringLiteral("This program (vistrel.exe) will now no-longer run automatically at Windows Start-Up."));

    // Where the machine's key opens, it holds the one entry; one left in the
    // user's key by an earlier start goes, as the removal takes it from both.
    registry.refused_keys.clear();
    ASSERT_TRUE(Write_Registry_String(HKEY_CURRENT_USER, Run_Key, name, QStringLiteral("/opt/Old/vistrel.exe")));
    item.setChecked(false);
    Click();
    EXPECT_TRUE(item.isChecked());
    EXPECT_EQ(Read_Registry_String(HKEY_LOCAL_MACHINE, Run_Key, name), QStringLiteral("/opt/Moved/vistrel.exe"));
    EXPECT_TRUE(registry.keys[user].empty());
    ASSERT_TRUE(Write_Registry_String(HKEY_CURRENT_USER, Run_Key, name, QStringLiteral("/opt/Old/vistrel.exe")));
    Click();
    EXPECT_FALSE(item.isChecked());
    EXPECT_TRUE(registry.keys[machine].empty() && registry.keys[user].empty());
    EXPECT_EQ(registry.Open_Handles(), 0u);
}

// A registry that misbehaves in the ways the routines must notice.
class Stubborn_Registry final : public platform::Registry_Service {
public:
    bool refuse_writes = false;
    bool alter_writes = false;
    bool keep_deleted = false;
    std::uint32_t stored_type = REG_SZ;
    std::map<std::string, std::string> values;
    int open_keys = 0;

    long Reg_Open_Key_Ex(platform::HKEY, const std::string&, std::uint32_t, platform::HKEY* result) override
    {
        ++open_keys;
        *result = 0x1234;
        return ERROR_SUCCESS;
    }
    long Reg_Query_Value_Ex(platform::HKEY, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                            std::uint32_t* size) override
    {
        const auto found = values.find(name);
        if (found == values.end())
            return ERROR_FILE_NOT_FOUND;
        *type = stored_type;
        const auto needed = static_cast<std::uint32_t>(found->second.size() + 1);
        if (data && *size < needed) {
            *size = needed;
            return ERROR_MORE_DATA;
        }
        if (data)
            std::copy_n(found->second.c_str(), needed, data);
        *size = needed;
        return ERROR_SUCCESS;
    }
    long Reg_Set_Value_Ex(platform::HKEY, const std::string& name, std::uint32_t, const std::uint8_t* data,
                          std::uint32_t) override
    {
        if (refuse_writes)
            return ERROR_ACCESS_DENIED;
        values[name] = reinterpret_cast<const char*>(data);
        if (alter_writes)
            values[name] += "x";
        return ERROR_SUCCESS;
    }
    long Reg_Delete_Value(platform::HKEY, const std::string& name) override
    {
        if (!keep_deleted)
            values.erase(name);
        return ERROR_ACCESS_DENIED;
    }
    long Reg_Close_Key(platform::HKEY) override
    {
        --open_keys;
        return ERROR_SUCCESS;
    }
};

TEST_F(Auto_Run_Entry, Registry_Failures_Are_Reported_And_Keys_Closed)
{
    Stubborn_Registry registry;
    platform::Scoped_Service<platform::Registry_Service> registry_guard(registry);

    registry.refuse_writes = true;
    try {
        Click();
        ADD_FAILURE() << "a refused write must raise";
    } catch (const Program_Error& error) {
        EXPECT_STREQ(error.what(), "Failed to set data for 'vistrel'");
    }
    EXPECT_FALSE(item.isChecked());
    EXPECT_EQ(registry.open_keys, 0);

    registry.refuse_writes = false;
    registry.alter_writes = true;
    Click();
    EXPECT_FALSE(item.isChecked());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("Error: The required settings could not be created \r\n"
                                               "or saved in the Windows Registry.  \r\n\r\n"
                                               " Error Key   = \\Software\\Microsoft\\Windows\\CurrentVersion\\Run\r\n"
                                               " Error Item  = vistrel\r\n"
                                               " Error Value = /opt/Vistrel Tools/vistrel\r\n\r\n"
                                               "Please contact the program's author."));

    registry.keep_deleted = true;
    item.setChecked(true);
    Click();
    EXPECT_TRUE(item.isChecked());
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, QStringLiteral("Error: The required Registry Key settings \r\n"
                                               "could not be removed from the Windows Registry.  \r\n\r\n"
                                               " Error Key   = \\Software\\Microsoft\\Windows\\CurrentVersion\\Run\r\n"
                                               " Error Item  = vistrel\r\n\r\n"
                                               "Please contact the program's author."));

    // A value of another type under the program's name is no entry; one
    // whose text is empty neither.
    registry.stored_type = REG_DWORD;
    EXPECT_FALSE(auto_run.Check_Auto_Run_Path());
    registry.stored_type = REG_SZ;
    registry.values["vistrel"] = "";
    EXPECT_FALSE(auto_run.Check_Auto_Run_Path());
    EXPECT_EQ(registry.open_keys, 0);
}

TEST(Same_Text_Ignoring_Ascii_Case, Folds_Only_The_Letters_A_To_Z)
{
    EXPECT_TRUE(Same_Text_Ignoring_Ascii_Case(QStringLiteral("C:\\Tools\\vistrel.exe"),
                                              QStringLiteral("c:\\tools\\VISTREL.EXE")));
    EXPECT_FALSE(Same_Text_Ignoring_Ascii_Case(QStringLiteral("/opt/\u00e9"), QStringLiteral("/opt/\u00c9")));
    EXPECT_FALSE(Same_Text_Ignoring_Ascii_Case(QStringLiteral("/opt/a"), QStringLiteral("/opt/a ")));
    EXPECT_FALSE(Same_Text_Ignoring_Ascii_Case(QStringLiteral("[x]"), QStringLiteral("{x}"))); // not a bit flip
}

} // namespace
