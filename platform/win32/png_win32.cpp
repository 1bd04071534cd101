#include <windows.h>
// wincodec.h and objidl.h must follow windows.h
#include <objidl.h>
#include <wincodec.h>

#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "platform/png.h"
#include "platform/win32/com_ptr.h"

namespace tw {
namespace {

bool make_factory(Com<IWICImagingFactory>& factory) {
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IWICImagingFactory,
                                      reinterpret_cast<void**>(factory.put())));
}

// A PNG file's first frame as WIC decodes it, with its size and pixel format.
struct PngFrame {
    Com<IWICImagingFactory> factory;
    Com<IWICStream> stream;
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    UINT width = 0, height = 0;
    WICPixelFormatGUID format{};
};

bool open_frame(const uint8_t* data, size_t size, PngFrame& f) {
    return make_factory(f.factory) && SUCCEEDED(f.factory->CreateStream(f.stream.put())) &&
           SUCCEEDED(
               f.stream->InitializeFromMemory(const_cast<BYTE*>(data), static_cast<DWORD>(size))) &&
           SUCCEEDED(f.factory->CreateDecoderFromStream(
               f.stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, f.decoder.put())) &&
           SUCCEEDED(f.decoder->GetFrame(0, f.frame.put())) &&
           SUCCEEDED(f.frame->GetSize(&f.width, &f.height)) &&
           SUCCEEDED(f.frame->GetPixelFormat(&f.format));
}

// The frame's palette, as many entries as it has.
bool read_palette(const PngFrame& f, std::vector<PngRgb>& out) {
    Com<IWICPalette> palette;
    UINT colours = 0, got = 0;
    WICColor entries[256];
    if (FAILED(f.factory->CreatePalette(palette.put())) ||
        FAILED(f.frame->CopyPalette(palette.get())) || FAILED(palette->GetColorCount(&colours)) ||
        colours > 256 || (colours > 0 && FAILED(palette->GetColors(colours, entries, &got))))
        return false;
    out.clear();
    for (UINT i = 0; i < got; ++i)
        out.push_back({static_cast<uint8_t>(entries[i] >> 16),
                       static_cast<uint8_t>(entries[i] >> 8), static_cast<uint8_t>(entries[i])});
    return true;
}

// A PNG encoder to memory with its one frame, set to a size and pixel format.
struct PngEncoder {
    Com<IWICImagingFactory> factory;
    Com<IStream> stream;
    Com<IWICBitmapEncoder> encoder;
    Com<IWICBitmapFrameEncode> frame;
    Com<IPropertyBag2> options;
};

bool open_encoder(uint32_t width, uint32_t height, const WICPixelFormatGUID& wanted,
                  PngEncoder& e) {
    WICPixelFormatGUID format = wanted;
    return make_factory(e.factory) &&
           SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, e.stream.put())) &&
           SUCCEEDED(e.factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, e.encoder.put())) &&
           SUCCEEDED(e.encoder->Initialize(e.stream.get(), WICBitmapEncoderNoCache)) &&
           SUCCEEDED(e.encoder->CreateNewFrame(e.frame.put(), e.options.put())) &&
           SUCCEEDED(e.frame->Initialize(e.options.get())) &&
           SUCCEEDED(e.frame->SetSize(width, height)) &&
           SUCCEEDED(e.frame->SetPixelFormat(&format)) && IsEqualGUID(format, wanted);
}

// Writes the rows, finishes the file and copies it into out.
bool finish_encoder(PngEncoder& e, UINT height, UINT stride, UINT length, BYTE* rows,
                    std::vector<uint8_t>& out) {
    if (FAILED(e.frame->WritePixels(height, stride, length, rows)) || FAILED(e.frame->Commit()) ||
        FAILED(e.encoder->Commit()))
        return false;
    STATSTG stat{};
    HGLOBAL global = nullptr;
    if (FAILED(e.stream->Stat(&stat, STATFLAG_NONAME)) ||
        FAILED(GetHGlobalFromStream(e.stream.get(), &global)))
        return false;
    const void* bytes = GlobalLock(global);
    if (bytes == nullptr) return false;
    const auto* begin = static_cast<const uint8_t*>(bytes);
    out.assign(begin, begin + stat.cbSize.QuadPart);
    GlobalUnlock(global);
    return true;
}

// The pixel formats WIC's PNG decoder gives a frame in, and how each lays out a
// pixel: bits a channel, channels a pixel, and where red, green, blue and alpha
// sit (-1: absent). Grey and index formats have one channel read as all three.
struct WicLayout {
    const GUID* format;
    uint32_t depth;
    uint32_t channels;
    int red, green, blue, alpha;
    bool indexed;
};

constexpr WicLayout kLayouts[] = {
    {&GUID_WICPixelFormat1bppIndexed, 1, 1, 0, 0, 0, -1, true},
    {&GUID_WICPixelFormat2bppIndexed, 2, 1, 0, 0, 0, -1, true},
    {&GUID_WICPixelFormat4bppIndexed, 4, 1, 0, 0, 0, -1, true},
    {&GUID_WICPixelFormat8bppIndexed, 8, 1, 0, 0, 0, -1, true},
    {&GUID_WICPixelFormatBlackWhite, 1, 1, 0, 0, 0, -1, false},
    {&GUID_WICPixelFormat2bppGray, 2, 1, 0, 0, 0, -1, false},
    {&GUID_WICPixelFormat4bppGray, 4, 1, 0, 0, 0, -1, false},
    {&GUID_WICPixelFormat8bppGray, 8, 1, 0, 0, 0, -1, false},
    {&GUID_WICPixelFormat16bppGray, 16, 1, 0, 0, 0, -1, false},
    {&GUID_WICPixelFormat24bppBGR, 8, 3, 2, 1, 0, -1, false},
    {&GUID_WICPixelFormat24bppRGB, 8, 3, 0, 1, 2, -1, false},
    {&GUID_WICPixelFormat32bppBGR, 8, 4, 2, 1, 0, -1, false},
    {&GUID_WICPixelFormat32bppRGB, 8, 4, 0, 1, 2, -1, false},
    {&GUID_WICPixelFormat32bppBGRA, 8, 4, 2, 1, 0, 3, false},
    {&GUID_WICPixelFormat32bppRGBA, 8, 4, 0, 1, 2, 3, false},
    {&GUID_WICPixelFormat48bppRGB, 16, 3, 0, 1, 2, -1, false},
    {&GUID_WICPixelFormat48bppBGR, 16, 3, 2, 1, 0, -1, false},
    {&GUID_WICPixelFormat64bppRGB, 16, 4, 0, 1, 2, -1, false},
    {&GUID_WICPixelFormat64bppRGBA, 16, 4, 0, 1, 2, 3, false},
    {&GUID_WICPixelFormat64bppBGRA, 16, 4, 2, 1, 0, 3, false},
};

const WicLayout* layout_of(const WICPixelFormatGUID& format) {
    for (const WicLayout& l : kLayouts)
        if (IsEqualGUID(format, *l.format)) return &l;
    return nullptr;
}

uint32_t be32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

// The body of the tRNS chunk, found by walking the chunks before the image
// data: WIC applies it to some colour types and reports it for none, so it is
// read as the file stores it.
void find_trns(const uint8_t* data, size_t size, std::vector<uint8_t>& out) {
    size_t at = 8;
    while (at + 12 <= size) {
        const size_t length = be32(data + at);
        if (length > size - at - 12 || std::memcmp(data + at + 4, "IDAT", 4) == 0) return;
        if (std::memcmp(data + at + 4, "tRNS", 4) == 0) {
            out.assign(data + at + 8, data + at + 8 + length);
            return;
        }
        at += length + 12;
    }
}

// One sample of a WIC pixel at its full depth. WIC keeps 16-bit channels in
// the machine's (little-endian) order.
uint32_t wic_sample(const uint8_t* row, size_t index, uint32_t depth) {
    if (depth == 16) return static_cast<uint32_t>(row[2 * index] | row[2 * index + 1] << 8);
    if (depth == 8) return row[index];
    const size_t bit = index * depth;
    return (row[bit / 8] >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
}

// Writes one sample of the PNG's own layout at `depth` (high byte first at 16 bits).
void put_sample(uint8_t* row, size_t index, uint32_t depth, uint32_t v) {
    if (depth == 16) {
        row[2 * index] = static_cast<uint8_t>(v >> 8);
        row[2 * index + 1] = static_cast<uint8_t>(v);
    } else if (depth == 8) {
        row[index] = static_cast<uint8_t>(v);
    } else {
        const size_t bit = index * depth;
        row[bit / 8] = static_cast<uint8_t>(row[bit / 8] | v << (8 - depth - bit % 8));
    }
}

// A WIC sample back at the file's depth. WIC may widen low-depth grey to 8 bits
// (scaled by 255 / max, which divides back exactly); any other change of depth
// loses the file's samples.
bool to_file_depth(uint32_t v, uint32_t wic_depth, uint32_t depth, uint32_t& out) {
    if (wic_depth == depth) {
        out = v;
        return true;
    }
    if (wic_depth != 8 || depth >= 8) return false;
    const uint32_t max = (1u << depth) - 1;
    if (v % (255 / max) != 0) return false;
    out = v / (255 / max);
    return true;
}

uint32_t depth_of(const WICPixelFormatGUID& format) {
    if (IsEqualGUID(format, GUID_WICPixelFormat1bppIndexed)) return 1;
    if (IsEqualGUID(format, GUID_WICPixelFormat2bppIndexed)) return 2;
    if (IsEqualGUID(format, GUID_WICPixelFormat4bppIndexed)) return 4;
    if (IsEqualGUID(format, GUID_WICPixelFormat8bppIndexed)) return 8;
    return 0;
}

}  // namespace

bool png_decode_indexed(const uint8_t* data, size_t size, PackedPng& out) {
    if (size > 0xFFFFFFFFu) return false;
    ComScope com;
    PngFrame f;
    if (!open_frame(data, size, f)) return false;
    const UINT width = f.width, height = f.height;
    const uint32_t depth = depth_of(f.format);
    if (depth == 0 || width == 0 || height == 0 || !read_palette(f, out.palette)) return false;

    const uint64_t stride = (uint64_t{width} * depth + 7) / 8;
    const uint64_t length = stride * height;
    if (length > 0xFFFFFFFFu) return false;
    out.width = width;
    out.height = height;
    out.depth = depth;
    out.rows.resize(static_cast<size_t>(length));
    if (FAILED(f.frame->CopyPixels(nullptr, static_cast<UINT>(stride), static_cast<UINT>(length),
                                   out.rows.data())))
        return false;
    return true;
}

bool png_decode_raw(const uint8_t* data, size_t size, RawPng& out) {
    if (size > 0xFFFFFFFFu || size < 33) return false;
    // The file's own layout, from its header: WIC reports only its own pixel format.
    const uint8_t depth = data[24], type = data[25];
    const uint32_t file_channels = type == 2 ? 3 : type == 4 ? 2 : type == 6 ? 4 : 1;
    ComScope com;
    PngFrame f;
    if (!open_frame(data, size, f)) return false;
    const UINT width = f.width, height = f.height;
    const WicLayout* wic = layout_of(f.format);
    if (wic == nullptr || width == 0 || height == 0) return false;
    // An index is a sample of its own: it cannot come from colours, nor colours from it.
    if ((type == 3) != wic->indexed && !(type == 0 && wic->indexed)) return false;
    if ((type == 4 || type == 6) && wic->alpha < 0) return false;

    const uint64_t wic_stride = (uint64_t{width} * wic->depth * wic->channels + 7) / 8;
    const uint64_t wic_length = wic_stride * height;
    if (wic_length > 0xFFFFFFFFu) return false;
    std::vector<uint8_t> pixels(static_cast<size_t>(wic_length));
    if (FAILED(f.frame->CopyPixels(nullptr, static_cast<UINT>(wic_stride),
                                   static_cast<UINT>(wic_length), pixels.data())))
        return false;

    out.width = width;
    out.height = height;
    out.depth = depth;
    out.colour_type = type;
    out.palette.clear();
    out.trns.clear();
    if (type == 3 && !read_palette(f, out.palette)) return false;
    find_trns(data, size, out.trns);

    const size_t stride = (size_t{width} * file_channels * depth + 7) / 8;
    out.rows.assign(stride * height, 0);
    // The channel of the WIC pixel that holds each sample of the file's pixel.
    int from[4] = {wic->red, wic->green, wic->blue, wic->alpha};
    if (type == 0 || type == 3) from[0] = wic->red;
    if (type == 4) from[1] = wic->alpha;
    for (UINT y = 0; y < height; ++y) {
        const uint8_t* src = pixels.data() + y * wic_stride;
        uint8_t* dst = out.rows.data() + y * stride;
        for (UINT x = 0; x < width; ++x)
            for (uint32_t s = 0; s < file_channels; ++s) {
                const size_t at = size_t{x} * wic->channels + static_cast<size_t>(from[s]);
                uint32_t v = 0;
                if (!to_file_depth(wic_sample(src, at, wic->depth), wic->depth, depth, v))
                    return false;
                put_sample(dst, size_t{x} * file_channels + s, depth, v);
            }
    }
    return true;
}

bool png_encode_indexed8(const uint8_t* pixels, uint32_t width, uint32_t height,
                         const PngRgb (&palette)[256], std::vector<uint8_t>& out) {
    const uint64_t length = uint64_t{width} * height;
    if (length > 0xFFFFFFFFu) return false;
    ComScope com;
    PngEncoder e;
    Com<IWICPalette> wic_palette;
    if (!open_encoder(width, height, GUID_WICPixelFormat8bppIndexed, e)) return false;
    WICColor colours[256];
    for (int i = 0; i < 256; ++i)
        colours[i] =
            0xFF000000u | uint32_t{palette[i].r} << 16 | uint32_t{palette[i].g} << 8 | palette[i].b;
    return SUCCEEDED(e.factory->CreatePalette(wic_palette.put())) &&
           SUCCEEDED(wic_palette->InitializeCustom(colours, 256)) &&
           SUCCEEDED(e.frame->SetPalette(wic_palette.get())) &&
           finish_encoder(e, height, width, static_cast<UINT>(length), const_cast<BYTE*>(pixels),
                          out);
}

bool png_encode_rgba8(const uint8_t* rgba, uint32_t width, uint32_t height,
                      std::vector<uint8_t>& out) {
    const uint64_t length = uint64_t{4} * width * height;
    if (length > 0xFFFFFFFFu) return false;
    // Every WIC PNG encoder takes BGRA; RGBA only some. So the channels are swapped here.
    std::vector<uint8_t> bgra(rgba, rgba + length);
    for (size_t i = 0; i < bgra.size(); i += 4) std::swap(bgra[i], bgra[i + 2]);
    ComScope com;
    PngEncoder e;
    return open_encoder(width, height, GUID_WICPixelFormat32bppBGRA, e) &&
           finish_encoder(e, height, 4 * width, static_cast<UINT>(length), bgra.data(), out);
}

bool png_encode_bilevel(const uint8_t* rows, uint32_t width, uint32_t height,
                        std::vector<uint8_t>& out) {
    const uint64_t stride = (uint64_t{width} + 7) / 8;
    const uint64_t length = stride * height;
    if (length > 0xFFFFFFFFu) return false;
    ComScope com;
    PngEncoder e;
    // BlackWhite, like a 1-bit grey PNG, is 0 black and 1 white.
    return open_encoder(width, height, GUID_WICPixelFormatBlackWhite, e) &&
           finish_encoder(e, height, static_cast<UINT>(stride), static_cast<UINT>(length),
                          const_cast<BYTE*>(rows), out);
}

const char* png_codec_name() {
    return "Windows Imaging Component";
}

}  // namespace tw
