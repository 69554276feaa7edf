// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/core/ProgramFolder.h"

namespace mosgrid {

std::filesystem::path FolderOfLinkTarget(const std::filesystem::path& link) {
    std::error_code error;
    std::filesystem::path target = std::filesystem::read_symlink(link, error);
    if (error || target.empty()) return {};
    if (target.is_relative()) target = link.parent_path() / target;
    return target.parent_path();
}

std::filesystem::path GetProgramFolder() {
    return FolderOfLinkTarget("/proc/self/exe");
}

}  // namespace mosgrid
