#include <windows.h>
// wincodec.h and objidl.h must follow windows.h
#include <objidl.h>
#include <wincodec.h>

#include <new>

#include "platform/png.h"

namespace tw {
namespace {

// Releases a COM interface when it leaves scope.
template <class T>
class Com {
  public:
    Com() = default;
    ~Com() {
        if (p_) p_->Release();
    }
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    T** put() { return &p_; }
    T* operator->() const { return p_; }
    T* get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

  private:
    T* p_ = nullptr;
};

// COM for the lifetime of one call; the thread may already have it in another mode.
class ComScope {
  public:
    ComScope() : hr_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

  private:
    HRESULT hr_;
};

bool make_factory(Com<IWICImagingFactory>& factory) {
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IWICImagingFactory,
                                      reinterpret_cast<void**>(factory.put())));
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
    Com<IWICImagingFactory> factory;
    Com<IWICStream> stream;
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    Com<IWICPalette> palette;
    if (!make_factory(factory) || FAILED(factory->CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(data), static_cast<DWORD>(size))) ||
        FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr,
                                                WICDecodeMetadataCacheOnDemand, decoder.put())) ||
        FAILED(decoder->GetFrame(0, frame.put())))
        return false;
    UINT width = 0, height = 0;
    WICPixelFormatGUID format{};
    if (FAILED(frame->GetSize(&width, &height)) || FAILED(frame->GetPixelFormat(&format)))
        return false;
    const uint32_t depth = depth_of(format);
    if (depth == 0 || width == 0 || height == 0) return false;
    UINT colours = 0;
    if (FAILED(factory->CreatePalette(palette.put())) ||
        FAILED(frame->CopyPalette(palette.get())) || FAILED(palette->GetColorCount(&colours)) ||
        colours > 256)
        return false;
    WICColor entries[256];
    UINT got = 0;
    if (colours > 0 && FAILED(palette->GetColors(colours, entries, &got))) return false;

    const uint64_t stride = (uint64_t{width} * depth + 7) / 8;
    const uint64_t length = stride * height;
    if (length > 0xFFFFFFFFu) return false;
    out.width = width;
    out.height = height;
    out.depth = depth;
    out.rows.resize(static_cast<size_t>(length));
    if (FAILED(frame->CopyPixels(nullptr, static_cast<UINT>(stride), static_cast<UINT>(length),
                                 out.rows.data())))
        return false;
    out.palette.resize(got);
    for (UINT i = 0; i < got; ++i)
        out.palette[i] = {static_cast<uint8_t>(entries[i] >> 16),
                          static_cast<uint8_t>(entries[i] >> 8), static_cast<uint8_t>(entries[i])};
    return true;
}

bool png_encode_indexed8(const uint8_t* pixels, uint32_t width, uint32_t height,
                         const PngRgb (&palette)[256], std::vector<uint8_t>& out) {
    const uint64_t length = uint64_t{width} * height;
    if (length > 0xFFFFFFFFu) return false;
    ComScope com;
    Com<IWICImagingFactory> factory;
    Com<IStream> stream;
    Com<IWICBitmapEncoder> encoder;
    Com<IWICBitmapFrameEncode> frame;
    Com<IPropertyBag2> options;
    Com<IWICPalette> wic_palette;
    if (!make_factory(factory) || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.put())) ||
        FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put())) ||
        FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(frame.put(), options.put())) ||
        FAILED(frame->Initialize(options.get())) || FAILED(frame->SetSize(width, height)))
        return false;
    WICPixelFormatGUID format = GUID_WICPixelFormat8bppIndexed;
    if (FAILED(frame->SetPixelFormat(&format)) ||
        !IsEqualGUID(format, GUID_WICPixelFormat8bppIndexed))
        return false;
    WICColor colours[256];
    for (int i = 0; i < 256; ++i)
        colours[i] =
            0xFF000000u | uint32_t{palette[i].r} << 16 | uint32_t{palette[i].g} << 8 | palette[i].b;
    if (FAILED(factory->CreatePalette(wic_palette.put())) ||
        FAILED(wic_palette->InitializeCustom(colours, 256)) ||
        FAILED(frame->SetPalette(wic_palette.get())) ||
        FAILED(frame->WritePixels(height, width, static_cast<UINT>(length),
                                  const_cast<BYTE*>(pixels))) ||
        FAILED(frame->Commit()) || FAILED(encoder->Commit()))
        return false;
    STATSTG stat{};
    HGLOBAL global = nullptr;
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) ||
        FAILED(GetHGlobalFromStream(stream.get(), &global)))
        return false;
    const void* bytes = GlobalLock(global);
    if (bytes == nullptr) return false;
    const auto* begin = static_cast<const uint8_t*>(bytes);
    out.assign(begin, begin + stat.cbSize.QuadPart);
    GlobalUnlock(global);
    return true;
}

const char* png_codec_name() {
    return "Windows Imaging Component";
}

}  // namespace tw
