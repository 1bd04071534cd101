#include "platform/qr_reader.h"

#include <quirc.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace tw {
namespace {

// quirc wants at least about 3 pixels a module; small pictures are enlarged by
// whole factors as long as they stay below this.
constexpr uint64_t kMaxScanPixels = 40'000'000;

struct QuircDeleter {
    void operator()(quirc* q) const { quirc_destroy(q); }
};
using QuircPtr = std::unique_ptr<quirc, QuircDeleter>;

struct Symbol {
    std::vector<uint8_t> payload;
    double side;    // in pixels of the picture searched
    double module;  // pixels a module
};

double distance(const quirc_point& a, const quirc_point& b) {
    return std::hypot(double(a.x - b.x), double(a.y - b.y));
}

// One call of quirc over a window of the picture: it finds at most a few
// symbols a call (its capstones and grids are counted), hence the windows.
void decode_window(quirc* q, const GreyPicture& pic, uint32_t x0, uint32_t y0, uint32_t w,
                   uint32_t h, std::vector<Symbol>& out) {
    if (quirc_resize(q, static_cast<int>(w), static_cast<int>(h)) < 0) return;
    uint8_t* buf = quirc_begin(q, nullptr, nullptr);
    for (uint32_t y = 0; y < h; ++y)
        std::copy_n(pic.pixels.data() + size_t(y0 + y) * pic.width + x0, w, buf + size_t(y) * w);
    quirc_end(q);
    const int count = quirc_count(q);
    for (int i = 0; i < count; ++i) {
        auto code = std::make_unique<quirc_code>();
        auto data = std::make_unique<quirc_data>();
        quirc_extract(q, i, code.get());
        if (quirc_decode(code.get(), data.get()) != QUIRC_SUCCESS) {
            quirc_flip(code.get());  // a picture seen in a mirror
            if (quirc_decode(code.get(), data.get()) != QUIRC_SUCCESS) continue;
        }
        const double side = std::max(distance(code->corners[0], code->corners[1]),
                                     distance(code->corners[0], code->corners[3]));
        out.push_back({std::vector<uint8_t>(data->payload, data->payload + data->payload_len), side,
                       side / std::max(code->size, 1)});
    }
}

// The whole picture, then, where it is larger than a few symbols of the size
// found, overlapping windows in which every symbol of that size lies whole.
std::vector<Symbol> scan(quirc* q, const GreyPicture& pic) {
    std::vector<Symbol> found;
    decode_window(q, pic, 0, 0, pic.width, pic.height, found);
    double side = 0;
    for (const Symbol& s : found) side = std::max(side, s.side);
    const auto window = static_cast<uint32_t>(side * 2.5);
    if (side < 21 || (pic.width <= window && pic.height <= window)) return found;
    const uint32_t step = window / 2;
    for (uint32_t y = 0;; y += step) {
        const uint32_t h = std::min(window, pic.height - y);
        for (uint32_t x = 0;; x += step) {
            decode_window(q, pic, x, y, std::min(window, pic.width - x), h, found);
            if (x + window >= pic.width) break;
        }
        if (y + window >= pic.height) break;
    }
    return found;
}

GreyPicture stretched(const GreyPicture& pic) {
    GreyPicture out = pic;
    if (pic.pixels.empty()) return out;
    const auto [lo, hi] = std::minmax_element(pic.pixels.begin(), pic.pixels.end());
    if (*hi - *lo < 2) return out;
    for (uint8_t& p : out.pixels) p = static_cast<uint8_t>((p - *lo) * 255 / (*hi - *lo));
    return out;
}

GreyPicture enlarged(const GreyPicture& pic, uint32_t k) {
    GreyPicture out{pic.width * k, pic.height * k, {}};
    out.pixels.resize(size_t(out.width) * out.height);
    for (uint32_t y = 0; y < out.height; ++y)
        for (uint32_t x = 0; x < out.width; ++x)
            out.pixels[size_t(y) * out.width + x] = pic.pixels[size_t(y / k) * pic.width + x / k];
    return out;
}

struct Box {
    uint32_t x, y, w, h;
};

// The runs of rows (or columns) of `box` that hold a dark pixel, split where
// at least two lines are all light: the strips of a sheet, or its cells.
std::vector<Box> dark_runs(const GreyPicture& pic, const Box& box, bool rows) {
    const uint32_t lines = rows ? box.h : box.w, along = rows ? box.w : box.h;
    std::vector<Box> runs;
    uint32_t start = 0, light = 0;
    bool open = false;
    for (uint32_t i = 0; i <= lines; ++i) {
        bool dark = false;
        for (uint32_t j = 0; i < lines && j < along && !dark; ++j) {
            const uint32_t x = box.x + (rows ? j : i), y = box.y + (rows ? i : j);
            dark = pic.pixels[size_t(y) * pic.width + x] < 128;
        }
        if (dark) {
            if (!open) start = i;
            open = true;
            light = 0;
        } else if (open && (++light >= 2 || i == lines)) {
            const uint32_t end = i + 1 - light;
            runs.push_back(rows ? Box{box.x, box.y + start, box.w, end - start}
                                : Box{box.x + start, box.y, end - start, box.h});
            open = false;
        }
    }
    return runs;
}

// Cuts the picture along light lines, across and down in turn, into the boxes
// no light line crosses: on a sheet, one symbol each.
void cut_into_cells(const GreyPicture& pic, Box box, int depth, std::vector<Box>& cells) {
    if (depth > 12 || cells.size() > 1024) return;
    for (int pass = 0; pass < 2; ++pass) {
        const std::vector<Box> runs = dark_runs(pic, box, pass == 0);
        if (runs.empty()) return;
        if (runs.size() > 1) {
            for (const Box& run : runs) cut_into_cells(pic, run, depth + 1, cells);
            return;
        }
        box = runs[0];
    }
    cells.push_back(box);
}

// A box of the picture with a light border of an eighth of its size.
GreyPicture cell_picture(const GreyPicture& pic, const Box& box) {
    const uint32_t m = std::max(box.w, box.h) / 8 + 2;
    GreyPicture out{box.w + 2 * m, box.h + 2 * m, {}};
    out.pixels.assign(size_t(out.width) * out.height, 255);
    for (uint32_t y = 0; y < box.h; ++y)
        std::copy_n(pic.pixels.data() + size_t(box.y + y) * pic.width + box.x, box.w,
                    out.pixels.data() + size_t(m + y) * out.width + m);
    return out;
}

// The picture reduced by a whole factor, each pixel the mean of its block:
// a photo's noise averages out, and a large picture is searched quickly.
GreyPicture reduced(const GreyPicture& pic, uint32_t k) {
    GreyPicture out{pic.width / k, pic.height / k, {}};
    out.pixels.resize(size_t(out.width) * out.height);
    for (uint32_t y = 0; y < out.height; ++y)
        for (uint32_t x = 0; x < out.width; ++x) {
            unsigned sum = 0;
            for (uint32_t dy = 0; dy < k; ++dy)
                for (uint32_t dx = 0; dx < k; ++dx)
                    sum += pic.pixels[size_t(y * k + dy) * pic.width + x * k + dx];
            out.pixels[size_t(y) * out.width + x] = static_cast<uint8_t>(sum / (k * k));
        }
    return out;
}

// Symbols of a picture, searched at scales from coarse to fine: reduced while a
// symbol would keep room for its modules, as it is, then enlarged by whole
// factors. It stops at the first scale that finds symbols of at least 3 pixels
// a module, which quirc reads as well as it reads anything.
std::vector<Symbol> read_at_scales(quirc* q, const GreyPicture& pic, bool windows) {
    std::vector<Symbol> all;
    const uint64_t area = uint64_t{pic.width} * pic.height;
    for (int scale : {-4, -2, 1, 2, 3}) {
        const auto k = static_cast<uint32_t>(std::abs(scale));
        if (scale < 0 && std::min(pic.width, pic.height) / k < 200) continue;
        if (scale > 1 && area * k * k > kMaxScanPixels) break;
        const GreyPicture scaled = scale < 0 ? reduced(pic, k) : scale > 1 ? enlarged(pic, k) : pic;
        std::vector<Symbol> found;
        if (windows)
            found = scan(q, scaled);
        else
            decode_window(q, scaled, 0, 0, scaled.width, scaled.height, found);
        double finest = 1e9;
        for (const Symbol& s : found) finest = std::min(finest, s.module);
        all.insert(all.end(), found.begin(), found.end());
        if (!found.empty() && finest >= 3) break;
    }
    return all;
}

}  // namespace

GreyPicture grey_of(const Picture& picture) {
    GreyPicture out{picture.width, picture.height, {}};
    out.pixels.reserve(picture.pixels.size());
    for (const Rgba& p : picture.pixels) {
        const unsigned luma = (p.r * 77u + p.g * 150u + p.b * 29u) >> 8;
        out.pixels.push_back(static_cast<uint8_t>((luma * p.a + 255u * (255u - p.a)) / 255u));
    }
    return out;
}

std::vector<std::vector<uint8_t>> read_qr_symbols(const GreyPicture& picture) {
    std::vector<std::vector<uint8_t>> payloads;
    QuircPtr q(quirc_new());
    if (!q || picture.width == 0 || picture.height == 0) return payloads;
    const GreyPicture base = stretched(picture);
    auto keep = [&](const std::vector<Symbol>& found) {
        for (const Symbol& s : found)
            if (std::find(payloads.begin(), payloads.end(), s.payload) == payloads.end())
                payloads.push_back(s.payload);
    };
    // A sheet, or a page of codes apart: each symbol in a cell of its own.
    std::vector<Box> cells;
    cut_into_cells(base, Box{0, 0, base.width, base.height}, 0, cells);
    if (cells.size() > 1) {
        for (const Box& cell : cells)
            if (cell.w >= 21 && cell.h >= 21 && cell.w < 3 * cell.h && cell.h < 3 * cell.w)
                keep(read_at_scales(q.get(), cell_picture(base, cell), false));
        if (!payloads.empty()) return payloads;
    }
    // Anything else (a photo, codes that touch): the whole picture, then windows.
    keep(read_at_scales(q.get(), base, true));
    return payloads;
}

}  // namespace tw
