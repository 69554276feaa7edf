// SPDX-License-Identifier: GPL-3.0-or-later
// mosgrid-import [--out DIR] [--size WxH] [--colours K] [--light L] [--repair] [--replace]
//                [--name NAME] FILE...
//
// Makes puzzles of the game from clue files (".non", webpbn XML, ".g") and from pictures (any
// format Qt reads; transparency is background). Each file becomes one 4-bit BMP in DIR, named
// after --name (one file only), the clue file's title or the file's name. A clue file must have
// exactly one solution. A picture is fitted into WxH (default: as it is when it fits 50 x 50,
// else into 30 x 30), pixels at least as light as L in every channel (default 240; 256: none)
// become background, the rest is reduced to K colours besides white (default 4); a picture
// whose clues have several solutions is refused, or with --repair changed cell by cell until
// one is left. An existing puzzle of the same name is kept unless --replace is given.
//
// One line a file on standard output: written with its name, size, colours and cells changed,
// or refused with the reason. Exit code 0 when every file was written, 1 when any was refused,
// 2 for a wrong command line.
#include <QByteArray>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "catalogue/core/GameFolders.h"
#include "common/RegularFile.h"
#include "import/core/ClueFile.h"
#include "import/core/ImportFile.h"

namespace {

constexpr std::size_t kMaxFileBytes = 64u << 20;

int Usage(const char* program) {
    std::fprintf(stderr,
                 "usage: %s [--out DIR] [--size WxH] [--colours K] [--light L] [--repair] [--replace] "
                 "[--name NAME] FILE...\n",
                 program);
    return 2;
}

bool ParseInt(const char* text, int low, int high, int& out) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < low || value > high) return false;
    out = int(value);
    return true;
}

mosgrid::ImportOutcome ImportFile(const std::string& file, const mosgrid::ImportRequest& request) {
    mosgrid::ImportOutcome out;
    const auto bytes = mosgrid::ReadRegularFile(file, kMaxFileBytes);
    if (!bytes) {
        out.reason = "cannot be read (missing, not a regular file, or larger than 64 MiB)";
        return out;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    if (mosgrid::IsClueFileName(file)) return mosgrid::ImportClueText(text, file, request);
    const QImage decoded = QImage::fromData(QByteArray::fromRawData(text.data(), qsizetype(text.size())));
    if (decoded.isNull()) {
        // Not a picture Qt knows: perhaps a clue file under another name.
        mosgrid::ImportOutcome clues = mosgrid::ImportClueText(text, file, request);
        if (!clues.written && clues.reason.rfind("not a clue file", 0) == 0) {
            clues.reason = "neither a picture nor a clue file";
        }
        return clues;
    }
    const QImage rgba = decoded.convertToFormat(QImage::Format_RGBA8888);
    mosgrid::RgbaImage image;
    image.width = rgba.width();
    image.height = rgba.height();
    image.rgba.resize(std::size_t(image.width) * std::size_t(image.height) * 4);
    for (int y = 0; y < image.height; ++y) {
        std::memcpy(&image.rgba[std::size_t(y) * std::size_t(image.width) * 4], rgba.constScanLine(y),
                    std::size_t(image.width) * 4);
    }
    return mosgrid::ImportImage(image, file, request);
}

}  // namespace

int main(int argc, char** argv) {
    mosgrid::ImportRequest request;
    // The game's folders, as the game beside this tool chooses them: its own folder when it keeps
    // everything there, the player's puzzle folder when it is installed (made when missing).
    const mosgrid::GameFolders folders = mosgrid::GameFoldersOfThisProgram();
    mosgrid::MakePlayerFolders(folders);
    request.folder = folders.PlayerPictures();
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--out" && hasValue) {
            request.folder = argv[++i];
        } else if (arg == "--size" && hasValue) {
            const std::string size = argv[++i];
            const std::size_t x = size.find_first_of("xX");
            if (x == std::string::npos ||
                !ParseInt(size.substr(0, x).c_str(), 1, mosgrid::kImportMaxSide, request.convert.maxWidth) ||
                !ParseInt(size.substr(x + 1).c_str(), 1, mosgrid::kImportMaxSide, request.convert.maxHeight)) {
                std::fprintf(stderr, "--size takes WxH, each from 1 to %d\n", mosgrid::kImportMaxSide);
                return 2;
            }
            request.sizeGiven = true;
            request.convert.enlarge = true;
        } else if (arg == "--colours" && hasValue) {
            if (!ParseInt(argv[++i], 1, mosgrid::kImportMaxColours, request.convert.colours)) {
                std::fprintf(stderr, "--colours takes 1 to %d (white not counted)\n", mosgrid::kImportMaxColours);
                return 2;
            }
        } else if (arg == "--light" && hasValue) {
            if (!ParseInt(argv[++i], 0, 256, request.convert.background)) {
                std::fprintf(stderr, "--light takes 0 to 256\n");
                return 2;
            }
        } else if (arg == "--name" && hasValue) {
            request.name = argv[++i];
        } else if (arg == "--repair") {
            request.repair = true;
        } else if (arg == "--replace") {
            request.replace = true;
        } else if (arg.rfind("--", 0) == 0) {
            return Usage(argv[0]);
        } else {
            files.push_back(arg);
        }
    }
    if (files.empty()) return Usage(argv[0]);
    if (!request.name.empty() && files.size() > 1) {
        std::fprintf(stderr, "--name names one file only\n");
        return 2;
    }
    std::error_code error;
    if (!std::filesystem::is_directory(request.folder.empty() ? "." : request.folder, error)) {
        std::fprintf(stderr, "%s: not a folder\n", request.folder.string().c_str());
        return 2;
    }
    bool allWritten = true;
    for (const std::string& file : files) {
        const mosgrid::ImportOutcome outcome = ImportFile(file, request);
        allWritten = allWritten && outcome.written;
        std::printf("%s\n", mosgrid::OutcomeLine(file, outcome).c_str());
        std::fflush(stdout);
    }
    return allWritten ? 0 : 1;
}
