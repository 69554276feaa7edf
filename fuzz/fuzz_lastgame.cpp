// Applies arbitrary bytes as a last-game file to a model set up from a small picture. A file
// that is applied must encode back to the same bytes (its clock carried) and keep the solved flags in step
// with the cells; a refused one must leave the model as it was.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "catalogue/core/BmpWriter.h"
#include "catalogue/core/Text.h"
#include "board/core/LineCheck.h"
#include "savegame/core/LastGameCodec.h"

namespace {

using mosgrid::BoardModel;

// 4 x 3 cells in red and blue on white; green is in the palette but no pixel uses it.
mosgrid::Picture4 FuzzPicture() {
    mosgrid::Picture4 p;
    p.width = 4;
    p.height = 3;
    p.palette = {mosgrid::kWhite, 0x0000FF, 0xFF0000, 0x00FF00};
    p.indices = {1, 1, 0, 2,  //
                 1, 0, 2, 2,  //
                 2, 1, 1, 1};
    return p;
}

// Set up once, the way the board sets a puzzle up: from its picture file in a folder.
BoardModel& Model() {
    static BoardModel* model = [] {
        auto folder = std::filesystem::temp_directory_path() / ("mosgrid-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        auto path = mosgrid::PicturePath(folder, u"p");
        auto* m = new BoardModel;
        if (!mosgrid::WriteBmp4(path, FuzzPicture()) || !m->Setup(path, u"p")) std::abort();
        m->Reset();
        std::filesystem::remove_all(folder);
        return m;
    }();
    return *model;
}

// The clock of a file as a number of seconds.
std::int64_t Seconds(std::span<const std::uint8_t> b) {
    auto at = [b](std::size_t i) {
        return std::int64_t(std::int32_t(b[i] | b[i + 1] << 8 | b[i + 2] << 16 | std::uint32_t(b[i + 3]) << 24));
    };
    return (at(932) * 60 + at(928)) * 60 + at(924);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    if (std::optional<std::u16string> name = mosgrid::LastGameName(bytes)) {
        if (!mosgrid::IsRestorableName(*name)) std::abort();
    }
    BoardModel& model = Model();
    const std::optional<std::vector<std::uint8_t>> before = mosgrid::EncodeLastGame(model);
    if (!before) std::abort();
    const bool applied = mosgrid::ApplyLastGame(bytes, model);
    const std::optional<std::vector<std::uint8_t>> after = mosgrid::EncodeLastGame(model);
    if (!after) std::abort();
    if (applied) {
        // Byte for byte the same, but for a clock whose minutes or seconds were carried.
        std::vector<std::uint8_t> expected(bytes.begin(), bytes.end());
        if (expected.size() != after->size()) std::abort();
        std::copy(after->begin() + 924, after->begin() + 936, expected.begin() + 924);
        if (*after != expected || model.seconds >= 60 || model.minutes >= 60 ||
            Seconds(bytes) != (std::int64_t(model.hours) * 60 + model.minutes) * 60 + model.seconds)
            std::abort();
        // An applied file never announces a solved line the cells do not hold, nor hides one.
        for (int c = 0; c < model.cols(); ++c)
            if ((model.columnSolved[std::size_t(c)] == 1) != mosgrid::ColumnComplete(model, c)) std::abort();
        for (int r = 0; r < model.rows(); ++r)
            if ((model.rowSolved[std::size_t(r)] == 1) != mosgrid::RowComplete(model, r)) std::abort();
    } else if (*after != *before) {
        std::abort();
    }
    return 0;
}
