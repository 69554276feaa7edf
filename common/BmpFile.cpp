// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/BmpFile.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/RegularFile.h"

namespace mosgrid {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kPaletteOffset = kFileHeaderSize + kInfoHeaderSize;

// Reads little-endian numbers from a byte range; bytes past its end read as 0, which is how a
// short file's missing header and pixel bytes are treated.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t Byte(std::size_t at) const { return at < size_ ? data_[at] : 0; }
    std::uint16_t U16(std::size_t at) const { return std::uint16_t(Byte(at) | (Byte(at + 1) << 8)); }
    std::uint32_t U32(std::size_t at) const {
        return std::uint32_t(Byte(at)) | (std::uint32_t(Byte(at + 1)) << 8) |
               (std::uint32_t(Byte(at + 2)) << 16) | (std::uint32_t(Byte(at + 3)) << 24);
    }
    // Copies `count` bytes from `at`, zero-filling whatever lies beyond the end.
    void Copy(std::size_t at, std::uint8_t* out, std::size_t count) const {
        std::size_t available = at < size_ ? std::min(count, size_ - at) : 0;
        if (available > 0) std::memcpy(out, data_ + at, available);
        if (available < count) std::memset(out + available, 0, count - available);
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

// Whether the headers describe a picture this reader decodes: a "BM" file with a 40-byte info
// header or one of its larger successors (52, 56, 108, 124 bytes), one plane, 4 or 8 bits a
// pixel, uncompressed, and pixel rows that start after the headers and within the file. Any
// other kind (fewer or odd bit counts, run-length or bit-field coding, JPEG or PNG inside, a
// core header) is refused here instead of being read as a blank picture.
bool Decodable(const BmpFileHeader& file, const BmpInfoHeader& info, std::uint64_t fileLength) {
    constexpr std::uint16_t kMagic = 'B' | ('M' << 8);
    constexpr std::uint32_t kBiRgb = 0;
    const std::uint32_t size = info.biSize;
    const bool knownInfoSize = size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
    return file.bfType == kMagic && knownInfoSize && info.biPlanes == 1 &&
           (info.biBitCount == 4 || info.biBitCount == 8) && info.biCompression == kBiRgb &&
           file.bfOffBits >= kFileHeaderSize + size && file.bfOffBits < fileLength;
}

// Where the palette starts: right after the info header, whatever its size.
std::size_t PaletteOffset(const BmpInfoHeader& info) { return kFileHeaderSize + info.biSize; }

// Bytes of one pixel row in the file: whole bytes, padded to a multiple of four.
std::size_t RowBytes(int bits, std::int32_t width) {
    return ((std::size_t(bits) * std::size_t(width) + 7) / 8 + 3) / 4 * 4;
}

}  // namespace

int CBmpFile::Load(const std::filesystem::path& path, bool (*acceptHeader)(const BmpInfoHeader&)) {
    const RegularFile file(path);
    const std::optional<std::vector<std::uint8_t>> head = file.Read(0, kPaletteOffset);
    if (!head) return Decode(nullptr, 0, 0);
    // The headers first: they refuse most pictures, and they say how much of the file the
    // picture can use (palette and pixel rows). Nothing beyond that is read, so a huge file
    // costs no more than the picture it claims to be, which the size limits keep small.
    if (!ReadHeaders(head->data(), head->size(), file.Size()) || (acceptHeader && !acceptHeader(infoHeader)))
        return Decode(nullptr, 0, 0);
    const std::uint64_t stride = RowBytes(infoHeader.biBitCount, width);
    const std::uint64_t needed =
        std::max<std::uint64_t>(PaletteOffset(infoHeader) + 4 * (std::uint64_t(1) << infoHeader.biBitCount),
                                fileHeader.bfOffBits + stride * std::uint64_t(height));
    const std::optional<std::vector<std::uint8_t>> bytes = file.Read(0, std::size_t(std::min(needed, file.Size())));
    if (!bytes) return Decode(nullptr, 0, 0);
    return Decode(bytes->data(), bytes->size(), file.Size());
}

int CBmpFile::LoadFromBytes(const std::uint8_t* data, std::size_t size) { return Decode(data, size, size); }

bool CBmpFile::ReadHeaders(const std::uint8_t* data, std::size_t size, std::uint64_t fileLength) {
    const ByteReader file(data, size);
    fileHeader = BmpFileHeader{file.U16(0), file.U32(2), file.U16(6), file.U16(8), file.U32(10)};
    BmpInfoHeader& info = infoHeader;
    info.biSize = file.U32(14);
    info.biWidth = std::int32_t(file.U32(18));
    info.biHeight = std::int32_t(file.U32(22));
    info.biPlanes = file.U16(26);
    info.biBitCount = file.U16(28);
    info.biCompression = file.U32(30);
    info.biSizeImage = file.U32(34);
    info.biXPelsPerMeter = std::int32_t(file.U32(38));
    info.biYPelsPerMeter = std::int32_t(file.U32(42));
    info.biClrUsed = file.U32(46);
    info.biClrImportant = file.U32(50);

    // Only kinds the reader decodes are read; top-down (negative height), empty and absurdly
    // large pictures fail, and so does one whose pixel buffer the file's length cannot justify.
    const std::int32_t w = info.biWidth;
    const std::int32_t h = info.biHeight;
    width = 0;
    height = 0;
    if (!Decodable(fileHeader, info, fileLength)) return false;
    if (w <= 0 || h <= 0 || w > kMaxDimension || h > kMaxDimension) return false;
    if (std::uint64_t(w) * std::uint64_t(h) > 16 * fileLength + 65536) return false;
    width = w;
    height = h;
    return true;
}

int CBmpFile::Decode(const std::uint8_t* data, std::size_t size, std::uint64_t fileLength) {
    palette.clear();
    pixels.clear();
    paletteEntries = 0;
    colourCount = 0;
    if (!ReadHeaders(data, size, fileLength)) return 0;

    const ByteReader file(data, size);
    const BmpInfoHeader& info = infoHeader;
    const std::int32_t w = width;
    const std::int32_t h = height;
    const std::size_t area = std::size_t(w) * std::size_t(h);
    const int bits = info.biBitCount;
    paletteEntries = 1 << bits;
    const std::size_t stride = RowBytes(bits, w);
    palette.assign(std::size_t(paletteEntries) * 4, 0);
    pixels.assign(area + 1, 0);
    for (int i = 0; i < paletteEntries; ++i) {
        file.Copy(PaletteOffset(info) + std::size_t(i) * 4, palette.data() + std::size_t(i) * 4, 3);
        palette[std::size_t(i) * 4 + 3] = 0;
    }

    {  // the rows, bottom row first, one stride each
        std::vector<std::uint8_t> row(stride);
        std::size_t at = fileHeader.bfOffBits;
        for (std::int32_t y = h - 1; y >= 0; --y, at += stride) {
            file.Copy(at, row.data(), stride);
            std::uint8_t* out = pixels.data() + std::size_t(y) * std::size_t(w);
            for (std::int32_t x = 0; x < w; ++x) {
                out[x] = bits == 8 ? row[std::size_t(x)]
                                   : (x % 2 == 0 ? row[std::size_t(x) / 2] >> 4 : row[std::size_t(x) / 2] & 0x0F);
            }
        }
    }

    // A colour first appears where its first palette index does, so only the first pixel of each
    // index needs the search: one pass whatever the picture's size and number of colours.
    std::array<bool, 256> indexSeen{};
    for (std::size_t i = 0; i < area; ++i) {
        const std::uint8_t index = pixels[i];
        if (indexSeen[index]) continue;
        indexSeen[index] = true;
        const COLORREF c = PaletteColour(index);
        bool known = false;
        for (std::int32_t k = 0; k < colourCount && !known; ++k) known = colours[std::size_t(k)] == c;
        if (!known) colours[std::size_t(colourCount++)] = c;
    }
    return 1;
}

std::uint8_t* CBmpFile::GetPixel(std::uint8_t* out, int x, int y) const {
    const std::uint8_t* entry = palette.data() + std::size_t(PixelIndex(x, y)) * 4;
    std::memcpy(out, entry, 4);
    return out;
}

COLORREF CBmpFile::PaletteColour(int index) const {
    if (palette.empty() || index < 0 || index >= paletteEntries) return kWhite;
    const std::uint8_t* e = palette.data() + std::size_t(index) * 4;
    return MakeColour(e[2], e[1], e[0]);
}

}  // namespace mosgrid
