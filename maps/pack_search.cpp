#include "maps/pack_search.h"

#include <algorithm>
#include <bit>
#include <cstddef>

namespace tw::pack {

namespace {

// Beyond this many items the n x n conflict table costs more than the bound is
// worth; the colour bound stands alone.
constexpr uint32_t kMaxCliqueItems = 8192;
// Greedy cliques are grown from this many seeds (the items of most conflicts).
constexpr uint32_t kCliqueSeeds = 32;

bool conflict(const PackProblem& p, uint32_t a, uint32_t b) {
    const uint32_t sa = p.items[a], sb = p.items[b];
    return p.sizes[sa] + mask_count_new(p.mask(sb), p.mask(sa), p.words) > kBankColours;
}

}  // namespace

uint32_t packing_lower_bound(const PackProblem& p, std::vector<uint32_t>& clique) {
    const auto n = static_cast<uint32_t>(p.items.size());
    clique.clear();
    if (n == 0) return 0;
    const auto colour_bound =
        static_cast<uint32_t>((p.colours.size() + kBankColours - 1) / kBankColours);
    if (n > kMaxCliqueItems) return std::max(colour_bound, 1u);

    const size_t row_words = (n + 63) / 64;
    std::vector<uint64_t> table(size_t{n} * row_words, 0);
    std::vector<uint32_t> degree(n, 0);
    for (uint32_t a = 0; a < n; ++a)
        for (uint32_t b = a + 1; b < n; ++b)
            if (conflict(p, a, b)) {
                table[a * row_words + b / 64] |= uint64_t{1} << (b % 64);
                table[b * row_words + a / 64] |= uint64_t{1} << (a % 64);
                ++degree[a], ++degree[b];
            }
    std::vector<uint32_t> by_degree(n);
    for (uint32_t i = 0; i < n; ++i) by_degree[i] = i;
    std::stable_sort(by_degree.begin(), by_degree.end(),
                     [&](uint32_t a, uint32_t b) { return degree[a] > degree[b]; });
    // Grown greedily: every item in degree order that conflicts with all taken so far.
    std::vector<uint64_t> common(row_words);
    for (uint32_t s = 0; s < std::min(n, kCliqueSeeds); ++s) {
        const uint32_t seed = by_degree[s];
        std::vector<uint32_t> grown{seed};
        std::copy_n(table.begin() + static_cast<ptrdiff_t>(seed * row_words), row_words,
                    common.begin());
        for (uint32_t v : by_degree) {
            if (!(common[v / 64] >> (v % 64) & 1)) continue;
            grown.push_back(v);
            for (size_t w = 0; w < row_words; ++w) common[w] &= table[v * row_words + w];
        }
        if (grown.size() > clique.size()) clique = grown;
    }
    std::sort(clique.begin(), clique.end());
    return std::max({colour_bound, static_cast<uint32_t>(clique.size()), 1u});
}

namespace {

// Depth-first search over the items in a fixed order: each takes an open bank
// that can hold it (those adding fewest colours first) or opens the next bank.
// Opening only the next bank, never any other, keeps one packing from being
// searched again under other bank numbers. An item whose colours an open bank
// already has goes there and nowhere else: any packing placing it elsewhere
// does as well with it moved there.
class Search {
  public:
    Search(const PackProblem& p, std::vector<uint32_t> order, uint32_t limit)
        : p_(p),
          w_(p.words),
          n_(static_cast<uint32_t>(order.size())),
          order_(std::move(order)),
          banks_(size_t{limit} * w_, 0),
          volume_(limit, 0),
          cover_(p.colours.size(), 0),
          covered_(w_, 0),
          suffix_((size_t{n_} + 1) * w_, 0),
          added_(size_t{n_} * w_, 0),
          bank_at_(n_, 0),
          candidates_(size_t{n_} * (limit + 1)),
          candidate_count_(n_, 0),
          next_(n_, 0),
          keys_(limit + 1, 0),
          opened_(n_, 0) {
        for (uint32_t pos = n_; pos-- > 0;) {
            std::copy_n(suffix_.begin() + static_cast<ptrdiff_t>((pos + 1) * w_), w_,
                        suffix_.begin() + static_cast<ptrdiff_t>(pos * w_));
            mask_or(&suffix_[pos * w_], item_mask(pos), w_);
        }
    }

    // Tries to beat `bound` banks; returns true when the search space was
    // exhausted (or `target` reached) within `effort` steps.
    bool run(uint32_t& bound, uint32_t target, uint64_t effort, std::vector<uint32_t>& best) {
        bound_ = bound;
        if (bound_ <= target) return true;
        uint32_t pos = 0;
        generate(0);
        for (;;) {
            if (pos == n_) {
                bound_ = open_;
                best.assign(n_, 0);
                for (uint32_t k = 0; k < n_; ++k) best[order_[k]] = bank_at_[k];
                bound = bound_;
                if (bound_ <= target) return true;
                unplace(--pos);
                continue;
            }
            if (next_[pos] == candidate_count_[pos] || open_ >= bound_) {
                if (pos == 0) return true;
                unplace(--pos);
                continue;
            }
            if (steps_ >= effort) return false;
            const uint32_t b = candidates_[pos * (volume_.size() + 1) + next_[pos]++];
            if (b == open_ && open_ + 1 >= bound_) continue;
            place(pos, b);
            if (++pos < n_) generate(pos);
        }
    }

    uint64_t steps() const { return steps_; }

  private:
    const uint64_t* item_mask(uint32_t pos) const { return p_.mask(p_.items[order_[pos]]); }
    uint64_t* bank(uint32_t b) { return &banks_[size_t{b} * w_]; }

    void generate(uint32_t pos) {
        candidate_count_[pos] = next_[pos] = 0;
        // Colours the remaining items need that no open bank has must find
        // free entries within fewer banks than the bound.
        uint32_t used = 0;
        for (uint32_t b = 0; b < open_; ++b) used += volume_[b];
        if (used + mask_count_new(&suffix_[pos * w_], covered_.data(), w_) >
            (bound_ - 1) * kBankColours)
            return;
        uint32_t* out = &candidates_[pos * (volume_.size() + 1)];
        uint32_t count = 0;
        for (uint32_t b = 0; b < open_; ++b) {
            const uint32_t add = mask_count_new(item_mask(pos), bank(b), w_);
            if (volume_[b] + add > kBankColours) continue;
            if (add == 0) {
                out[0] = b;
                candidate_count_[pos] = 1;
                return;
            }
            // Insertion by colours added, then bank number.
            uint32_t k = count++;
            for (; k > 0 && keys_[k - 1] > add; --k) {
                out[k] = out[k - 1];
                keys_[k] = keys_[k - 1];
            }
            out[k] = b;
            keys_[k] = add;
        }
        if (open_ < volume_.size()) out[count++] = open_;
        candidate_count_[pos] = count;
    }

    void place(uint32_t pos, uint32_t b) {
        ++steps_;
        uint64_t* bk = bank(b);
        uint64_t* add = &added_[pos * w_];
        const uint64_t* m = item_mask(pos);
        for (uint32_t w = 0; w < w_; ++w) {
            add[w] = m[w] & ~bk[w];
            bk[w] |= add[w];
            for (uint64_t bits = add[w]; bits; bits &= bits - 1) {
                const size_t c = w * 64 + static_cast<size_t>(std::countr_zero(bits));
                if (cover_[c]++ == 0) covered_[w] |= uint64_t{1} << (c % 64);
            }
        }
        volume_[b] += mask_count(add, w_);
        opened_[pos] = b == open_;
        if (opened_[pos]) ++open_;
        bank_at_[pos] = b;
    }

    void unplace(uint32_t pos) {
        const uint32_t b = bank_at_[pos];
        uint64_t* bk = bank(b);
        const uint64_t* add = &added_[pos * w_];
        for (uint32_t w = 0; w < w_; ++w) {
            bk[w] &= ~add[w];
            for (uint64_t bits = add[w]; bits; bits &= bits - 1) {
                const size_t c = w * 64 + static_cast<size_t>(std::countr_zero(bits));
                if (--cover_[c] == 0) covered_[w] &= ~(uint64_t{1} << (c % 64));
            }
        }
        volume_[b] -= mask_count(add, w_);
        if (opened_[pos]) --open_;
    }

    const PackProblem& p_;
    const uint32_t w_, n_;
    const std::vector<uint32_t> order_;  // items in search order
    std::vector<uint64_t> banks_;        // masks of the banks
    std::vector<uint32_t> volume_;       // colours in each bank
    std::vector<uint32_t> cover_;        // open banks holding each colour
    std::vector<uint64_t> covered_;      // colours some open bank holds
    std::vector<uint64_t> suffix_;       // colours of the items from each position on
    std::vector<uint64_t> added_;        // colours each placed item added to its bank
    std::vector<uint32_t> bank_at_;      // bank of the item at each position
    std::vector<uint32_t> candidates_;   // banks to try at each position
    std::vector<uint32_t> candidate_count_, next_;
    std::vector<uint32_t> keys_;   // colours each candidate adds, while sorting
    std::vector<uint8_t> opened_;  // the item at each position opened its bank
    uint32_t open_ = 0, bound_ = 0;
    uint64_t steps_ = 0;
};

}  // namespace

SearchResult search_packing(const PackProblem& p, const std::vector<uint32_t>& start,
                            uint64_t effort) {
    SearchResult r;
    r.bank_of_item = start;
    r.bank_count = 0;
    for (uint32_t b : start) r.bank_count = std::max(r.bank_count, b + 1);
    std::vector<uint32_t> clique;
    r.lower_bound = packing_lower_bound(p, clique);
    // The clique first: its items need a bank each, so no choice is made
    // there. Then the rest, largest first.
    std::vector<uint32_t> order(clique);
    std::vector<bool> in_clique(p.items.size());
    for (uint32_t i : clique) in_clique[i] = true;
    for (uint32_t i = 0; i < p.items.size(); ++i)
        if (!in_clique[i]) order.push_back(i);
    Search search(p, std::move(order), r.bank_count);
    r.proven = search.run(r.bank_count, r.lower_bound, effort, r.bank_of_item);
    r.steps = search.steps();
    return r;
}

}  // namespace tw::pack
