#pragma once
// What the fuzz targets share: a broken promise ends the run with the input
// that broke it, and a scratch folder for targets that need real files.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <unistd.h>

namespace fuzz {

// libFuzzer keeps the input of any run that aborts.
inline void Require(bool holds, const char* promise)
{
    if (holds)
        return;
    std::fprintf(stderr, "broken promise: %s\n", promise);
    std::abort();
}

// A folder of this process's own, in memory where the system offers one
// (the settings layer flushes every file it replaces), removed at exit.
inline const std::filesystem::path& Scratch_Folder()
{
    struct Folder {
        std::filesystem::path path;
        Folder()
        {
            const std::filesystem::path base = access("/dev/shm", W_OK) == 0 ? std::filesystem::path("/dev/shm")
                                                                             : std::filesystem::temp_directory_path();
            std::string name = (base / "vistrel-fuzz-XXXXXX").string();
            Require(mkdtemp(name.data()) != nullptr, "a scratch folder can be made");
            path = name;
        }
        ~Folder()
        {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    };
    static const Folder folder;
    return folder.path;
}

inline void Write_File(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string Read_File(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace fuzz
