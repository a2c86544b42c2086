// Opening the readme and the catalogue.
#include "about/about_box.h"
#include "app/main_form.h"
#include "common/message_box.h"
#include "docs/documents.h"
#include "fakes/fake_disk.h"
#include "fakes/fake_process.h"
#include "fakes/file_bytes.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Documents : public ::testing::Test {
protected:
    Fake_Process process_;
    platform::Scoped_Service<platform::Process_Service> guard_{process_};
    std::vector<Message_Record> messages_;
    Scoped_Message_Answerer answerer_{[this](const Message_Record& record) {
        messages_.push_back(record);
        return Msg_Result::OK;
    }};

    void Expect_One_Information(const QString& text)
    {
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_EQ(messages_[0].text, text);
        EXPECT_EQ(messages_[0].type, Msg_Type::Information);
        EXPECT_EQ(messages_[0].buttons, Msg_Buttons::OK);
    }
};

TEST_F(Documents, Readme_Is_Named_After_The_Executable_Up_To_Its_First_Dot)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/opt/vistrel/vistrel", "/opt/vistrel/vistrel.txt"},
        {"/opt/kessimer tools/my.tool.exe", "/opt/kessimer tools/my.txt"},
        {"/opt/v1.2/vistrel", "/opt/v1.2/vistrel.txt"},
        {"", ""},
#ifdef _WIN32
        // Windows takes either separator; the dots of the folders are not the file's.
        {"C:\\Kessimer\\vistrel-4.8f-win64\\vistrel.exe", "C:\\Kessimer\\vistrel-4.8f-win64\\vistrel.txt"},
        {"C:/v4.8/tools\\my.tool.exe", "C:/v4.8/tools\\my.txt"},
        {"\\\\server\\share.1\\vistrel.exe", "\\\\server\\share.1\\vistrel.txt"},
#else
        {"/opt/a\\b.c/vistrel", "/opt/a\\b.c/vistrel.txt"}, // a backslash is part of a name here
#endif
    };
    for (const auto& [executable, readme] : cases) {
        process_.executable_path = executable;
        EXPECT_EQ(Readme_Path(), QString::fromUtf8(readme)) << executable;
        if (*executable) {
            EXPECT_TRUE(Readme_Path().startsWith(Program_Folder())) << executable;
        }
    }
    process_.executable_path = "/opt/kessimer tools/my.tool.exe";
    EXPECT_EQ(Program_Folder(), QStringLiteral("/opt/kessimer tools/"));
    EXPECT_EQ(Catalogue_Path(), QStringLiteral("/opt/kessimer tools/catalog.txt"));
}

TEST_F(Documents, The_Editor_Gets_The_Whole_Path_As_One_Argument)
{
    // Longer than the old 144-character command line, with blanks and quotes.
    const QString path = QStringLiteral("/home/me/My Documents/") + QString(150, QLatin1Char('x'))
                         + QStringLiteral("/it's \"quoted\" & $HOME; ünïcode.txt");
    Open_In_Notepad(path);
    ASSERT_EQ(process_.started.size(), 1u);
    EXPECT_EQ(QString::fromStdString(process_.started[0]), path);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Documents, Missing_Editor_Or_Path_Is_Explained)
{
    process_.editor_present = false;
    Open_In_Notepad(QStringLiteral("/opt/vistrel/vistrel.txt"));
    Expect_One_Information(QStringLiteral("Windows Notepad could not be found."));

    messages_.clear();
    Open_In_Notepad(QString()); // the editor check comes first
    Expect_One_Information(QStringLiteral("Windows Notepad could not be found."));

    messages_.clear();
    process_.editor_present = true;
    Open_In_Notepad(QString());
    Expect_One_Information(QStringLiteral("No Log File to View."));
    EXPECT_TRUE(process_.started.empty());
}

TEST_F(Documents, Catalogue_Opens_When_Present_And_Is_Explained_When_Not)
{
    QTemporaryDir folder;
    process_.executable_path = folder.filePath(QStringLiteral("vistrel")).toStdString();

    Open_Catalogue(QStringLiteral("Vistrel v4.8f"));
    Expect_One_Information(QStringLiteral(
        "Kessimer's Shareware Catalog is not in the same directory as Vistrel v4.8f.  The required file "
        "'catalog.txt' was included in the distribution ZIP file.  Please unzip this file and try again."));
    EXPECT_TRUE(process_.started.empty());

    messages_.clear();
    QFile catalogue(folder.filePath(QStringLiteral("catalog.txt")));
    ASSERT_TRUE(catalogue.open(QIODevice::WriteOnly));
    catalogue.close();
    Open_Catalogue(QStringLiteral("Vistrel v4.8f"));
    EXPECT_TRUE(messages_.empty());
    ASSERT_EQ(process_.started.size(), 1u);
    EXPECT_EQ(QString::fromStdString(process_.started[0]), catalogue.fileName());
}

TEST_F(Documents, An_Installed_Copy_Finds_Them_In_Its_Data_Folder_A_Copy_Beside_It_Wins)
{
    QTemporaryDir prefix;
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("share/vistrel")));
    process_.executable_path = prefix.filePath(QStringLiteral("bin/vistrel")).toStdString();
    const QString beside_readme = prefix.filePath(QStringLiteral("bin/vistrel.txt"));
    const QString beside_catalogue = prefix.filePath(QStringLiteral("bin/catalog.txt"));

    // Neither there: the paths, and the catalogue's message, speak of the program's folder.
    EXPECT_EQ(Readme_Path(), beside_readme);
    Open_Catalogue(QStringLiteral("Vistrel v4.8f"));
    EXPECT_TRUE(messages_.size() == 1 && messages_[0].text.startsWith(QStringLiteral("Kessimer's")));

    const QString installed_readme = prefix.filePath(QStringLiteral("share/vistrel/vistrel.txt"));
    const QString installed_catalogue = prefix.filePath(QStringLiteral("share/vistrel/catalog.txt"));
    for (const QString& path : {installed_readme, installed_catalogue})
        Write_All(path, "installed\n");
    EXPECT_EQ(Readme_Path(), installed_readme);
    EXPECT_EQ(Catalogue_Path(), installed_catalogue);

    for (const QString& path : {beside_readme, beside_catalogue})
        Write_All(path, "portable\n");
    EXPECT_EQ(Readme_Path(), beside_readme);
    EXPECT_EQ(Catalogue_Path(), beside_catalogue);
}

TEST_F(Documents, Help_Menu_Commands)
{
    Fake_Disk disk;
    platform::Scoped_Service<platform::Disk_Service> disk_guard(disk);
    QTemporaryDir folder;
    process_.executable_path = folder.filePath(QStringLiteral("vistrel")).toStdString();
    TMainForm1 form;
    TAboutBox about;
    about.Product_Name_Label->setText(QStringLiteral("Vistrel v4.8f"));
    form.Attach_Windows(&about, nullptr, nullptr, nullptr);

    // The readme is opened whether it is there or not.
    form.View_Readme_file_Option->trigger();
    ASSERT_EQ(process_.started.size(), 1u);
    EXPECT_EQ(QString::fromStdString(process_.started[0]), folder.filePath(QStringLiteral("vistrel.txt")));

    form.View_Shareware_Catalog_Option->trigger();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].text.contains(QStringLiteral(" as Vistrel v4.8f.  The required")));
    EXPECT_EQ(process_.started.size(), 1u);
}

TEST_F(Documents, Both_Open_From_Another_Working_Folder_Beside_A_Program_In_A_Dotted_Folder)
{
    Fake_Disk disk;
    platform::Scoped_Service<platform::Disk_Service> disk_guard(disk);
    QTemporaryDir root;
    const QString dotted = QStringLiteral("vistrel-4.8f-win64 \u00e9t\u00e9");
    ASSERT_TRUE(QDir(root.path()).mkpath(dotted));
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("elsewhere")));
    const QString folder = QDir::toNativeSeparators(root.filePath(dotted));
    const QString separator = QDir::separator();
    process_.executable_path = (folder + separator + QStringLiteral("vistrel.exe")).toStdString();
    Write_All(folder + separator + QStringLiteral("catalog.txt"), "catalogue\n");
    const QString working_folder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(root.filePath(QStringLiteral("elsewhere"))));
    TMainForm1 form;
    TAboutBox about;
    form.Attach_Windows(&about, nullptr, nullptr, nullptr);

    form.View_Readme_file_Option->trigger();
    form.View_Shareware_Catalog_Option->trigger();
    QDir::setCurrent(working_folder);
    EXPECT_TRUE(messages_.empty());
    ASSERT_EQ(process_.started.size(), 2u);
    EXPECT_EQ(QString::fromStdString(process_.started[0]), folder + separator + QStringLiteral("vistrel.txt"));
    EXPECT_EQ(QString::fromStdString(process_.started[1]), folder + separator + QStringLiteral("catalog.txt"));
}

} // namespace
