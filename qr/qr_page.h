#pragma once
// A web page of a QR set for scanning from the monitor: one code at a time,
// as large as the window allows.

#include <string>
#include <string_view>
#include <vector>

#include "platform/qr_symbol.h"

namespace tw {

// The page, self-contained: the codes inline as PNG at one pixel a module,
// labels in the browser's monospace font, and a script that draws the code
// shown at a whole number of device pixels a module. Arrow keys, space and
// clicks go to the next or the previous code; "#k" opens code k. Printed, it
// gives every code whole. `name` is escaped here. False when a PNG could not
// be made.
bool make_qr_page(const std::vector<QrSymbol>& symbols, std::string_view name,
                  std::string_view type, std::string& html);

// `text` with &, <, >, " and ' as character references.
std::string html_escape(std::string_view text);

}  // namespace tw
