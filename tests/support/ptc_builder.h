#pragma once
// PTC files built by hand for the extraction tests: a header with a name and a
// correct digest, then records of an 8-byte prefix, "R", a tag and a body.

#include <cstdint>
#include <string>
#include <vector>

namespace tw::test {

struct RecordSpec {
    std::string tag;            // "CHR", "PRG", ...
    std::vector<uint8_t> body;  // for PRG: the 12-byte header, the text and its padding
    std::string junk;           // bytes between the 8-byte prefix and the "R"
};

// A PRG body: masks, text_length, text, zero padding to 4 bytes (of the body).
std::vector<uint8_t> prg_body(uint32_t mask1, uint32_t mask2, const std::string& text,
                              bool pad = true);

// The whole file. name: the 8-byte field (shorter names are padded with NUL).
std::vector<uint8_t> make_ptc(const std::string& name, uint32_t type_code,
                              const std::vector<RecordSpec>& records);

}  // namespace tw::test
