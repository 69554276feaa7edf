// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures and board models from text, a character a pixel ('.' = 0, '1'..'9', 'a'..'f' = 10..15).
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "board/core/BoardModel.h"
#include "catalogue/core/BmpWriter.h"

namespace mosgrid::test {

inline Picture4 PictureFromText(const std::vector<std::string>& rows, std::vector<COLORREF> palette) {
    Picture4 p{rows.empty() ? 0 : int(rows[0].size()), int(rows.size()), std::move(palette), {}};
    for (const std::string& row : rows)
        for (char ch : row) p.indices.push_back(std::uint8_t(ch == '.' ? 0 : (ch >= 'a' ? ch - 'a' + 10 : ch - '0')));
    return p;
}

// A model set up from the picture and reset, as the board sets one up; null when refused.
inline std::unique_ptr<BoardModel> BoardFromPicture(const Picture4& picture, const std::u16string& name = u"p") {
    auto model = std::make_unique<BoardModel>();
    const std::vector<std::uint8_t> bytes = EncodeBmp4(picture);
    if (model->picture.LoadFromBytes(bytes.data(), bytes.size()) != 1 || !model->SetupFromLoadedPicture(name))
        return nullptr;
    model->Reset();
    return model;
}

inline std::unique_ptr<BoardModel> BoardFromText(const std::vector<std::string>& rows, std::vector<COLORREF> palette) {
    return BoardFromPicture(PictureFromText(rows, std::move(palette)));
}

// A fresh, empty folder under the system's temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder() {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("mosgrid-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// `bytes` with `value` written little-endian into `size` bytes at `at`.
inline std::vector<std::uint8_t> With(std::vector<std::uint8_t> bytes, std::size_t at, std::uint32_t value, int size = 4) {
    for (int i = 0; i < size; ++i) bytes[at + std::size_t(i)] = std::uint8_t(value >> (8 * i));
    return bytes;
}

// A 2 x 2 four-bit picture changed into each kind of file the picture reader cannot decode.
inline std::vector<std::pair<std::string, std::vector<std::uint8_t>>> UndecodablePictures() {
    const std::vector<std::uint8_t> good = EncodeBmp4(PictureFromText({"1.", ".1"}, {0xFFFFFF, 0x0000FF}));
    auto with = [&good](std::size_t at, std::uint32_t value, int size) { return With(good, at, value, size); };
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> out = {
        {"magic BA", with(0, 'B' | ('A' << 8), 2)}, {"core header (biSize 12)", with(14, 12, 4)},
        {"biSize 0", with(14, 0, 4)}, {"biSize 64", with(14, 64, 4)}, {"no plane", with(26, 0, 2)},
        {"two planes", with(26, 2, 2)}, {"RLE8", with(30, 1, 4)}, {"RLE4", with(30, 2, 4)},
        {"bit fields", with(30, 3, 4)}, {"JPEG inside", with(30, 4, 4)}, {"PNG inside", with(30, 5, 4)},
        {"pixels start at the file's end", with(10, std::uint32_t(good.size()), 4)},
        {"pixels start past the file's end", with(10, 100000, 4)},
        {"pixels start inside the headers", with(10, 20, 4)}};
    for (int bits : {1, 2, 3, 5, 7}) out.push_back({std::to_string(bits) + " bits a pixel", with(28, std::uint32_t(bits), 2)});
    return out;
}

}  // namespace mosgrid::test
