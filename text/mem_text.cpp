#include "text/mem_text.h"

#include <vector>

#include "common/failure.h"
#include "common/memory_reader.h"
#include "platform/files.h"
#include "resources/texts.h"
#include "text/char_tables.h"
#include "text/text_input.h"

namespace tw {
namespace {

inline constexpr size_t kMemMaxChars = 256;

}  // namespace
namespace {

// 256 decoded characters never take more than this many bytes of the string
// (an escape is 3 bytes, and one more escape needs its two following bytes).
constexpr size_t kStringPrefix = 3 * kMemMaxChars + 2;

// Finds MEM$=" and builds the body from what follows; `size` bytes in all.
template <typename Reader>
ResourceBuffer mem_body(Reader& in, uint64_t size, const char* path) {
    // The marker, with TAB or space allowed before = and before the quote. A byte
    // that breaks a partial match is not looked at again as the start of a new one.
    int state = 0;
    uint64_t read = 0;
    while (state != 6) {
        if (read >= size) {
            set_failure(kReasonMemMarker);
            return {};
        }
        const int c = in.next();
        if (c < 0) {  // a read error, or the file shrank: not a string of zeros
            set_failure(kReasonReadInput, path);
            return {};
        }
        const auto b = static_cast<uint8_t>(c);
        ++read;
        const bool blank = b == 0x09 || b == 0x20;
        switch (state) {
            case 0:
                state = b == 'M' ? 1 : 0;
                break;
            case 1:
                state = b == 'E' ? 2 : 0;
                break;
            case 2:
                state = b == 'M' ? 3 : 0;
                break;
            case 3:
                state = b == '$' ? 4 : 0;
                break;
            case 4:
                state = b == '=' ? 5 : (blank ? 4 : 0);
                break;
            case 5:
                state = b == '"' ? 6 : (blank ? 5 : 0);
                break;
        }
        if (read >= size) {  // the marker must not end the file
            set_failure(kReasonMemMarker);
            return {};
        }
    }
    // The string runs to the last double quote of the rest. Only its first
    // kStringPrefix bytes can reach the 256 characters kept.
    std::vector<uint8_t> prefix;
    prefix.reserve(kStringPrefix);
    uint64_t pos = 0;
    bool quote = false;
    uint64_t last_quote = 0;
    for (; read < size; ++read, ++pos) {
        const int c = in.next();
        if (c < 0) {
            set_failure(kReasonReadInput, path);
            return {};
        }
        const auto b = static_cast<uint8_t>(c);
        if (b == '"') {
            quote = true;
            last_quote = pos;
        }
        if (prefix.size() < kStringPrefix) prefix.push_back(b);
    }
    if (!quote) {
        set_failure(kReasonMemQuote);
        return {};
    }
    size_t k = static_cast<size_t>(last_quote < prefix.size() ? last_quote : prefix.size());
    k = decode_escapes(prefix.data(), k);
    if (k > kMemMaxChars) k = kMemMaxChars;
    ResourceBuffer buf(kMemKind);
    if (buf.empty()) {
        set_failure(kReasonOutOfMemory);
        return {};
    }
    encode_mem_chars(buf.data(), prefix.data(), k);
    return buf;
}

}  // namespace

ResourceBuffer mem_body_from_bytes(const uint8_t* data, size_t size) {
    MemoryReader in(data, size);
    return mem_body(in, size, "");
}

ResourceBuffer build_mem_body(const ConvertJob& job) {
    File f = File::open_read(job.path);
    if (!f.is_open()) {
        set_failure(kReasonOpenInput, job.path);
        return {};
    }
    uint64_t size = 0;
    if (!f.size(&size)) {
        set_failure(kReasonReadInput, job.path);
        return {};
    }
    ByteReader in(f);
    return mem_body(in, size, job.path);
}

bool convert_mem(ConvertJob job) {
    ResourceBuffer buf = build_mem_body(job);
    if (buf.empty()) return false;
    return write_text_resource(job, kMemKind, buf);
}

}  // namespace tw
