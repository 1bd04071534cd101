#include "support/bmp_writer.h"

#include "support/temp_dir.h"

namespace tw::test {
namespace {

void put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void put32(std::vector<uint8_t>& b, uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

}  // namespace

std::vector<uint8_t> make_bmp(const BmpFixture& s) {
    // Rows are laid out for sane sizes only; the header carries the fields as given.
    const uint32_t w = s.width > 0 ? static_cast<uint32_t>(s.width) : 0;
    const uint32_t h = s.height > 0 ? static_cast<uint32_t>(s.height) : 0;
    const uint32_t stride = (w * s.bits + 31) / 32 * 4;
    const uint32_t offset = 14 + s.header_size + 4 * static_cast<uint32_t>(s.palette.size());
    const uint32_t data_size = stride * h;

    std::vector<uint8_t> b;
    b.push_back('B');
    b.push_back('M');
    put32(b, static_cast<uint32_t>(offset + data_size + s.file_size_delta));
    put32(b, 0);
    put32(b, offset);
    put32(b, s.header_size);
    put32(b, static_cast<uint32_t>(s.width));
    put32(b, static_cast<uint32_t>(s.top_down ? -s.height : s.height));
    put16(b, 1);
    put16(b, s.bits);
    put32(b, s.compression);
    put32(b, data_size);
    put32(b, 2835);
    put32(b, 2835);
    put32(b, s.colours_used);
    put32(b, 0);
    b.resize(14 + s.header_size, 0);  // V4/V5 fields stay zero
    for (uint32_t c : s.palette) {
        b.push_back(static_cast<uint8_t>(c));        // blue
        b.push_back(static_cast<uint8_t>(c >> 8));   // green
        b.push_back(static_cast<uint8_t>(c >> 16));  // red
        b.push_back(0);
    }
    for (uint32_t stored = 0; stored < h; ++stored) {
        uint32_t y = s.top_down ? stored : h - 1 - stored;
        std::vector<uint8_t> row(stride, 0);
        for (uint32_t x = 0; x < w; ++x) {
            size_t at = static_cast<size_t>(y) * w + x;
            uint8_t v = at < s.pixels.size() ? s.pixels[at] : 0;
            if (s.bits == 8) row[x] = v;
            if (s.bits == 4) row[x / 2] |= static_cast<uint8_t>((v & 15) << ((x & 1) ? 0 : 4));
            if (s.bits == 1) row[x / 8] |= static_cast<uint8_t>((v & 1) << (7 - x % 8));
            if (s.bits == 2) row[x / 4] |= static_cast<uint8_t>((v & 3) << (6 - 2 * (x % 4)));
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    b.resize(b.size() - s.cut_bytes);
    return b;
}

void write_bmp_file(const std::string& path, const BmpFixture& fixture) {
    write_file(path, make_bmp(fixture));
}

std::vector<uint32_t> ramp_palette(size_t n) {
    std::vector<uint32_t> p;
    for (size_t i = 0; i < n; ++i) {
        uint32_t v = n > 1 ? static_cast<uint32_t>(i * 255 / (n - 1)) : 0;
        p.push_back(v << 16 | v << 8 | v);
    }
    return p;
}

}  // namespace tw::test
