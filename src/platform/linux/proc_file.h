#pragma once
// A file read again and again from its start, as the refresh tick reads
// /proc/meminfo and /proc/stat twice a second: opened once and kept open,
// read with pread into a buffer kept between reads, so that a read is one or
// two system calls and no allocation. A file replaced on disk (a fixture
// rewritten by a test through a new file) is noticed and opened afresh.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform::linux_detail {

class Proc_File {
public:
    explicit Proc_File(std::string path) : path_(std::move(path)) {}
    ~Proc_File();
    Proc_File(const Proc_File&) = delete;
    Proc_File& operator=(const Proc_File&) = delete;

    // Reads from the start until the end of the file, until `enough` says the
    // bytes read so far hold what the caller needs, or until `limit` bytes.
    // The bytes stay valid until the next read. False when the file cannot
    // be opened or read.
    template <class Enough>
    bool Read(std::string_view& bytes, Enough enough, std::size_t limit = std::size_t{1} << 20)
    {
        if (!Open())
            return false;
        std::size_t length = 0;
        for (;;) {
            if (length == buffer_.size())
                buffer_.resize(buffer_.size() * 2);
            const long got = Read_At(length, std::min(buffer_.size(), limit) - length);
            if (got < 0)
                return false;
            length += static_cast<std::size_t>(got);
            if (got == 0 || length >= limit || enough(std::string_view(buffer_.data(), length)))
                break;
        }
        bytes = std::string_view(buffer_.data(), length);
        return true;
    }

    bool Read(std::string_view& bytes)
    {
        return Read(bytes, [](std::string_view) { return false; });
    }

private:
    bool Open();
    long Read_At(std::size_t offset, std::size_t count);

    std::string path_;
    int fd_ = -1;
    unsigned long long inode_ = 0;
    unsigned long long device_ = 0;
    std::vector<char> buffer_ = std::vector<char>(4096);
};

} // namespace platform::linux_detail
