// vistrel.ini with the real program on a real X server: started from a
// folder holding a prepared file, closed through the window manager.
#include "common/window_bounds.h"
#include "e2e/e2e.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>

#include <cstdlib>

namespace {

// A portable copy with a vistrel.ini prepared beside it.
class Portable_Program : public e2e::Program_Copy {
public:
    QString Ini_Path() const { return File(QStringLiteral("vistrel.ini")); }

    void Write_Ini(const QByteArray& text) const
    {
        QFile file(Ini_Path());
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(text);
    }

    QByteArray Read_Ini() const
    {
        QFile file(Ini_Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
};

// The value lines of a file, "key=value" without the line ends.
QList<QByteArray> Lines(const QByteArray& text)
{
    QList<QByteArray> lines = text.split('\n');
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    return lines;
}

} // namespace

TEST(Settings_On_X, Closing_Through_The_Window_Manager_Rewrites_The_Prepared_File)
{
    VISTREL_REQUIRE_DISPLAY();
    Portable_Program vistrel;
    vistrel.Write_Ini("; prepared by hand\r\n"
                      "[vistrel]\r\n"
                      "window_top_posn=0x64\r\n"
                      "window_left_posn=150\r\n"
                      "window_Width=260\r\n"
                      "window_Height=330\r\n"
                      "DriveComboBox1.Drive=C\r\n"
                      "always_on_top_option=0\r\n"
                      "CPU_Drop_Threshold_SpinEdit=77\r\n"
                      "CPU_Drop_Seconds_SpinEdit=9999\r\n"
                      "Sound_Frequency_TrackBar=1234\r\n"
                      "Play_Single_Tone_RadioButton=0\r\n"
                      "Play_Wolf_Whistle_RadioButton=1\r\n"
                      "Snap_Program_to_Top_Right_of_Screen_Option=0\r\n"
                      "[trailcnt]\r\n"
                      "Kilometers_Travelled_So_Far=1,234.5\r\n"
                      "Left_Mouse_Button_Press_Count=42\r\n"
                      "Right_Mouse_Button_Press_Count=garbage\r\n"
                      "Screen_Width_SpinEdit=$1E\r\n"
                      "Screen_Height_SpinEdit=25\r\n"
                      "Distance_Travelled_Units_RadioGroup=1\r\n");
    const QString window = vistrel.Start();
    ASSERT_FALSE(window.isEmpty()) << "the program's window did not appear";
    ASSERT_TRUE(vistrel.Close(window));

    const QList<QByteArray> lines = Lines(vistrel.Read_Ini());
    const QList<QByteArray> expected_start = {
        "; prepared by hand",
        "[vistrel]",
    };
    ASSERT_GE(lines.size(), 30);
    EXPECT_EQ(lines.mid(0, 2), expected_start);
    EXPECT_TRUE(lines[2].startsWith("window_top_posn=")) << lines[2].constData();
    EXPECT_TRUE(lines[3].startsWith("window_left_posn="));
    EXPECT_TRUE(lines[4].startsWith("window_Width="));
    EXPECT_TRUE(lines[5].startsWith("window_Height="));
    const QList<QByteArray> expected_rest = {
        "DriveComboBox1.Drive=c",
        lines[7].startsWith("always_on_top_option=") ? lines[7] : QByteArray("always_on_top_option=?"),
        "CPU_Drop_Threshold_SpinEdit=77",
        "CPU_Drop_Seconds_SpinEdit=500",
        "Sound_Frequency_TrackBar=1234",
        "Play_Single_Tone_RadioButton=0",
        "Play_Wolf_Whistle_RadioButton=1",
        "Snap_Program_to_Top_Right_of_Screen_Option=0",
        "WindowState_wsMaximized=0",
        "CPU_Drop_Beep_Seconds_SpinEdit=1",
        "Play_Sliding_Scale_RadioButton=0",
        "Auto_Run_at_Windows_Startup_Option=0",
        "Keep_Program_Inside_the_Screen_Bounds_Option=0",
        "Snap_Program_to_Bottom_Right_of_Screen_Option=0",
        "Snap_Program_to_Bottom_Left_of_Screen_Option=0",
        "Snap_Program_to_Top_Left_of_Screen_Option=0",
        "Show_Trailcount_Option=0",
        "[trailcnt]",
        "Kilometers_Travelled_So_Far=1,234.5000000000",
        "Left_Mouse_Button_Press_Count=42",
        "Right_Mouse_Button_Press_Count=0",
        "Screen_Width_SpinEdit=30",
        "Screen_Height_SpinEdit=25",
        "Distance_Travelled_Units_RadioGroup=1",
        "",
    };
    EXPECT_EQ(lines.mid(6), expected_rest);
}

namespace {

QList<QByteArray> Bounds_Lines(const QByteArray& text)
{
    QList<QByteArray> bounds;
    for (const QByteArray& line : Lines(text))
        if (line.startsWith("window_"))
            bounds << line;
    return bounds;
}

} // namespace

TEST(Settings_On_X, A_Maximized_Close_Saves_Normal_Bounds)
{
    VISTREL_REQUIRE_DISPLAY();
    Portable_Program vistrel;
    vistrel.Write_Ini("[vistrel]\nWindowState_wsMaximized=1\nwindow_top_posn=120\nwindow_left_posn=140\n"
                      "window_Width=250\nwindow_Height=320\nSnap_Program_to_Top_Right_of_Screen_Option=0\n");
    const QString window = vistrel.Start();
    ASSERT_FALSE(window.isEmpty());
    EXPECT_TRUE(e2e::Run(QStringLiteral("xprop"), {QStringLiteral("-id"), window, QStringLiteral("_NET_WM_STATE")})
                    .contains(QStringLiteral("_NET_WM_STATE_MAXIMIZED_VERT")));
    ASSERT_TRUE(vistrel.Close(window));

    const QByteArray text = vistrel.Read_Ini();
    EXPECT_TRUE(text.contains("\nWindowState_wsMaximized=1\n")) << text.constData();
    // Exactly the normal bounds the file gave, never the screen-filling ones,
    // and the same again after another maximized session.
    const QList<QByteArray> bounds = Bounds_Lines(text);
    ASSERT_EQ(bounds.size(), 4);
    const int asked[] = {120, 140, 250, 320};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(bounds[i].mid(bounds[i].indexOf('=') + 1).toInt(), asked[i]) << bounds[i].constData();
    const QString again = vistrel.Start();
    ASSERT_FALSE(again.isEmpty());
    ASSERT_TRUE(vistrel.Close(again));
    EXPECT_EQ(Bounds_Lines(vistrel.Read_Ini()), bounds);
}

// Window sizes from a hand-edited file that no window could be seen at
// (none, negative, a few pixels, even at the screen's far corner) and far
// too large ones: each start shows a window the user can grab and close,
// wholly on the screen; it closes at the first request, saves a size that
// shows it again, and the next start does.
TEST(Settings_On_X, Any_Window_Size_In_The_File_Gives_A_Window_On_The_Screen)
{
    VISTREL_REQUIRE_DISPLAY();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    // Under Wine the program places the frame Windows would draw, and the
    // window manager draws its own around the client a pixel or two off.
    const QRect on_screen = e2e::Windows_Target() ? screen.adjusted(-4, -4, 4, 4) : screen;
    const QByteArray corner = "window_left_posn=" + QByteArray::number(screen.right()) + "\nwindow_top_posn="
                              + QByteArray::number(screen.bottom()) + "\n";
    const QByteArray unsnapped = "Snap_Program_to_Top_Right_of_Screen_Option=0\n";
    const struct {
        const char* what;
        QByteArray bounds;
    } files[] = {
        {"-5 by 5", "window_Width=-5\nwindow_Height=5\n"},
        {"0 by 2 in the corner", "window_Width=0\nwindow_Height=2\n" + corner + unsnapped},
        {"1 by 1", "window_Width=1\nwindow_Height=1\n" + unsnapped},
        {"2 by 0 in the corner", "window_Width=2\nwindow_Height=0\n" + corner + unsnapped},
        {"5 by -5", "window_Width=5\nwindow_Height=-5\n"},
        {"huge", "window_Width=2147483647\nwindow_Height=0x7FFFFFFF\nwindow_top_posn=-99999\n"},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.what);
        Portable_Program vistrel;
        vistrel.Write_Ini("[vistrel]\n" + file.bounds + "CPU_Drop_Threshold_SpinEdit=77\n");
        for (const char* start : {"first start", "next start"}) {
            SCOPED_TRACE(start);
            const QString window = vistrel.Start();
            ASSERT_FALSE(window.isEmpty()) << "no window appeared";
            std::optional<QRect> frame;
            EXPECT_TRUE(e2e::Wait_Until(
                [&] {
                    frame = e2e::X_Frame(window);
                    return frame && on_screen.contains(*frame) && frame->width() >= Least_Outer_Width
                           && frame->height() >= Least_Outer_Height;
                },
                5000))
                << "frame " << frame.value_or(QRect()).x() << "," << frame.value_or(QRect()).y() << " "
                << frame.value_or(QRect()).width() << "x" << frame.value_or(QRect()).height();
            ASSERT_TRUE(vistrel.Close(window));
        }
        const QByteArray text = vistrel.Read_Ini();
        EXPECT_TRUE(text.contains("CPU_Drop_Threshold_SpinEdit=77")) << text.constData();
        for (const QByteArray& line : Bounds_Lines(text)) {
            const int value = line.mid(line.indexOf('=') + 1).toInt();
            if (line.startsWith("window_Width="))
                EXPECT_GE(value, Least_Outer_Width);
            if (line.startsWith("window_Height="))
                EXPECT_GE(value, Least_Outer_Height);
        }
    }
}

// A file far larger than any the program writes starts, closes at the first
// request and loses nothing.
TEST(Settings_On_X, A_Huge_File_Starts_And_Closes_And_Loses_Nothing)
{
    VISTREL_REQUIRE_DISPLAY();
    // Twenty megabytes of comments between the sections.
    Portable_Program vistrel;
    QByteArray text = "[vistrel]\nCPU_Drop_Threshold_SpinEdit=66\n";
    const QByteArray filler = "; a hand-written note that goes on and on and on\n";
    text.reserve(21 << 20);
    while (text.size() < (20 << 20))
        text += filler;
    text += "[trailcnt]\nKilometers_Travelled_So_Far=42.25\nLeft_Mouse_Button_Press_Count=7\n";
    vistrel.Write_Ini(text);
    const QString window = vistrel.Start();
    ASSERT_FALSE(window.isEmpty());
    ASSERT_TRUE(vistrel.Close(window));
    const QByteArray saved = vistrel.Read_Ini();
    EXPECT_GT(saved.size(), 20 << 20) << "the notes are kept";
    EXPECT_TRUE(saved.contains("CPU_Drop_Threshold_SpinEdit=66"));
    EXPECT_TRUE(saved.contains("Kilometers_Travelled_So_Far=42.25"));
    EXPECT_TRUE(saved.contains("Left_Mouse_Button_Press_Count=7"));
}

// The end of the session ends the program even when its settings cannot be
// saved: it says why on standard error. On Linux that end is a termination
// signal, and the program ends with status 0; on Windows every window is
// sent WM_QUERYENDSESSION and WM_ENDSESSION (Wine's wineboot --end-session
// does as Windows does), and the system then ends the process itself.
TEST(Settings_On_X, The_End_Of_The_Session_Ends_The_Program_Whatever_The_Save)
{
    VISTREL_REQUIRE_DISPLAY();
    Portable_Program vistrel;
    QDir().mkdir(vistrel.Ini_Path()); // a folder where the file should be: no save can work
    const QString window = vistrel.Start();
    ASSERT_FALSE(window.isEmpty());
    if (e2e::Windows_Target()) {
        e2e::Run(e2e::Wine(), {QStringLiteral("wineboot"), QStringLiteral("--end-session")});
        // The program may be gone already, seen while the tool ran.
        ASSERT_TRUE(e2e::Wait_Until([&] { return vistrel.Process().state() == QProcess::NotRunning; }, 10000));
    } else {
        vistrel.Process().terminate();
        ASSERT_TRUE(vistrel.Process().waitForFinished(10000));
        EXPECT_EQ(vistrel.Process().exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(vistrel.Process().exitCode(), 0);
    }
    EXPECT_TRUE(QString::fromLocal8Bit(vistrel.Process().readAllStandardError())
                    .contains(QStringLiteral("vistrel: Unable to write to ")));
}
