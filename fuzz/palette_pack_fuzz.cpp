// Palette packing of arbitrary sets: every placed set must lie in its bank,
// banks stay within 15 colours and 16 banks, and sets are left over only when
// the banks run out.

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "palettes/palette_pack.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Each set: a length byte (0 to 17, so a few are too large), then that many
    // colours of one byte each, drawn from a small range so sets overlap; the
    // first byte picks the bank limit.
    if (size < 1) return 0;
    const uint32_t max_banks = data[0] % (tw::kMaxBanks + 1);
    std::vector<tw::ColourSet> sets;
    for (size_t at = 1; at < size;) {
        const size_t length = data[at++] % 18;
        tw::ColourSet s;
        for (size_t k = 0; k < length && at < size; ++k) s.push_back(data[at++] % 96);
        sets.push_back(s);
    }
    const tw::PaletteArrangement r = tw::pack_palettes(sets, 2000, max_banks);
    if (r.bank_of_set.size() != sets.size() || r.banks.size() > max_banks) abort();
    for (const tw::ColourSet& bank : r.banks)
        if (bank.size() > tw::kBankColours) abort();
    for (size_t i = 0; i < sets.size(); ++i) {
        const uint32_t b = r.bank_of_set[i];
        if (b == tw::kNoBank) continue;
        if (b >= r.banks.size()) abort();
        for (uint16_t c : sets[i])
            if (!std::binary_search(r.banks[b].begin(), r.banks[b].end(), c)) abort();
    }
    if (r.fits != (r.left_over.empty()) || (r.fits && r.best_count > max_banks)) abort();
    return 0;
}
