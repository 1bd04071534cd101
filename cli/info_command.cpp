// tilewright info FILE...: what a PTC file holds and whether it is well formed.

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "cli/option_parser.h"
#include "common/failure.h"
#include "common/little_endian.h"
#include "extract/input_cursor.h"
#include "extract/ptc_walk.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/md5.h"
#include "platform/native_text.h"
#include "resources/texts.h"

namespace tw::cli {
namespace {

std::string printable(const uint8_t* p, size_t n) {
    std::string s;
    for (size_t i = 0; i < n; ++i) {
        if (p[i] >= 0x20 && p[i] < 0x7F) {
            s.push_back(static_cast<char>(p[i]));
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", p[i]);
            s += hex;
        }
    }
    return s;
}

// The file names extraction gives a record (below the folder PTC_<name>/).
std::string output_name(const std::string& name, const PtcRecord& rec) {
    std::string names;
    for (const char* ending : rec.kind->extracted) {
        if (ending == nullptr) continue;
        if (!names.empty()) names += ", ";
        names += name + rec.part_name + ending;
    }
    return names;
}

// Prints what `path` holds; true when it is well formed.
bool describe(const std::string& path, std::string& out) {
    out += native_to_utf8(path.c_str()) + "\n";
    File f = File::open_read(path.c_str());
    uint64_t size = 0;
    if (!f.is_open() || !f.size(&size)) {
        out += kInfoCannotOpen.get();
        return false;
    }
    InputCursor in(f);
    uint8_t head[kPtcHeaderLength + kTypeStringLength] = {};
    const bool whole_header = size >= sizeof head && in.read(head, sizeof head);
    if (!whole_header) {
        out += say(kInfoTooShort.get(), static_cast<unsigned long long>(size));
        return false;
    }
    bool ok = true;
    const bool magic = std::memcmp(head, kPtcMagic, kPtcMagicLength) == 0;
    ok = ok && magic;
    out += say(kInfoMagic.get(), printable(head, kPtcMagicLength).c_str(),
               magic ? "" : kInfoNotPx01.get());
    const uint32_t length = get_le32(head + 4);
    const bool length_ok = uint64_t{length} + kPtcHeaderLength == size;
    ok = ok && length_ok;
    out += say(kInfoLength.get(), length,
               length_ok ? kInfoLengthMatches.get() : kInfoLengthDiffers.get());
    out += say(kInfoTypeCode.get(), get_le32(head + 8));
    const std::string name = ptc_resource_name(in);
    out += say(kInfoName.get(),
               printable(reinterpret_cast<const uint8_t*>(name.data()), name.size()).c_str());
    out +=
        say(kInfoTypeString.get(), printable(head + kPtcHeaderLength, kTypeStringLength).c_str());

    // The digest covers the resource magic and everything after the header.
    std::vector<uint8_t> hashed(kResourceMagicLength +
                                static_cast<size_t>(size - kPtcHeaderLength));
    std::memcpy(hashed.data(), kResourceMagic, kResourceMagicLength);
    in.seek(kPtcHeaderLength);
    uint8_t digest[16];
    const bool digest_ok =
        in.read(hashed.data() + kResourceMagicLength, hashed.size() - kResourceMagicLength) &&
        md5_digest(hashed.data(), hashed.size(), digest) &&
        std::memcmp(digest, head + kPtcDigestOffset, sizeof digest) == 0;
    ok = ok && digest_ok;
    out += say(kInfoDigest.get(), digest_ok ? kInfoMatches.get() : kInfoDiffers.get());

    PtcWalk walk(in, size);
    PtcRecord rec;
    bool first = true;
    for (;;) {
        PtcWalk::Step step = walk.next(rec);
        if (step == PtcWalk::STEP_END) break;
        if (step == PtcWalk::STEP_BAD) {
            out += say(kInfoBadRecord.get(), walk.bad_reason().get());
            ok = false;
            break;
        }
        if (first && rec.kind == &kPrgKind && (rec.package_mask_1 | rec.package_mask_2)) {
            out += say(kInfoPackage.get(), rec.package_mask_1, rec.package_mask_2);
        }
        if (first) out += kInfoRecords.get();
        first = false;
        out +=
            say(kInfoRecord.get(), static_cast<unsigned long long>(rec.r_offset - 8), rec.tag,
                static_cast<unsigned long long>(rec.body_length), output_name(name, rec).c_str());
        if (rec.body_start + rec.body_length > size) {
            out += kInfoRecordCut.get();
            ok = false;
            break;
        }
    }
    out += say(kInfoVerdict.get(), ok ? kInfoWellFormed.get() : kInfoMalformed.get());
    return ok;
}

}  // namespace

int run_info(int argc, char** argv) {
    const Command& me = command_named("info");
    ParsedArgs args = parse_args(me, argc, argv);
    for (const GivenOption& option : args.options)
        if (int status = common_option(me, option); status >= 0) return status;
    const std::vector<std::string>& files = args.operands;
    if (files.empty()) return usage_error(program_name(me), kInfoNoFiles.get());
    bool all_ok = true;
    for (const auto& f : files) {
        std::string out;
        all_ok = guard_memory([&] { return describe(f, out); }) && all_ok;
        console_write(CONSOLE_OUT, out);
    }
    return all_ok ? 0 : 1;
}

}  // namespace tw::cli
