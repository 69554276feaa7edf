#pragma once
#include <cstdint>
#include <filesystem>
#include <vector>

namespace mosgrid {

// Writes the bytes to a temporary file in the same folder, flushes it to the disk and renames it
// over `path`. On any failure the old file at `path` is left whole, the temporary file is
// removed and false is returned.
bool WriteFileAtomically(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

}  // namespace mosgrid
