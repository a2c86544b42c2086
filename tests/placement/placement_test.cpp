// The placement pass, the snap and keep-inside items, and always on top.
#include "placement/placement.h"

#include "app/main_form.h"
#include "app/windows.h"
#include "common/window_bounds.h"
#include "fakes/fake_process.h"
#include "fakes/fake_input.h"
#include "fakes/scoped_config_home.h"

#include <QAction>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A window that goes where it is told and writes down each move.
class Recording_Window final : public Placement_Window {
public:
    explicit Recording_Window(QRect bounds) : bounds_(bounds) {}
    QRect Outer_Bounds() const override { return bounds_; }
    void Set_Left(int left) override
    {
        bounds_.moveLeft(left);
        moves.push_back("left " + std::to_string(left));
    }
    void Set_Top(int top) override
    {
        bounds_.moveTop(top);
        moves.push_back("top " + std::to_string(top));
    }
    std::vector<std::string> moves;

private:
    QRect bounds_;
};

Placement_Choices Keep_Inside()
{
    Placement_Choices choices;
    choices.keep_inside = true;
    return choices;
}

Placement_Choices Snap_Top_Right()
{
    Placement_Choices choices;
    choices.snap_top_right = true;
    return choices;
}

TEST(Place_Window, Follows_The_Rules_In_Order_On_A_1280_By_800_Screen)
{
    Placement_Choices both_corners;
    both_corners.snap_bottom_right = true;
    both_corners.snap_top_left = true;
    Placement_Choices top_left;
    top_left.snap_top_left = true;
    Placement_Choices keep_and_bottom_left = Keep_Inside();
    keep_and_bottom_left.snap_bottom_left = true;

    struct Case {
        const char* what;
        Placement_Choices choices;
        QRect start;
        QRect end;
        std::vector<std::string> moves;
    };
    const std::vector<Case> cases = {
        {"top right snap", Snap_Top_Right(), {200, 200, 212, 270}, {1068, 0, 212, 270}, {"top 0", "left 1068"}},
        {"top left snap", top_left, {300, 300, 212, 270}, {0, 0, 212, 270}, {"top 0", "left 0"}},
        {"already in the corner: no traffic", Snap_Top_Right(), {1068, 0, 212, 270}, {1068, 0, 212, 270}, {}},
        {"nothing chosen", {}, {-500, 900, 212, 270}, {-500, 900, 212, 270}, {}},
        {"keep inside: left of the screen", Keep_Inside(), {-50, 100, 212, 270}, {0, 100, 212, 270}, {"left 0"}},
        {"keep inside: 30 below the bottom", Keep_Inside(), {100, 560, 212, 270}, {100, 530, 212, 270}, {"top 530"}},
        {"keep inside: off the right", Keep_Inside(), {1100, 100, 212, 270}, {1068, 100, 212, 270}, {"left 1068"}},
        {"keep inside: above the top", Keep_Inside(), {100, -5, 212, 270}, {100, 0, 212, 270}, {"top 0"}},
        {"keep inside: exactly on the edges", Keep_Inside(), {1068, 530, 212, 270}, {1068, 530, 212, 270}, {}},
        {"keep inside: taller than the screen", Keep_Inside(), {100, 50, 212, 900}, {100, 50, 212, 900}, {}},
        {"keep inside: taller, top above", Keep_Inside(), {100, -20, 212, 900}, {100, 0, 212, 900}, {"top 0"}},
        {"keep inside: as tall as the screen", Keep_Inside(), {100, 10, 212, 800}, {100, 10, 212, 800}, {}},
        {"keep inside: wider than the screen", Keep_Inside(), {-30, 10, 1400, 270}, {0, 10, 1400, 270}, {"left 0"}},
        {"keep inside: a display to the upper left", Keep_Inside(), {-1500, -900, 212, 270}, {0, 0, 212, 270},
         {"left 0", "top 0"}},
        {"keep inside, then the snap decides", keep_and_bottom_left, {-50, -50, 212, 270}, {0, 530, 212, 270},
         {"left 0", "top 0", "top 530"}},
        {"bottom right beats top left", both_corners, {10, 10, 212, 270}, {1068, 530, 212, 270},
         {"top 530", "left 1068"}},
    };
    for (const Case& c : cases) {
        Recording_Window window(c.start);
        Place_Window(c.choices, QRect(0, 0, 1280, 800), window);
        EXPECT_EQ(window.Outer_Bounds(), c.end) << c.what;
        EXPECT_EQ(window.moves, c.moves) << c.what;

        // A screen of unknown size would send every corner off the screen.
        Recording_Window unknown_screen(c.start);
        Place_Window(c.choices, QRect(), unknown_screen);
        EXPECT_TRUE(unknown_screen.moves.empty()) << c.what;
    }
}

// Placement on its own, with the main window's menu items and timer, placing
// a plain window on the offscreen platform with a 1280 by 800 screen. The
// corner a first start has is checked.
class Placement_On_Its_Own : public ::testing::Test {
protected:
    void SetUp() override
    {
        screen.screen_width = 1280;
        screen.screen_height = 800;
        for (QAction* item : {Always_On_Top_Option, Snap_Program_to_Top_Left_of_Screen_Option,
                              Snap_Program_to_Top_Right_of_Screen_Option, Snap_Program_to_Bottom_Left_of_Screen_Option,
                              Snap_Program_to_Bottom_Right_of_Screen_Option, Keep_Program_Inside_the_Screen_Bounds_Option})
            item->setCheckable(true);
        Snap_Program_to_Top_Right_of_Screen_Option->setChecked(true);
        Program_Size_Timer->setInterval(500);
        Program_Size_Timer->setSingleShot(true);
        QObject::connect(Program_Size_Timer, &QTimer::timeout, &window, [this] { placement.Program_Size_TimerTimer(); });
        window.resize(212, 270);
        window.move(200, 200);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    Fake_Input screen;
    platform::Scoped_Service<platform::Input_Service> screen_guard{screen};
    QWidget window;
    QAction* Always_On_Top_Option = new QAction(&window);
    QAction* Snap_Program_to_Top_Left_of_Screen_Option = new QAction(&window);
    QAction* Snap_Program_to_Top_Right_of_Screen_Option = new QAction(&window);
    QAction* Snap_Program_to_Bottom_Left_of_Screen_Option = new QAction(&window);
    QAction* Snap_Program_to_Bottom_Right_of_Screen_Option = new QAction(&window);
    QAction* Keep_Program_Inside_the_Screen_Bounds_Option = new QAction(&window);
    QTimer* Program_Size_Timer = new QTimer(&window);
    ::Placement placement{{Always_On_Top_Option, Snap_Program_to_Top_Left_of_Screen_Option,
                           Snap_Program_to_Top_Right_of_Screen_Option, Snap_Program_to_Bottom_Left_of_Screen_Option,
                           Snap_Program_to_Bottom_Right_of_Screen_Option, Keep_Program_Inside_the_Screen_Bounds_Option,
                           Program_Size_Timer, &window}};
};

// Counts the window being hidden: a re-created native window would be.
class Hide_Counter final : public QObject {
public:
    int hides = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        hides += event->type() == QEvent::Hide;
        return false;
    }
};

TEST_F(Placement_On_Its_Own, Snap_Items_Keep_At_Most_One_Corner_And_Move_At_Once)
{
    placement.Start_Placement();
    EXPECT_TRUE(Program_Size_Timer->isActive());
    const QSize size = Outer_Bounds(&window).size();
    EXPECT_EQ(Outer_Bounds(&window).topLeft(), QPoint(1280 - size.width(), 0));

    placement.Snap_Program_to_Bottom_Left_of_Screen_OptionClick();
    EXPECT_TRUE(Snap_Program_to_Bottom_Left_of_Screen_Option->isChecked());
    EXPECT_FALSE(Snap_Program_to_Top_Right_of_Screen_Option->isChecked());
    EXPECT_EQ(Outer_Bounds(&window).topLeft(), QPoint(0, 800 - size.height()));

    // A hand-edited settings file may leave two corners set: a click on a
    // third leaves only that one.
    Snap_Program_to_Top_Right_of_Screen_Option->setChecked(true);
    placement.Snap_Program_to_Bottom_Right_of_Screen_OptionClick();
    EXPECT_TRUE(Snap_Program_to_Bottom_Right_of_Screen_Option->isChecked());
    EXPECT_FALSE(Snap_Program_to_Top_Right_of_Screen_Option->isChecked());
    EXPECT_FALSE(Snap_Program_to_Bottom_Left_of_Screen_Option->isChecked());
    EXPECT_FALSE(Snap_Program_to_Top_Left_of_Screen_Option->isChecked());
    EXPECT_EQ(Outer_Bounds(&window).topLeft(), QPoint(1280 - size.width(), 800 - size.height()));

    // Clicking the checked corner lets go of it: the window stays put.
    placement.Snap_Program_to_Bottom_Right_of_Screen_OptionClick();
    EXPECT_FALSE(Snap_Program_to_Bottom_Right_of_Screen_Option->isChecked());
    Set_Outer_Left(&window, 300);
    Set_Outer_Top(&window, 200);
    placement.Program_Size_TimerTimer();
    EXPECT_EQ(Outer_Bounds(&window).topLeft(), QPoint(300, 200));

    // Keep inside brings it back from off the left edge at once.
    Set_Outer_Left(&window, -50);
    placement.Keep_Program_Inside_the_Screen_Bounds_OptionClick();
    EXPECT_TRUE(Keep_Program_Inside_the_Screen_Bounds_Option->isChecked());
    EXPECT_EQ(Outer_Bounds(&window).topLeft(), QPoint(0, 200));

    // The screen a corner belongs to is the primary one, wherever it lies.
    placement.Snap_Program_to_Top_Right_of_Screen_OptionClick();
    screen.primary = {1280, 0, 1024, 768};
    placement.Program_Size_TimerTimer();
    EXPECT_EQ(Outer_Bounds(&window).topLeft(), QPoint(1280 + 1024 - size.width(), 0));
}

TEST_F(Placement_On_Its_Own, Always_On_Top_Changes_The_Stacking_In_Place)
{
    Hide_Counter counter;
    window.installEventFilter(&counter);
    const WId native = window.winId();
    const QRect outer = Outer_Bounds(&window);

    placement.Always_On_Top_OptionClick();
    EXPECT_TRUE(Always_On_Top_Option->isChecked());
    EXPECT_TRUE(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    placement.Always_On_Top_OptionClick();
    EXPECT_FALSE(Always_On_Top_Option->isChecked());
    EXPECT_FALSE(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    EXPECT_EQ(counter.hides, 0);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.winId(), native);
    EXPECT_EQ(Outer_Bounds(&window), outer);
    window.removeEventFilter(&counter);

    // Before the window has a native one, the flag waits in the widget's own.
    QWidget unshown;
    QAction item;
    item.setCheckable(true);
    ::Placement stacking({&item, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &unshown});
    stacking.Toggle_Always_On_Top();
    EXPECT_TRUE(unshown.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

// The main window on the offscreen platform, with a 1280 by 800 screen: the
// start-up, the menu and the window's moves reach placement.
class Placement_Items : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        process.executable_path = folder.filePath(QStringLiteral("vistrel")).toStdString();
        screen.screen_width = 1280;
        screen.screen_height = 800;
        windows = std::make_unique<Vistrel_Windows>();
        form = windows->MainForm1.get();
        form->show();
    }
    void TearDown() override { windows.reset(); }

    QTemporaryDir folder;
    Scoped_Config_Home config_home{folder.filePath(QStringLiteral("config"))};
    Fake_Process process;
    Fake_Input screen;
    platform::Scoped_Service<platform::Process_Service> process_guard{process};
    platform::Scoped_Service<platform::Input_Service> screen_guard{screen};
    std::unique_ptr<Vistrel_Windows> windows;
    TMainForm1* form = nullptr;
};

TEST_F(Placement_Items, Start_Up_And_The_Menu_Items_Reach_Placement)
{
    const QSize size = Outer_Bounds(form).size();
    EXPECT_EQ(Outer_Bounds(form).topLeft(), QPoint(1280 - size.width(), 0));
    EXPECT_TRUE(form->Program_Size_Timer->isActive());
    EXPECT_EQ(form->Program_Size_Timer->interval(), 500);
    EXPECT_FALSE(form->Always_On_Top_Option->isChecked());
    EXPECT_FALSE(form->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));

    form->Snap_Program_to_Bottom_Left_of_Screen_Option->trigger();
    EXPECT_TRUE(form->Snap_Program_to_Bottom_Left_of_Screen_Option->isChecked());
    EXPECT_FALSE(form->Snap_Program_to_Top_Right_of_Screen_Option->isChecked());
    EXPECT_EQ(Outer_Bounds(form).topLeft(), QPoint(0, 800 - size.height()));
    form->Keep_Program_Inside_the_Screen_Bounds_Option->trigger();
    EXPECT_TRUE(form->Keep_Program_Inside_the_Screen_Bounds_Option->isChecked());

    form->Always_On_Top_Option->trigger();
    EXPECT_TRUE(form->Always_On_Top_Option->isChecked());
    EXPECT_TRUE(form->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    form->Always_On_Top_Option->trigger();
    EXPECT_FALSE(form->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST(Window_Bounds, A_Window_Not_Yet_Shown_Takes_The_Outer_Bounds_Asked_For)
{
    QWidget window;
    Set_Outer_Top(&window, 200);
    Set_Outer_Left(&window, 150);
    Set_Outer_Width(&window, 212);
    Set_Outer_Height(&window, 270);
    EXPECT_EQ(Outer_Bounds(&window), QRect(150, 200, 212, 270));
}

} // namespace

TEST_F(Placement_Items, The_Pass_Runs_When_The_Window_Moves_Not_While_It_Rests)
{
    // After the start-up's own passes the timer stops: nothing moved.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->Program_Size_Timer->isActive(); }, 10000));
    QTest::qWait(600);
    EXPECT_FALSE(form->Program_Size_Timer->isActive());

    // Dragged away from its corner, the window goes back on the real timer.
    const QRect corner = Outer_Bounds(form);
    form->move(form->pos() - QPoint(400, -150));
    EXPECT_TRUE(form->Program_Size_Timer->isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return Outer_Bounds(form) == corner; }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->Program_Size_Timer->isActive(); }, 10000));

    // A screen that changes size brings the pass back too.
    screen.screen_width = 1024;
    emit QGuiApplication::primaryScreen()->geometryChanged(QRect(0, 0, 1280, 800));
    EXPECT_TRUE(form->Program_Size_Timer->isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return Outer_Bounds(form).topLeft() == QPoint(1024 - corner.width(), 0); }, 10000));
}

TEST(Sane_Window_Bounds, A_Settings_File_Cannot_Ask_For_Bounds_A_Window_Cannot_Have)
{
    const QRect primary(0, 0, 1280, 800);
    const QList<QRect> one{primary};
    const QList<QRect> two{primary, QRect(1280, 0, 1920, 1080)};
    const struct {
        const char* what;
        QList<QRect> screens;
        int left, top, width, height;
        QRect sane;
    } cases[] = {
        {"as saved", one, 200, 200, 212, 270, QRect(200, 200, 212, 270)},
        {"huge", one, 200, 200, 2147483647, 2147483647, QRect(200, 200, 1280, 800)},
        {"huge height", one, 100, 300, 212, 0x7FFFFFFF, QRect(100, 300, 212, 800)},
        {"none at all", one, 200, 200, 0, -5, QRect(200, 200, 150, 100)},
        {"grown in the corner", one, 1279, 799, 2, 5, QRect(1280 - 150, 800 - 100, 150, 100)},
        {"wholly right", one, 5000, 100, 212, 270, QRect(1280 - 212, 100, 212, 270)},
        {"wholly above left", one, -2147483647 - 1, -900, 212, 270, QRect(0, 0, 212, 270)},
        {"partly off stays", one, -100, 700, 212, 270, QRect(-100, 700, 212, 270)},
        {"on the second screen", two, 2000, 500, 212, 270, QRect(2000, 500, 212, 270)},
        {"across both", two, 0, 0, 9999, 9999, QRect(0, 0, 3200, 1080)},
        {"as wide as the primary", one, 3000, 100, 1280, 270, QRect(0, 100, 1280, 270)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Sane_Window_Bounds(c.left, c.top, c.width, c.height, c.screens, primary), c.sane) << c.what;
}
