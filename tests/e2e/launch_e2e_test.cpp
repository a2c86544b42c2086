// Starting the real program: its command line, and the window system it
// runs on, including where there is none.
#include "e2e/e2e.h"

#include <QProcess>

namespace {

struct Ending {
    int status = -1;
    QString output;
    QString error;
};

// Runs the built program to its end with these arguments, in an environment
// with no display of any kind unless the test adds one.
Ending Run_Program(const QStringList& arguments, const QStringList& environment_additions = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"})
        environment.remove(QString::fromLatin1(name));
    for (const QString& addition : environment_additions)
        environment.insert(addition.section(QLatin1Char('='), 0, 0), addition.section(QLatin1Char('='), 1));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VISTREL_EXECUTABLE), arguments);
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished(2000);
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

} // namespace

TEST(Command_Line, Help_Version_And_Usage_Errors_Need_No_Display)
{
    VISTREL_SKIP_UNDER_WINE("the Linux command line: a Windows program has no console to answer on");
    const Ending help = Run_Program({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.output.startsWith(QStringLiteral("Usage: vistrel [options]\n"))) << help.output.toStdString();
    EXPECT_TRUE(help.output.contains(QStringLiteral("--version")));

    // The toolkit's own options are no usage error.
    const Ending version = Run_Program({QStringLiteral("-style"), QStringLiteral("fusion"),
                                        QStringLiteral("--session=1_2"), QStringLiteral("-v")});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output, QStringLiteral("Vistrel v4.8f\n"));

    for (const QString& wrong : {QStringLiteral("--bogus"), QStringLiteral("report.txt")}) {
        const Ending usage = Run_Program({wrong});
        EXPECT_EQ(usage.status, 2);
        EXPECT_EQ(usage.output, QString());
        EXPECT_TRUE(usage.error.endsWith(QStringLiteral("\nTry 'vistrel --help' for more information.\n")))
            << usage.error.toStdString();
    }
}

TEST(Window_System, Without_An_X_Display_One_Line_And_Status_1)
{
    VISTREL_SKIP_UNDER_WINE("Linux only: on Windows there is always a desktop to show the window on");
    // Nothing; a Wayland session without XWayland; a display nobody serves.
    for (const QStringList& place :
         {QStringList(), QStringList{QStringLiteral("WAYLAND_DISPLAY=wayland-0")}, QStringList{QStringLiteral("DISPLAY=:999")}}) {
        const Ending ending = Run_Program({}, place);
        EXPECT_EQ(ending.status, 1) << place.join(' ').toStdString();
        EXPECT_EQ(ending.error.count(QLatin1Char('\n')), 1) << ending.error.toStdString();
        EXPECT_TRUE(ending.error.startsWith(QStringLiteral("vistrel: "))) << ending.error.toStdString();
    }

    // A platform the user chose is kept: offscreen needs no display at all.
    e2e::Program_Copy copy;
    QProcessEnvironment offscreen = copy.Environment();
    offscreen.remove(QStringLiteral("DISPLAY"));
    offscreen.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    copy.Process().setProcessEnvironment(offscreen);
    copy.Process().start(copy.File(QStringLiteral("vistrel")), {});
    EXPECT_FALSE(copy.Process().waitForFinished(1500)) << copy.Process().readAllStandardError().toStdString();
    copy.Process().terminate(); // closes as at the end of a session
    EXPECT_TRUE(copy.Process().waitForFinished(5000) && copy.Process().exitCode() == 0);
}

TEST(Window_System, A_Wayland_Session_Runs_On_X_With_The_Program_Icon)
{
    VISTREL_REQUIRE_DISPLAY();
    VISTREL_SKIP_UNDER_WINE("Linux only: Wayland and the toolkit's X platform");
    e2e::Program_Copy copy;
    QProcessEnvironment wayland = copy.Environment();
    wayland.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-vistrel-test"));
    wayland.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    const QString window = copy.Start(wayland);
    ASSERT_FALSE(window.isEmpty()) << "no window on X";

    // The window manager is offered every size of the program's own icon.
    const QString icon = e2e::Run(QStringLiteral("xprop"), {QStringLiteral("-id"), window, QStringLiteral("_NET_WM_ICON")});
    for (const char* size : {"16 x 16", "32 x 32", "48 x 48", "64 x 64", "128 x 128"})
        EXPECT_TRUE(icon.contains(QStringLiteral("Icon (%1)").arg(QLatin1String(size)))) << size;

    ASSERT_TRUE(copy.Close(window));
    // The toolkit never so much as looked for its Wayland platform.
    EXPECT_FALSE(QString::fromLocal8Bit(copy.Process().readAllStandardError()).contains(QStringLiteral("wayland")));
}
