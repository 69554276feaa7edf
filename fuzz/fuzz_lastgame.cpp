// Applies arbitrary bytes as a last-game file to a model set up from a small picture. A file
// that is applied must encode back to the same bytes (its clock carried) and keep the solved
// flags in step with the cells; a refused one must leave the model as it was.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "board/core/LineCheck.h"
#include "catalogue/core/BmpWriter.h"
#include "savegame/core/LastGameCodec.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// 4 x 3 cells in red and blue on white; green is in the palette but no pixel uses it.
mosgrid::BoardModel& Model() {
    static mosgrid::BoardModel* model = [] {
        const std::vector<std::uint8_t> bmp = mosgrid::EncodeBmp4(
            {4, 3, {mosgrid::kWhite, 0x0000FF, 0xFF0000, 0x00FF00}, {1, 1, 0, 2, 1, 0, 2, 2, 2, 1, 1, 1}});
        auto* m = new mosgrid::BoardModel;
        Require(m->picture.LoadFromBytes(bmp.data(), bmp.size()) == 1 && m->SetupFromLoadedPicture(u"p"));
        m->Reset();
        return m;
    }();
    return *model;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    if (std::optional<std::u16string> name = mosgrid::LastGameName(bytes)) Require(mosgrid::IsRestorableName(*name));
    mosgrid::BoardModel& model = Model();
    const std::optional<std::vector<std::uint8_t>> before = mosgrid::EncodeLastGame(model);
    const bool applied = mosgrid::ApplyLastGame(bytes, model);
    const std::optional<std::vector<std::uint8_t>> after = mosgrid::EncodeLastGame(model);
    Require(before && after);
    if (!applied) {
        Require(*after == *before);
        return 0;
    }
    // Byte for byte the same, but for the clock (bytes 924 to 935), whose minutes or seconds may
    // have been carried.
    std::vector<std::uint8_t> expected(bytes.begin(), bytes.end());
    Require(expected.size() == after->size());
    std::copy(after->begin() + 924, after->begin() + 936, expected.begin() + 924);
    Require(*after == expected && model.seconds < 60 && model.minutes < 60);
    // An applied file never announces a solved line the cells do not hold, nor hides one.
    for (int c = 0; c < model.cols(); ++c)
        Require((model.columnSolved[std::size_t(c)] == 1) == mosgrid::ColumnComplete(model, c));
    for (int r = 0; r < model.rows(); ++r)
        Require((model.rowSolved[std::size_t(r)] == 1) == mosgrid::RowComplete(model, r));
    return 0;
}
