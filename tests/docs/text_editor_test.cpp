// Finding and starting the system's text editor.
#include "platform/linux/text_editor.h"
#include "platform/process.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

using platform::linux_detail::Choose_Text_Editor;

TEST(Text_Editor, Desktop_Handler_First_Then_Editors_Then_A_Terminal)
{
    std::set<std::string> installed;
    bool handler = false;
    int handler_queries = 0;
    auto find = [&](const std::string& name) { return installed.count(name) ? "/usr/bin/" + name : std::string(); };
    auto ask = [&] {
        ++handler_queries;
        return handler;
    };
    auto choose = [&] { return Choose_Text_Editor(find, ask); };

    EXPECT_FALSE(choose().has_value());
    EXPECT_EQ(handler_queries, 0); // no xdg-open, no question

    installed = {"xdg-open", "mousepad", "kate"};
    auto editor = choose();
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->program, "/usr/bin/kate"); // no handler for text: an editor instead

    handler = true;
    editor = choose();
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->program, "/usr/bin/xdg-open");
    EXPECT_TRUE(editor->arguments.empty());

    installed = {"xterm", "vi"};
    editor = choose();
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->program, "/usr/bin/xterm");
    EXPECT_EQ(editor->arguments, (std::vector<std::string>{"-e", "/usr/bin/vi"}));

    installed = {"xterm"}; // a terminal alone edits nothing
    EXPECT_FALSE(choose().has_value());
}

// PATH holds only a folder of the test's own for the length of the test.
class Scoped_Path {
public:
    explicit Scoped_Path(const QString& folder) : saved_(qgetenv("PATH")) { qputenv("PATH", QFile::encodeName(folder)); }
    ~Scoped_Path() { qputenv("PATH", saved_); }

private:
    QByteArray saved_;
};

TEST(Text_Editor, Started_Without_A_Shell_On_The_Whole_Path)
{
    QTemporaryDir bin;
    Scoped_Path path(bin.path());
    auto& process = platform::Default_Service<platform::Process_Service>();
    EXPECT_FALSE(process.Text_Editor_Present());
    EXPECT_FALSE(process.Start_Text_Editor("/tmp/readme.txt"));

    // A stand-in editor that writes down the arguments it was given, one per line.
    const QString editor = bin.filePath(QStringLiteral("mousepad"));
    QFile script(editor);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"${0%/*}/arguments.part\"\n"
                 "/bin/mv \"${0%/*}/arguments.part\" \"${0%/*}/arguments\"\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(process.Text_Editor_Present());

    const QString document = QStringLiteral("/home/me/My Documents/") + QString(150, QLatin1Char('y'))
                             + QStringLiteral("/it's \"quoted\" $HOME; `x` *.txt");
    ASSERT_TRUE(process.Start_Text_Editor(QFile::encodeName(document).toStdString()));
    const QString arguments = bin.filePath(QStringLiteral("arguments"));
    QElapsedTimer clock;
    clock.start();
    while (!QFileInfo::exists(arguments) && clock.elapsed() < 20000)
        QThread::msleep(20);
    QFile written(arguments);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(written.readAll()), document + QLatin1Char('\n'));
}

} // namespace

namespace {

void Write_Script(const QString& path, const QByteArray& text)
{
    QFile script(path);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(text);
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

// A slow desktop answers xdg-mime in its own time; the program's timers go
// on meanwhile (the odometer counts, the window repaints).
TEST(Text_Editor, A_Slow_Desktop_Does_Not_Hold_Up_The_Event_Loop)
{
    QTemporaryDir bin;
    Scoped_Path path(bin.path());
    Write_Script(bin.filePath(QStringLiteral("xdg-open")), "#!/bin/sh\nexit 0\n");
    Write_Script(bin.filePath(QStringLiteral("xdg-mime")), "#!/bin/sh\n/bin/sleep 1\necho mousepad.desktop\n");
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(20);
    EXPECT_TRUE(platform::Default_Service<platform::Process_Service>().Text_Editor_Present());
    EXPECT_GE(ticks, 3);
}
