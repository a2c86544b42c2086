// The ini layer: reading hand-edited and damaged files, writing without
// disturbing what it does not own, and replacing files whole or not at all.
#include "fakes/temp_folder.h"
#include "platform/error.h"
#include "platform/profile.h"
#include "platform/whole_file.h"

#include <gtest/gtest.h>

using platform::Ini_File;

namespace {

class Profile_File : public ::testing::Test {
protected:
    Temp_Folder dir;
    std::string Path(const char* name = "test.ini") const { return dir.Path(name); }
    std::size_t Files_In(const std::filesystem::path& folder) const
    {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
    }
};

std::string Commit_Error(Ini_File& ini)
{
    try {
        ini.Commit();
    } catch (const Program_Error& error) {
        return error.what();
    }
    return "no error";
}

} // namespace

TEST(Profile_Integer, Decimal_And_Hexadecimal_Rules)
{
    using platform::Parse_Profile_Integer;
    const auto plain = Ini_File::Hex_Prefixes::Zero_X;
    const auto dollar = Ini_File::Hex_Prefixes::Zero_X_Or_Dollar;
    struct Case {
        const char* text;
        std::optional<std::int32_t> plain, dollar;
    };
    const Case cases[] = {
        {"200", 200, 200},           {"-3", -3, -3},
        {"+5", 5, 5},                {"007", 7, 7},
        {"0x10", 16, 16},            {"0X1b", 27, 27},
        {"$1B", std::nullopt, 27},   {"$", std::nullopt, std::nullopt},
        {"0x", std::nullopt, std::nullopt}, {"0xG", std::nullopt, std::nullopt},
        {"0xFFFFFFFF", -1, -1},      {"0x100000000", std::nullopt, std::nullopt},
        {"2147483647", 2147483647, 2147483647},
        {"2147483648", std::nullopt, std::nullopt},
        {"-2147483648", INT32_MIN, INT32_MIN},
        {"-2147483649", std::nullopt, std::nullopt},
        {"99999999999999999999999", std::nullopt, std::nullopt},
        {"abc", std::nullopt, std::nullopt}, {"", std::nullopt, std::nullopt},
        {"-", std::nullopt, std::nullopt},   {"1.5", std::nullopt, std::nullopt},
        {"12abc", std::nullopt, std::nullopt}, {"-0x10", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Parse_Profile_Integer(c.text, plain), c.plain) << c.text;
        EXPECT_EQ(Parse_Profile_Integer(c.text, dollar), c.dollar) << c.text;
    }

    using platform::Parse_Profile_Integer64;
    EXPECT_EQ(Parse_Profile_Integer64("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(Parse_Profile_Integer64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(Parse_Profile_Integer64("9223372036854775808"), std::nullopt);
    EXPECT_EQ(Parse_Profile_Integer64("9000000000"), 9000000000LL);
    EXPECT_EQ(Parse_Profile_Integer64("$FF"), 255);
    EXPECT_EQ(Parse_Profile_Integer64("1,234"), std::nullopt);
    EXPECT_EQ(Parse_Profile_Integer64(""), std::nullopt);
}

TEST_F(Profile_File, Reads_Hand_Edited_And_Damaged_Files)
{
    const std::string long_value(3000, 'v');
    Write_Bytes(Path(), "\xEF\xBB\xBF"
                      "orphan=before any section\r\n"
                      "[Vistrel]\r\n"
                      "; a comment line\r\n"
                      "  Window_Top_Posn = 0x10 \r\n"
                      "window_left_posn=abc\r\n"
                      "always_on_top_option=2\r\n"
                      "empty=\r\n"
                      "repeated=first\r\n"
                      "repeated=second\r\n"
                      "long=" + long_value + "\r\n"
                      "binary=ab\x01\xff" + std::string("\0cd", 3) + "\r\n"
                      "no equals sign here\r\n"
                      "[ other ]\n"
                      "window_top_posn=999\n"
                      "[VISTREL]\n"
                      "only_in_repeat=1\n"
                      "[broken\n"
                      "[trailcnt]\n"
                      "last=no line end");
    const Ini_File ini(Path());
    EXPECT_EQ(ini.Read_Integer("vistrel", "window_top_posn", 200), 16);
    EXPECT_EQ(ini.Read_Integer("vistrel", "window_left_posn", 200), 200);
    EXPECT_TRUE(ini.Read_Bool("vistrel", "Always_on_Top_Option", false));
    EXPECT_EQ(ini.Read_String("vistrel", "empty", "default"), "");
    EXPECT_EQ(ini.Read_Integer("vistrel", "empty", 5), 5);
    EXPECT_EQ(ini.Read_String("vistrel", "repeated", ""), "first");
    EXPECT_EQ(ini.Read_String("vistrel", "long", ""), long_value.substr(0, 2047));
    EXPECT_EQ(ini.Read_String("vistrel", "binary", ""), "ab\x01\xff");
    EXPECT_EQ(ini.Read_String("vistrel", "orphan", "none"), "none");
    EXPECT_EQ(ini.Read_String("vistrel", "only_in_repeat", "none"), "none");
    EXPECT_EQ(ini.Read_Integer("other", "window_top_posn", 0), 999);
    EXPECT_EQ(ini.Read_String("trailcnt", "last", ""), "no line end");
    EXPECT_EQ(ini.Read_String("missing", "key", "fallback"), "fallback");

    Ini_File respelled(Path());
    respelled.Write_Integer("vistrel", "window_top_posn", 16);
    respelled.Commit();
    EXPECT_NE(Read_Bytes(Path()).find("  Window_Top_Posn = 16\r\n"), std::string::npos);

    // Writing what the file already says writes nothing at all: a file
    // taken away meanwhile is not made again.
    Ini_File same(Path());
    same.Write_Integer("vistrel", "window_top_posn", 16);
    same.Write_String("vistrel", "repeated", "first");
    std::filesystem::remove(Path_From_Utf8(Path()));
    same.Commit();
    EXPECT_FALSE(std::filesystem::exists(Path_From_Utf8(Path())));
}

TEST_F(Profile_File, Writes_In_Place_And_Keeps_Every_Other_Line)
{
    Write_Bytes(Path(), "; kept\r\n"
                      "[vistrel]\r\n"
                      "Window_Top_Posn = 5\r\n"
                      "foreign=kept too\r\n"
                      "\r\n"
                      "[other]\r\n"
                      "x=1");
    Ini_File ini(Path());
    ini.Write_Integer("VISTREL", "window_top_posn", 300);
    ini.Write_String("vistrel", "new_key", "new\nvalue");
    ini.Write_Bool("other", "flag", true);
    ini.Write_String("trailcnt", "Kilometers_Travelled_So_Far", "1,234.5000000000");
    EXPECT_EQ(ini.Read_Integer("vistrel", "WINDOW_TOP_POSN", 0), 300);
    EXPECT_EQ(ini.Read_String("Vistrel", "new_key", ""), "new");
    EXPECT_EQ(ini.Read_Integer("other", "x", 0), 1);
    EXPECT_EQ(ini.Read_Bool("other", "flag", false), true);
    EXPECT_EQ(ini.Read_String("TRAILCNT", "kilometers_travelled_so_far", ""), "1,234.5000000000");
    ini.Commit();
    EXPECT_EQ(Read_Bytes(Path()), "; kept\r\n"
                                "[vistrel]\r\n"
                                "Window_Top_Posn = 300\r\n"
                                "foreign=kept too\r\n"
                                "new_key=new\r\n"
                                "\r\n"
                                "[other]\r\n"
                                "x=1\r\n"
                                "flag=1\r\n"
                                "\r\n"
                                "[trailcnt]\r\n"
                                "Kilometers_Travelled_So_Far=1,234.5000000000\r\n");

    // A new file is made, its lines ending as the system's own profile
    // files' do.
    Ini_File fresh(Path("new.ini"));
    fresh.Write_Integer("vistrel", "a", -3);
    fresh.Write_Integer("vistrel", "b", 2);
    fresh.Write_Integer("trailcnt", "c", 0);
    fresh.Commit();
    std::string expected;
    for (const std::string_view line : {"[vistrel]", "a=-3", "b=2", "", "[trailcnt]", "c=0"})
        (expected += line) += platform::New_File_Line_End;
    EXPECT_EQ(Read_Bytes(Path("new.ini")), expected);
    EXPECT_EQ(Ini_File(Path("new.ini")).Read_Integer("vistrel", "a", 0), -3);
}

TEST_F(Profile_File, A_Failed_Write_Names_The_Full_Path_And_Leaves_What_Was_There)
{
    // A folder in the file's place is neither read nor replaced.
    std::filesystem::create_directory(Path_From_Utf8(Path("folder.ini")));
    Ini_File folder(Path("folder.ini"));
    EXPECT_EQ(folder.Read_String("vistrel", "x", "default"), "default");
    folder.Write_Integer("vistrel", "x", 1);
    EXPECT_EQ(Commit_Error(folder), "Unable to write to " + Path("folder.ini"));
    EXPECT_TRUE(std::filesystem::is_directory(Path_From_Utf8(Path("folder.ini"))));

    // A file whose folder does not exist cannot be made; a relative path is
    // named in full.
    const std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::current_path(dir.Folder());
    const std::string expected = Utf8_Of(std::filesystem::current_path() / "no" / "such" / "folder" / "x.ini");
    Ini_File nowhere("no/such/../such/folder/x.ini");
    nowhere.Write_Integer("vistrel", "x", 1);
    const std::string message = Commit_Error(nowhere);
    std::filesystem::current_path(here);
    EXPECT_EQ(message, "Unable to write to " + expected);
    EXPECT_EQ(Files_In(dir.Folder()), 1u);
}

TEST_F(Profile_File, A_Large_File_Is_Read_And_Written_Whole)
{
    // Far more than any settings file: the odometer's figures at its end
    // must still be found, and the rest come back unchanged.
    std::string text = "[junk]\n";
    const std::string filler = "some_key_of_a_foreign_program=with a value of a certain length\n";
    while (text.size() < 20 * 1024 * 1024)
        text += filler;
    text += "[trailcnt]\nKilometers_Travelled_So_Far=42.0000000000\n";
    Write_Bytes(Path(), text);

    Ini_File ini(Path());
    EXPECT_EQ(ini.Read_String("trailcnt", "Kilometers_Travelled_So_Far", "0"), "42.0000000000");
    ini.Write_String("trailcnt", "Kilometers_Travelled_So_Far", "43.0000000000");
    ini.Commit();
    text.replace(text.size() - 14, 13, "43.0000000000");
    EXPECT_TRUE(Read_Bytes(Path()) == text);
    EXPECT_EQ(Files_In(dir.Folder()), 1u) << "no temporary file left behind";
}

TEST_F(Profile_File, Paths_Beyond_Ascii_Are_Read_And_Written)
{
    const std::string folder = Path("V\xC3\xAFstrel \xE2\x98\x83");
    std::filesystem::create_directory(Path_From_Utf8(folder));
    const std::string path = folder + "/r\xC3\xA9glages.ini";
    Write_Bytes(path, "[vistrel]\r\nwindow_top_posn=1\r\n");
    Ini_File ini(path);
    EXPECT_EQ(ini.Read_Integer("vistrel", "window_top_posn", 0), 1);
    ini.Write_Integer("vistrel", "window_top_posn", 2);
    ini.Commit();
    EXPECT_EQ(Read_Bytes(path), "[vistrel]\r\nwindow_top_posn=2\r\n");
    EXPECT_EQ(Files_In(Path_From_Utf8(folder)), 1u);
    EXPECT_EQ(platform::Full_Path(path), Utf8_Of(Path_From_Utf8(path).make_preferred()));
}

TEST_F(Profile_File, Writing_What_A_Key_Already_Reads_Leaves_The_File_As_It_Is)
{
    const std::pair<const char*, const char*> written_and_read[] = {{"  padded \t", "padded"}, {"plain", "plain"}};
    for (const auto& [written, read] : written_and_read) {
        Ini_File ini(Path());
        ini.Write_String("vistrel", "key", written);
        ini.Commit();
        const std::string first = Read_Bytes(Path());
        Ini_File again(Path());
        EXPECT_EQ(again.Read_String("vistrel", "key", ""), read);
        again.Write_String("vistrel", "key", written);
        again.Commit();
        EXPECT_EQ(Read_Bytes(Path()), first) << "writing \"" << written << "\" again";
    }

    // Nor does a save that changes a padded value and changes it back: the
    // line keeps its own spacing, whatever blanks the values bring.
    Write_Bytes(Path(), "[vistrel]\nkey =  old\n");
    for (int save = 0; save < 2; ++save) {
        Ini_File ini(Path());
        ini.Write_String("vistrel", "key", "  new");
        ini.Write_String("vistrel", "key", "\tnewer ");
        ini.Commit();
        EXPECT_EQ(Read_Bytes(Path()), "[vistrel]\nkey =  newer \n") << "save " << save;
    }
}
