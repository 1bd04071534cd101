#include "support/pack_instances.h"

#include <algorithm>
#include <random>

namespace tw::test {

namespace {

uint32_t draw(std::mt19937& rng, uint32_t low, uint32_t high) {
    return low + static_cast<uint32_t>(rng() % (high - low + 1));
}

// Colour n as a target colour: an odd multiplier keeps them distinct.
uint16_t colour(uint32_t n) {
    return static_cast<uint16_t>((n * 2477u + 9u) & 0x7FFFu);
}

}  // namespace

std::vector<ColourSet> hidden_bank_cells(uint32_t k, uint32_t seed, bool shared) {
    std::mt19937 rng(seed);
    const uint32_t own = shared ? 14 : 15;
    std::vector<ColourSet> banks(k);
    for (uint32_t b = 0; b < k; ++b) {
        for (uint32_t c = 0; c < own; ++c) banks[b].push_back(colour(b * own + c));
        if (shared) banks[b].push_back(colour(k * own));
    }
    std::vector<ColourSet> cells;
    for (ColourSet bank : banks) {
        std::shuffle(bank.begin(), bank.end(), rng);
        // Pieces of 5 to 9 colours: the last takes what is left, so a piece
        // leaves none or at least 5.
        for (uint32_t at = 0; at < bank.size();) {
            const auto left = static_cast<uint32_t>(bank.size()) - at;
            uint32_t size = left;
            if (left > 9) size = draw(rng, 5, std::min(9u, left - 5));
            cells.emplace_back(bank.begin() + at, bank.begin() + at + size);
            at += size;
        }
    }
    const uint32_t total = std::max(draw(rng, 60, 140), static_cast<uint32_t>(cells.size()));
    while (cells.size() < total) {
        ColourSet bank = banks[rng() % k];
        std::shuffle(bank.begin(), bank.end(), rng);
        cells.emplace_back(bank.begin(), bank.begin() + draw(rng, 2, 6));
    }
    for (ColourSet& cell : cells) std::sort(cell.begin(), cell.end());
    std::shuffle(cells.begin(), cells.end(), rng);
    return cells;
}

}  // namespace tw::test
