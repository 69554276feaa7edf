// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/core/BmpWriter.h"

#include <fstream>
#include <stdexcept>

namespace mosgrid {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    out[at] = std::uint8_t(v);
    out[at + 1] = std::uint8_t(v >> 8);
}
void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    Put16(out, at, v & 0xFFFF);
    Put16(out, at + 2, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp4(const Picture4& picture) {
    const int w = picture.width;
    const int h = picture.height;
    if (w <= 0 || h <= 0 || picture.palette.empty() || picture.palette.size() > 16 ||
        picture.indices.size() != std::size_t(w) * std::size_t(h)) {
        throw std::invalid_argument("EncodeBmp4: inconsistent picture");
    }
    for (std::uint8_t index : picture.indices) {
        if (index >= picture.palette.size()) throw std::invalid_argument("EncodeBmp4: index outside palette");
    }
    const std::size_t stride = (std::size_t(w) * 4 + 31) / 32 * 4;
    const std::size_t offBits = 14 + 40 + 16 * 4;
    const std::size_t imageSize = stride * std::size_t(h);
    std::vector<std::uint8_t> out(offBits + imageSize, 0);

    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, std::uint32_t(out.size()));
    Put32(out, 10, std::uint32_t(offBits));
    Put32(out, 14, 40);
    Put32(out, 18, std::uint32_t(w));
    Put32(out, 22, std::uint32_t(h));
    Put16(out, 26, 1);
    Put16(out, 28, 4);
    Put32(out, 34, std::uint32_t(imageSize));
    Put32(out, 38, 2835);  // 72 dpi
    Put32(out, 42, 2835);
    Put32(out, 46, 0);  // 0: all 16 entries, which are always written
    for (std::size_t i = 0; i < picture.palette.size(); ++i) {
        COLORREF c = picture.palette[i];
        out[54 + i * 4] = BlueOf(c);
        out[54 + i * 4 + 1] = GreenOf(c);
        out[54 + i * 4 + 2] = RedOf(c);
    }
    for (int y = 0; y < h; ++y) {
        std::size_t row = offBits + std::size_t(h - 1 - y) * stride;
        for (int x = 0; x < w; ++x) {
            std::uint8_t index = picture.indices[std::size_t(y) * std::size_t(w) + std::size_t(x)];
            out[row + std::size_t(x) / 2] |= std::uint8_t(x % 2 == 0 ? index << 4 : index);
        }
    }
    return out;
}

bool WriteBmp4(const std::filesystem::path& path, const Picture4& picture) {
    std::vector<std::uint8_t> bytes = EncodeBmp4(picture);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    return bool(out);
}

}  // namespace mosgrid
