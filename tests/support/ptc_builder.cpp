#include "support/ptc_builder.h"

#include <cstring>

#include "platform/md5.h"

namespace tw::test {
namespace {
void put32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
}  // namespace

std::vector<uint8_t> prg_body(uint32_t mask1, uint32_t mask2, const std::string& text, bool pad) {
    std::vector<uint8_t> b;
    put32(b, mask1);
    put32(b, mask2);
    put32(b, static_cast<uint32_t>(text.size()));
    b.insert(b.end(), text.begin(), text.end());
    // Records start at offsets 36 + 12 = 48, so the body ends on a multiple of 4 when its length
    // does.
    while (pad && b.size() % 4 != 0) b.push_back(0);
    return b;
}

std::vector<uint8_t> make_ptc(const std::string& name, uint32_t type_code,
                              const std::vector<RecordSpec>& records) {
    std::vector<uint8_t> rest;
    for (const auto& r : records) {
        const char* prefix = r.tag == "PRG" ? "PETC0300" : r.tag == "MEM" ? "PETC0200" : "PETC0100";
        rest.insert(rest.end(), prefix, prefix + 8);
        rest.insert(rest.end(), r.junk.begin(), r.junk.end());
        rest.push_back('R');
        rest.insert(rest.end(), r.tag.begin(), r.tag.end());
        rest.insert(rest.end(), r.body.begin(), r.body.end());
    }
    std::vector<uint8_t> file{'P', 'X', '0', '1'};
    put32(file, static_cast<uint32_t>(rest.size()));
    put32(file, type_code);
    for (size_t i = 0; i < 8; ++i)
        file.push_back(i < name.size() ? static_cast<uint8_t>(name[i]) : 0);
    std::vector<uint8_t> hashed{'P', 'E', 'T', 'I', 'T', 'C', 'O', 'M'};
    hashed.insert(hashed.end(), rest.begin(), rest.end());
    uint8_t d[16];
    md5_digest(hashed.data(), hashed.size(), d);
    file.insert(file.end(), d, d + 16);
    file.insert(file.end(), rest.begin(), rest.end());
    return file;
}

}  // namespace tw::test
