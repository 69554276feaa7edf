#pragma once
// Helpers for the tests: small pictures and board models made from text, one character a pixel,
// each character standing for a palette index ('.' = 0, '1'..'9' = 1..9, 'a'..'f' = 10..15);
// temporary folders and whole files read and written.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "board/core/BoardModel.h"
#include "catalogue/core/BmpWriter.h"

namespace mosgrid::test {

inline Picture4 PictureFromText(const std::vector<std::string>& rows, std::vector<COLORREF> palette) {
    Picture4 p;
    p.height = int(rows.size());
    p.width = rows.empty() ? 0 : int(rows[0].size());
    p.palette = std::move(palette);
    for (const std::string& row : rows) {
        for (char ch : row) {
            int index = ch == '.' ? 0 : (ch >= 'a' ? ch - 'a' + 10 : ch - '0');
            p.indices.push_back(std::uint8_t(index));
        }
    }
    return p;
}

// A model of puzzle `name` set up from the picture and reset (every cell blank), as the board
// sets one up from its file; null when the picture is refused.
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

}  // namespace mosgrid::test
