// The drive report on a real X server: opened from its button, with this
// machine's figures, and copied to the X clipboard.
#include "app/main_form.h"
#include "common/number_format.h"
#include "app/windows.h"
#include "e2e/e2e.h"
#include "metrics/drive_combo_box.h"
#include "platform/linux/mount_table.h"
#include "report/results_form.h"

#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <sys/statvfs.h>
#include <unistd.h>

namespace {

QStringList Click_Arguments(QWidget* widget)
{
    const QPoint centre = widget->mapToGlobal(widget->rect().center());
    return {QStringLiteral("mousemove"), QString::number(centre.x()), QString::number(centre.y()),
            QStringLiteral("click"), QStringLiteral("1")};
}

void Click(QWidget* widget)
{
    e2e::Run(QStringLiteral("xdotool"), Click_Arguments(widget));
}

// For a click that opens a modal window: the window's loop would otherwise
// run inside the wait for the click tool.
void Click_And_Go_On(QWidget* widget)
{
    QProcess::startDetached(QStringLiteral("xdotool"), Click_Arguments(widget));
}

TEST(Drive_Report_On_X, Opens_From_Its_Button_And_Copies_To_The_Clipboard)
{
    VISTREL_REQUIRE_DISPLAY();
    VISTREL_REQUIRE_IN_PROCESS();
    Vistrel_Windows windows;
    TMainForm1& form = *windows.MainForm1;
    TResults_Form& report = *windows.Results_Form;
    form.show();
    ASSERT_TRUE(e2e::Wait_Until([&] { return form.isVisible() && form.SpeedButton1->isVisible(); }, 5000));
    form.DriveComboBox1->Set_Drive(QLatin1Char('c'));
    e2e::Wait(300);

    // The report window is modal: what happens in it runs inside its own
    // event loop, from a timer that waits for it to appear.
    QString caption, shown, clipboard;
    bool closed_by_ok = false;
    QTimer watcher;
    watcher.setInterval(50);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (!report.isVisible())
            return;
        watcher.stop();
        e2e::Wait(300);
        caption = report.windowTitle();
        shown = report.Report_Memo->toPlainText();
        Click(report.Clipboard_BitBtn);
        e2e::Wait(200);
        clipboard = e2e::Run(QStringLiteral("xclip"), {QStringLiteral("-o"), QStringLiteral("-selection"),
                                                       QStringLiteral("clipboard")});
        Click(report.Exit_BitBtn);
        closed_by_ok = e2e::Wait_Until([&] { return !report.isVisible(); }, 5000);
    });
    watcher.start();
    Click_And_Go_On(form.SpeedButton1);
    ASSERT_TRUE(e2e::Wait_Until([&] { return !watcher.isActive() && !report.isVisible(); }, 20000));
    EXPECT_TRUE(closed_by_ok);

    EXPECT_EQ(caption, QStringLiteral(" Report for C:\\ Drive"));
    struct statvfs root{};
    ASSERT_EQ(statvfs("/", &root), 0);
    const auto drive = platform::linux_detail::Drive_For_Root("C:\\");
    ASSERT_TRUE(drive.has_value());
    const QString expected_start =
        QStringLiteral("Drive                    = C\n\nDisk Volume Name         = ");
    EXPECT_TRUE(shown.startsWith(expected_start)) << shown.toStdString();
    for (const QString& line : {
             QStringLiteral("\nFile System              = ") + QString::fromStdString(drive->file_system) + '\n',
             QStringLiteral("\nBytes per Sector         = 512\n"),
             QStringLiteral("\nTotal Number of Clusters = ")
                 + Format_Fixed(static_cast<long double>(root.f_blocks), 0, true) + '\n',
             QStringLiteral("\nIs Disk Writable ?         ") + (access("/", W_OK) == 0 ? "Yes" : "No") + '\n',
         })
        EXPECT_TRUE(shown.contains(line)) << line.toStdString() << "\n--- in ---\n" << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("\n\n\n\nThe disk cannot be removed from the drive.  e.g. a hard-drive."))
                || shown.endsWith(QStringLiteral("\n\n\n\nThe drive can be removed from the drive.")))
        << shown.toStdString();
    EXPECT_EQ(clipboard, shown);
}

} // namespace
