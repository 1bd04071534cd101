#include "extract/text_output.h"

#include <array>
#include <vector>

#include "common/failure.h"
#include "common/fixed_text.h"
#include "common/little_endian.h"
#include "image/resource_kinds.h"
#include "platform/files.h"
#include "resources/texts.h"
#include "settings/settings.h"
#include "text/char_tables.h"

namespace tw {
namespace {

bool write_text_file(const char* path, const std::string& text) {
    if (!write_whole_file(path, text.data(), text.size())) {
        set_failure(kReasonWriteOutput, path);
        return false;
    }
    return true;
}

}  // namespace

int mem_unit_to_code(uint16_t unit) {
    // The exact inverse of code_to_mem_unit, plus 0xFFFF for 0xFF.
    static const std::array<int16_t, 65536>* table = [] {
        auto* t = new std::array<int16_t, 65536>;
        t->fill(-1);
        for (int c = 0; c < 256; ++c)
            (*t)[code_to_mem_unit(static_cast<uint8_t>(c))] = static_cast<int16_t>(c);
        (*t)[0xFFFF] = 0xFF;
        return t;
    }();
    return (*table)[unit];
}

void write_escaped_byte(std::string& out, uint8_t b) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    if (b < 0x20 || (b >= 0x7F && b <= 0x9F) || b >= 0xE0) {
        out.push_back('\\');
        out.push_back(kHex[b >> 4]);
        out.push_back(kHex[b & 15]);
    } else if (b == 0x5C) {
        out.append("\\\\");
    } else {
        out.push_back(static_cast<char>(b));
    }
}

bool mem_to_text(InputCursor& in, const char* base_path) {
    uint8_t body[kMemKind.body_length];
    if (!in.read(body, sizeof body)) {
        set_failure(kReasonPtcTruncated);
        return false;
    }
    char path[260];
    if (!format_text(path, sizeof path, "%s%s", base_path, kMemKind.extracted[0])) {
        set_failure(kReasonPathTooLong, base_path);
        return false;
    }
    uint32_t count = get_le16(body + 512);
    if (count > 256) count = 256;  // a count past the 256 stored units reads them all
    std::string text = "MEM$=\"";
    bool valid = true;
    for (uint32_t k = 0; k < count; ++k) {
        int code = mem_unit_to_code(get_le16(body + 2 * k));
        if (code < 0) {
            valid = false;
            continue;
        }
        if (g_settings.PRG_ESCAPE != 0)
            write_escaped_byte(text, static_cast<uint8_t>(code));
        else
            text.push_back(static_cast<char>(code));
    }
    text.append("\"\r\n");
    if (!write_text_file(path, text)) return false;
    if (!valid) set_failure(kReasonMemUnit);
    return valid;
}

bool prg_to_text(InputCursor& in, uint64_t file_size, const char* base_path, uint32_t text_length) {
    // Never allocate more than the file can hold.
    if (in.tell() > file_size || text_length > file_size - in.tell()) {
        set_failure(kReasonPtcTruncated);
        return false;
    }
    std::vector<uint8_t> bytes(text_length);
    if (!in.read(bytes.data(), bytes.size())) {
        set_failure(kReasonPtcTruncated);
        return false;
    }
    char path[260];
    if (!format_text(path, sizeof path, "%s%s", base_path, kPrgKind.extracted[0])) {
        set_failure(kReasonPathTooLong, base_path);
        return false;
    }
    std::string text;
    if (g_settings.PRG_MultiByte != 0) {
        text.reserve(2 * bytes.size());
        for (uint8_t b : bytes) text.append(code_to_fullwidth(b));
    } else if (g_settings.PRG_ESCAPE != 0) {
        text.reserve(3 * bytes.size());
        for (uint8_t b : bytes) write_escaped_byte(text, b);
    } else {
        text.assign(bytes.begin(), bytes.end());
    }
    return write_text_file(path, text);
}

}  // namespace tw
