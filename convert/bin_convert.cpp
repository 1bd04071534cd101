#include "convert/bin_convert.h"

#include <cstring>
#include <new>

#include "common/failure.h"
#include "image/chr_convert.h"
#include "image/data_text.h"
#include "image/image_outputs.h"
#include "platform/files.h"
#include "platform/interaction.h"
#include "resources/texts.h"

namespace tw {
namespace {

// Each part is one graphic page, a byte a pixel.
inline constexpr uint32_t kBinPartBytes = kGrpKind.body_length;

}  // namespace

uint32_t bin_part_count(uint64_t length) {
    return static_cast<uint32_t>((length + kBinPartBytes - 1) / kBinPartBytes);
}

bool convert_bin(ConvertJob job) {
    File in = File::open_read(job.path);
    if (!in.is_open()) {
        set_failure(kReasonOpenInput, job.path);
        return false;
    }
    uint64_t length = 0;
    if (!in.size(&length)) {
        set_failure(kReasonReadInput, job.path);
        return false;
    }
    if (length == 0) {
        set_failure(kReasonEmptyInput);
        return false;
    }
    if (length >= kBinMaxBytes) {
        set_failure(kReasonTooLarge);
        return false;
    }

    // One part of the input at a time, as a 256 x 192 image.
    BmpImage page{};
    page.pixels.reset(new uint8_t[kBinPartBytes]);
    page.width = 256;
    page.height = 192;
    page.pixel_count = kBinPartBytes;

    ImageOutputs out(job, "BIN");
    if (!out.open_data_text("%s%s_DATA.txt")) return false;
    const uint32_t parts = bin_part_count(length);
    bool ok = true;
    uint64_t remaining = length;
    for (uint32_t i = 0; i < parts; ++i) {
        uint32_t take =
            remaining < kBinPartBytes ? static_cast<uint32_t>(remaining) : kBinPartBytes;
        if (!in.read_exact(page.pixels.get(), take)) {
            // The file shrank while we read it: what is left cannot be converted.
            set_failure(kReasonReadInput, job.path);
            ok = false;
            break;
        }
        std::memset(page.pixels.get() + take, 0, kBinPartBytes - take);
        remaining -= take;

        uint64_t first = static_cast<uint64_t>(i) * kBinPartBytes;
        if (parts > 1 && out.text())
            out.text()->printf("' &H%llX - &H%llX\r", static_cast<unsigned long long>(first),
                               static_cast<unsigned long long>(first + kBinPartBytes - 1));
        if (!out.name_part(parts, i)) {
            ok = false;
            continue;
        }
        ResourceBuffer body = gather_tiles(kGrpPartPixels, 0, 64, 64, kGrpPageWidth, page);
        ok = write_ptc(out.job(), body, kGrpKind.type_code) && ok;
        write_grp_data(out.text(), body);
        interaction().progress(first + take, length);
    }
    return out.finish() && ok;
}

}  // namespace tw
