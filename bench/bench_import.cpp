// SPDX-License-Identifier: GPL-3.0-or-later
// The importer on pictures: time to a verdict (one solution or several) and to a unique puzzle
// by the repair, with the cells it changed, for pictures converted at 25 x 25 and 40 x 40 with
// 2 and 6 colours (white counted). Pictures: icons of Debian's adwaita-icon-theme (512 px) and
// tango-icon-theme (32 px, enlarged) where installed, and generated ones (shapes with ragged
// edges, and speckles of random blocks, made from fixed seeds). One line a picture, then the median of each setting.
// Targets: a verdict within 1 s and a repair within 5 s for the median picture.
//
//   bench_import [--quick]      (--quick: three pictures of each kind)
#include <QImage>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "import/core/PictureConvert.h"
#include "import/core/TimedSearch.h"
#include "import/core/UniqueRepair.h"

namespace {

using namespace mosgrid;
using Clock = std::chrono::steady_clock;

struct Source {
    std::string name;
    RgbaImage image;
};

bool Decode(const std::string& path, RgbaImage& out) {
    const QImage decoded(QString::fromStdString(path));
    if (decoded.isNull()) return false;
    const QImage rgba = decoded.convertToFormat(QImage::Format_RGBA8888);
    out.width = rgba.width();
    out.height = rgba.height();
    out.rgba.resize(std::size_t(out.width) * std::size_t(out.height) * 4);
    for (int y = 0; y < out.height; ++y) {
        std::memcpy(&out.rgba[std::size_t(y) * std::size_t(out.width) * 4], rgba.constScanLine(y), std::size_t(out.width) * 4);
    }
    return true;
}

// Blobs of a few colours with ragged edges on a transparent ground, 200 x 200.
RgbaImage Generated(unsigned seed) {
    std::mt19937 random(seed);
    RgbaImage image{200, 200, std::vector<std::uint8_t>(200 * 200 * 4, 0)};
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int blob = 0; blob < 7; ++blob) {
        const double cx = 40 + 120 * unit(random), cy = 40 + 120 * unit(random);
        const double r = 25 + 45 * unit(random), wobble = 0.15 + 0.3 * unit(random);
        const int phase = int(6 * unit(random));
        const std::uint8_t colour[3] = {std::uint8_t(255 * unit(random)), std::uint8_t(200 * unit(random)),
                                        std::uint8_t(255 * unit(random))};
        for (int y = 0; y < 200; ++y) {
            for (int x = 0; x < 200; ++x) {
                const double a = std::atan2(y - cy, x - cx);
                const double edge = r * (1 + wobble * std::sin(5 * a + phase) * std::cos(3 * a));
                if (std::hypot(x - cx, y - cy) > edge) continue;
                std::uint8_t* p = &image.rgba[(std::size_t(y) * 200 + std::size_t(x)) * 4];
                std::memcpy(p, colour, 3);
                p[3] = 255;
            }
        }
    }
    return image;
}

// Random blocks of 5 x 5 pixels, half of them dark in several tints, 200 x 200: the hardest kind.
RgbaImage Speckled(unsigned seed) {
    std::mt19937 random(seed);
    RgbaImage image{200, 200, std::vector<std::uint8_t>(200 * 200 * 4, 255)};
    for (int by = 0; by < 40; ++by) {
        for (int bx = 0; bx < 40; ++bx) {
            const std::uint8_t v = random() % 2 ? 0 : 255;
            const std::uint8_t tint = std::uint8_t(random() % 160);
            for (int y = 5 * by; y < 5 * by + 5; ++y) {
                for (int x = 5 * bx; x < 5 * bx + 5; ++x) {
                    std::uint8_t* p = &image.rgba[(std::size_t(y) * 200 + std::size_t(x)) * 4];
                    p[0] = v ? 255 : tint;
                    p[1] = v;
                    p[2] = v ? 255 : std::uint8_t(160 - tint);
                }
            }
        }
    }
    return image;
}

std::vector<Source> Sources(int perKind) {
    std::vector<Source> sources;
    const std::vector<std::string> adwaita{"places/folder-music", "places/user-trash", "places/network-server",
                                           "mimetypes/audio-x-generic", "mimetypes/x-office-spreadsheet-template",
                                           "places/user-home", "mimetypes/font-x-generic", "mimetypes/video-x-generic"};
    const std::vector<std::string> tango{"apps/internet-web-browser", "apps/accessories-calculator", "apps/system-users",
                                         "apps/office-calendar", "apps/utilities-terminal", "apps/help-browser",
                                         "apps/preferences-desktop-wallpaper", "apps/internet-mail"};
    for (int i = 0; i < perKind && i < int(adwaita.size()); ++i) {
        Source s{"adwaita " + adwaita[std::size_t(i)], {}};
        const std::string path = "/usr/share/icons/Adwaita/512x512/" + adwaita[std::size_t(i)] + ".png";
        if (Decode(path, s.image)) sources.push_back(std::move(s));
    }
    for (int i = 0; i < perKind && i < int(tango.size()); ++i) {
        Source s{"tango " + tango[std::size_t(i)], {}};
        const std::string path = "/usr/share/icons/Tango/32x32/" + tango[std::size_t(i)] + ".png";
        if (Decode(path, s.image)) sources.push_back(std::move(s));
    }
    for (int i = 0; i < perKind; ++i) sources.push_back({"generated blobs " + std::to_string(i), Generated(unsigned(100 + i))});
    for (int i = 0; i < perKind / 2; ++i) sources.push_back({"generated speckles " + std::to_string(i), Speckled(unsigned(200 + i))});
    return sources;
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
    const bool quick = argc > 1 && std::string(argv[1]) == "--quick";
    const std::vector<Source> sources = Sources(quick ? 3 : 8);
    std::printf("%zu pictures; verdict: search to a second solution (10 s at most); repair: 30 s at most\n",
                sources.size());
    for (int side : {25, 40}) {
        for (int colours : {2, 6}) {
            std::printf("\n== %d x %d, %d colours (white counted)\n", side, side, colours);
            std::printf("%-46s %7s %11s %11s %8s\n", "picture", "size", "verdict ms", "unique ms", "changed");
            std::vector<double> verdicts, repairs, changes, repairedOnly, changedOnly;
            int failed = 0;
            for (const Source& source : sources) {
                Picture4 picture;
                std::string error;
                if (!ConvertPicture(source.image, ConvertOptions{side, side, true, colours - 1, 240}, picture, error)) {
                    std::printf("%-46s %s\n", source.name.c_str(), error.c_str());
                    continue;
                }
                const auto start = Clock::now();
                const TimedCount count = CountWithin(PuzzleFromPicture(picture), 2, std::chrono::seconds(10), 0);
                const double verdict = Seconds(Clock::now() - start);
                verdicts.push_back(verdict);
                const char* said = count.timedOut ? "none" : count.solutions == 1 ? "unique" : "several";
                double repair = verdict;
                int changed = 0;
                bool unique = count.solutions == 1 && !count.timedOut;
                if (!unique) {
                    const auto repairStart = Clock::now();
                    const RepairResult r = MakeUnique(picture, RepairLimits{std::chrono::seconds(30), 250});
                    repair = verdict + Seconds(Clock::now() - repairStart);
                    changed = r.changed;
                    unique = r.unique;
                }
                if (unique) {
                    repairs.push_back(repair);
                    changes.push_back(changed);
                    if (count.solutions != 1) {
                        repairedOnly.push_back(repair);
                        changedOnly.push_back(changed);
                    }
                } else {
                    ++failed;
                    repairs.push_back(1e9);  // counts as slower than any success in the median
                }
                char size[16];
                std::snprintf(size, sizeof size, "%dx%d", picture.width, picture.height);
                char repaired[32];
                std::snprintf(repaired, sizeof repaired, unique ? "%.1f" : "failed", 1000 * repair);
                std::printf("%-46s %7s %11.1f %11s %8d  %s\n", source.name.c_str(), size, 1000 * verdict, repaired,
                            changed, said);
                std::fflush(stdout);
            }
            const double medianRepair = Median(repairs);
            char repaired[32];
            std::snprintf(repaired, sizeof repaired, medianRepair >= 1e9 ? "(failed)" : "%.1f ms", 1000 * medianRepair);
            std::printf("median: verdict %.1f ms, unique puzzle %s, %.0f cells changed; slowest verdict %.1f ms; "
                        "%d of %zu not made unique\n",
                        1000 * Median(verdicts), repaired, Median(changes),
                        1000 * *std::max_element(verdicts.begin(), verdicts.end()), failed, repairs.size());
            if (!repairedOnly.empty()) {
                std::printf("of the %zu repaired: median %.1f ms to a unique puzzle (slowest %.1f ms), %.0f cells changed "
                            "(most %.0f)\n",
                            repairedOnly.size(), 1000 * Median(repairedOnly),
                            1000 * *std::max_element(repairedOnly.begin(), repairedOnly.end()), Median(changedOnly),
                            *std::max_element(changedOnly.begin(), changedOnly.end()));
            }
        }
    }
    return 0;
}
