// QR sets read back from arbitrary codes: assembling them, the stream's header,
// inflating to the stated length and the name must stay inside their buffers,
// and a set read back must be a PTC file named as the rule allows.
//
// The input is taken two ways: as payloads (each a length byte, then that many
// bytes times 8, so whole codes fit), and as one stream cut into codes whose
// digests check, so that the fuzzer reaches the header, inflate and the name.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/md5.h"
#include "qr/qr_sets.h"
#include "qr/qr_stream.h"

namespace {

void read_all(const tw::QrGatherer& gatherer) {
    std::vector<tw::QrReadSet> sets;
    for (const tw::QrGathered& gathered : gatherer.sets()) {
        tw::QrReadSet set;
        if (!tw::read_qr_set(gathered, set)) continue;
        if (set.ptc.size() < 48 || std::memcmp(set.ptc.data(), "PX01", 4) != 0) abort();
        if (tw::qr_name_fault(set.name) != nullptr) abort();
        sets.push_back(std::move(set));
    }
    for (const std::string& name : tw::qr_output_names(sets))
        if (name.find_first_of("/\\:") != std::string::npos) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::QrGatherer payloads;
    for (size_t at = 0; at < size;) {
        const size_t n = std::min<size_t>(size_t{data[at]} * 8, size - at - 1);
        payloads.add(data + at + 1, n);
        at += 1 + n;
    }
    read_all(payloads);

    tw::QrGatherer stream;
    const size_t count = (size + tw::kQrChunkLength - 1) / tw::kQrChunkLength;
    if (count == 0 || count > tw::kQrMaxCodes) return 0;
    uint8_t whole[16];
    tw::md5_digest(data, size, whole);
    for (size_t i = 0; i < count; ++i) {
        const size_t n = std::min(tw::kQrChunkLength, size - i * tw::kQrChunkLength);
        std::vector<uint8_t> code{'P', 'T', uint8_t(i + 1), uint8_t(count)};
        code.resize(tw::kQrCodeHeaderLength);
        tw::md5_digest(data + i * tw::kQrChunkLength, n, code.data() + 4);
        std::memcpy(code.data() + 20, whole, 16);
        code.insert(code.end(), data + i * tw::kQrChunkLength, data + i * tw::kQrChunkLength + n);
        stream.add(code.data(), code.size());
    }
    read_all(stream);
    return 0;
}
