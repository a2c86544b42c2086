// The real program driven from outside, as a person would: its menus by the
// keyboard, its windows found by their titles, what it leaves behind read
// from the disk. The same tests run against the Linux build and against the
// packaged Windows program under Wine; where the two differ (the start at
// log-on entry, the text editor) the difference is spelled out here.
#include "e2e/e2e.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>

namespace {

QString Xdotool(const QStringList& arguments, int timeout_ms = 10000)
{
    return e2e::Run(QStringLiteral("xdotool"), arguments, timeout_ms);
}

// Keys pressed in the window, one after another as a person types them.
void Keys(const QString& window, const QStringList& keys)
{
    // Activating the window that is already active can wait for a change
    // that never comes.
    if (Xdotool({QStringLiteral("getactivewindow")}).trimmed() != window)
        Xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), window});
    for (const QString& key : keys) {
        Xdotool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), key});
        e2e::Wait(200);
    }
}

// The menu bar's menus, in their order, and an item of one by its place
// (counted from 0, separators left out): opened with Alt+F, moved to with
// the arrows, chosen with Return.
enum class Menu { File = 0, View = 1, Trailcount = 2, Help = 3 };

void Choose(const QString& window, Menu menu, int item)
{
    QStringList keys{QStringLiteral("alt+f")};
    for (int i = 0; i < static_cast<int>(menu); ++i)
        keys << QStringLiteral("Right");
    for (int i = 0; i < item; ++i)
        keys << QStringLiteral("Down");
    keys << QStringLiteral("Return");
    Keys(window, keys);
}

// The visible windows titled exactly so.
QStringList Windows_Titled(const QString& title)
{
    return Xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                    QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$')})
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Waits for a visible window titled so, other than `besides`; empty if none came.
QString Await_Window(const QString& title, const QString& besides = {})
{
    QString found;
    e2e::Wait_Until(
        [&] {
            for (const QString& window : Windows_Titled(title))
                if (window != besides)
                    found = window;
            return !found.isEmpty();
        },
        10000);
    return found;
}

bool Gone(const QString& window)
{
    return e2e::Wait_Until(
        [&] {
            return !e2e::Run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window})
                        .contains(QStringLiteral("IsViewable"));
        },
        5000);
}

QString Net_Wm_State(const QString& window)
{
    return e2e::Run(QStringLiteral("xprop"), {QStringLiteral("-id"), window, QStringLiteral("_NET_WM_STATE")});
}

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& text)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text);
}

QRect Screen()
{
    return QGuiApplication::primaryScreen()->geometry();
}

// The frame's corner touches the screen's within a few pixels: Wine sizes
// the frame from Windows' metrics, the window manager from its theme.
bool Near(QPoint seen, QPoint expected)
{
    return (seen - expected).manhattanLength() <= 8;
}

::testing::AssertionResult Frame_Corner_Becomes(const QString& window, const std::function<QPoint(QRect)>& corner,
                                                QPoint expected)
{
    std::optional<QRect> frame;
    if (e2e::Wait_Until([&] { return (frame = e2e::X_Frame(window)) && Near(corner(*frame), expected); }, 5000))
        return ::testing::AssertionSuccess();
    const QRect seen = frame.value_or(QRect());
    return ::testing::AssertionFailure() << "frame at " << seen.x() << "," << seen.y() << " " << seen.width() << "x"
                                         << seen.height();
}

// Where the program records that it starts at log-on, or nothing: the Run
// key's vistrel.exe value on Windows, the autostart desktop entry's Exec
// line on Linux.
QString Start_At_Log_On_Entry(const e2e::Program_Copy& copy)
{
    if (e2e::Windows_Target()) {
        QString found;
        for (const char* root : {"HKLM", "HKCU"}) {
            const QString answer = e2e::Run(
                e2e::Wine(), {QStringLiteral("reg"), QStringLiteral("query"),
                       QString::fromLatin1(root) + QStringLiteral("\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
                       QStringLiteral("/v"), QStringLiteral("vistrel.exe")});
            const auto value = QRegularExpression(QStringLiteral("vistrel\\.exe\\s+REG_SZ\\s+(.*?)\\r?\\n")).match(answer);
            if (value.hasMatch())
                found += value.captured(1);
        }
        return found;
    }
    const QString text = QString::fromUtf8(Read(copy.File(QStringLiteral("config/autostart/vistrel.desktop"))));
    return QRegularExpression(QStringLiteral("^Exec=(.*)$"), QRegularExpression::MultilineOption).match(text).captured(1);
}

} // namespace

// The File and View menus place and stack the window where the window
// manager shows it, and the choices are in the file after the close.
TEST(Program_On_X, Menus_Snap_And_Stack_The_Window_And_The_Choices_Are_Saved)
{
    VISTREL_REQUIRE_DISPLAY();
    e2e::Program_Copy vistrel;
    const QString window = vistrel.Start();
    ASSERT_FALSE(window.isEmpty()) << "the program's window did not appear";
    const QRect screen = Screen();
    EXPECT_TRUE(Frame_Corner_Becomes(window, &QRect::topRight, screen.topRight())) << "the default corner";

    Choose(window, Menu::File, 0); // Always On Top
    EXPECT_TRUE(e2e::Wait_Until([&] { return Net_Wm_State(window).contains(QStringLiteral("_NET_WM_STATE_ABOVE")); },
                                3000));
    Choose(window, Menu::View, 2); // Snap Program to Bottom Left of Screen
    EXPECT_TRUE(Frame_Corner_Becomes(window, &QRect::bottomLeft, screen.bottomLeft()));
    Choose(window, Menu::File, 0);
    EXPECT_TRUE(e2e::Wait_Until([&] { return !Net_Wm_State(window).contains(QStringLiteral("_NET_WM_STATE_ABOVE")); },
                                3000));
    e2e::Wait(1200); // a few placement passes: the corner holds
    EXPECT_TRUE(Frame_Corner_Becomes(window, &QRect::bottomLeft, screen.bottomLeft()));
    ASSERT_TRUE(vistrel.Close(window));

    const QByteArray saved = Read(vistrel.File(QStringLiteral("vistrel.ini")));
    for (const char* line : {"Always_on_Top_Option=0", "Snap_Program_to_Bottom_Left_of_Screen_Option=1",
                             "Snap_Program_to_Top_Right_of_Screen_Option=0"})
        EXPECT_TRUE(saved.contains(line)) << line << "\n--- in ---\n" << saved.constData();
}

// Kept inside the screen, a window the file puts half off it comes back on.
TEST(Program_On_X, Keep_Inside_Brings_A_Window_Back_Onto_The_Screen)
{
    VISTREL_REQUIRE_DISPLAY();
    e2e::Program_Copy vistrel;
    Write(vistrel.File(QStringLiteral("vistrel.ini")),
          "[vistrel]\nwindow_left_posn=-100\nwindow_top_posn=150\nwindow_Width=212\nwindow_Height=270\n"
          "Snap_Program_to_Top_Right_of_Screen_Option=0\nKeep_Program_Inside_the_Screen_Bounds_Option=1\n");
    const QString window = vistrel.Start();
    ASSERT_FALSE(window.isEmpty());
    EXPECT_TRUE(Frame_Corner_Becomes(window, &QRect::topLeft, QPoint(0, 150)));
    ASSERT_TRUE(vistrel.Close(window));
}

// File > Auto-Run at Windows Startup says what it did, records the program's
// own path where the system starts it from, and takes it out again.
TEST(Program_On_X, Start_At_Log_On_Is_Recorded_And_Taken_Out)
{
    VISTREL_REQUIRE_DISPLAY();
    e2e::Program_Copy vistrel;
    const QString window = vistrel.Start();
    ASSERT_FALSE(window.isEmpty());
    ASSERT_TRUE(Start_At_Log_On_Entry(vistrel).isEmpty()) << "left over from an earlier run";

    Choose(window, Menu::File, 1);
    QString message = Await_Window(QStringLiteral("Information"));
    ASSERT_FALSE(message.isEmpty()) << "no message after the first click";
    Keys(message, {QStringLiteral("Return")});
    EXPECT_TRUE(Gone(message));
    const QString entry = Start_At_Log_On_Entry(vistrel);
    const QString expected_name = e2e::Windows_Target() ? QStringLiteral("\\vistrel.exe") : QStringLiteral("/vistrel");
    EXPECT_TRUE(entry.contains(expected_name) && entry.contains(QDir(vistrel.File({})).dirName()))
        << entry.toStdString();

    Choose(window, Menu::File, 1);
    message = Await_Window(QStringLiteral("Information"));
    ASSERT_FALSE(message.isEmpty()) << "no message after the second click";
    Keys(message, {QStringLiteral("Return")});
    EXPECT_TRUE(Gone(message));
    EXPECT_EQ(Start_At_Log_On_Entry(vistrel), QString());
    ASSERT_TRUE(vistrel.Close(window));
}

// A close whose save fails says so and leaves the program running with the
// user's choices; once the file can be written, the next close saves them.
TEST(Program_On_X, A_Failed_Save_Keeps_The_Program_Open_And_The_Next_Close_Saves)
{
    VISTREL_REQUIRE_DISPLAY();
    e2e::Program_Copy vistrel;
    const QString ini = vistrel.File(QStringLiteral("vistrel.ini"));
    Write(ini, "[vistrel]\nCPU_Drop_Threshold_SpinEdit=61\n");
    const QString window = vistrel.Start();
    ASSERT_FALSE(window.isEmpty());
    QFile::remove(ini);
    ASSERT_TRUE(QDir().mkdir(ini)); // a folder where the file goes: no save can work

    Keys(window, {QStringLiteral("alt+F4")});
    const QString report = Await_Window(QStringLiteral("Vistrel v4.8f"), window);
    ASSERT_FALSE(report.isEmpty()) << "no error report";
    EXPECT_EQ(vistrel.Process().state(), QProcess::Running);
    Keys(report, {QStringLiteral("Return")});
    EXPECT_TRUE(Gone(report));
    e2e::Wait(500);
    EXPECT_EQ(vistrel.Process().state(), QProcess::Running);

    ASSERT_TRUE(QDir().rmdir(ini));
    ASSERT_TRUE(vistrel.Close(window));
    EXPECT_TRUE(Read(ini).contains("CPU_Drop_Threshold_SpinEdit=61"));
}

namespace {

struct Client_Area {
    int width = 0;
    int height = 0;
};

Client_Area Client_Of(const QString& window)
{
    const QString info = e2e::Run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window});
    auto number = [&info](const char* label) {
        return QRegularExpression(QString::fromLatin1(label) + QStringLiteral(":\\s*(\\d+)")).match(info).captured(1).toInt();
    };
    return {number("Width"), number("Height")};
}

void Click_In(const QString& window, QPoint at)
{
    Xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(at.x()),
             QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")});
}

} // namespace

// The report button opens the report of drive C:, whose button copies it to
// the clipboard other programs read.
TEST(Program_On_X, The_Drive_Report_Opens_From_Its_Button_And_Copies_To_The_Clipboard)
{
    VISTREL_REQUIRE_DISPLAY();
    e2e::Program_Copy vistrel;
    const QString window = vistrel.Start();
    ASSERT_FALSE(window.isEmpty());
    // The button's centre lies at (180, 163) of the 201 x 239 layout below
    // the menu bar (about 21 pixels), which stretches with the window.
    const Client_Area client = Client_Of(window);
    Click_In(window, {client.width * 180 / 201, client.height - (client.height - 21) * (239 - 163) / 239});
    const QString report = Await_Window(QStringLiteral(" Report for C:\\ Drive"));
    ASSERT_FALSE(report.isEmpty()) << "no report after a click on its button";

    Click_In(report, {129 + 175 / 2, 397 + 35 / 2}); // Copy to Clipboard
    QString copied;
    EXPECT_TRUE(e2e::Wait_Until(
        [&] {
            copied = e2e::Run(QStringLiteral("xclip"),
                              {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard")}, 3000);
            return copied.startsWith(QStringLiteral("Drive                    = C"));
        },
        5000))
        << copied.toStdString();
    EXPECT_TRUE(copied.contains(QStringLiteral("Bytes per Sector         = ")));
    Keys(report, {QStringLiteral("Escape")});
    EXPECT_TRUE(Gone(report));
    ASSERT_TRUE(vistrel.Close(window));
}

// The alarm is armed through its dialog; its menu item then asks whether
// to go on with it, and No brings the dialog back, whose Cancel leaves it
// disarmed: the item opens the dialog straight away again. (Whether an
// armed alarm fires depends on the machine's real load, which a test from
// outside cannot set; the in-process alarm tests fake it.)
TEST(Program_On_X, The_Alarm_Is_Armed_Through_Its_Dialog_And_Disarmed_From_The_Menu)
{
    VISTREL_REQUIRE_DISPLAY();
    e2e::Program_Copy vistrel;
    // A long low run: nothing fires while the test clicks.
    Write(vistrel.File(QStringLiteral("vistrel.ini")), "[vistrel]\nCPU_Drop_Threshold_SpinEdit=5\nCPU_Drop_Seconds_SpinEdit=500\n");
    const QString window = vistrel.Start();
    ASSERT_FALSE(window.isEmpty());
    const QString title = QStringLiteral("CPU Usage Drop Adviser :");
    const QStringList ok{QStringLiteral("Return")};
    // Escape does nothing there: the Cancel button is clicked.
    const auto cancel = [](const QString& in) { Click_In(in, {335 + 110 / 2, 332 + 25 / 2}); };

    Choose(window, Menu::File, 3); // CPU Usage Drop Alarm
    QString dialog = Await_Window(title);
    ASSERT_FALSE(dialog.isEmpty()) << "no alarm dialog";
    Keys(dialog, ok);
    EXPECT_TRUE(Gone(dialog));

    Choose(window, Menu::File, 3);
    const QString question = Await_Window(QStringLiteral("Confirm"));
    ASSERT_FALSE(question.isEmpty()) << "the alarm was not armed";
    EXPECT_TRUE(Windows_Titled(title).isEmpty());
    Keys(question, {QStringLiteral("n")}); // No: not this alarm
    dialog = Await_Window(title);
    ASSERT_FALSE(dialog.isEmpty()) << "no dialog after No";
    cancel(dialog);
    EXPECT_TRUE(Gone(dialog));

    Choose(window, Menu::File, 3);
    dialog = Await_Window(title);
    ASSERT_FALSE(dialog.isEmpty()) << "no dialog for the disarmed alarm";
    EXPECT_TRUE(Windows_Titled(QStringLiteral("Confirm")).isEmpty()) << "still armed after Cancel";
    cancel(dialog);
    EXPECT_TRUE(Gone(dialog));
    ASSERT_TRUE(vistrel.Close(window));
}

// Trailcount > Show Trailcount opens the odometer's panel below the gauges,
// its settings dialog opens and closes, and the panel is shown at the next start.
TEST(Program_On_X, The_Odometer_Panel_Opens_And_Stays_Open_At_The_Next_Start)
{
    VISTREL_REQUIRE_DISPLAY();
    e2e::Program_Copy vistrel;
    QString window = vistrel.Start();
    ASSERT_FALSE(window.isEmpty());
    const int closed_height = Client_Of(window).height;

    Choose(window, Menu::Trailcount, 0);
    EXPECT_TRUE(e2e::Wait_Until([&] { return Client_Of(window).height > closed_height + 40; }, 3000))
        << "height " << Client_Of(window).height << " from " << closed_height;
    Choose(window, Menu::Trailcount, 1);
    const QString settings = Await_Window(QStringLiteral("Trailcount Settings :"));
    ASSERT_FALSE(settings.isEmpty()) << "no odometer settings";
    Keys(settings, {QStringLiteral("Return")});
    EXPECT_TRUE(Gone(settings));
    ASSERT_TRUE(vistrel.Close(window));
    EXPECT_TRUE(Read(vistrel.File(QStringLiteral("vistrel.ini"))).contains("Show_Trailcount_Option=1"));

    window = vistrel.Start();
    ASSERT_FALSE(window.isEmpty());
    EXPECT_GT(Client_Of(window).height, closed_height + 40);
    ASSERT_TRUE(vistrel.Close(window));
}

// Help's two documents open in Notepad, each on its full path beside the
// executable, whatever folder the program was started from.
TEST(Program_On_X, Help_Opens_The_Documents_In_Notepad)
{
    VISTREL_REQUIRE_DISPLAY();
    if (!e2e::Windows_Target())
        GTEST_SKIP() << "Windows only: on Linux the editor is the desktop's choice (the documents tests cover it)";
    e2e::Program_Copy vistrel;
    const QString window = vistrel.Start();
    ASSERT_FALSE(window.isEmpty());
    for (const auto& [item, file] : {std::pair{0, QStringLiteral("vistrel.txt")}, std::pair{1, QStringLiteral("catalog.txt")}}) {
        SCOPED_TRACE(file.toStdString());
        Choose(window, Menu::Help, item);
        const QString notepad = Await_Window(file + QStringLiteral(" - Notepad"));
        ASSERT_FALSE(notepad.isEmpty());
        const QString pid = Xdotool({QStringLiteral("getwindowpid"), notepad}).trimmed();
        QByteArray given = Read(QStringLiteral("/proc/%1/cmdline").arg(pid));
        given.replace('\0', ' ');
        const QString expected = e2e::Run(e2e::Wine(),
                                          {QStringLiteral("winepath"), QStringLiteral("-w"), vistrel.File(file)})
                                     .trimmed();
        EXPECT_TRUE(!expected.isEmpty() && given.contains(expected.toLocal8Bit())) << given.constData();
        Keys(notepad, {QStringLiteral("alt+F4")});
        EXPECT_TRUE(Gone(notepad));
    }
    ASSERT_TRUE(vistrel.Close(window));
}
