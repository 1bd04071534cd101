#include "qr/qr_symbols.h"

#include "common/failure.h"
#include "resources/texts.h"

namespace tw {
namespace {

constexpr size_t kV20mBytes = 666;  // a version 20 symbol at level M holds this many
constexpr int kFullCodeMask = 0;

}  // namespace

bool encode_qr_symbols(const std::vector<std::vector<uint8_t>>& codes, std::vector<QrSymbol>& out) {
    out.assign(codes.size(), QrSymbol{});
    for (size_t i = 0; i < codes.size(); ++i) {
        const std::vector<uint8_t>& code = codes[i];
        const int mask = code.size() == kV20mBytes ? kFullCodeMask : kQrMaskChosen;
        if (!qr_encode_v20m(code.data(), code.size(), mask, out[i])) {
            set_failure(kReasonQrEncode, static_cast<unsigned>(i + 1),
                        static_cast<unsigned>(code.size()));
            return false;
        }
    }
    return true;
}

}  // namespace tw
