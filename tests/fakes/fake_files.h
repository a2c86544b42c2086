#pragma once
#include "platform/files.h"

#include <functional>
#include <set>

// Files and folders the test lists; the exclusive-open test answers the
// error code the test sets, and can look around while it "holds" the file.
class Fake_Files final : public platform::File_Service {
public:
    std::set<std::string> files;
    std::set<std::string> folders;
    std::uint32_t open_error = 0;
    std::function<void()> during_open;
    std::vector<std::string> opened;

    bool File_Exists(const std::string& path) override { return files.count(path) > 0; }
    bool Folder_Exists(const std::string& path) override { return folders.count(path) > 0; }
    bool Clear_File_Attributes(const std::string& path) override { return File_Exists(path); }
    bool Delete_File(const std::string& path) override
    {
        files.erase(path);
        return true;
    }
    std::uint32_t Exclusive_Open_Error(const std::string& path) override
    {
        opened.push_back(path);
        if (during_open)
            during_open();
        return open_error;
    }
};
