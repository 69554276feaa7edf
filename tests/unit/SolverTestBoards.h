#pragma once
// Board models for the tests, built from text pictures in memory.
#include <memory>
#include <string>
#include <vector>

#include "board/core/BoardModel.h"
#include "catalogue/core/BmpWriter.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid::test {

// A model set up from the picture and reset (every cell blank), as the check starts from.
inline std::unique_ptr<BoardModel> BoardFromText(const std::vector<std::string>& rows, std::vector<COLORREF> palette) {
    auto model = std::make_unique<BoardModel>();
    const std::vector<std::uint8_t> bytes = EncodeBmp4(PictureFromText(rows, std::move(palette)));
    if (model->picture.LoadFromBytes(bytes.data(), bytes.size()) != 1) return nullptr;
    if (!model->SetupFromLoadedPicture(u"test")) return nullptr;
    model->Reset();
    return model;
}

}  // namespace mosgrid::test
