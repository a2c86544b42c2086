// Start at log-on.
#include "autorun/auto_run.h"

#include "platform/error.h"
#include "common/message_box.h"
#include "platform/process.h"

#include <QAction>
#include <QFileInfo>
#include <algorithm>
#include <optional>
#include <vector>

namespace {

const QString Line_Break = QStringLiteral("\r\n");

platform::Registry_Service& Registry()
{
    return platform::Use<platform::Registry_Service>();
}

// An open key, closed again however the routine ends.
class Open_Key {
public:
    Open_Key(platform::HKEY root, const QString& path)
    {
        open_ = Registry().Reg_Open_Key_Ex(root, path.toStdString(), KEY_ALL_ACCESS, &key_) ==
                ERROR_SUCCESS;
    }
    ~Open_Key()
    {
        if (open_)
            Registry().Reg_Close_Key(key_);
    }
    Open_Key(const Open_Key&) = delete;
    Open_Key& operator=(const Open_Key&) = delete;

    bool Is_Open() const { return open_; }
    platform::HKEY Handle() const { return key_; }

private:
    platform::HKEY key_ = 0;
    bool open_ = false;
};

bool Key_Exists(platform::HKEY root, const QString& path)
{
    return Open_Key(root, path).Is_Open();
}

bool Value_Exists(const Open_Key& key, const QString& name)
{
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    return Registry().Reg_Query_Value_Ex(key.Handle(), name.toStdString(), &type, nullptr, &size) ==
           ERROR_SUCCESS;
}

std::optional<QString> Read_String_Value(const Open_Key& key, const QString& name)
{
    const std::string value_name = name.toStdString();
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (Registry().Reg_Query_Value_Ex(key.Handle(), value_name, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return std::nullopt;
    // The value may grow between the two calls; ask again then.
    std::vector<std::uint8_t> data;
    long result = ERROR_MORE_DATA;
    for (int attempt = 0; attempt < 4 && result == ERROR_MORE_DATA; ++attempt) {
        data.assign(size + 1, 0);
        result = Registry().Reg_Query_Value_Ex(key.Handle(), value_name, &type, data.data(), &size);
    }
    if (result != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(std::min<std::size_t>(size, data.size()));
    data.push_back(0);
    return QString::fromUtf8(reinterpret_cast<const char*>(data.data()));
}

void Show_Error(const QString& text)
{
    Message_Dlg(text, Msg_Type::Error, Msg_Buttons::OK);
}

QString Key_Missing_Text(const QString& key_path, const QString& value_name)
{
    return QStringLiteral("Error: The specified Registry Key for this operation ") + Line_Break +
           QStringLiteral("does NOT exist on your PC.  ") + Line_Break + Line_Break +
           QStringLiteral(" Error Key   = ") + key_path + Line_Break + QStringLiteral(" Error Item  = ") + value_name +
           Line_Break;
}

QString Contact_Author_Text()
{
    return Line_Break + QStringLiteral("Please contact the program's author.");
}

} // namespace

bool Write_Registry_String(platform::HKEY root, const QString& key_path, const QString& value_name,
                           const QString& value_data)
{
    const QString error_value_line = QStringLiteral(" Error Value = ") + value_data + Line_Break;
    if (!Key_Exists(root, key_path)) {
        Show_Error(Key_Missing_Text(key_path, value_name) + error_value_line + Contact_Author_Text());
        return false;
    }
    std::optional<QString> read_back;
    {
        const Open_Key key(root, key_path);
        if (key.Is_Open()) {
            const QByteArray data = value_data.toUtf8();
            // REG_SZ data carries its terminating zero.
            if (Registry().Reg_Set_Value_Ex(key.Handle(), value_name.toStdString(), REG_SZ,
                                            reinterpret_cast<const std::uint8_t*>(data.constData()),
                                            static_cast<std::uint32_t>(data.size() + 1)) != ERROR_SUCCESS)
                throw Program_Error("Failed to set data for '" + value_name.toStdString() + "'");
            read_back = Read_String_Value(key, value_name);
        }
    }
    if (read_back == value_data)
        return true;
    Show_Error(QStringLiteral("Error: The required settings could not be created ") + Line_Break +
               QStringLiteral("or saved in the Windows Registry.  ") + Line_Break + Line_Break +
               QStringLiteral(" Error Key   = ") + key_path + Line_Break + QStringLiteral(" Error Item  = ") +
               value_name + Line_Break + error_value_line + Contact_Author_Text());
    return false;
}

bool Delete_Registry_Value(platform::HKEY root, const QString& key_path, const QString& value_name)
{
    if (!Key_Exists(root, key_path)) {
        Show_Error(Key_Missing_Text(key_path, value_name) + Contact_Author_Text());
        return false;
    }
    bool still_there = false;
    {
        const Open_Key key(root, key_path);
        if (key.Is_Open()) {
            // Whether the deletion itself succeeded does not matter: only
            // whether the value is gone afterwards.
            Registry().Reg_Delete_Value(key.Handle(), value_name.toStdString());
            still_there = Value_Exists(key, value_name);
        }
    }
    if (!still_there)
        return true;
    Show_Error(QStringLiteral("Error: The required Registry Key settings ") + Line_Break +
               QStringLiteral("could not be removed from the Windows Registry.  ") + Line_Break + Line_Break +
               QStringLiteral(" Error Key   = ") + key_path + Line_Break + QStringLiteral(" Error Item  = ") +
               value_name + Line_Break + Contact_Author_Text());
    return false;
}

QString Read_Registry_String(platform::HKEY root, const QString& key_path, const QString& value_name)
{
    const Open_Key key(root, key_path);
    if (!key.Is_Open())
        return {};
    return Read_String_Value(key, value_name).value_or(QString());
}

QString Auto_Run_Value_Data()
{
    return QString::fromStdString(platform::Use<platform::Process_Service>().Executable_Path());
}

QString Auto_Run_Value_Name()
{
    return QFileInfo(Auto_Run_Value_Data()).fileName();
}

namespace {

QString Run_Key()
{
    return QString::fromLatin1(Run_Key_Path);
}

// Since Vista only an elevated administrator opens the machine's Run key
// with full access; everyone else gets the user's own, which Windows runs
// at that user's log-on all the same.
platform::HKEY Run_Key_Root()
{
    return Key_Exists(HKEY_LOCAL_MACHINE, Run_Key()) ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// The entry as the machine's key holds it, else as the user's does.
QString Read_Auto_Run_Entry()
{
    const QString machine = Read_Registry_String(HKEY_LOCAL_MACHINE, Run_Key(), Auto_Run_Value_Name());
    return machine.isEmpty() ? Read_Registry_String(HKEY_CURRENT_USER, Run_Key(), Auto_Run_Value_Name())
                             : machine;
}

} // namespace

bool Enable_Auto_Run()
{
    const QString name = Auto_Run_Value_Name();
    const platform::HKEY root = Run_Key_Root();
    if (!Write_Registry_String(root, Run_Key(), name, Auto_Run_Value_Data()))
        return false;
    // Windows starts what both keys hold: an entry left in the user's key by
    // an earlier start without the rights would start the program twice.
    if (root == HKEY_LOCAL_MACHINE) {
        const Open_Key user_key(HKEY_CURRENT_USER, Run_Key());
        if (user_key.Is_Open() && Value_Exists(user_key, name))
            Registry().Reg_Delete_Value(user_key.Handle(), name.toStdString());
    }
    Message_Dlg(QStringLiteral("This program (") + name +
                    QStringLiteral(") will now run automatically at Windows Start-Up."),
                Msg_Type::Information, Msg_Buttons::OK);
    return true;
}

bool Disable_Auto_Run()
{
    const QString name = Auto_Run_Value_Name();
    // Gone from every Run key it may be in: the machine's where it opens,
    // the user's where that opens too or the machine's does not.
    const bool machine_wide = Key_Exists(HKEY_LOCAL_MACHINE, Run_Key());
    if (machine_wide && !Delete_Registry_Value(HKEY_LOCAL_MACHINE, Run_Key(), name))
        return false;
    if ((!machine_wide || Key_Exists(HKEY_CURRENT_USER, Run_Key())) &&
        !Delete_Registry_Value(HKEY_CURRENT_USER, Run_Key(), name))
        return false;
    Message_Dlg(QStringLiteral("This program (") + name +
                    QStringLiteral(") will now no-longer run automatically at Windows Start-Up."),
                Msg_Type::Information, Msg_Buttons::OK);
    return true;
}

bool Same_Text_Ignoring_Ascii_Case(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    auto upper = [](QChar c) {
        return c >= QLatin1Char('a') && c <= QLatin1Char('z') ? QChar(c.unicode() - 'a' + 'A') : c;
    };
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i]))
            return false;
    }
    return true;
}

QString Auto_Run_Path_Question(const QString& value_name, const QString& old_path, const QString& current_path)
{
    return QStringLiteral("The directory / path settings required to make this program (") + value_name +
           QStringLiteral(")") + Line_Break +
           QStringLiteral("run automatically at Windows Start-up do not match where the program ") + Line_Break +
           QStringLiteral("is currently being run from.") + Line_Break + Line_Break + QStringLiteral(" Old      = ") +
           old_path + Line_Break + QStringLiteral(" Current = ") + current_path + Line_Break + Line_Break +
           QStringLiteral("Do you want to update the Windows Registry to ") +
           QStringLiteral("reflect the programs current locaton ?");
}

void Auto_Run::Auto_Run_at_Windows_Startup_OptionClick()
{
    QAction& item = *controls_.Auto_Run_at_Windows_Startup_Option;
    if (!item.isChecked()) {
        if (Enable_Auto_Run())
            item.setChecked(true);
    } else {
        if (Disable_Auto_Run())
            item.setChecked(false);
    }
}

bool Auto_Run::Check_Auto_Run_Path()
{
    const QString stored = Read_Auto_Run_Entry();
    if (stored.isEmpty())
        return false;
    const QString current = Auto_Run_Value_Data();
    if (Same_Text_Ignoring_Ascii_Case(stored, current))
        return true;
    if (Message_Dlg(Auto_Run_Path_Question(Auto_Run_Value_Name(), stored, current), Msg_Type::Warning,
                    Msg_Buttons::Yes_No) == Msg_Result::Yes)
        Enable_Auto_Run();
    return true;
}
