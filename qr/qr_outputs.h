#pragma once
// The files of a QR set: a PNG a code, a sheet of them all and a page.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// The name of code k's picture: "_qr01.png", three digits from 100 codes on.
std::string qr_code_file_suffix(size_t k, size_t count);

// Writes PREFIX_qr01.png..., PREFIX_qr.png and PREFIX_qr.html for the codes
// (PREFIX: the folder and the stem), `scale` pixels a module, each symbol
// encoded once for all three. Everything is made before the first file is
// written, so a code that cannot be encoded writes nothing. False with the
// reason recorded.
bool write_qr_files(const std::string& prefix, std::string_view name, std::string_view type,
                    const std::vector<std::vector<uint8_t>>& codes, uint32_t scale);

}  // namespace tw
