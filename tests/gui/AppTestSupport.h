#pragma once
// Helpers for the tests of the main window: folders of puzzles, scripted message boxes, the
// catalogue file as bytes, cell positions on the board, and acting on a modal dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/Prompts.h"
#include "board/ui/GmGride.h"
#include "catalogue/core/BmpWriter.h"
#include "tests/gui/ScriptedPrompts.h"
#include "tests/unit/TestPictures.h"

namespace mosgrid::test {

// No message box was shown.
inline bool NoBoxes(const ScriptedPrompts& prompts) {
    return prompts.asked.empty() && prompts.told.empty() && prompts.refused.empty();
}

// Puzzles used by the tests, black on white.
inline const std::vector<COLORREF> kBlackOnWhite = {kWhite, kBlack};

inline void WritePuzzle(const std::filesystem::path& folder, const std::string& name,
                        const std::vector<std::string>& rows,
                        const std::vector<COLORREF>& palette = kBlackOnWhite) {
    ASSERT_TRUE(WriteBmp4(folder / (name + ".bmp"), PictureFromText(rows, palette)));
}

// One record of the catalogue file as it lies on disk.
struct FileRecord {
    std::u16string name;
    std::int32_t solvedCount = 0;
    int hours = 0, minutes = 0, seconds = 0;
};

inline std::vector<FileRecord> ReadCatalogueFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<FileRecord> records;
    for (std::size_t at = 0; at + 528 <= bytes.size(); at += 528) {
        auto byte = [&](std::size_t i) { return std::uint8_t(bytes[at + i]); };
        FileRecord r;
        for (std::size_t i = 0; i < 520; i += 2) {
            char16_t unit = char16_t(byte(i) | (byte(i + 1) << 8));
            if (unit == 0) break;
            r.name.push_back(unit);
        }
        r.solvedCount = std::int32_t(std::uint32_t(byte(520)) | std::uint32_t(byte(521)) << 8 |
                                     std::uint32_t(byte(522)) << 16 | std::uint32_t(byte(523)) << 24);
        r.hours = byte(524);
        r.minutes = byte(525);
        r.seconds = byte(526);
        records.push_back(r);
    }
    return records;
}

inline void WriteCatalogueFile(const std::filesystem::path& file, const std::vector<FileRecord>& records) {
    std::vector<std::uint8_t> bytes(records.size() * 528, 0);
    for (std::size_t k = 0; k < records.size(); ++k) {
        std::uint8_t* r = bytes.data() + k * 528;
        for (std::size_t i = 0; i < records[k].name.size(); ++i) {
            r[2 * i] = std::uint8_t(records[k].name[i] & 0xFF);
            r[2 * i + 1] = std::uint8_t(records[k].name[i] >> 8);
        }
        std::uint32_t count = std::uint32_t(records[k].solvedCount);
        for (int b = 0; b < 4; ++b) r[520 + b] = std::uint8_t(count >> (8 * b));
        r[524] = std::uint8_t(records[k].hours);
        r[525] = std::uint8_t(records[k].minutes);
        r[526] = std::uint8_t(records[k].seconds);
    }
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// The middle of a cell in the board's viewport.
inline QPoint CellCentre(const CGmGride& board, int column, int row) {
    const BoardModel& m = board.Model();
    const int s = board.CellSize();
    return QPoint((m.R + column) * s - board.HorizontalOffset() + s / 2,
                  (m.K + row) * s - board.VerticalOffset() + s / 2);
}

// Runs `act` on the next modal dialog of type D once it is open (the dialog's exec() is running),
// so that a test can drive a dialog without being blocked by it. A dialog that never shows up is
// a test failure; any dialog left open then is rejected so the test cannot hang.
template <class D>
void WhenDialogOpens(std::function<void(D&)> act, int attempts = 200) {
    QTimer::singleShot(5, [act = std::move(act), attempts]() mutable {
        if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) {
            act(*dialog);
            return;
        }
        if (attempts > 0) {
            WhenDialogOpens<D>(std::move(act), attempts - 1);
            return;
        }
        ADD_FAILURE() << "the expected dialog did not open";
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible()) d->reject();
    });
}

}  // namespace mosgrid::test
