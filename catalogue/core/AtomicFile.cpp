// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/core/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

namespace mosgrid {
namespace {

// Flushes the folder's entries, so that a rename in it is on the disk. A file system that
// cannot flush a folder (EINVAL) has nothing more to do.
bool SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return ok;
}

bool IsAsciiAlnum(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::string temp = path.string() + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return false;
    // The replaced file's permission bits stay (a player may have made it private).
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode) ? (old.st_mode & 07777) : 0644;
    bool ok = ::fchmod(fd, mode) == 0;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        done += std::size_t(n);
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return SyncFolder(path.parent_path());
}

bool IsTemporaryNameOf(std::string_view fileName, std::string_view target) {
    constexpr std::size_t kRandomPart = 6;
    if (fileName.size() != target.size() + 1 + kRandomPart) return false;
    if (fileName.substr(0, target.size()) != target || fileName[target.size()] != '.') return false;
    for (char c : fileName.substr(target.size() + 1)) {
        if (!IsAsciiAlnum(c)) return false;
    }
    return true;
}

int RemoveLeftoverTemporaries(const std::filesystem::path& folder, std::initializer_list<std::string_view> targets) {
    int removed = 0;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        bool ours = false;
        for (std::string_view target : targets) ours = ours || IsTemporaryNameOf(name, target);
        if (!ours) continue;
        // Not through a link, only a regular file, and only one this user made.
        struct stat info {};
        if (::lstat(it->path().c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) continue;
        if (::unlink(it->path().c_str()) == 0) ++removed;
    }
    return removed;
}

}  // namespace mosgrid
