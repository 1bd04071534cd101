#include "qr/qr_sets.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "common/ascii_text.h"
#include "common/failure.h"
#include "common/little_endian.h"
#include "image/ptc_container.h"
#include "platform/md5.h"
#include "platform/paths.h"
#include "qr/qr_stream.h"
#include "resources/texts.h"

namespace tw {
namespace {

bool same_digest(const uint8_t* data, size_t n, const uint8_t* expected) {
    uint8_t digest[16];
    return md5_digest(data, n, digest) && std::memcmp(digest, expected, sizeof digest) == 0;
}

std::string number_list(const std::vector<unsigned>& numbers) {
    std::string s;
    for (unsigned n : numbers) s += (s.empty() ? "" : ", ") + std::to_string(n);
    return s;
}

// Inflates exactly `plain` bytes. A stream that would give more is refused at
// the first byte beyond, so a small set cannot make us hold more than it states.
enum Inflated { INFLATED, INFLATES_BEYOND, INFLATE_FAILED };
Inflated inflate_exactly(const uint8_t* in, size_t in_size, uint8_t* out, uint32_t plain) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return INFLATE_FAILED;
    z.next_in = const_cast<Bytef*>(in);
    z.avail_in = static_cast<uInt>(in_size);
    z.next_out = out;
    z.avail_out = plain;
    int status = inflate(&z, Z_FINISH);
    Inflated result = status == Z_STREAM_END && z.avail_out == 0 ? INFLATED : INFLATE_FAILED;
    if (status != Z_STREAM_END && z.avail_out == 0 && (status == Z_OK || status == Z_BUF_ERROR)) {
        uint8_t probe;
        z.next_out = &probe;
        z.avail_out = 1;
        status = inflate(&z, Z_NO_FLUSH);
        if (z.avail_out == 0)
            result = INFLATES_BEYOND;
        else if (status == Z_STREAM_END)
            result = INFLATED;
    }
    inflateEnd(&z);
    return result;
}

}  // namespace

QrGatherer::Taken QrGatherer::add(const uint8_t* payload, size_t size) {
    if (size <= kQrCodeHeaderLength || payload[0] != 'P' || payload[1] != 'T' || payload[2] == 0 ||
        payload[2] > payload[3] ||
        !same_digest(payload + kQrCodeHeaderLength, size - kQrCodeHeaderLength, payload + 4)) {
        ++ignored_;
        return CODE_IGNORED;
    }
    const uint8_t index = payload[2], count = payload[3];
    auto found = std::find_if(sets_.begin(), sets_.end(), [&](const QrGathered& s) {
        return s.count == count && std::memcmp(s.stream_digest.data(), payload + 20, 16) == 0;
    });
    if (found == sets_.end()) {
        found = sets_.insert(sets_.end(), QrGathered{});
        std::memcpy(found->stream_digest.data(), payload + 20, 16);
        found->count = count;
        found->chunks.resize(count);
    }
    std::vector<uint8_t>& chunk = found->chunks[index - 1];
    const std::vector<uint8_t> data(payload + kQrCodeHeaderLength, payload + size);
    if (chunk.empty()) {
        chunk = data;
        return CODE_NEW;
    }
    if (chunk != data && std::find(found->disagreeing.begin(), found->disagreeing.end(), index) ==
                             found->disagreeing.end())
        found->disagreeing.push_back(index);
    return CODE_REPEATED;
}

std::string qr_gathered_name(const QrGathered& gathered) {
    if (gathered.chunks.empty() || gathered.chunks[0].size() < 8) return "";
    std::string name(gathered.chunks[0].begin(), gathered.chunks[0].begin() + 8);
    name.erase(name.find_last_not_of('\0') + 1);
    return name;
}

bool read_qr_set(const QrGathered& gathered, QrReadSet& out) {
    out = QrReadSet{};
    out.name = qr_gathered_name(gathered);
    const std::string shown = out.name.empty() ? "?" : shown_name(out.name);
    std::vector<unsigned> missing;
    for (size_t i = 0; i < gathered.chunks.size(); ++i)
        if (gathered.chunks[i].empty()) missing.push_back(static_cast<unsigned>(i + 1));
    if (!missing.empty()) {
        set_failure(kQrCodesMissing, shown.c_str(), number_list(missing).c_str(),
                    static_cast<unsigned>(gathered.count));
        return false;
    }
    if (!gathered.disagreeing.empty()) {
        std::vector<unsigned> codes(gathered.disagreeing.begin(), gathered.disagreeing.end());
        std::sort(codes.begin(), codes.end());
        set_failure(kQrCodesDisagree, shown.c_str(), number_list(codes).c_str());
        return false;
    }
    std::vector<uint8_t> stream;
    for (const auto& chunk : gathered.chunks)
        stream.insert(stream.end(), chunk.begin(), chunk.end());
    if (!same_digest(stream.data(), stream.size(), gathered.stream_digest.data())) {
        set_failure(kQrBadStreamDigest, shown.c_str());
        return false;
    }
    const uint32_t packed =
        stream.size() >= kQrStreamHeaderLength ? get_le32(stream.data() + 12) : 0;
    if (stream.size() < kQrStreamHeaderLength || packed != stream.size() - kQrStreamHeaderLength) {
        set_failure(kQrBadCompressedLength, shown.c_str(), packed,
                    static_cast<unsigned>(stream.size()));
        return false;
    }
    const std::string suffix(stream.begin() + 8, stream.begin() + 12);
    out.kind = resource_kind_by_suffix(suffix);
    if (out.kind == nullptr) {
        set_failure(kQrBadSuffix, shown.c_str(), shown_name(suffix).c_str());
        return false;
    }
    const uint32_t plain = get_le32(stream.data() + 16);
    if (plain > kQrMaxPlainLength) {
        set_failure(kQrPlainTooLong, shown.c_str(), plain);
        return false;
    }
    // The resource as write_ptc takes it: the magic, then the inflated bytes.
    std::vector<uint8_t> resource(kResourceMagicLength + plain);
    std::memcpy(resource.data(), kResourceMagic, kResourceMagicLength);
    switch (inflate_exactly(stream.data() + kQrStreamHeaderLength, packed,
                            resource.data() + kResourceMagicLength, plain)) {
        case INFLATED:
            break;
        case INFLATES_BEYOND:
            set_failure(kQrInflatesBeyond, shown.c_str(), plain);
            return false;
        case INFLATE_FAILED:
            set_failure(kQrInflateFailed, shown.c_str(), plain);
            return false;
    }
    const uint8_t* type_string = resource.data() + kResourceMagicLength;
    if (plain < kTypeStringLength || std::memcmp(type_string, "PETC", 4) != 0 ||
        std::memcmp(type_string + 8, out.kind->suffix(), kTypeSuffixLength) != 0) {
        set_failure(kQrNotResource, shown.c_str(), out.kind->tag());
        return false;
    }
    if (const Text* fault = qr_name_fault(out.name)) {
        set_failure(kQrNameRefused, shown.c_str(), fault->get());
        return false;
    }
    uint8_t header[kPtcHeaderLength];
    if (!make_ptc_header(out.name.c_str(), resource.data(), static_cast<uint32_t>(resource.size()),
                         out.kind->type_code, header)) {
        set_failure(kReasonDigest, shown.c_str());
        return false;
    }
    out.ptc.assign(header, header + kPtcHeaderLength);
    out.ptc.insert(out.ptc.end(), resource.begin() + kResourceMagicLength, resource.end());
    return true;
}

std::vector<std::string> qr_output_names(const std::vector<QrReadSet>& sets) {
    std::vector<std::string> names(sets.size());
    for (size_t i = 0; i < sets.size(); ++i) {
        bool shared = false, clash = false;
        for (size_t j = 0; j < sets.size(); ++j) {
            if (j == i || !same_ci(sets[i].name, sets[j].name)) continue;
            shared = true;
            clash = clash || sets[i].kind == sets[j].kind;
        }
        if (clash) continue;
        names[i] = sets[i].name + (shared ? std::string("_") + sets[i].kind->tag() : "") + ".ptc";
    }
    return names;
}

}  // namespace tw
