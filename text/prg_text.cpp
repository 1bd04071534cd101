#include "text/prg_text.h"

#include <cstring>
#include <vector>

#include "common/failure.h"
#include "common/fixed_text.h"
#include "common/little_endian.h"
#include "platform/files.h"
#include "resources/texts.h"
#include "settings/settings.h"
#include "text/char_tables.h"
#include "text/text_input.h"

namespace tw {
namespace {

constexpr size_t kLineLimit = 198;  // a byte more than this behind the line's origin fails

}  // namespace

bool prg_is_fullwidth(const uint8_t* text, size_t n) {
    for (size_t i = 0; i < n; i += 2)
        if (text[i] >= 0x21 && text[i] <= 0x7F) return false;
    return true;
}

ResourceBuffer prg_body_from_text(uint8_t* text, size_t n) {
    if (n == 0) {
        set_failure(kReasonEmptyInput);
        return {};
    }
    const bool fullwidth = prg_is_fullwidth(text, n);
    if (!fullwidth) n = decode_escapes(text, n);
    if (n == 0) {
        set_failure(kReasonEmptyInput);
        return {};
    }
    const bool limit = g_settings.PRG_Limit != 0;

    // One pass, written back into the same buffer: w is the position in the
    // converted text, r in the source. Every step looks at a byte and the one
    // after it, so the last byte is never converted or tested.
    size_t w = 0, r = 0, line_start = 0;
    while (r + 1 < n) {
        uint8_t c = text[r];
        if (c == 0x0D) {
            line_start = w;
            text[w++] = c;
            r += (text[r + 1] == 0x0A) ? 2 : 1;
        } else if (fullwidth && c >= 0x60) {
            FullwidthCodes f = fullwidth_to_code(c, text[r + 1]);
            if (f.count == 0) {
                set_failure(kReasonPrgFullwidth, c, text[r + 1],
                            static_cast<unsigned long long>(r));
                return {};
            }
            // A voiced kana becomes two codes; the position tested is the second's.
            text[w++] = f.codes[0];
            if (f.count == 2) text[w++] = f.codes[1];
            r += 2;
        } else {
            text[w++] = c;
            r += 1;
        }
        if (limit && (w - 1) - line_start > kLineLimit) {
            set_failure(kReasonPrgLine, static_cast<unsigned long long>(w - 1));
            return {};
        }
    }
    if (r < n) text[w++] = text[r];  // the last byte, unchanged

    const uint32_t length = static_cast<uint32_t>(w);
    const uint32_t padding = (4 - length % 4) % 4;
    ResourceBuffer buf(kPrgKind, uint64_t{kPrgHeaderLength} + length + padding);
    if (buf.empty()) {
        set_failure(kReasonOutOfMemory);
        return {};
    }
    uint8_t* body = buf.body();  // masks stay 0
    put_le32(body + 8, static_cast<uint32_t>(length));
    std::memcpy(body + kPrgHeaderLength, text, length);
    return buf;
}

ResourceBuffer build_prg_body(const ConvertJob& job) {
    std::vector<uint8_t> text;
    if (!read_whole_text(job.path, text)) return {};
    return prg_body_from_text(text.data(), text.size());
}

bool convert_prg(ConvertJob job) {
    ResourceBuffer buf = build_prg_body(job);
    if (buf.empty()) return false;
    return write_text_resource(job, kPrgKind, buf);
}

}  // namespace tw
