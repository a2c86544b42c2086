// Placement and stacking of the main window on a real X server with a
// window manager: what the window manager itself reports is checked.
#include "app/main_form.h"
#include "common/message_box.h"
#include "common/window_bounds.h"
#include "app/windows.h"
#include "alarm/cpu_drop_form.h"
#include "odometer/settings_form.h"
#include "report/results_form.h"
#include "e2e/e2e.h"
#include "fakes/fake_process.h"
#include "fakes/fake_input.h"
#include "fakes/scoped_config_home.h"

#include <QAction>
#include <QDialog>
#include <QToolButton>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

namespace {

QString Net_Wm_State(WId window)
{
    return e2e::Run(QStringLiteral("xprop"),
                    {QStringLiteral("-id"), QString::number(window), QStringLiteral("_NET_WM_STATE")});
}

// Counts the window being hidden and remembers every position it took.
class Window_Watcher final : public QObject {
public:
    int hides = 0;
    QList<QPoint> positions;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide)
            ++hides;
        if (event->type() == QEvent::Move)
            positions.append(Outer_Bounds(static_cast<QWidget*>(watched)).topLeft());
        return false;
    }
};

class Placement_On_X : public ::testing::Test {
protected:
    void SetUp() override
    {
        VISTREL_REQUIRE_DISPLAY();
        VISTREL_REQUIRE_IN_PROCESS();
        ASSERT_TRUE(folder.isValid());
        process.executable_path = folder.filePath(QStringLiteral("vistrel")).toStdString();
        const QSize size = QGuiApplication::primaryScreen()->geometry().size();
        screen.screen_width = size.width();
        screen.screen_height = size.height();
        windows = std::make_unique<Vistrel_Windows>();
    }

    void TearDown() override { windows.reset(); }

    TMainForm1& Shown_Main_Window()
    {
        TMainForm1& form = *windows->MainForm1;
        form.show();
        // With the defaults the frame settles in the top right corner at the default outer size.
        settled = Frame_Becomes(form, Corner_Top_Right(), 10000);
        return form;
    }

    // The frame reaches `expected` in the window manager's eyes within the time.
    ::testing::AssertionResult Frame_Becomes(const TMainForm1& form, const QRect& expected, int timeout_ms)
    {
        std::optional<QRect> frame;
        if (e2e::Wait_Until([&] { return (frame = e2e::X_Frame(form.winId())) == expected; }, timeout_ms))
            return ::testing::AssertionSuccess();
        const QRect seen = frame.value_or(QRect());
        const QRect own = Outer_Bounds(&form);
        return ::testing::AssertionFailure() << "frame at " << seen.x() << "," << seen.y() << " " << seen.width()
                                             << "x" << seen.height() << " (the program sees " << own.x() << ","
                                             << own.y() << " " << own.width() << "x" << own.height() << ")";
    }

    QRect Corner_Top_Right(int width = 212, int height = 270) const
    {
        return QRect(screen.screen_width - width, 0, width, height);
    }

    QTemporaryDir folder;
    Scoped_Config_Home config_home{folder.filePath(QStringLiteral("config"))};
    Fake_Process process;
    Fake_Input screen;
    platform::Scoped_Service<platform::Process_Service> process_guard{process};
    platform::Scoped_Service<platform::Input_Service> screen_guard{screen};
    std::unique_ptr<Vistrel_Windows> windows;
    ::testing::AssertionResult settled = ::testing::AssertionFailure();
};

TEST_F(Placement_On_X, Defaults_Put_The_Frame_Top_Right_And_Bring_It_Back_After_A_Move)
{
    TMainForm1& form = Shown_Main_Window();
    ASSERT_TRUE(settled);
    EXPECT_EQ(Outer_Bounds(&form), Corner_Top_Right());

    Window_Watcher watcher;
    form.installEventFilter(&watcher);
    e2e::Run(QStringLiteral("xdotool"), {QStringLiteral("windowmove"), QString::number(form.winId()),
                                         QStringLiteral("300"), QStringLiteral("300")});
    ASSERT_TRUE(e2e::Wait_Until(
        [&] { return !watcher.positions.isEmpty() && watcher.positions.first() != Corner_Top_Right().topLeft(); },
        2000));
    EXPECT_TRUE(Frame_Becomes(form, Corner_Top_Right(), 5000));
    form.removeEventFilter(&watcher);
}

TEST_F(Placement_On_X, A_Snap_Item_Moves_The_Window_At_Once_And_Clears_The_Other_Corner)
{
    TMainForm1& form = Shown_Main_Window();
    ASSERT_TRUE(settled);

    form.Snap_Program_to_Bottom_Left_of_Screen_Option->trigger();
    const QRect bottom_left(0, screen.screen_height - 270, 212, 270);
    EXPECT_EQ(Outer_Bounds(&form), bottom_left); // asked of the window manager before the click returned
    EXPECT_TRUE(form.Snap_Program_to_Bottom_Left_of_Screen_Option->isChecked());
    EXPECT_FALSE(form.Snap_Program_to_Top_Right_of_Screen_Option->isChecked());
    EXPECT_TRUE(Frame_Becomes(form, bottom_left, 5000));

    // Clicking the checked corner again lets the window go where it is put.
    form.Snap_Program_to_Bottom_Left_of_Screen_Option->trigger();
    EXPECT_FALSE(form.Snap_Program_to_Bottom_Left_of_Screen_Option->isChecked());
    Set_Outer_Left(&form, 400);
    ASSERT_TRUE(Frame_Becomes(form, bottom_left.translated(400, 0), 5000));
    e2e::Wait(1200);
    EXPECT_EQ(e2e::X_Frame(form.winId()), bottom_left.translated(400, 0));
}

TEST_F(Placement_On_X, Keep_Inside_Pulls_The_Window_Back_Onto_The_Screen)
{
    TMainForm1& form = Shown_Main_Window();
    ASSERT_TRUE(settled);
    form.Snap_Program_to_Top_Right_of_Screen_Option->trigger(); // clears the default corner
    form.Keep_Program_Inside_the_Screen_Bounds_Option->trigger();
    ASSERT_TRUE(form.Keep_Program_Inside_the_Screen_Bounds_Option->isChecked());
    ASSERT_FALSE(form.Snap_Program_to_Top_Right_of_Screen_Option->isChecked());

    form.Program_Size_Timer->stop(); // let the window manager take the stray position first
    Set_Outer_Top(&form, 100);
    Set_Outer_Left(&form, -50);
    ASSERT_TRUE(Frame_Becomes(form, QRect(-50, 100, 212, 270), 5000));
    form.Program_Size_Timer->start();
    EXPECT_TRUE(Frame_Becomes(form, QRect(0, 100, 212, 270), 5000));

    form.Program_Size_Timer->stop();
    Set_Outer_Top(&form, screen.screen_height - 270 + 30);
    ASSERT_TRUE(Frame_Becomes(form, QRect(0, screen.screen_height - 270 + 30, 212, 270), 5000));
    form.Program_Size_Timer->start();
    EXPECT_TRUE(Frame_Becomes(form, QRect(0, screen.screen_height - 270, 212, 270), 5000));
}

TEST_F(Placement_On_X, Keep_Inside_Leaves_The_Bottom_Of_A_Window_Taller_Than_The_Screen)
{
    TMainForm1& form = Shown_Main_Window();
    ASSERT_TRUE(settled);
    form.Snap_Program_to_Top_Right_of_Screen_Option->trigger();
    form.Keep_Program_Inside_the_Screen_Bounds_Option->trigger();

    const int tall = screen.screen_height + 60;
    Set_Outer_Height(&form, tall);
    ASSERT_TRUE(e2e::Wait_Until([&] { return e2e::X_Frame(form.winId()).value_or(QRect()).height() == tall; }, 2000));
    Set_Outer_Top(&form, 50);
    Set_Outer_Left(&form, 100);
    ASSERT_TRUE(Frame_Becomes(form, QRect(100, 50, 212, tall), 2000));
    e2e::Wait(1200);
    EXPECT_EQ(e2e::X_Frame(form.winId()), QRect(100, 50, 212, tall));

    form.Program_Size_Timer->stop();
    Set_Outer_Top(&form, -20);
    ASSERT_TRUE(Frame_Becomes(form, QRect(100, -20, 212, tall), 5000));
    form.Program_Size_Timer->start();
    EXPECT_TRUE(Frame_Becomes(form, QRect(100, 0, 212, tall), 5000));
}

TEST_F(Placement_On_X, A_Maximized_Window_Is_Left_Alone_Until_It_Is_Restored)
{
    TMainForm1& form = Shown_Main_Window();
    ASSERT_TRUE(settled);
    form.Snap_Program_to_Bottom_Right_of_Screen_Option->trigger();
    ASSERT_TRUE(Frame_Becomes(form, QRect(screen.screen_width - 212, screen.screen_height - 270, 212, 270), 5000));

    form.showMaximized();
    ASSERT_TRUE(e2e::Wait_Until(
        [&] { return form.isMaximized() && e2e::X_Frame(form.winId()).value_or(QRect()).width() == screen.screen_width; }, 3000));
    e2e::Wait(300);
    const auto maximized = e2e::X_Frame(form.winId());
    e2e::Wait(1200);
    EXPECT_TRUE(form.isMaximized());
    EXPECT_EQ(e2e::X_Frame(form.winId()), maximized);

    form.showNormal();
    EXPECT_TRUE(Frame_Becomes(form, QRect(screen.screen_width - 212, screen.screen_height - 270, 212, 270), 2000));
}

TEST_F(Placement_On_X, Always_On_Top_Sets_And_Clears_The_Keep_Above_State_In_Place)
{
    TMainForm1& form = Shown_Main_Window();
    ASSERT_TRUE(settled);
    const WId id = form.winId();
    EXPECT_FALSE(Net_Wm_State(id).contains(QStringLiteral("_NET_WM_STATE_ABOVE")));

    Window_Watcher watcher;
    form.installEventFilter(&watcher);
    form.Always_On_Top_Option->trigger();
    EXPECT_TRUE(form.Always_On_Top_Option->isChecked());
    EXPECT_TRUE(e2e::Wait_Until([&] { return Net_Wm_State(id).contains(QStringLiteral("_NET_WM_STATE_ABOVE")); },
                                2000));
    e2e::Wait(300);
    EXPECT_EQ(e2e::X_Frame(id), Corner_Top_Right());

    form.Always_On_Top_Option->trigger();
    EXPECT_FALSE(form.Always_On_Top_Option->isChecked());
    EXPECT_TRUE(e2e::Wait_Until([&] { return !Net_Wm_State(id).contains(QStringLiteral("_NET_WM_STATE_ABOVE")); },
                                2000));
    e2e::Wait(300);
    EXPECT_EQ(e2e::X_Frame(id), Corner_Top_Right());
    EXPECT_EQ(form.winId(), id);
    EXPECT_EQ(watcher.hides, 0);
    EXPECT_TRUE(watcher.positions.isEmpty());
    form.removeEventFilter(&watcher);
}

TEST_F(Placement_On_X, Factory_Defaults_Bring_The_Window_Back_Then_Snap_It_Top_Right)
{
    TMainForm1& form = Shown_Main_Window();
    ASSERT_TRUE(settled);
    const WId id = form.winId();
    // Away from every default: another corner, another size, kept on top.
    form.Snap_Program_to_Bottom_Left_of_Screen_Option->trigger();
    form.Always_On_Top_Option->trigger();
    Set_Outer_Width(&form, 300);
    Set_Outer_Height(&form, 400);
    ASSERT_TRUE(Frame_Becomes(form, QRect(0, screen.screen_height - 400, 300, 400), 3000));
    ASSERT_TRUE(e2e::Wait_Until([&] { return Net_Wm_State(id).contains(QStringLiteral("_NET_WM_STATE_ABOVE")); },
                                2000));

    Window_Watcher watcher;
    form.installEventFilter(&watcher);
    {
        Scoped_Message_Answerer yes([](const Message_Record&) { return Msg_Result::Yes; });
        form.Restore_Factory_Defaults_Option->trigger();
    }
    EXPECT_TRUE(Frame_Becomes(form, Corner_Top_Right(), 3000));
    EXPECT_TRUE(watcher.positions.contains(QPoint(200, 200))) << "placed at its default position first";
    EXPECT_FALSE(form.Always_On_Top_Option->isChecked());
    EXPECT_TRUE(form.Snap_Program_to_Top_Right_of_Screen_Option->isChecked());
    EXPECT_FALSE(form.Snap_Program_to_Bottom_Left_of_Screen_Option->isChecked());
    EXPECT_TRUE(e2e::Wait_Until([&] { return !Net_Wm_State(id).contains(QStringLiteral("_NET_WM_STATE_ABOVE")); },
                                2000));
    form.removeEventFilter(&watcher);
}

// The alarm dialog, the odometer settings and the report window stand with
// their frames centred on the screen, at their first opening (before the
// window manager has framed them) and at every later one.
TEST_F(Placement_On_X, Dialogs_Open_With_Their_Frames_Centred_On_The_Screen)
{
    TMainForm1& form = Shown_Main_Window();
    ASSERT_TRUE(settled);
    const QRect whole = QGuiApplication::primaryScreen()->geometry();
    const struct {
        QDialog* dialog;
        std::function<void()> open;
    } dialogs[] = {
        {windows->CPU_Drop_Form.get(),
         [&] { form.Make_PC_Speaker_Beeps_when_CPU_Usage_Next_Drops_Option->trigger(); }},
        {windows->Settings_Form.get(), [&] { form.Settings_Option->trigger(); }},
        {windows->Results_Form.get(), [&] { form.SpeedButton1->click(); }},
    };
    for (const auto& [dialog, open] : dialogs) {
        for (const char* opening : {"first opening", "second opening"}) {
            SCOPED_TRACE(dialog->objectName().toStdString() + ", " + opening);
            std::optional<QRect> frame;
            bool centred = false;
            QTimer::singleShot(0, dialog, [&, dialog = dialog] {
                centred = e2e::Wait_Until(
                    [&] {
                        frame = e2e::X_Frame(dialog->winId());
                        return frame
                               && frame->topLeft()
                                      == whole.topLeft()
                                             + QPoint((whole.width() - frame->width()) / 2,
                                                      (whole.height() - frame->height()) / 2);
                    },
                    3000);
                dialog->reject();
            });
            open();
            const QRect seen = frame.value_or(QRect());
            EXPECT_TRUE(centred) << "frame at " << seen.x() << "," << seen.y() << " " << seen.width() << "x"
                                 << seen.height() << " on a screen of " << whole.width() << "x" << whole.height();
        }
    }
}

} // namespace
