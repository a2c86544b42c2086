// The main window on a real X server.
#include "app/main_form.h"
#include "app/windows.h"
#include "e2e/e2e.h"
#include "widgets/gauge.h"

#include <QLabel>

TEST(Main_Window_On_X, Shows_Live_Figures_And_Turns_The_Spinner)
{
    VISTREL_REQUIRE_DISPLAY();
    VISTREL_REQUIRE_IN_PROCESS();
    Vistrel_Windows windows;
    TMainForm1& form = *windows.MainForm1;
    form.show();
    ASSERT_TRUE(e2e::Wait_Until([&] { return form.isVisible(); }, 5000));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Vistrel v4.8f"));
    EXPECT_FALSE(form.RAM_Label->text().isEmpty());
    EXPECT_GT(form.Phisical_RAM_Gauge->MaxValue(), 0);
    const QString spinner = form.Spinner_Label->text();
    e2e::Wait(700);
    EXPECT_NE(form.Spinner_Label->text(), spinner);
}
