#include "palettes/pack_ejection.h"

#include <algorithm>
#include <numeric>

namespace tw::pack {

namespace {

// Iterations a pushed-out set keeps away from the bank it left.
constexpr uint64_t kTabuTenure = 10;

class Ejection {
  public:
    Ejection(const PackProblem& p, uint32_t banks)
        : p_(p),
          n_(static_cast<uint32_t>(p.items.size())),
          c_(static_cast<uint32_t>(p.colours.size())),
          m_(banks),
          users_(size_t{banks} * c_, 0),
          volume_(banks, 0),
          members_(banks),
          bank_of_(n_, kNoBank),
          weight_(n_, 1),
          tabu_(size_t{n_} * banks, 0) {}

    // Puts the items of every bank but `dropped` back where `start` has
    // them (renumbered past `dropped`) and the rest out; then places the
    // loose ones. True when all are placed within `effort` steps.
    bool run(const std::vector<uint32_t>& start, uint32_t dropped, uint64_t effort) {
        for (uint32_t i = 0; i < n_; ++i) {
            if (start[i] == dropped)
                loose_.push_back(i);
            else
                add(i, start[i] - (start[i] > dropped));
        }
        std::reverse(loose_.begin(), loose_.end());  // the largest goes first
        while (!loose_.empty()) {
            if (steps_ >= effort) return false;
            // The set pushed out last goes next, so that one move leads to
            // the next as in an ejection chain.
            const uint32_t item = loose_.back();
            loose_.pop_back();
            place(item);
            ++iteration_;
        }
        return true;
    }

    const std::vector<uint32_t>& packing() const { return bank_of_; }
    uint64_t steps() const { return steps_; }

  private:
    uint32_t size(uint32_t item) const { return p_.sizes[p_.items[item]]; }
    const uint16_t* colours(uint32_t item) const { return p_.bits_of(p_.items[item]); }
    uint16_t& users(uint32_t b, uint32_t c) { return users_[size_t{b} * c_ + c]; }
    bool has(uint32_t item, uint32_t c) const {
        return (p_.mask(p_.items[item])[c / 64] >> (c % 64) & 1) != 0;
    }

    void add(uint32_t item, uint32_t b) {
        for (uint32_t k = 0; k < size(item); ++k) volume_[b] += users(b, colours(item)[k])++ == 0;
        members_[b].push_back(item);
        bank_of_[item] = b;
    }
    void remove(uint32_t item) {
        const uint32_t b = bank_of_[item];
        for (uint32_t k = 0; k < size(item); ++k) volume_[b] -= --users(b, colours(item)[k]) == 0;
        std::vector<uint32_t>& m = members_[b];
        m.erase(std::find(m.begin(), m.end(), item));
        bank_of_[item] = kNoBank;
    }

    // The members of bank `b` to push out so that `item` fits, chosen
    // greedily: each time the one that frees most colours for its weight.
    // Their weight in all; stops early once it reaches `give_up`.
    uint64_t eject_for(uint32_t item, uint32_t b, uint64_t give_up, std::vector<uint32_t>& out) {
        out.clear();
        uint32_t added = 0;
        for (uint32_t k = 0; k < size(item); ++k) added += users(b, colours(item)[k]) == 0;
        uint32_t volume = volume_[b] + added;
        uint64_t cost = 0;
        std::vector<uint32_t>& left = left_;
        left.assign(members_[b].begin(), members_[b].end());
        while (volume > kBankColours && cost * 16 < give_up) {
            size_t best = 0;
            uint32_t best_freed = 0;
            for (size_t k = 0; k < left.size(); ++k) {
                const uint32_t y = left[k];
                uint32_t freed = 0;
                for (uint32_t j = 0; j < size(y); ++j) {
                    const uint16_t c = colours(y)[j];
                    freed += users(b, c) == 1 && !has(item, c);
                }
                // freed / weight, greatest first; ties to the lighter.
                const uint32_t x = left[best];
                const uint64_t lhs = uint64_t{freed} * weight_[x];
                const uint64_t rhs = uint64_t{best_freed} * weight_[y];
                if (k == 0 || lhs > rhs || (lhs == rhs && weight_[y] < weight_[x]))
                    best = k, best_freed = freed;
            }
            const uint32_t y = left[best];
            left.erase(left.begin() + static_cast<ptrdiff_t>(best));
            // Taken out for the count, put back below.
            for (uint32_t j = 0; j < size(y); ++j) {
                const uint16_t c = colours(y)[j];
                volume -= --users(b, c) == 0 && !has(item, c);
            }
            out.push_back(y);
            cost += weight_[y];
        }
        for (uint32_t y : out)
            for (uint32_t j = 0; j < size(y); ++j) ++users(b, colours(y)[j]);
        // Then to the bank where the set adds the fewest colours.
        return volume > kBankColours ? UINT64_MAX : cost * 16 + added;
    }

    void place(uint32_t item) {
        uint32_t target = kNoBank;
        uint64_t best_cost = UINT64_MAX;
        std::vector<uint32_t> out, best_out;
        for (bool ignore_tabu : {false, true}) {
            for (uint32_t b = 0; b < m_; ++b) {
                if (!ignore_tabu && tabu_[size_t{item} * m_ + b] > iteration_) continue;
                ++steps_;
                const uint64_t cost = eject_for(item, b, best_cost, out);
                // Ties go to a bank drawn afresh each time, so that the
                // search does not keep to one path.
                if (cost < best_cost || (cost == best_cost && cost != UINT64_MAX && next() % 2)) {
                    best_cost = cost, target = b;
                    best_out.swap(out);
                }
            }
            if (target != kNoBank) break;
        }
        for (uint32_t y : best_out) {
            remove(y);
            loose_.push_back(y);
            ++weight_[y];
            tabu_[size_t{y} * m_ + target] = iteration_ + kTabuTenure;
        }
        add(item, target);
    }

    uint32_t next() {
        random_ = random_ * 6364136223846793005u + 1442695040888963407u;
        return static_cast<uint32_t>(random_ >> 33);
    }

    const PackProblem& p_;
    const uint32_t n_, c_, m_;
    std::vector<uint16_t> users_;  // members of each bank using each colour
    std::vector<uint32_t> volume_;
    std::vector<std::vector<uint32_t>> members_;
    std::vector<uint32_t> bank_of_;
    std::vector<uint32_t> weight_;  // 1 + times pushed out
    std::vector<uint64_t> tabu_;    // for each item and bank: the iteration it may go back
    std::vector<uint32_t> loose_;
    std::vector<uint32_t> left_;  // eject_for's members not yet pushed out
    uint64_t iteration_ = 0, steps_ = 0, random_ = 1;
};

}  // namespace

std::vector<uint32_t> empty_banks(const PackProblem& p, const std::vector<uint32_t>& start,
                                  uint32_t target, uint64_t effort, uint64_t& steps) {
    std::vector<uint32_t> best = start;
    uint32_t count = 0;
    for (uint32_t b : best) count = std::max(count, b + 1);
    uint64_t used = 0;
    while (count > target && count > 1 && used < effort) {
        // The bank of the fewest colours' worth of sets goes first; each try
        // gets a share of what is left, the last one all of it.
        std::vector<uint32_t> load(count, 0);
        for (uint32_t i = 0; i < best.size(); ++i) load[best[i]] += p.sizes[p.items[i]];
        std::vector<uint32_t> order(count);
        std::iota(order.begin(), order.end(), 0u);
        std::stable_sort(order.begin(), order.end(),
                         [&](uint32_t a, uint32_t b) { return load[a] < load[b]; });
        bool emptied = false;
        for (size_t t = 0; t < order.size() && !emptied && used < effort; ++t) {
            const uint64_t share =
                t + 1 == order.size() ? effort - used : std::max<uint64_t>((effort - used) / 2, 1);
            Ejection e(p, count - 1);
            emptied = e.run(best, order[t], share);
            used += e.steps();
            if (emptied) best = e.packing();
        }
        if (!emptied) break;
        --count;
    }
    steps += used;
    return best;
}

}  // namespace tw::pack
