#include "support/png_writer.h"

#include <string>

namespace tw::test {
namespace {

uint32_t crc32(const uint8_t* p, size_t n) {
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
    }
    return c ^ 0xFFFFFFFFu;
}

void put_be32(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}

void chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    put_be32(out, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    put_be32(out, crc32(typed.data(), typed.size()));
}

// A zlib stream of stored blocks.
std::vector<uint8_t> zlib_stored(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> z = {0x78, 0x01};
    size_t at = 0;
    do {
        const size_t n = raw.size() - at < 65535 ? raw.size() - at : 65535;
        z.push_back(at + n == raw.size() ? 1 : 0);
        z.push_back(static_cast<uint8_t>(n));
        z.push_back(static_cast<uint8_t>(n >> 8));
        z.push_back(static_cast<uint8_t>(~n));
        z.push_back(static_cast<uint8_t>(~n >> 8));
        z.insert(z.end(), raw.begin() + static_cast<long>(at),
                 raw.begin() + static_cast<long>(at + n));
        at += n;
    } while (at < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    put_be32(z, b << 16 | a);
    return z;
}

// The filtered (filter type 0) rows of the pixels at x0 + k * dx, y0 + k * dy.
void append_rows(const PngFixture& f, uint32_t x0, uint32_t y0, uint32_t dx, uint32_t dy,
                 std::vector<uint8_t>& raw) {
    const uint32_t samples = f.colour_type == 2   ? 3
                             : f.colour_type == 6 ? 4
                             : f.colour_type == 4 ? 2
                                                  : 1;
    if (x0 >= f.width) return;
    for (uint32_t y = y0; y < f.height; y += dy) {
        raw.push_back(0);  // no filter
        uint32_t acc = 0, bits = 0;
        for (uint32_t x = x0; x < f.width; x += dx) {
            const size_t i = size_t{y} * f.width + x;
            for (uint32_t s = 0; s < samples; ++s) {
                uint16_t v = 0;
                if (!f.samples.empty())
                    v = f.samples[i * samples + s];
                else if (i < f.pixels.size())
                    v = f.pixels[i];
                if (f.depth == 16) {
                    raw.insert(raw.end(), {uint8_t(v >> 8), uint8_t(v)});  // high byte first
                    continue;
                }
                acc = acc << f.depth | (v & ((1u << f.depth) - 1));
                bits += f.depth;
                if (bits == 8) {
                    raw.push_back(static_cast<uint8_t>(acc));
                    acc = bits = 0;
                }
            }
        }
        if (bits > 0) raw.push_back(static_cast<uint8_t>(acc << (8 - bits)));
    }
}

}  // namespace

std::vector<uint8_t> make_png(const PngFixture& f) {
    std::vector<uint8_t> raw;
    if (f.interlaced) {
        // Adam7: seven passes, each a reduced image of its own rows.
        const uint32_t pass[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                     {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
        for (const auto& p : pass) append_rows(f, p[0], p[1], p[2], p[3], raw);
    } else {
        append_rows(f, 0, 0, 1, 1, raw);
    }
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<uint8_t> ihdr;
    put_be32(ihdr, f.width);
    put_be32(ihdr, f.height);
    ihdr.insert(ihdr.end(), {f.depth, f.colour_type, 0, 0, uint8_t{f.interlaced}});
    chunk(out, "IHDR", ihdr);
    if (!f.palette.empty()) {
        std::vector<uint8_t> plte;
        for (uint32_t c : f.palette)
            plte.insert(plte.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
        chunk(out, "PLTE", plte);
    }
    if (!f.trns.empty()) chunk(out, "tRNS", f.trns);
    std::vector<uint8_t> idat = zlib_stored(raw);
    if (f.break_deflate)
        idat[5] ^= 0xFF;  // the first block's length no longer matches its complement
    chunk(out, "IDAT", idat);
    chunk(out, "IEND", {});
    return out;
}

}  // namespace tw::test
