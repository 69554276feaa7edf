// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace mosgrid {

// A file opened for reading only when it is a regular file, links followed. A pipe, a device or
// a folder in its place is refused without blocking: the open does not wait for a writer, and
// the type is checked on the opened file itself, so nothing can be swapped in between.
class RegularFile {
public:
    explicit RegularFile(const std::filesystem::path& path);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    explicit operator bool() const { return fd_ >= 0; }
    // The file's length when it was opened.
    std::uint64_t Size() const { return size_; }
    // Up to `count` bytes from `offset`; fewer where the file ends, nothing on a read error.
    std::optional<std::vector<std::uint8_t>> Read(std::uint64_t offset, std::size_t count) const;

private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

// The whole file when it is a regular file of at most `maxBytes`; nothing otherwise.
std::optional<std::vector<std::uint8_t>> ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes);

}  // namespace mosgrid
