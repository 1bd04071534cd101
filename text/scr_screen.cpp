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

static_assert(kScrKind.body_length == kScrUnitBytes * kScreenCellCount);

ResourceBuffer scr_buffer_from_cells(const ScreenCells& cells) {
    ResourceBuffer buf(kScrKind);
    if (!buf.empty()) scr_body_from_cells(cells, buf.body());
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
        uint8_t raw[kRawScreenBytes] = {};
        size_t got = 0, total = 0;
        while (total < sizeof raw) {
            if (!f.read(raw + total, sizeof raw - total, &got)) {
                set_failure(kReasonReadInput, job.path);
                return {};
            }
            if (got == 0) break;
            total += got;
        }
        cells_from_raw_screen(raw, cells);
    }
    f.close();
    ResourceBuffer buf = scr_buffer_from_cells(cells);
    if (buf.empty()) set_failure(kReasonOutOfMemory);
    return buf;
}

bool convert_scr(ConvertJob job) {
    ResourceBuffer buf = build_scr_body(job);
    if (buf.empty()) return false;
    return write_text_resource(job, kScrKind, buf);
}

}  // namespace tw
