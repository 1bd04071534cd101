#include "maps/screen_sources.h"

#include <cstring>
#include <memory>
#include <new>

#include "common/failure.h"
#include "common/little_endian.h"
#include "convert/convert_job.h"
#include "extract/input_cursor.h"
#include "extract/ptc_walk.h"
#include "image/ptc_file.h"
#include "maps/tile_map.h"
#include "platform/files.h"
#include "resources/texts.h"
#include "text/scr_screen.h"
#include "text/screen_cells.h"

namespace tw {
namespace {

struct Body {
    const ResourceKind* kind;
    std::string part_name;
    std::vector<uint8_t> bytes;
};

// Every CHR, COL and SCR record of a PTC file; others are skipped. *package is
// true when the file is a package (its first record is a program).
bool read_ptc_bodies(const char* path, std::vector<Body>& bodies, bool* package) {
    File f = File::open_read(path);
    uint64_t size = 0;
    if (!f.is_open() || !f.size(&size)) {
        set_failure(kReasonOpenInput, path);
        return false;
    }
    auto in = std::make_unique<InputCursor>(f);
    PtcWalk walk(*in, size);
    PtcRecord rec;
    *package = false;
    for (bool first = true;; first = false) {
        const PtcWalk::Step step = walk.next(rec);
        if (step == PtcWalk::STEP_END) return true;
        if (step == PtcWalk::STEP_BAD) {
            set_failure(kReasonPtcRecord, static_cast<unsigned long long>(in->tell()));
            return false;
        }
        if (first && rec.kind == &kPrgKind) *package = true;
        if (rec.kind != &kChrKind && rec.kind != &kColKind && rec.kind != &kScrKind) continue;
        Body b{rec.kind, rec.part_name, std::vector<uint8_t>(rec.body_length)};
        if (!in->read(b.bytes.data(), b.bytes.size())) {
            set_failure(kReasonPtcTruncated);
            return false;
        }
        bodies.push_back(std::move(b));
    }
}

void take_colours(const std::vector<uint8_t>& body, ScreenSources& out) {
    for (size_t i = 0; i < 256; ++i) out.colours[i] = get_le16(&body[2 * i]);
}

bool load_package(const char* path, const std::vector<Body>& bodies, int screen,
                  ScreenSources& out) {
    const bool lower = screen >= 2;
    const std::string scr = std::string("_") + kScreenSlots[screen];
    const std::string col = lower ? "_COL0_S" : "_COL0";
    const std::string bank = lower ? "_BGS" : "_BGU";
    bool have_screen = false, have_colours = false;
    for (const Body& b : bodies) {
        if (b.part_name == scr) {
            cells_from_scr_body(b.bytes.data(), out.cells);
            have_screen = true;
        } else if (b.part_name == col) {
            take_colours(b.bytes, out);
            have_colours = true;
        } else if (b.part_name.size() == 5 && b.part_name.compare(0, 4, bank) == 0 &&
                   b.part_name[4] >= '0' && b.part_name[4] <= '3') {
            out.banks[static_cast<size_t>(b.part_name[4] - '0')] = b.bytes;
        }
    }
    if (!have_screen) {
        set_failure(kReasonRenderNoSlot, path, kScreenSlots[screen]);
        return false;
    }
    if (!have_colours) {
        set_failure(kReasonRenderNoSlot, path, col.c_str() + 1);
        return false;
    }
    return true;
}

bool load_screen_file(const char* path, ScreenSources& out) {
    ConvertJob job = make_convert_job(path, false);
    if (job.kind == KIND_NO_OUTPUT_DIR) {
        set_failure(kReasonPathTooLong, path);
        return false;
    }
    ResourceBuffer scr = build_scr_body(job);
    if (scr.empty()) return false;
    cells_from_scr_body(scr.body(), out.cells);
    return true;
}

// `second`, when given, takes a second screen instead of refusing it.
bool load_sources(const std::vector<std::string>& files, int screen, ScreenSources& out,
                  ScreenCells* second, bool* have_second) {
    bool have_screen = false, have_colours = false;
    size_t banks = 0;
    for (const std::string& file : files) {
        const char* path = file.c_str();
        if (!is_ptc_file(path)) {
            if (have_screen && second != nullptr && !*have_second) {
                ScreenSources other;
                if (!load_screen_file(path, other)) return false;
                std::memcpy(second, other.cells, sizeof(ScreenCells));
                *have_second = true;
                continue;
            }
            if (have_screen) {
                set_failure(kReasonRenderTwice, path, kScrKind.tag());
                return false;
            }
            if (!load_screen_file(path, out)) return false;
            have_screen = true;
            continue;
        }
        std::vector<Body> bodies;
        bool package = false;
        if (!read_ptc_bodies(path, bodies, &package)) return false;
        if (package) {
            if (files.size() != 1) {
                set_failure(kReasonRenderPackageAlone, path);
                return false;
            }
            return load_package(path, bodies, screen < 0 ? 0 : screen, out);
        }
        if (bodies.size() != 1) {
            set_failure(kReasonRenderUnusable, path);
            return false;
        }
        const Body& b = bodies.front();
        if (b.kind == &kScrKind && have_screen && second != nullptr && !*have_second) {
            cells_from_scr_body(b.bytes.data(), *second);
            *have_second = true;
        } else if (b.kind == &kScrKind) {
            if (have_screen) {
                set_failure(kReasonRenderTwice, path, kScrKind.tag());
                return false;
            }
            cells_from_scr_body(b.bytes.data(), out.cells);
            have_screen = true;
        } else if (b.kind == &kColKind) {
            if (have_colours) {
                set_failure(kReasonRenderTwice, path, kColKind.tag());
                return false;
            }
            take_colours(b.bytes, out);
            have_colours = true;
        } else {
            if (banks == out.banks.size()) {
                set_failure(kReasonRenderTooManyBanks, path);
                return false;
            }
            out.banks[banks++] = b.bytes;
        }
    }
    if (!have_screen || !have_colours || banks == 0) {
        set_failure(kReasonRenderInputs);
        return false;
    }
    if (screen >= 0) {
        set_failure(kReasonRenderScreenNeedsPackage);
        return false;
    }
    return true;
}

}  // namespace

bool load_screen_sources(const std::vector<std::string>& files, int screen, ScreenSources& out) {
    return load_sources(files, screen, out, nullptr, nullptr);
}

bool load_screen_layers(const std::vector<std::string>& files, bool lower,
                        std::vector<ScreenSources>& out) {
    out.clear();
    out.resize(1);
    const int first = lower ? 2 : 0;
    if (files.size() == 1 && is_ptc_file(files[0].c_str())) {
        out.resize(2);
        return load_sources(files, first, out[0], nullptr, nullptr) &&
               load_sources(files, first + 1, out[1], nullptr, nullptr);
    }
    auto second = std::make_unique<ScreenSources>();
    bool have_second = false;
    if (!load_sources(files, -1, out[0], &second->cells, &have_second)) return false;
    if (have_second) {
        out.push_back(out[0]);
        std::memcpy(out[1].cells, second->cells, sizeof(ScreenCells));
    }
    return true;
}

}  // namespace tw
