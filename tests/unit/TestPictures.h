#pragma once
// Helpers for the tests: small pictures made from text, one character a pixel, each character
// standing for a palette index ('.' = 0, '1'..'9' = 1..9, 'a'..'f' = 10..15); temporary folders
// and whole files read and written.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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
