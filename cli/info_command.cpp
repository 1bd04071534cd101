// tilewright info FILE...: what a PTC file holds and whether it is well formed.

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "common/little_endian.h"
#include "cli/commands.h"
#include "common/failure.h"
#include "extract/input_cursor.h"
#include "extract/ptc_walk.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/md5.h"
#include "platform/native_text.h"

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


// The file name extraction gives a record (below the folder PTC_<name>/).
std::string output_name(const std::string& name, const PtcRecord& rec) {
    std::string tag = rec.tag;
    if (tag == "PRG") return name + "_PRG.txt";
    if (tag == "MEM") return name + "_MEM.txt";
    if (tag == "SCR") return name + rec.part_name + "_SCR.rscr, " + name + rec.part_name + "_SCR.txt";
    return name + rec.part_name + ".bmp";
}

// Prints what `path` holds; true when it is well formed.
bool describe(const std::string& path, std::string& out) {
    char line[512];
    out += native_to_utf8(path.c_str()) + "\n";
    File f = File::open_read(path.c_str());
    uint64_t size = 0;
    if (!f.is_open() || !f.size(&size)) {
        out += "  ファイルを開けません\n";
        return false;
    }
    InputCursor in(f);
    uint8_t head[48] = {};
    const bool whole_header = size >= 48 && in.read(head, sizeof head);
    if (!whole_header) {
        std::snprintf(line, sizeof line, "  短すぎます: %llu バイト（ヘッダは48バイト）\n",
                      static_cast<unsigned long long>(size));
        out += line;
        return false;
    }
    bool ok = true;
    const bool magic = std::memcmp(head, "PX01", 4) == 0;
    ok = ok && magic;
    out += "  マジック: " + printable(head, 4) + (magic ? "\n" : "（PX01ではありません）\n");
    const uint32_t length = get_le32(head + 4);
    const bool length_ok = uint64_t{length} + 36 == size;
    ok = ok && length_ok;
    std::snprintf(line, sizeof line, "  長さ: %u（%s）\n", length,
                  length_ok ? "ファイルサイズと一致" : "ファイルサイズと一致しません");
    out += line;
    std::snprintf(line, sizeof line, "  種類コード: %u\n", get_le32(head + 8));
    out += line;
    const std::string name = ptc_resource_name(in);
    out += "  リソース名: " + printable(reinterpret_cast<const uint8_t*>(name.data()), name.size()) + "\n";
    out += "  タイプ: " + printable(head + 36, 12) + "\n";

    // The digest covers "PETITCOM" and everything from offset 36 on.
    std::vector<uint8_t> hashed(8 + static_cast<size_t>(size - 36));
    std::memcpy(hashed.data(), "PETITCOM", 8);
    in.seek(36);
    uint8_t digest[16];
    const bool digest_ok = in.read(hashed.data() + 8, hashed.size() - 8) &&
                           md5_digest(hashed.data(), hashed.size(), digest) &&
                           std::memcmp(digest, head + 20, 16) == 0;
    ok = ok && digest_ok;
    out += std::string("  MD5: ") + (digest_ok ? "一致" : "一致しません") + "\n";

    PtcWalk walk(in, size);
    PtcRecord rec;
    bool first = true;
    for (;;) {
        PtcWalk::Step step = walk.next(rec);
        if (step == PtcWalk::STEP_END) break;
        if (step == PtcWalk::STEP_BAD) {
            out += std::string("  レコードが読めません: ") + walk.bad_reason() + "\n";
            ok = false;
            break;
        }
        if (first && std::strcmp(rec.tag, "PRG") == 0 && (rec.package_mask_1 | rec.package_mask_2)) {
            std::snprintf(line, sizeof line, "  パッケージ: package_mask_1=0x%08X package_mask_2=0x%08X\n",
                          rec.package_mask_1, rec.package_mask_2);
            out += line;
        }
        if (first) out += "  レコード:\n";
        first = false;
        std::snprintf(line, sizeof line, "    %8llu  %s  %6llu バイト  → ",
                      static_cast<unsigned long long>(rec.r_offset - 8), rec.tag,
                      static_cast<unsigned long long>(rec.body_length));
        out += line + output_name(name, rec) + "\n";
        if (rec.body_start + rec.body_length > size) {
            out += "  レコードが途中で切れています\n";
            ok = false;
            break;
        }
    }
    out += std::string("  判定: ") + (ok ? "正常" : "異常") + "\n";
    return ok;
}

}  // namespace

int run_info(int argc, char** argv) {
    std::vector<std::string> files;
    for (int i = 2; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            console_write(CONSOLE_OUT,
                          "使い方: tilewright info ファイル...\n"
                          "  PTCファイルのヘッダ、長さとMD5の検査、パッケージのフラグとレコード\n"
                          "  （展開したときのファイル名つき）を表示します。\n"
                          "終了コード: 0 すべて正常、1 異常なファイルあり、2 指定の誤り\n");
            return 0;
        }
        if (arg == "--") {
            files.insert(files.end(), argv + i + 1, argv + argc);
            break;
        }
        if (arg.size() > 1 && arg[0] == '-') return usage_error("tilewright info", "不明なオプションです: " + arg);
        files.push_back(arg);
    }
    if (files.empty()) return usage_error("tilewright info", "ファイルを指定してください");
    bool all_ok = true;
    for (const auto& f : files) {
        std::string out;
        all_ok = guard_memory([&] { return describe(f, out); }) && all_ok;
        console_write(CONSOLE_OUT, out);
    }
    return all_ok ? 0 : 1;
}

}  // namespace tw::cli
