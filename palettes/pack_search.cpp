#include "palettes/pack_search.h"

#include <algorithm>
#include <bit>
#include <cstddef>

#include "palettes/pack_ejection.h"
#include "palettes/pack_groups.h"
#include "palettes/pack_heuristics.h"

namespace tw::pack {

namespace {

// Beyond this many items the n x n conflict table costs more than the bound is
// worth; the colour bound stands alone.
constexpr uint32_t kMaxCliqueItems = 8192;
// Greedy cliques are grown from this many seeds (the items of most conflicts).
constexpr uint32_t kCliqueSeeds = 32;

bool conflict(const PackProblem& p, uint32_t a, uint32_t b) {
    const uint32_t sa = p.items[a], sb = p.items[b];
    return p.sizes[sa] + p.count_new(sb, p.mask(sa)) > kBankColours;
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

// Depth-first search. At each node the item that the fewest open banks can
// still take goes next (ties to the earlier in `rank`: the clique, then
// largest first); it takes one of those banks (those adding fewest colours
// first) or opens the next bank. Opening only the next bank, never any other,
// keeps one packing from being searched again under other bank numbers. An
// item whose colours an open bank already has goes there and nowhere else: any
// packing placing it elsewhere does as well with it moved there. Which open
// banks can take each item is kept up to date as banks fill, so a dead end
// (an item no bank can take) shows as soon as it arises.
class Search {
  public:
    Search(const PackProblem& p, const std::vector<uint32_t>& rank, uint32_t limit)
        : p_(p),
          w_(p.words),
          n_(static_cast<uint32_t>(rank.size())),
          rank_(rank),
          banks_(size_t{limit} * w_, 0),
          volume_(limit, 0),
          cover_(p.colours.size(), 0),
          covered_(w_, 0),
          need_(p.colours.size(), 0),
          needed_(w_, 0),
          fit_(n_, 0),
          choices_(n_, 0),
          pos_(n_),
          item_at_(n_, 0),
          bank_at_(n_, 0),
          opened_(n_, 0),
          added_(size_t{n_} * w_, 0),
          trail_mark_(n_, 0),
          candidates_(size_t{n_} * (limit + 1)),
          candidate_count_(n_, 0),
          next_(n_, 0),
          keys_(limit + 1, 0) {
        for (uint32_t i = 0; i < n_; ++i) {
            loose_.push_back(i);
            pos_[i] = i;
            for_each_bit(mask(i), [&](size_t c) {
                if (need_[c]++ == 0) needed_[c / 64] |= uint64_t{1} << (c % 64);
            });
        }
    }

    // Tries to beat `bound` banks; returns true when the search space was
    // exhausted (or `target` reached) within `effort` steps in all. A search
    // that ran out of steps takes up where it stopped when run again, with
    // `bound` lowered if a better packing was found meanwhile.
    bool run(uint32_t& bound, uint32_t target, uint64_t effort, std::vector<uint32_t>& best) {
        if (!started_ || bound < bound_) bound_ = bound;
        if (bound_ <= target) return true;
        if (!started_) {
            started_ = true;
            generate(0);
        }
        for (;;) {
            if (depth_ == n_) {
                bound_ = open_;
                best.assign(n_, 0);
                for (uint32_t k = 0; k < n_; ++k) best[item_at_[k]] = bank_at_[k];
                bound = bound_;
                if (bound_ <= target) return true;
                unplace(--depth_);
                continue;
            }
            if (next_[depth_] == candidate_count_[depth_] || open_ >= bound_) {
                if (depth_ == 0) return true;
                unplace(--depth_);
                continue;
            }
            if (steps_ >= effort) return false;
            const uint32_t b = candidates_[depth_ * (volume_.size() + 1) + next_[depth_]++];
            if (b == open_ && open_ + 1 >= bound_) continue;
            place(depth_, b);
            if (++depth_ < n_) generate(depth_);
        }
    }

    uint64_t steps() const { return steps_; }

  private:
    const uint64_t* mask(uint32_t item) const { return p_.mask(p_.items[item]); }
    uint64_t* bank(uint32_t b) { return banks_.data() + (size_t{b} * w_); }
    template <typename F>
    void for_each_bit(const uint64_t* m, F f) const {
        for (uint32_t w = 0; w < w_; ++w)
            for (uint64_t bits = m[w]; bits; bits &= bits - 1)
                f(w * size_t{64} + static_cast<size_t>(std::countr_zero(bits)));
    }
    bool fits(uint32_t item, uint32_t b) {
        return volume_[b] + p_.count_new(p_.items[item], bank(b)) <= kBankColours;
    }

    // Picks the item for `depth` and lists its banks; none when the node is a
    // dead end.
    void generate(uint32_t depth) {
        candidate_count_[depth] = next_[depth] = 0;
        const bool can_open = open_ + 1 < bound_;
        uint32_t item = kNoBank, best = UINT32_MAX;
        uint64_t live = 0;
        for (uint32_t i : loose_) {
            const uint32_t choices = choices_[i];
            if (choices == 0 && !can_open) return;
            if (choices < best || (choices == best && rank_[i] < rank_[item]))
                item = i, best = choices;
            live |= fit_[i];
        }
        // Colours the loose items need that no open bank has must find free
        // entries within fewer banks than the bound; an open bank that no
        // loose item fits any more counts as full.
        uint32_t used = 0;
        for (uint32_t b = 0; b < open_; ++b)
            used += (live >> b & 1) != 0 ? volume_[b] : kBankColours;
        if (used + mask_count_new(needed_.data(), covered_.data(), w_) >
            (bound_ - 1) * kBankColours)
            return;
        item_at_[depth] = item;
        uint32_t* out = candidates_.data() + (depth * (volume_.size() + 1));
        uint32_t count = 0;
        for (uint64_t bits = fit_[item]; bits; bits &= bits - 1) {
            const auto b = static_cast<uint32_t>(std::countr_zero(bits));
            const uint32_t add = p_.count_new(p_.items[item], bank(b));
            if (add == 0) {
                out[0] = b;
                candidate_count_[depth] = 1;
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
        if (can_open) out[count++] = open_;
        candidate_count_[depth] = count;
    }

    void place(uint32_t depth, uint32_t b) {
        ++steps_;
        const uint32_t item = item_at_[depth];
        // Out of the loose items (swapped with the last, undone in reverse).
        const uint32_t at = pos_[item], last = loose_.back();
        loose_[at] = last, pos_[last] = at;
        loose_.pop_back();
        for_each_bit(mask(item), [&](size_t c) {
            if (--need_[c] == 0) needed_[c / 64] &= ~(uint64_t{1} << (c % 64));
        });
        uint64_t* bk = bank(b);
        uint64_t* add = added_.data() + (depth * w_);
        const uint64_t* m = mask(item);
        for (uint32_t w = 0; w < w_; ++w) {
            add[w] = m[w] & ~bk[w];
            bk[w] |= add[w];
        }
        volume_[b] += mask_count(add, w_);
        for_each_bit(add, [&](size_t c) {
            if (cover_[c]++ == 0) covered_[c / 64] |= uint64_t{1} << (c % 64);
        });
        opened_[depth] = b == open_;
        if (opened_[depth]) ++open_;
        bank_at_[depth] = b;
        // Which loose items the bank can still take: a bank only fills, so
        // only those it could take before are checked, or all when it is new.
        trail_mark_[depth] = static_cast<uint32_t>(trail_.size());
        const uint64_t bit = uint64_t{1} << b;
        for (uint32_t i : loose_) {
            const bool had = fit_[i] & bit;
            if (!had && !opened_[depth]) continue;
            if (fits(i, b) == had) continue;
            trail_.push_back({i, fit_[i]});
            fit_[i] ^= bit;
            choices_[i] = static_cast<uint8_t>(had ? choices_[i] - 1 : choices_[i] + 1);
        }
    }

    void unplace(uint32_t depth) {
        const uint32_t item = item_at_[depth], b = bank_at_[depth];
        while (trail_.size() > trail_mark_[depth]) {
            fit_[trail_.back().item] = trail_.back().fit;
            choices_[trail_.back().item] = static_cast<uint8_t>(std::popcount(trail_.back().fit));
            trail_.pop_back();
        }
        if (opened_[depth]) --open_;
        uint64_t* bk = bank(b);
        const uint64_t* add = added_.data() + (depth * w_);
        for (uint32_t w = 0; w < w_; ++w) bk[w] &= ~add[w];
        volume_[b] -= mask_count(add, w_);
        for_each_bit(add, [&](size_t c) {
            if (--cover_[c] == 0) covered_[c / 64] &= ~(uint64_t{1} << (c % 64));
        });
        for_each_bit(mask(item), [&](size_t c) {
            if (need_[c]++ == 0) needed_[c / 64] |= uint64_t{1} << (c % 64);
        });
        // Back into the loose items where it was, undoing the swap.
        const uint32_t at = pos_[item];
        if (at == loose_.size()) {
            loose_.push_back(item);
        } else {
            const uint32_t moved = loose_[at];
            pos_[moved] = static_cast<uint32_t>(loose_.size());
            loose_.push_back(moved);
            loose_[at] = item;
        }
    }

    struct Trail {
        uint32_t item;
        uint64_t fit;
    };

    const PackProblem& p_;
    const uint32_t w_, n_;
    const std::vector<uint32_t>& rank_;  // tie order of the items
    std::vector<uint64_t> banks_;        // masks of the banks
    std::vector<uint32_t> volume_;       // colours in each bank
    std::vector<uint32_t> cover_;        // open banks holding each colour
    std::vector<uint64_t> covered_;      // colours some open bank holds
    std::vector<uint32_t> need_;         // loose items using each colour
    std::vector<uint64_t> needed_;       // colours some loose item uses
    std::vector<uint64_t> fit_;          // open banks that can take each item
    std::vector<uint8_t> choices_;       // how many
    std::vector<uint32_t> loose_;        // items not placed
    std::vector<uint32_t> pos_;          // where each item is (or was) in loose_
    std::vector<uint32_t> item_at_;      // item placed at each depth
    std::vector<uint32_t> bank_at_;      // and its bank
    std::vector<uint8_t> opened_;        // it opened its bank
    std::vector<uint64_t> added_;        // colours it added to its bank
    std::vector<Trail> trail_;           // fit_ values to restore
    std::vector<uint32_t> trail_mark_;   // trail_ size before each depth
    std::vector<uint32_t> candidates_;   // banks to try at each depth
    std::vector<uint32_t> candidate_count_, next_;
    std::vector<uint32_t> keys_;  // colours each candidate adds, while sorting
    uint32_t open_ = 0, bound_ = 0, depth_ = 0;
    bool started_ = false;
    uint64_t steps_ = 0;
};

}  // namespace

SearchResult search_packing(const PackProblem& p, const std::vector<uint32_t>& start,
                            uint64_t effort, bool improve) {
    SearchResult r;
    r.bank_of_item = start;
    r.bank_count = 0;
    for (uint32_t b : start) r.bank_count = std::max(r.bank_count, b + 1);
    if (r.bank_count > kMaxSearchBanks) {
        r.lower_bound = static_cast<uint32_t>((p.colours.size() + kBankColours - 1) / kBankColours);
        r.proven = r.bank_count <= r.lower_bound;
        return r;
    }
    std::vector<uint32_t> clique;
    r.lower_bound = packing_lower_bound(p, clique);
    r.clique_bound = clique.size() > (p.colours.size() + kBankColours - 1) / kBankColours;
    // Ties go to the clique first: its items need a bank each, so no choice
    // is made there. Then the rest, largest first.
    const auto n = static_cast<uint32_t>(p.items.size());
    std::vector<uint32_t> rank(n, kNoBank);
    uint32_t next = 0;
    for (uint32_t i : clique) rank[i] = next++;
    for (uint32_t i = 0; i < n; ++i)
        if (rank[i] == kNoBank) rank[i] = next++;
    Search search(p, rank, r.bank_count);
    const uint64_t first = improve ? std::min(effort, kFirstSearchSteps) : effort;
    r.proven = search.run(r.bank_count, r.lower_bound, first, r.bank_of_item);
    uint64_t used = 0;  // steps of the other searches
    if (improve && !r.proven && effort > first) {
        const auto take = [&](std::vector<uint32_t> packing) {
            const uint32_t count = compact_banks(packing);
            if (count < r.bank_count) r.bank_count = count, r.bank_of_item.swap(packing);
        };
        const uint64_t spare = (effort - first) / 2;
        take(pack_groups(p, colour_components(p), spare / 8, used));
        if (r.bank_count > r.lower_bound) {
            const std::vector<uint32_t> groups = merged_groups(p, spare / 8, used);
            take(pack_groups(p, groups, spare / 8, used));
        }
        if (r.bank_count > r.lower_bound) take(random_first_fit(p, spare / 8, used));
        if (r.bank_count > r.lower_bound)
            take(
                empty_banks(p, r.bank_of_item, r.lower_bound, spare - std::min(spare, used), used));
        r.proven = search.run(r.bank_count, r.lower_bound, effort - std::min(effort, used),
                              r.bank_of_item);
    }
    r.steps = search.steps() + used;
    return r;
}

}  // namespace tw::pack
