#include "qr/qr_stream.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "common/ascii_text.h"
#include "common/failure.h"
#include "common/little_endian.h"
#include "image/resource_kinds.h"
#include "platform/md5.h"
#include "platform/paths.h"
#include "resources/texts.h"

namespace tw {
namespace {

constexpr size_t kPtcTypeStringOffset = kPtcHeaderLength;
constexpr size_t kPtcSuffixOffset = kPtcTypeStringOffset + kTypeStringLength - kTypeSuffixLength;
constexpr size_t kPtcBodyOffset = kPtcTypeStringOffset + kTypeStringLength;

bool is_device_name(std::string_view name) {
    // Windows takes "CON.TXT" for the device as well: look before the first dot.
    name = name.substr(0, name.find('.'));
    for (const char* device : {"CON", "PRN", "AUX", "NUL"})
        if (same_ci(name, device)) return true;
    if (name.size() != 4 || name[3] < '1' || name[3] > '9') return false;
    return same_ci(name.substr(0, 3), "COM") || same_ci(name.substr(0, 3), "LPT");
}

// Why the bytes are not a PTC file that `info` calls well formed; nullptr when they are.
const Text* ptc_fault(const uint8_t* ptc, size_t size, const ResourceKind*& kind) {
    if (size < kPtcMagicLength || std::memcmp(ptc, kPtcMagic, kPtcMagicLength) != 0)
        return &kQrNoPx01;
    if (size < kPtcBodyOffset || get_le32(ptc + 4) != size - kPtcHeaderLength) return &kQrBadLength;
    std::vector<uint8_t> hashed(kResourceMagicLength + size - kPtcHeaderLength);
    std::memcpy(hashed.data(), kResourceMagic, kResourceMagicLength);
    std::memcpy(hashed.data() + kResourceMagicLength, ptc + kPtcHeaderLength,
                size - kPtcHeaderLength);
    uint8_t digest[16];
    if (!md5_digest(hashed.data(), hashed.size(), digest) ||
        std::memcmp(digest, ptc + kPtcDigestOffset, sizeof digest) != 0)
        return &kQrBadDigest;
    kind = resource_kind_by_suffix(
        {reinterpret_cast<const char*>(ptc + kPtcSuffixOffset), kTypeSuffixLength});
    if (kind == nullptr || std::memcmp(ptc + kPtcTypeStringOffset, kind->type_string, 4) != 0)
        return &kQrBadType;
    const size_t body = size - kPtcBodyOffset;
    if (kind->body_length != 0 ? body != kind->body_length
                               : body < kPrgHeaderLength ||
                                     get_le32(ptc + kPtcBodyOffset + 8) > body - kPrgHeaderLength)
        return &kQrBadBody;
    return nullptr;
}

void put_digest(uint8_t* out, const uint8_t* data, size_t n, bool& ok) {
    ok = md5_digest(data, n, out) && ok;
}

}  // namespace

const Text* qr_name_fault(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return &kNameEmpty;
    for (char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F) return &kNameControlByte;
        if (c > 0x7F) return &kNameNotAscii;
        if (c == '/' || c == '\\') return &kNameSeparator;
        if (std::strchr(":<>\"|?*", c) != nullptr) return &kNameReservedCharacter;
    }
    if (name.back() == '.' || name.back() == ' ') return &kNameTrailingDot;
    if (is_device_name(name)) return &kNameDevice;
    return nullptr;
}

bool make_qr_set(const uint8_t* ptc, size_t size, QrSet& out) {
    out = QrSet{};
    const ResourceKind* kind = nullptr;
    if (const Text* fault = ptc_fault(ptc, size, kind)) {
        set_failure(kQrNotWellFormed, fault->get());
        return false;
    }
    const auto* name_field = reinterpret_cast<const char*>(ptc + kPtcNameOffset);
    std::string name(name_field, 8);
    name.erase(name.find_last_not_of('\0') + 1);
    if (const Text* fault = qr_name_fault(name)) {
        set_failure(kQrNameRefused, shown_name(name).c_str(), fault->get());
        return false;
    }

    // The stream: name, suffix, both lengths, then zlib of the type string and body.
    const size_t plain = size - kPtcHeaderLength;
    uLongf packed = compressBound(static_cast<uLong>(plain));
    std::vector<uint8_t> stream(kQrStreamHeaderLength + packed);
    if (compress2(stream.data() + kQrStreamHeaderLength, &packed, ptc + kPtcHeaderLength,
                  static_cast<uLong>(plain), Z_BEST_COMPRESSION) != Z_OK) {
        set_failure(kQrCompressFailed);
        return false;
    }
    stream.resize(kQrStreamHeaderLength + packed);
    std::memcpy(stream.data(), name_field, 8);
    std::memcpy(stream.data() + 8, ptc + kPtcSuffixOffset, kTypeSuffixLength);
    put_le32(stream.data() + 12, static_cast<uint32_t>(packed));
    put_le32(stream.data() + 16, static_cast<uint32_t>(plain));

    const size_t count = (stream.size() + kQrChunkLength - 1) / kQrChunkLength;
    if (count > kQrMaxCodes) {
        set_failure(kQrTooManyCodes, static_cast<unsigned>(count));
        return false;
    }
    uint8_t whole[16];
    bool ok = true;
    put_digest(whole, stream.data(), stream.size(), ok);
    for (size_t i = 0; i < count; ++i) {
        const size_t start = i * kQrChunkLength;
        const size_t n = std::min(kQrChunkLength, stream.size() - start);
        std::vector<uint8_t> code(kQrCodeHeaderLength + n);
        code[0] = 'P';
        code[1] = 'T';
        code[2] = static_cast<uint8_t>(i + 1);
        code[3] = static_cast<uint8_t>(count);
        put_digest(code.data() + 4, stream.data() + start, n, ok);
        std::memcpy(code.data() + 20, whole, sizeof whole);
        std::memcpy(code.data() + kQrCodeHeaderLength, stream.data() + start, n);
        out.codes.push_back(std::move(code));
    }
    if (!ok) {
        set_failure(kReasonDigest, name.c_str());
        out = QrSet{};
        return false;
    }
    out.name = name;
    out.type = kind->tag();
    return true;
}

}  // namespace tw
