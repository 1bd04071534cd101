#include "platform/qr_symbol.h"

#include <exception>
#include <qrcodegen.hpp>

namespace tw {

bool qr_encode_v20m(const uint8_t* data, size_t size, int mask, QrSymbol& out) {
    out = QrSymbol{};
    if (mask < kQrMaskChosen || mask > 7) return false;
    using qrcodegen::QrCode;
    try {
        const std::vector<uint8_t> bytes(data, data + size);
        const QrCode code = QrCode::encodeSegments({qrcodegen::QrSegment::makeBytes(bytes)},
                                                   QrCode::Ecc::MEDIUM, 20, 20, mask, false);
        const int side = code.getSize();
        out.size = static_cast<uint32_t>(side);
        out.dark.resize(size_t{out.size} * out.size);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                out.dark[static_cast<size_t>(y) * out.size + static_cast<size_t>(x)] =
                    code.getModule(x, y) ? 1 : 0;
        return true;
    } catch (const std::exception&) {
        // data_too_long (a length_error) past 666 bytes, bad_alloc; the
        // library's other errors guard arguments checked above.
    }
    out = QrSymbol{};
    return false;
}

}  // namespace tw
