#include <spng.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "platform/png.h"

namespace tw {
namespace {

using Context = std::unique_ptr<spng_ctx, decltype(&spng_ctx_free)>;

// A decoder of the file in memory, and its header. The caller has checked the
// size; the codec's own limit is kept in step.
bool open_png(const uint8_t* data, size_t size, Context& ctx, spng_ihdr& ihdr) {
    ctx.reset(spng_ctx_new(0));
    return ctx && spng_set_png_buffer(ctx.get(), data, size) == 0 &&
           spng_set_image_limits(ctx.get(), 1u << 16, 1u << 16) == 0 &&
           spng_get_ihdr(ctx.get(), &ihdr) == 0;
}

bool read_palette(spng_ctx* ctx, std::vector<PngRgb>& out) {
    spng_plte plte{};
    if (spng_get_plte(ctx, &plte) != 0) return false;
    out.resize(plte.n_entries);
    for (uint32_t i = 0; i < plte.n_entries; ++i)
        out[i] = {plte.entries[i].red, plte.entries[i].green, plte.entries[i].blue};
    return true;
}

// An encoder to memory of a picture of the colour type and depth.
bool open_encoder(Context& ctx, uint32_t width, uint32_t height, uint8_t colour_type,
                  uint8_t depth = 8) {
    ctx.reset(spng_ctx_new(SPNG_CTX_ENCODER));
    spng_ihdr ihdr{};
    ihdr.width = width;
    ihdr.height = height;
    ihdr.bit_depth = depth;
    ihdr.color_type = colour_type;
    return ctx && spng_set_option(ctx.get(), SPNG_ENCODE_TO_BUFFER, 1) == 0 &&
           spng_set_ihdr(ctx.get(), &ihdr) == 0;
}

// Encodes the rows and copies the file into out.
bool finish_encoder(spng_ctx* ctx, const uint8_t* rows, size_t length, std::vector<uint8_t>& out) {
    if (spng_encode_image(ctx, rows, length, SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE) != 0) return false;
    size_t png_length = 0;
    int error = 0;
    std::unique_ptr<void, decltype(&std::free)> png(spng_get_png_buffer(ctx, &png_length, &error),
                                                    &std::free);
    if (!png || error != 0) return false;
    const auto* bytes = static_cast<const uint8_t*>(png.get());
    out.assign(bytes, bytes + png_length);
    return true;
}

}  // namespace

bool png_decode_indexed(const uint8_t* data, size_t size, PackedPng& out) {
    Context ctx(nullptr, &spng_ctx_free);
    spng_ihdr ihdr{};
    if (!open_png(data, size, ctx, ihdr) || ihdr.color_type != SPNG_COLOR_TYPE_INDEXED ||
        !read_palette(ctx.get(), out.palette))
        return false;
    size_t length = 0;
    if (spng_decoded_image_size(ctx.get(), SPNG_FMT_PNG, &length) != 0) return false;
    out.width = ihdr.width;
    out.height = ihdr.height;
    out.depth = ihdr.bit_depth;
    out.rows.resize(length);
    return spng_decode_image(ctx.get(), out.rows.data(), length, SPNG_FMT_PNG, 0) == 0;
}

bool png_decode_raw(const uint8_t* data, size_t size, RawPng& out) {
    Context ctx(nullptr, &spng_ctx_free);
    spng_ihdr ihdr{};
    if (!open_png(data, size, ctx, ihdr)) return false;
    // SPNG_FMT_RAW: the file's own samples, 16-bit ones big-endian as stored
    // (SPNG_FMT_PNG would turn them to the host's order). No decode flags: tRNS
    // and gamma are left to the core.
    size_t length = 0;
    if (spng_decoded_image_size(ctx.get(), SPNG_FMT_RAW, &length) != 0) return false;
    out.width = ihdr.width;
    out.height = ihdr.height;
    out.depth = ihdr.bit_depth;
    out.colour_type = ihdr.color_type;
    out.rows.resize(length);
    if (spng_decode_image(ctx.get(), out.rows.data(), length, SPNG_FMT_RAW, 0) != 0) return false;
    out.palette.clear();
    out.trns.clear();
    if (ihdr.color_type == SPNG_COLOR_TYPE_INDEXED && !read_palette(ctx.get(), out.palette))
        return false;
    spng_trns trns{};
    const int got = spng_get_trns(ctx.get(), &trns);
    if (got == SPNG_ECHUNKAVAIL) return true;
    if (got != 0) return false;
    const auto put16 = [&out](uint16_t v) {
        out.trns.push_back(static_cast<uint8_t>(v >> 8));
        out.trns.push_back(static_cast<uint8_t>(v));
    };
    if (ihdr.color_type == SPNG_COLOR_TYPE_INDEXED) {
        out.trns.assign(trns.type3_alpha, trns.type3_alpha + trns.n_type3_entries);
    } else if (ihdr.color_type == SPNG_COLOR_TYPE_GRAYSCALE) {
        put16(trns.gray);
    } else if (ihdr.color_type == SPNG_COLOR_TYPE_TRUECOLOR) {
        put16(trns.red);
        put16(trns.green);
        put16(trns.blue);
    }
    return true;
}

bool png_encode_indexed8(const uint8_t* pixels, uint32_t width, uint32_t height,
                         const PngRgb (&palette)[256], std::vector<uint8_t>& out) {
    Context ctx(nullptr, &spng_ctx_free);
    if (!open_encoder(ctx, width, height, SPNG_COLOR_TYPE_INDEXED)) return false;
    spng_plte plte{};
    plte.n_entries = 256;
    for (int i = 0; i < 256; ++i) plte.entries[i] = {palette[i].r, palette[i].g, palette[i].b, 0};
    return spng_set_plte(ctx.get(), &plte) == 0 &&
           finish_encoder(ctx.get(), pixels, static_cast<size_t>(width) * height, out);
}

bool png_encode_rgba8(const uint8_t* rgba, uint32_t width, uint32_t height,
                      std::vector<uint8_t>& out) {
    Context ctx(nullptr, &spng_ctx_free);
    return open_encoder(ctx, width, height, SPNG_COLOR_TYPE_TRUECOLOR_ALPHA) &&
           finish_encoder(ctx.get(), rgba, size_t{4} * width * height, out);
}

bool png_encode_bilevel(const uint8_t* rows, uint32_t width, uint32_t height,
                        std::vector<uint8_t>& out) {
    Context ctx(nullptr, &spng_ctx_free);
    return open_encoder(ctx, width, height, SPNG_COLOR_TYPE_GRAYSCALE, 1) &&
           finish_encoder(ctx.get(), rows, (size_t{width} + 7) / 8 * height, out);
}

const char* png_codec_name() {
    static const std::string name = std::string("libspng ") + spng_version_string();
    return name.c_str();
}

}  // namespace tw
