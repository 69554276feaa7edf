// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace mosgrid {

RegularFile::RegularFile(const std::filesystem::path& path) {
    // Without O_NONBLOCK the open of a FIFO would wait for a writer that never comes.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0) {
        ::close(fd);
        return;
    }
    fd_ = fd;
    size_ = std::uint64_t(info.st_size);
}

RegularFile::~RegularFile() {
    if (fd_ >= 0) ::close(fd_);
}

std::optional<std::vector<std::uint8_t>> RegularFile::Read(std::uint64_t offset, std::size_t count) const {
    if (fd_ < 0) return std::nullopt;
    // The length at the open bounds the buffer: a file that grows meanwhile cannot enlarge it.
    const std::uint64_t available = offset < size_ ? size_ - offset : 0;
    std::vector<std::uint8_t> bytes(std::size_t(std::min<std::uint64_t>(count, available)));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pread(fd_, bytes.data() + done, bytes.size() - done, off_t(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;  // the file was cut short meanwhile
        done += std::size_t(n);
    }
    bytes.resize(done);
    return bytes;
}

std::optional<std::vector<std::uint8_t>> ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes) {
    const RegularFile file(path);
    if (!file || file.Size() > maxBytes) return std::nullopt;
    return file.Read(0, std::size_t(file.Size()));
}

}  // namespace mosgrid
