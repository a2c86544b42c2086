// The window's Trailcount menu reaches its odometer: the panel command
// resizes the real window and records its layout afresh, and the other
// items open the odometer's dialogs.
#include "common/file_dialog.h"
#include "fakes/faked_windows.h"
#include "odometer/settings_form.h"

#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QTimer>
#include <gtest/gtest.h>

TEST(Odometer_Wiring, Show_Trailcount_Resizes_The_Window_And_Records_The_Layout_Afresh)
{
    Faked_Windows windows;
    TMainForm1& form = windows.form();
    form.Set_Client_Width(201);
    form.Set_Client_Height(239);
    form.Layout_Scaling.Record_Layout();

    form.Show_Trailcount_Option->trigger();
    EXPECT_TRUE(form.Show_Trailcount_Option->isChecked());
    EXPECT_TRUE(form.Layout_Scaling.Resize_Handler_Attached);
    EXPECT_EQ(form.Client_Size(), QSize(201, 337));
    EXPECT_EQ(form.Scaling_ListBox->item(0)->text(), QStringLiteral("201 337 W/H Mainform1"));

    form.Show_Trailcount_Option->trigger();
    EXPECT_FALSE(form.Show_Trailcount_Option->isChecked());
    EXPECT_EQ(form.Client_Size(), QSize(201, 239));
    EXPECT_EQ(form.Scaling_ListBox->item(0)->text(), QStringLiteral("201 239 W/H Mainform1"));

    // At a scaled size the current, scaled positions give the height, and
    // the panel's controls keep their size in the new reference.
    form.Client->resize(402, 478);
    form.Layout_Scaling.Scale_Layout();
    const QRect panel = form.Left_Right_Clicks_GroupBox->geometry();
    form.Show_Trailcount_Option->trigger();
    EXPECT_EQ(form.Client_Size(), QSize(402, panel.bottom() + 1 + form.Label2->y()));
    EXPECT_EQ(form.Left_Right_Clicks_GroupBox->geometry(), panel);
    form.Layout_Scaling.Scale_Layout();
    EXPECT_EQ(form.Left_Right_Clicks_GroupBox->geometry(), panel);

    // Shown, a window the user made a little smaller gets back the very
    // height it had, menu bar and all.
    form.Show_Trailcount_Option->trigger();
    form.show();
    form.resize(form.width(), form.height() - 7);
    QCoreApplication::processEvents();
    const QSize client = form.Client_Size();
    const int outer = form.height();
    form.Show_Trailcount_Option->trigger();
    EXPECT_GT(form.Client_Size().height(), client.height());
    form.Show_Trailcount_Option->trigger();
    EXPECT_EQ(form.Client_Size(), client);
    EXPECT_EQ(form.height(), outer);
}

TEST(Odometer_Wiring, The_Other_Trailcount_Items_Open_The_Odometers_Dialogs)
{
    Faked_Windows windows;
    TMainForm1& form = windows.form();
    TSettings_Form& settings = *windows.windows->Settings_Form;

    bool settings_shown = false;
    QTimer::singleShot(0, &settings, [&] {
        settings_shown = settings.isVisible();
        settings.accept();
    });
    form.Settings_Option->trigger();
    EXPECT_TRUE(settings_shown);

    std::vector<const TFile_Dialog*> shown;
    TFile_Dialog::Set_Answerer([&](const TFile_Dialog& dialog) {
        shown.push_back(&dialog);
        return QString();
    });
    form.Load_Settings_from_Trailcount_Option->trigger();
    form.Save_Settings_to_Trailcount_Option->trigger();
    TFile_Dialog::Set_Answerer(nullptr);
    EXPECT_EQ(shown, (std::vector<const TFile_Dialog*>{form.OpenDialog1, form.SaveDialog1}));
}
