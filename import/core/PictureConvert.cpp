// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/core/PictureConvert.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <libimagequant.h>
#include <memory>

#include "import/core/ClueDecision.h"

namespace mosgrid {

namespace {

struct LiqDeleter {
    void operator()(liq_attr* p) const { liq_attr_destroy(p); }
    void operator()(liq_image* p) const { liq_image_destroy(p); }
    void operator()(liq_result* p) const { liq_result_destroy(p); }
};
template <typename T>
using LiqPtr = std::unique_ptr<T, LiqDeleter>;

// Mean of the source pixels under each target pixel, colours weighted by their alpha.
std::vector<std::uint8_t> Resample(const RgbaImage& image, int width, int height) {
    std::vector<std::uint8_t> out(std::size_t(width) * std::size_t(height) * 4);
    for (int ty = 0; ty < height; ++ty) {
        const int y0 = int(std::int64_t(ty) * image.height / height);
        const int y1 = std::max(y0 + 1, int((std::int64_t(ty) + 1) * image.height / height));
        for (int tx = 0; tx < width; ++tx) {
            const int x0 = int(std::int64_t(tx) * image.width / width);
            const int x1 = std::max(x0 + 1, int((std::int64_t(tx) + 1) * image.width / width));
            std::uint64_t sum[3] = {0, 0, 0};
            std::uint64_t alpha = 0;
            for (int y = y0; y < y1; ++y) {
                const std::uint8_t* p = &image.rgba[(std::size_t(y) * std::size_t(image.width) + std::size_t(x0)) * 4];
                for (int x = x0; x < x1; ++x, p += 4) {
                    for (int c = 0; c < 3; ++c) sum[c] += std::uint64_t(p[c]) * p[3];
                    alpha += p[3];
                }
            }
            const std::uint64_t count = std::uint64_t(y1 - y0) * std::uint64_t(x1 - x0);
            std::uint8_t* q = &out[(std::size_t(ty) * std::size_t(width) + std::size_t(tx)) * 4];
            for (int c = 0; c < 3; ++c) q[c] = alpha ? std::uint8_t((sum[c] + alpha / 2) / alpha) : 0;
            q[3] = std::uint8_t((alpha + count / 2) / count);
        }
    }
    return out;
}

int Luma(COLORREF c) { return 299 * RedOf(c) + 587 * GreenOf(c) + 114 * BlueOf(c); }

}  // namespace

void FitSize(int width, int height, const ConvertOptions& options, int& outWidth, int& outHeight) {
    double scale = std::min(double(options.maxWidth) / width, double(options.maxHeight) / height);
    if (!options.enlarge) scale = std::min(scale, 1.0);
    outWidth = std::clamp(int(std::lround(width * scale)), 1, options.maxWidth);
    outHeight = std::clamp(int(std::lround(height * scale)), 1, options.maxHeight);
}

bool ConvertPicture(const RgbaImage& image, const ConvertOptions& options, Picture4& out, std::string& error) {
    if (image.width < 1 || image.height < 1 ||
        image.rgba.size() != std::size_t(image.width) * std::size_t(image.height) * 4) {
        error = "the picture has no pixels";
        return false;
    }
    if (options.maxWidth < 1 || options.maxHeight < 1 || options.maxWidth > kImportMaxSide ||
        options.maxHeight > kImportMaxSide) {
        error = "the size must be from 1 x 1 to " + std::to_string(kImportMaxSide) + " x " + std::to_string(kImportMaxSide);
        return false;
    }
    if (options.colours < 1 || options.colours > kImportMaxColours) {
        error = "the number of colours besides white must be from 1 to " + std::to_string(kImportMaxColours);
        return false;
    }
    int width = 0;
    int height = 0;
    FitSize(image.width, image.height, options, width, height);
    std::vector<std::uint8_t> pixels = Resample(image, width, height);
    const std::size_t count = std::size_t(width) * std::size_t(height);
    // Background becomes fully transparent, everything else fully opaque: the quantiser gives
    // the background an entry of its own and never mixes it into a colour.
    std::size_t foreground = 0;
    for (std::size_t i = 0; i < count; ++i) {
        std::uint8_t* p = &pixels[i * 4];
        const bool light = std::min({p[0], p[1], p[2]}) >= options.background;
        if (p[3] < 128 || light) {
            p[0] = p[1] = p[2] = p[3] = 0;
        } else {
            p[3] = 255;
            ++foreground;
        }
    }
    if (foreground == 0) {
        error = "nothing but background is left at this size and lightness";
        return false;
    }
    const int entries = options.colours + (foreground < count ? 1 : 0);
    LiqPtr<liq_attr> attr(liq_attr_create());
    if (!attr || liq_set_max_colors(attr.get(), std::max(2, entries)) != LIQ_OK || liq_set_speed(attr.get(), 1) != LIQ_OK) {
        error = "the colour quantiser cannot be set up";
        return false;
    }
    LiqPtr<liq_image> liqImage(liq_image_create_rgba(attr.get(), pixels.data(), width, height, 0));
    liq_result* raw = nullptr;
    if (!liqImage || liq_image_quantize(liqImage.get(), attr.get(), &raw) != LIQ_OK) {
        error = "the colours cannot be reduced";
        return false;
    }
    LiqPtr<liq_result> result(raw);
    liq_set_dithering_level(result.get(), 0.0f);
    std::vector<std::uint8_t> remapped(count);
    if (liq_write_remapped_image(result.get(), liqImage.get(), remapped.data(), remapped.size()) != LIQ_OK) {
        error = "the colours cannot be reduced";
        return false;
    }
    const liq_palette* palette = liq_get_palette(result.get());
    // Entries used by opaque pixels are the colours, most used first; past the count asked for
    // (the quantiser's smallest palette is two) they merge into the most used one.
    std::vector<COLORREF> colour(palette->count);
    std::vector<std::size_t> uses(palette->count, 0);
    for (std::size_t i = 0; i < count; ++i) {
        if (pixels[i * 4 + 3] == 0) remapped[i] = 0xFF;
        else ++uses[remapped[i]];
    }
    for (unsigned k = 0; k < palette->count; ++k) {
        const liq_color c = palette->entries[k];
        colour[k] = MakeColour(c.r, c.g, c.b);
        if (colour[k] == kWhite) colour[k] = MakeColour(0xFE, 0xFE, 0xFE);  // white is background only
    }
    std::vector<unsigned> order;
    for (unsigned k = 0; k < palette->count; ++k) {
        if (uses[k] > 0) order.push_back(k);
    }
    std::stable_sort(order.begin(), order.end(), [&](unsigned a, unsigned b) { return uses[a] > uses[b]; });
    std::vector<int> target(palette->count, -1);
    std::vector<COLORREF> kept;
    for (unsigned k : order) {
        const auto same = std::find(kept.begin(), kept.end(), colour[k]);
        if (same != kept.end()) target[k] = int(same - kept.begin());
        else if (int(kept.size()) < options.colours) {
            target[k] = int(kept.size());
            kept.push_back(colour[k]);
        } else {
            target[k] = 0;  // beyond the count asked for: the most used colour
        }
    }
    // Darkest first: the game starts painting with the picture's first colour.
    std::vector<int> rank(kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i) rank[i] = int(i);
    std::stable_sort(rank.begin(), rank.end(), [&](int a, int b) { return Luma(kept[std::size_t(a)]) < Luma(kept[std::size_t(b)]); });
    std::vector<std::uint8_t> indexOf(kept.size());
    out = Picture4{};
    out.width = width;
    out.height = height;
    out.palette.push_back(kWhite);
    for (int r : rank) {
        indexOf[std::size_t(r)] = std::uint8_t(out.palette.size());
        out.palette.push_back(kept[std::size_t(r)]);
    }
    out.indices.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        out.indices[i] = remapped[i] == 0xFF ? 0 : indexOf[std::size_t(target[remapped[i]])];
    }
    return true;
}

}  // namespace mosgrid
