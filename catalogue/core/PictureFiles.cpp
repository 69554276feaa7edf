// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/core/PictureFiles.h"

#include "common/BmpFile.h"
#include "catalogue/core/PuzzleRecord.h"
#include "catalogue/core/Text.h"

namespace mosgrid {
namespace {

constexpr std::string_view kExtension = ".bmp";
constexpr std::int32_t kMaxPuzzleSide = 50;

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool IsWellFormedUtf16(std::u16string_view s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char16_t u = s[i];
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 1 >= s.size() || s[i + 1] < 0xDC00 || s[i + 1] > 0xDFFF) return false;
            ++i;
        } else if (u >= 0xDC00 && u <= 0xDFFF) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool IsPlainPuzzleName(std::u16string_view name) {
    if (name.empty() || name.size() > PuzzleRecord::kMaxNameLength || name == u"." || name == u"..") return false;
    if (name.find_first_of(std::u16string_view(u"/\0", 2)) != std::u16string_view::npos) return false;
    return IsWellFormedUtf16(name);
}

bool HasBmpExtension(std::string_view fileName) {
    if (fileName.size() < kExtension.size()) return false;
    const std::string_view tail = fileName.substr(fileName.size() - kExtension.size());
    for (std::size_t i = 0; i < kExtension.size(); ++i)
        if (LowerAscii(tail[i]) != kExtension[i]) return false;
    return true;
}

std::optional<std::u16string> PuzzleNameOfFile(std::string_view fileName) {
    if (!HasBmpExtension(fileName) || fileName.size() == kExtension.size()) return std::nullopt;
    const std::string_view stem = fileName.substr(0, fileName.size() - kExtension.size());
    std::u16string name = Utf8ToUtf16(stem);
    if (Utf16ToUtf8(name) != stem || !IsPlainPuzzleName(name)) return std::nullopt;
    return name;
}

std::filesystem::path FindPicturePath(const std::filesystem::path& folder, std::u16string_view name) {
    if (!IsPlainPuzzleName(name)) return {};
    std::filesystem::path exact = PicturePath(folder, name);
    std::error_code error;
    if (std::filesystem::is_regular_file(exact, error)) return exact;

    const std::string stem = Utf16ToUtf8(name);
    std::string best;
    const std::filesystem::path where = folder.empty() ? std::filesystem::path(".") : folder;
    for (std::filesystem::directory_iterator it(where, error), end; !error && it != end; it.increment(error)) {
        const std::string file = it->path().filename().string();
        if (file.size() != stem.size() + kExtension.size() || file.compare(0, stem.size(), stem) != 0 ||
            !HasBmpExtension(file))
            continue;
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        if (best.empty() || file < best) best = file;
    }
    return best.empty() ? exact : folder / best;
}

std::filesystem::path FindPicturePath(const GameFolders& folders, std::u16string_view name) {
    for (const std::filesystem::path& folder : folders.pictures) {
        std::filesystem::path found = FindPicturePath(folder, name);
        std::error_code error;
        if (!found.empty() && std::filesystem::is_regular_file(found, error)) return found;
    }
    return folders.pictures.empty() ? std::filesystem::path() : FindPicturePath(folders.pictures.front(), name);
}

bool IsPuzzlePicture(const CBmpFile& picture) { return IsPuzzleHeader(picture.infoHeader); }

bool IsPuzzleHeader(const BmpInfoHeader& info) {
    return info.biBitCount == 4 && info.biWidth >= 1 && info.biWidth <= kMaxPuzzleSide && info.biHeight >= 1 &&
           info.biHeight <= kMaxPuzzleSide;
}

}  // namespace mosgrid
