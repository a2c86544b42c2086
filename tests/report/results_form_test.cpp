// The report window and the button that fills and shows it.
#include "app/main_form.h"
#include "fakes/fake_disk.h"
#include "fakes/fake_volume.h"
#include "metrics/drive_combo_box.h"
#include "report/results_form.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

TEST(Results_Form, Controls_As_Designed)
{
    TResults_Form form;
    EXPECT_EQ(form.objectName(), QStringLiteral("Results_Form"));
    EXPECT_EQ(form.size(), QSize(630, 434));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());

    EXPECT_EQ(form.Report_Memo->objectName(), QStringLiteral("Report_Memo"));
    EXPECT_EQ(form.Report_Memo->geometry(), QRect(4, 2, 617, 391));
    EXPECT_TRUE(form.Report_Memo->isReadOnly());
    EXPECT_EQ(form.Report_Memo->font().family(), QStringLiteral("Courier New"));
    EXPECT_EQ(form.Report_Memo->font().pixelSize(), 12);
    EXPECT_EQ(form.Report_Memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(form.Report_Memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    const struct {
        QPushButton* button;
        const char* name;
        const char* caption;
        QRect geometry;
        const char* tip;
    } buttons[] = {
        {form.Clipboard_BitBtn, "Clipboard_BitBtn", "Copy to Clipboard", {129, 397, 175, 35}, "Copy to Window's Clipboard."},
        {form.Exit_BitBtn, "Exit_BitBtn", "OK", {327, 397, 175, 35}, "Close this Window"},
    };
    for (const auto& b : buttons) {
        EXPECT_EQ(b.button->objectName(), QString::fromLatin1(b.name));
        EXPECT_EQ(b.button->text(), QString::fromLatin1(b.caption));
        EXPECT_EQ(b.button->geometry(), b.geometry);
        EXPECT_EQ(b.button->toolTip(), QString::fromLatin1(b.tip));
        EXPECT_EQ(b.button->font().family(), QStringLiteral("Times New Roman"));
        EXPECT_EQ(b.button->font().pixelSize(), 15);
        EXPECT_TRUE(b.button->font().bold());
        EXPECT_FALSE(b.button->icon().isNull());
    }
    EXPECT_EQ(form.Clipboard_BitBtn->nextInFocusChain(), form.Exit_BitBtn);
}

TEST(Results_Form, Text_Can_Be_Copied_Whole_Or_In_Part_But_Not_Changed)
{
    TResults_Form form;
    form.Show_Text(QStringLiteral("Drive = C\r\n\r\nlast line"));
    EXPECT_EQ(form.Report_Memo->toPlainText(), QStringLiteral("Drive = C\n\nlast line"));

    QKeyEvent typed(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QApplication::sendEvent(form.Report_Memo, &typed);
    QKeyEvent erase(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(form.Report_Memo, &erase);
    EXPECT_EQ(form.Report_Memo->toPlainText(), QStringLiteral("Drive = C\n\nlast line"));

    // A part selected by hand copies with the keyboard.
    QTextCursor part = form.Report_Memo->textCursor();
    part.setPosition(0);
    part.setPosition(5, QTextCursor::KeepAnchor);
    form.Report_Memo->setTextCursor(part);
    QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    QApplication::sendEvent(form.Report_Memo, &copy);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Drive"));

    form.Clipboard_BitBtn->click();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Drive = C\n\nlast line"));
    EXPECT_EQ(form.Report_Memo->textCursor().selectedText().size(), form.Report_Memo->toPlainText().size());
}

TEST(Results_Form, Close_Box_Escape_And_OK_All_End_The_Showing_Alike)
{
    TResults_Form form;
    const std::function<void()> closers[] = {
        [&] { form.Exit_BitBtn->click(); },
        [&] { form.close(); },
        [&] {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(&form, &escape);
        },
    };
    for (const auto& close : closers) {
        QTimer::singleShot(0, &form, close);
        EXPECT_EQ(form.exec(), QDialog::Accepted);
        EXPECT_FALSE(form.isVisible());
    }
}

TEST(Drive_Report_Button, Shows_The_Report_Of_The_Selected_Drive)
{
    Fake_Disk disk;
    platform::Scoped_Service<platform::Disk_Service> disk_guard(disk);
    Fake_Volume volume;
    Fake_Volume::Drive d;
    d.volume_name = "DATA";
    d.space_ok = false;
    volume.drives['d'] = d;
    platform::Scoped_Service<platform::Volume_Service> volume_guard(volume);

    TMainForm1 main_form;
    TResults_Form results;
    main_form.Attach_Windows(nullptr, nullptr, nullptr, &results);
    EXPECT_FALSE(main_form.SpeedButton1->icon().isNull());
    main_form.DriveComboBox1->Set_Drive(QLatin1Char('d'));

    for (int showing = 0; showing < 2; ++showing) {
        QString caption, text;
        bool modal = false;
        QTimer::singleShot(0, &results, [&] {
            caption = results.windowTitle();
            text = results.Report_Memo->toPlainText();
            modal = results.isVisible() && results.isModal();
            results.Exit_BitBtn->click();
        });
        main_form.SpeedButton1->click();
        EXPECT_TRUE(modal);
        EXPECT_EQ(caption, QStringLiteral(" Report for D:\\ Drive"));
        // Built afresh each time, never appended to the last one.
        EXPECT_TRUE(text.startsWith(QStringLiteral("Drive                    = D\n\n"
                                                   "Disk Volume Name         = DATA\n")))
            << text.toStdString();
        EXPECT_EQ(text.count(QStringLiteral("Drive   ")), 1);
    }
}

} // namespace
