// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the webpbn XML clue-file reader.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    mosgrid::CluePuzzle read;
    std::string error;
    const bool ok = mosgrid::ReadWebpbnXml(std::string_view(reinterpret_cast<const char*>(data), size), read, error);
    fuzzcheck::CheckRead(ok, read, error);
    return 0;
}
