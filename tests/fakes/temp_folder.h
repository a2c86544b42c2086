#pragma once
// A fresh folder for one test, removed with all it holds afterwards, and
// whole files as bytes. Without Qt, so that every platform's tests use it.
// Paths are UTF-8, as the platform layer takes them.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

inline std::filesystem::path Path_From_Utf8(std::string_view utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8_Of(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

class Temp_Folder {
public:
    Temp_Folder()
    {
        std::random_device random;
        for (int attempt = 0; attempt < 100 && folder_.empty(); ++attempt) {
            const auto candidate =
                std::filesystem::temp_directory_path() / ("vistrel-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate))
                folder_ = candidate;
        }
        if (folder_.empty())
            ADD_FAILURE() << "no temporary folder";
    }
    ~Temp_Folder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    Temp_Folder(const Temp_Folder&) = delete;
    Temp_Folder& operator=(const Temp_Folder&) = delete;

    const std::filesystem::path& Folder() const { return folder_; }
    // The folder, or a name in it (which may hold further folders).
    std::string Path(std::string_view name = {}) const
    {
        return Utf8_Of(name.empty() ? folder_ : folder_ / Path_From_Utf8(name));
    }

private:
    std::filesystem::path folder_;
};

// The file's bytes, or "<missing>" when it cannot be read.
inline std::string Read_Bytes(const std::string& path)
{
    std::ifstream file(Path_From_Utf8(path), std::ios::binary);
    if (!file)
        return "<missing>";
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline void Write_Bytes(const std::string& path, std::string_view bytes)
{
    std::ofstream file(Path_From_Utf8(path), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        ADD_FAILURE() << "cannot write " << path;
}
