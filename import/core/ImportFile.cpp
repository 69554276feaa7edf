// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/core/ImportFile.h"

#include <algorithm>

#include "catalogue/core/AtomicFile.h"
#include "catalogue/core/PictureFiles.h"
#include "catalogue/core/Text.h"
#include "import/core/TimedSearch.h"

namespace mosgrid {

void DefaultBox(int width, int height, ConvertOptions& options) {
    const bool fits = width <= kImportMaxSide && height <= kImportMaxSide;
    options.maxWidth = fits ? kImportMaxSide : 30;
    options.maxHeight = fits ? kImportMaxSide : 30;
    options.enlarge = false;
}

bool IsImportName(const std::string& name) {
    const std::u16string wide = Utf8ToUtf16(name);
    if (Utf16ToUtf8(wide) != name || !IsPlainPuzzleName(wide)) return false;
    const auto back = PuzzleNameOfFile(name + ".bmp");
    return back && *back == wide;
}

std::string ChooseName(const ImportRequest& request, const std::string& title, const std::filesystem::path& file) {
    if (!request.name.empty()) return request.name;
    if (IsImportName(title)) return title;
    return file.stem().string();
}

void WritePuzzle(const Picture4& picture, const std::string& name, const ImportRequest& request, ImportOutcome& out) {
    out.name = name;
    out.width = picture.width;
    out.height = picture.height;
    std::vector<bool> used(picture.palette.size(), false);
    for (std::uint8_t i : picture.indices) used[i] = true;
    out.colours = int(std::count(used.begin(), used.end(), true)) + (used[0] ? 0 : 1);
    if (!IsImportName(name)) {
        out.reason = "the name \"" + name + "\" cannot name a puzzle (no '/', not \".\" or \"..\", at most 259 characters)";
        return;
    }
    const std::u16string wide = Utf8ToUtf16(name);
    const std::filesystem::path existing = FindPicturePath(request.folder, wide);
    std::error_code error;
    const bool exists = std::filesystem::exists(existing, error);
    if (exists && !request.replace) {
        out.reason = "a puzzle named \"" + name + "\" exists already (--replace overwrites it)";
        return;
    }
    out.path = exists ? existing : request.folder / (name + ".bmp");
    if (!WriteFileAtomically(out.path, EncodeBmp4(picture))) {
        out.reason = "cannot write " + out.path.string();
        return;
    }
    out.written = true;
}

ImportOutcome ImportClueText(std::string_view text, const std::filesystem::path& file, const ImportRequest& request) {
    ImportOutcome out;
    CluePuzzle clues;
    std::string error;
    if (!ReadClueFile(text, clues, error)) {
        out.reason = "not a clue file: " + error;
        return out;
    }
    out.width = clues.puzzle.width;
    out.height = clues.puzzle.height;
    const ClueVerdict verdict = DecideCluePuzzle(clues, request.decide);
    if (verdict.kind != ClueVerdict::Kind::Unique) {
        out.reason = verdict.reason;
        return out;
    }
    WritePuzzle(verdict.picture, ChooseName(request, clues.title, file), request, out);
    return out;
}

ImportOutcome ImportImage(const RgbaImage& image, const std::filesystem::path& file, const ImportRequest& request) {
    ImportOutcome out;
    ConvertOptions options = request.convert;
    if (!request.sizeGiven) DefaultBox(image.width, image.height, options);
    Picture4 picture;
    std::string error;
    if (!ConvertPicture(image, options, picture, error)) {
        out.reason = error;
        return out;
    }
    out.width = picture.width;
    out.height = picture.height;
    const TimedCount count = CountWithin(PuzzleFromPicture(picture), request.decide.cap, request.decide.time, 0);
    if (count.solutions != 1 || count.timedOut) {
        if (!request.repair) {
            out.reason = count.solutions >= 2
                             ? std::string(count.capped || count.timedOut ? "at least " : "") + std::to_string(count.solutions) +
                                   " solutions (--repair changes cells until one is left)"
                             : "too hard to check: no verdict in time";
            return out;
        }
        const RepairResult repaired = MakeUnique(picture, request.repairLimits);
        out.changed = repaired.changed;
        if (!repaired.unique) {
            out.reason = "could not be made unique: " + repaired.reason;
            return out;
        }
        picture = repaired.picture;
    }
    WritePuzzle(picture, ChooseName(request, "", file), request, out);
    return out;
}

std::string OutcomeLine(const std::string& file, const ImportOutcome& outcome) {
    if (!outcome.written) return file + ": refused: " + outcome.reason;
    return file + ": written " + outcome.name + ", " + std::to_string(outcome.width) + " x " +
           std::to_string(outcome.height) + ", " + std::to_string(outcome.colours) + " colours, " +
           std::to_string(outcome.changed) + " cells changed -> " + outcome.path.string();
}

}  // namespace mosgrid
