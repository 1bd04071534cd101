#pragma once
// The symbols of a QR set's codes, each encoded once for every output.

#include <cstdint>
#include <vector>

#include "platform/qr_symbol.h"

namespace tw {

// One version 20, level M symbol a code. A code that fills its symbol is all
// digests and zlib output, as good as random bytes: the eight masks score
// within a few per cent of each other by the penalty rules, so it takes mask 0
// (the best of them on average) at an eighth of the work of trying all. A
// shorter code (the last of a set) ends in the fixed pad bytes, which a mask
// can line up into stripes: the generator picks its mask. False with the
// reason recorded when a code does not fit.
bool encode_qr_symbols(const std::vector<std::vector<uint8_t>>& codes, std::vector<QrSymbol>& out);

}  // namespace tw
