// Hand-edited settings files at their extremes, through the windows: what a
// start and a close make of a file, a second start and close leave as it is.
#include "settings/settings_test_support.h"

#include "app/main_form.h"
#include "app/windows.h"

#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using settings_test::Environment;

namespace {

// The sections and keys a save writes, in the order it writes them.
using Keys_By_Section = std::vector<std::pair<std::string, std::vector<std::string>>>;

Keys_By_Section Keys_In(const std::string& text)
{
    Keys_By_Section sections;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with('['))
            sections.emplace_back(line, std::vector<std::string>());
        else if (const std::size_t equals = line.find('='); equals != std::string::npos && !sections.empty())
            sections.back().second.push_back(line.substr(0, equals));
    }
    return sections;
}

// Every section and key, each key given the next of `values` in turn, each
// line written by `line`.
std::string Every_Key(const Keys_By_Section& sections, const std::vector<std::string>& values,
                      const std::function<std::string(const std::string&, const std::string&)>& line,
                      const std::string& end = "\n")
{
    std::string text;
    std::size_t next = 0;
    for (const auto& [header, keys] : sections) {
        text += header + end;
        for (const std::string& key : keys)
            text += line(key, values[next++ % values.size()]) + end;
    }
    return text;
}

std::string Plain(const std::string& key, const std::string& value)
{
    return key + "=" + value;
}

// Started, left to settle as a user would, and closed. The wait ends as
// soon as the window has settled; its limit only stops a hang.
std::string Start_And_Close(Environment& environment)
{
    Vistrel_Windows windows;
    TMainForm1& form = *windows.MainForm1;
    form.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form.Program_Size_Timer->isActive(); }, 60000));
    EXPECT_TRUE(form.close());
    return environment.Read_Ini();
}

} // namespace

TEST(Settings_Round_Trip, A_Hand_Edited_File_Saved_Once_Saves_The_Same_Bytes_Again)
{
    // Every key the program saves, as its first save of no file writes them.
    Keys_By_Section keys;
    {
        Environment environment;
        keys = Keys_In(Start_And_Close(environment));
    }
    ASSERT_EQ(keys.size(), 2u);
    ASSERT_GT(keys[0].second.size() + keys[1].second.size(), 20u);

    const std::vector<std::string> large = {"2147483647", "0x7FFFFFFF", "99999999999999999999", "0xFFFFFFFF",
                                            "$7FFFFFFF", "9223372036854775807", "1.7976931348623157e308"};
    const std::vector<std::string> small = {"-2147483648", "-1", "-0x80000000", "-9223372036854775808", "0",
                                            "-1,234,567,890.0000000001"};
    const std::vector<std::string> damaged = {"", "junk", "0x", "$", "--5", "1e400", "12abc", "\xff\xfe", "NaN"};
    const std::map<std::string, std::string> files = {
        {"large values", Every_Key(keys, large, Plain)},
        {"small values, CR LF and a byte-order mark", "\xEF\xBB\xBF" + Every_Key(keys, small, Plain, "\r\n")},
        {"damaged values, odd spacing and case",
         Every_Key(keys, damaged,
                   [](const std::string& key, const std::string& value) {
                       return "  " + QString::fromStdString(key).toUpper().toStdString() + " \t=  " + value + " \t";
                   })},
        {"repeated sections and keys, no final line end",
         "; kept\n" + Every_Key(keys, small, Plain) + Every_Key(keys, large, Plain) + "[vistrel]\nwindow_Width=5\nlast=1"},
    };
    for (const auto& [name, text] : files) {
        SCOPED_TRACE(name);
        Environment environment;
        environment.Write_Ini(text);
        const std::string first = Start_And_Close(environment);
        EXPECT_EQ(Start_And_Close(environment), first);
        EXPECT_TRUE(environment.messages.empty());
    }
}
