#include "text/scr_screen.h"

#include <cstring>

#include "common/failure.h"
#include "common/little_endian.h"
#include "resources/texts.h"
#include "text/text_input.h"

namespace tw {

namespace {

bool parse_bgput_text(File& file, const char* path, ScreenCells& cells) {
    BgputParser parser(cells);
    ByteReader in(file);
    for (int c = in.next(); c >= 0; c = in.next())
        if (!parser.feed(static_cast<uint8_t>(c))) break;
    if (in.failed()) {
        set_failure(kReasonReadInput, path);
        return false;
    }
    if (!parser.finish()) {
        set_failure(kReasonBgput, static_cast<unsigned long long>(parser.line()));
        return false;
    }
    return true;
}

}  // namespace

ResourceBuffer scr_buffer_from_cells(const ScreenCells& cells) {
    ResourceBuffer buf(kPrefixSCR, kScrBodyLength);
    if (buf.empty()) return buf;
    uint8_t* body = buf.body();
    for (uint32_t y = 0; y < 64; ++y)
        for (uint32_t x = 0; x < 64; ++x) {
            uint32_t at = 2 * scr_unit_index(x, y);
            uint32_t v = static_cast<uint32_t>(cells[y][x]);
            put_le16(body + at, v);
        }
    return buf;
}

ResourceBuffer build_scr_body(const ConvertJob& job) {
    File f = File::open_read(job.path);
    if (!f.is_open()) {
        set_failure(kReasonOpenInput, job.path);
        return {};
    }
    ScreenCells cells{};
    if (job_has_ext(job, ".txt")) {
        if (!parse_bgput_text(f, job.path, cells)) return {};
    } else {
        // Raw: 4096 cells, high byte first; a short file leaves the rest 0, a read error fails.
        uint8_t raw[2 * 4096] = {};
        size_t got = 0, total = 0;
        while (total < sizeof raw) {
            if (!f.read(raw + total, sizeof raw - total, &got)) {
                set_failure(kReasonReadInput, job.path);
                return {};
            }
            if (got == 0) break;
            total += got;
        }
        for (int i = 0; i < 4096; ++i) cells[i / 64][i % 64] = raw[2 * i] << 8 | raw[2 * i + 1];
    }
    f.close();
    ResourceBuffer buf = scr_buffer_from_cells(cells);
    if (buf.empty()) set_failure("%s", kReasonOutOfMemory.get());
    return buf;
}

bool convert_scr(ConvertJob job) {
    ResourceBuffer buf = build_scr_body(job);
    if (buf.empty()) return false;
    return write_text_resource(job, "SCR", "%s%s_SCR.ptc", buf, TYPE_CODE_SCR);
}

}  // namespace tw
