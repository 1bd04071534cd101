#pragma once
// A sheet of all the codes of a QR set, for printing or scanning at once.

#include <string_view>
#include <vector>

#include "platform/qr_symbol.h"
#include "qr/bilevel.h"

namespace tw {

// The codes in rows of up to 4, each with its quiet zone (so 8 modules lie
// between two codes) and numbered "k/N" beneath; `title` above them all.
// `scale` pixels a module; the labels' font pixels are 2 modules (3 for the
// title). Every symbol has the size of the first.
Bilevel draw_qr_sheet(const std::vector<QrSymbol>& symbols, std::string_view title, uint32_t scale);

}  // namespace tw
