#pragma once
// Whether the clues of a picture alone, worked line by line, determine every pixel of it. A
// picture that passes has exactly one solution. Used by the puzzle converter (for the pack's
// table) and by the pack's test; independent of the game's own solver on purpose, so that each
// checks the other.
#include <cstdint>
#include <vector>

namespace mosgrid::pack {

// Pixels as palette indices, row-major; index `background` is white (empty).
struct IndexPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
    std::uint8_t background = 0;
};

namespace detail {

struct Block {
    int length;
    std::uint8_t colour;
};

inline std::vector<Block> Runs(const std::vector<std::uint8_t>& line, std::uint8_t background) {
    std::vector<Block> out;
    for (std::size_t i = 0; i < line.size();) {
        std::size_t j = i;
        while (j < line.size() && line[j] == line[i]) ++j;
        if (line[i] != background) out.push_back({int(j - i), line[i]});
        i = j;
    }
    return out;
}

// cells: a bit set of possible palette indices per cell. Narrows them to what some placement of
// the blocks allows; false when no placement fits.
inline bool SolveLine(const std::vector<Block>& blocks, std::vector<std::uint32_t>& cells, std::uint8_t bg) {
    const int n = int(cells.size());
    const int k = int(blocks.size());
    const std::uint32_t white = 1u << bg;
    auto at = [k](int i, int j) { return std::size_t(i) * std::size_t(k + 1) + std::size_t(j); };
    // After block j placed from cell i: the next free cell, or -1 when it cannot go there.
    auto place = [&](int i, int j) -> int {
        const int len = blocks[std::size_t(j)].length;
        const std::uint32_t bit = 1u << blocks[std::size_t(j)].colour;
        if (i + len > n) return -1;
        for (int p = i; p < i + len; ++p)
            if (!(cells[std::size_t(p)] & bit)) return -1;
        if (j + 1 < k && blocks[std::size_t(j) + 1].colour == blocks[std::size_t(j)].colour) {
            if (i + len >= n || !(cells[std::size_t(i + len)] & white)) return -1;
            return i + len + 1;
        }
        return i + len;
    };
    std::vector<char> back(std::size_t(n + 2) * std::size_t(k + 1), 0);
    back[at(n, k)] = 1;
    for (int i = n - 1; i >= 0; --i) {
        for (int j = k; j >= 0; --j) {
            bool ok = (cells[std::size_t(i)] & white) && back[at(i + 1, j)];
            if (!ok && j < k) {
                int t = place(i, j);
                ok = t >= 0 && back[at(t, j + 1)];
            }
            back[at(i, j)] = ok;
        }
    }
    if (!back[at(0, 0)]) return false;
    std::vector<char> fwd(back.size(), 0);
    std::vector<std::uint32_t> possible(std::size_t(n), 0);
    fwd[at(0, 0)] = 1;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j <= k; ++j) {
            if (!fwd[at(i, j)]) continue;
            if ((cells[std::size_t(i)] & white) && back[at(i + 1, j)]) {
                possible[std::size_t(i)] |= white;
                fwd[at(i + 1, j)] = 1;
            }
            if (j < k) {
                int t = place(i, j);
                if (t >= 0 && back[at(t, j + 1)]) {
                    const int len = blocks[std::size_t(j)].length;
                    for (int p = i; p < i + len; ++p) possible[std::size_t(p)] |= 1u << blocks[std::size_t(j)].colour;
                    if (t == i + len + 1) possible[std::size_t(i + len)] |= white;
                    fwd[at(t, j + 1)] = 1;
                }
            }
        }
    }
    cells = possible;
    return true;
}

}  // namespace detail

// True when line-by-line reasoning on the picture's clues fixes every pixel.
inline bool LinesAloneSolve(const IndexPicture& pic) {
    const int w = pic.width, h = pic.height;
    std::uint32_t all = 1u << pic.background;
    for (std::uint8_t v : pic.pixels) all |= 1u << v;
    std::vector<std::uint32_t> grid(std::size_t(w) * std::size_t(h), all);
    std::vector<std::vector<detail::Block>> rowClues, colClues;
    for (int y = 0; y < h; ++y) {
        std::vector<std::uint8_t> line(pic.pixels.begin() + std::ptrdiff_t(y) * w, pic.pixels.begin() + std::ptrdiff_t(y + 1) * w);
        rowClues.push_back(detail::Runs(line, pic.background));
    }
    for (int x = 0; x < w; ++x) {
        std::vector<std::uint8_t> line;
        for (int y = 0; y < h; ++y) line.push_back(pic.pixels[std::size_t(y) * std::size_t(w) + std::size_t(x)]);
        colClues.push_back(detail::Runs(line, pic.background));
    }
    bool changed = true;
    while (changed) {
        changed = false;
        for (int y = 0; y < h; ++y) {
            std::vector<std::uint32_t> line(grid.begin() + std::ptrdiff_t(y) * w, grid.begin() + std::ptrdiff_t(y + 1) * w);
            if (!detail::SolveLine(rowClues[std::size_t(y)], line, pic.background)) return false;
            for (int x = 0; x < w; ++x) {
                std::uint32_t& cell = grid[std::size_t(y) * std::size_t(w) + std::size_t(x)];
                if (cell != line[std::size_t(x)]) { cell = line[std::size_t(x)]; changed = true; }
            }
        }
        for (int x = 0; x < w; ++x) {
            std::vector<std::uint32_t> line;
            for (int y = 0; y < h; ++y) line.push_back(grid[std::size_t(y) * std::size_t(w) + std::size_t(x)]);
            if (!detail::SolveLine(colClues[std::size_t(x)], line, pic.background)) return false;
            for (int y = 0; y < h; ++y) {
                std::uint32_t& cell = grid[std::size_t(y) * std::size_t(w) + std::size_t(x)];
                if (cell != line[std::size_t(y)]) { cell = line[std::size_t(y)]; changed = true; }
            }
        }
    }
    for (std::uint32_t cell : grid)
        if (cell & (cell - 1)) return false;
    return true;
}

}  // namespace mosgrid::pack
