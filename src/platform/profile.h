#pragma once
// Profile (ini) files: the settings file vistrel.ini and Trailcount's
// trailcnt.ini. The program's own layer, the same on every platform.
//
// Contract:
// - Ini_File loads the file once, whatever its size, in one pass over its
//   lines; a section's keys are indexed the first time one of them is
//   looked up, so no lookup scans the file. A missing file reads as empty.
//   A file that exists but cannot be read (no permission, not a regular
//   file) also reads as empty, and then refuses every Commit, so that its
//   content is never replaced by a partial copy.
// - Format: a line whose first non-blank character is "[" and which holds a
//   "]" opens a section named by the text between the "[" and the last "]".
//   Below it, a line "key=value" holds a value: the key is the text before
//   the first "=", the value the text after it, both without surrounding
//   blanks and tabs. Section and key names match without regard to the case
//   of the letters a to z. Lines end in LF or CR LF; a UTF-8 byte-order mark
//   before the first line is skipped. Other lines are kept but mean nothing.
// - Repeats: only the first section of a name counts, and within it only
//   the first line of a key, for reading and for writing alike (the
//   platform's own profile functions behave so, and so does Trailcount).
//   Later repeats stay in the file as they are.
// - Reading: a missing key gives the default. A value is cut at a NUL byte
//   and at Max_Value_Chars characters. Read_Integer takes decimal with an
//   optional sign, or hexadecimal after "0x"/"0X" (and after "$" when asked);
//   hexadecimal gives the 32-bit pattern, so 0xFFFFFFFF is -1. Anything else,
//   an empty value included, or a number outside 32 bits gives the default.
//   Read_Bool reads an integer (default 1 or 0): anything but 0 is true.
// - Writing: a write changes the loaded copy only. An existing key keeps its
//   line, spelling and everything up to the value, which is replaced. A new
//   key goes at the end of its section (before the blank lines that close
//   it); a new section goes at the end of the file, after a blank line. New
//   lines end as the file's first line does; in a new file as the system's
//   own profile files do (New_File_Line_End: CR LF on Windows, LF elsewhere).
//   A value is one line: it is cut at the first CR, LF or NUL.
// - Commit: replaces the whole file at once (Replace_Whole_File in
//   whole_file.h): a temporary file beside it, flushed and checked, renamed
//   over it, the folder flushed; through a symbolic link, to the link's
//   target. The file is always either the old one or the new one, whole,
//   except where the folder refuses a new file but the file may be written:
//   then it is rewritten in place. When nothing changed, nothing is written.
//   A failure raises Program_Error "Unable to write to <full path>" and
//   leaves the old file as it was.
//
// The fixed-point number format of settings files is the caller's concern
// (Settings_File_Format): this layer only moves text.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

#ifdef _WIN32
inline constexpr std::string_view New_File_Line_End = "\r\n";
#else
inline constexpr std::string_view New_File_Line_End = "\n";
#endif

class Ini_File {
public:
    static constexpr std::size_t Max_Value_Chars = 2047;

    enum class Hex_Prefixes { Zero_X, Zero_X_Or_Dollar };

    explicit Ini_File(std::string path);

    const std::string& Path() const { return path_; }

    std::string Read_String(std::string_view section, std::string_view key,
                            std::string_view default_value) const;
    std::int32_t Read_Integer(std::string_view section, std::string_view key, std::int32_t default_value,
                              Hex_Prefixes prefixes = Hex_Prefixes::Zero_X) const;
    bool Read_Bool(std::string_view section, std::string_view key, bool default_value) const;

    void Write_String(std::string_view section, std::string_view key, std::string_view value);
    void Write_Integer(std::string_view section, std::string_view key, std::int64_t value);
    void Write_Bool(std::string_view section, std::string_view key, bool value);

    void Commit();

    // The file's text as the next Commit would write it.
    std::string Text() const;

private:
    enum class Ending : std::uint8_t { None, LF, CRLF };
    // A line as loaded is a view of the loaded text; a line this program
    // wrote holds its own text.
    struct Line {
        std::size_t begin = 0; // in source_, or in written_ when `written` is set
        std::size_t length = 0;
        Ending ending = Ending::None;
        bool written = false;
    };
    // The lines a section header opens, up to the next header. Until the
    // program looks into a section it is only its span of the loaded text;
    // the first look splits it into lines (the first of them the header,
    // but for the lines before any section) and indexes its keys.
    struct Section {
        std::size_t begin = 0; // the span in source_
        std::size_t end = 0;
        mutable bool split = false;
        mutable std::vector<Line> lines;
        mutable std::size_t last_content = 0; // the last non-blank line: new keys go after it
        mutable std::unordered_map<std::string, std::size_t> keys; // a key's first line, by its name in lower case
    };
    struct Found {
        std::ptrdiff_t section = -1;
        std::ptrdiff_t key = -1; // line in the section
    };

    void Parse();
    std::string_view Text_Of(const Line& line) const;
    Line New_Line(std::string_view text, Ending ending);
    const Section& Split(const Section& section) const;
    Found Find(std::string_view section, std::string_view key) const;
    std::optional<std::string_view> Value_Of(std::string_view section, std::string_view key) const;
    Ending New_Line_Ending() const;

    std::string path_;
    std::string source_;  // the file as loaded
    std::string written_; // the text of every line written since
    std::vector<Section> sections_{1};
    std::unordered_map<std::string, std::size_t> section_index_; // a name's first section, by the name in lower case
    bool bom_ = false;
    Ending first_ending_ = Ending::None; // of the file's first line
    bool unreadable_ = false;
    bool changed_ = false;
};

// The integer rule of Read_Integer, on its own.
std::optional<std::int32_t> Parse_Profile_Integer(std::string_view text, Ini_File::Hex_Prefixes prefixes);

// A signed 64-bit whole number: decimal with an optional sign, or hexadecimal
// after "0x", "0X" or "$" (the 64-bit pattern).
std::optional<std::int64_t> Parse_Profile_Integer64(std::string_view text);

} // namespace platform
