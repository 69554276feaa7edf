// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>

namespace mosgrid {

// The folder of the running program, as the system reports the executable's path (letter case
// kept); empty when the system cannot tell, and every file is then looked for without a folder.
std::filesystem::path GetProgramFolder();

// The folder of the file a link such as /proc/self/exe points to; empty when it cannot be read.
std::filesystem::path FolderOfLinkTarget(const std::filesystem::path& link);

}  // namespace mosgrid
