// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace mosgrid {

// Writes the bytes to a temporary file in the same folder (`path` followed by "." and six
// letters or digits, opened close-on-exec), flushes it to the disk, renames it over `path` and
// flushes the folder, so that once it returns true the new file survives a power cut. The new
// file keeps the permission bits of the file it replaces (0644 for a new file). On any failure
// the old file at `path` is left whole, the temporary file is removed and false is returned.
bool WriteFileAtomically(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// Whether `fileName` is a temporary file name of WriteFileAtomically for the file `target`:
// `target`, ".", then exactly six ASCII letters or digits.
bool IsTemporaryNameOf(std::string_view fileName, std::string_view target);

// Removes the temporary files a write of one of `targets` in `folder` left behind when the
// program was killed before its rename: regular files of ours whose names follow the pattern
// exactly (IsTemporaryNameOf). Nothing else is touched, neither links nor folders nor other
// names. Run at start, once no other start of the program can be writing. The number removed.
int RemoveLeftoverTemporaries(const std::filesystem::path& folder, std::initializer_list<std::string_view> targets);

}  // namespace mosgrid
