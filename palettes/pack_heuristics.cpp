#include "palettes/pack_heuristics.h"

#include <algorithm>
#include <cstddef>
#include <deque>

namespace tw::pack {

std::vector<uint32_t> first_fit(const PackProblem& p, const std::vector<uint32_t>& order) {
    std::vector<uint32_t> bank_of(p.sizes.size(), kNoBank);
    std::vector<uint64_t> banks;  // `words` words for each bank
    std::vector<uint32_t> volume;
    // The banks holding each colour: a bank sharing no colour with the set
    // takes it when it has room for all of it, which the volumes alone tell,
    // so only the banks sharing a colour need their masks read (a picture of
    // thousands of cells and colours would otherwise read every bank's mask
    // for every set).
    std::vector<std::vector<uint32_t>> holders(p.colours.size());
    for (uint32_t s : order) {
        const uint32_t size = p.sizes[s];
        uint32_t b = 0;
        while (b < volume.size() && volume[b] + size > kBankColours) ++b;
        for (uint32_t k = 0; k < size; ++k)
            for (uint32_t h : holders[p.bits_of(s)[k]])
                if (h < b && volume[h] + p.count_new(s, banks.data() + (size_t{h} * p.words)) <=
                                 kBankColours)
                    b = h;
        if (b == volume.size()) {
            volume.push_back(0);
            banks.resize(banks.size() + p.words, 0);
        }
        uint64_t* bank = banks.data() + size_t{b} * p.words;
        volume[b] += p.count_new(s, bank);
        for (uint32_t k = 0; k < size; ++k) {
            const uint16_t c = p.bits_of(s)[k];
            if (!(bank[c / 64] >> (c % 64) & 1)) holders[c].push_back(b);
        }
        mask_or(bank, p.mask(s), p.words);
        bank_of[s] = b;
    }
    return bank_of;
}

namespace {

// The paper weighs a set by the sum, over its colours, of one over the number
// of sets in the bank that use the colour. Scaled by the least common multiple
// of 1..20 so that the sums are integers (and the same everywhere); shares
// beyond 20 users are rounded down.
constexpr uint64_t kShareScale = 232792560;

class Overload {
  public:
    explicit Overload(const PackProblem& p) : p_(p), colours_of_(p.items.size()) {
        for (uint32_t i = 0; i < p.items.size(); ++i) {
            const uint32_t s = p.items[i];
            colours_of_[i].assign(p.bits_of(s), p.bits_of(s) + p.sizes[s]);
        }
    }

    std::vector<uint32_t> run() {
        const auto n = static_cast<uint32_t>(p_.items.size());
        std::vector<std::vector<uint32_t>> banned(n);
        std::deque<uint32_t> queue;
        for (uint32_t i = 0; i < n; ++i) queue.push_back(i);
        while (!queue.empty()) {
            const uint32_t item = queue.front();
            queue.pop_front();
            // The bank where the set costs least, if it shares any colour there.
            uint32_t best = kNoBank;
            uint64_t best_cost = size(item) * kShareScale;
            for (uint32_t b = 0; b < banks_.size(); ++b) {
                if (std::find(banned[item].begin(), banned[item].end(), b) != banned[item].end())
                    continue;
                const uint64_t cost = share(item, banks_[b], false);
                if (cost < best_cost) best = b, best_cost = cost;
            }
            if (best == kNoBank) {
                best = static_cast<uint32_t>(banks_.size());
                banks_.emplace_back();
            }
            Bank& bank = banks_[best];
            add(item, bank);
            // Overloaded: send away the set that shares least, until it fits
            // or every set shares alike.
            while (bank.colour.size() > kBankColours) {
                size_t lo = 0, hi = 0;
                for (size_t k = 1; k < bank.members.size(); ++k) {
                    if (less_efficient(bank.members[k], bank.members[lo], bank)) lo = k;
                    if (less_efficient(bank.members[hi], bank.members[k], bank)) hi = k;
                }
                if (!less_efficient(bank.members[lo], bank.members[hi], bank)) break;
                const uint32_t out = bank.members[lo];
                remove(out, bank);
                banned[out].push_back(best);
                queue.push_back(out);
            }
        }
        refit_overloaded();
        decant();
        std::vector<uint32_t> bank_of(n, kNoBank);
        for (uint32_t b = 0; b < banks_.size(); ++b)
            for (uint32_t item : banks_[b].members) bank_of[item] = b;
        compact_banks(bank_of);
        return bank_of;
    }

  private:
    struct Bank {
        std::vector<uint32_t> members;  // items
        std::vector<uint32_t> colour;   // colour bits in use
        std::vector<uint32_t> users;    // members using each of them
    };

    uint64_t size(uint32_t item) const { return colours_of_[item].size(); }

    // The set's share of the bank's colours, were it (or as it is) a member.
    uint64_t share(uint32_t item, const Bank& bank, bool member) const {
        uint64_t sum = 0;
        for (uint32_t c : colours_of_[item]) {
            const auto at = std::find(bank.colour.begin(), bank.colour.end(), c);
            const uint64_t others =
                at == bank.colour.end() ? 0 : bank.users[size_t(at - bank.colour.begin())];
            sum += kShareScale / (member ? others : others + 1);
        }
        return sum;
    }
    // Efficiency is size / share: how much the set gains from the colours it shares.
    bool less_efficient(uint32_t a, uint32_t b, const Bank& bank) const {
        return size(a) * share(b, bank, true) < size(b) * share(a, bank, true);
    }

    void add(uint32_t item, Bank& bank) const {
        bank.members.push_back(item);
        for (uint32_t c : colours_of_[item]) {
            const auto at = std::find(bank.colour.begin(), bank.colour.end(), c);
            if (at == bank.colour.end()) {
                bank.colour.push_back(c);
                bank.users.push_back(1);
            } else {
                ++bank.users[size_t(at - bank.colour.begin())];
            }
        }
    }
    void remove(uint32_t item, Bank& bank) const {
        bank.members.erase(std::find(bank.members.begin(), bank.members.end(), item));
        for (uint32_t c : colours_of_[item]) {
            const auto k =
                size_t(std::find(bank.colour.begin(), bank.colour.end(), c) - bank.colour.begin());
            if (--bank.users[k] == 0) {
                bank.colour.erase(bank.colour.begin() + static_cast<ptrdiff_t>(k));
                bank.users.erase(bank.users.begin() + static_cast<ptrdiff_t>(k));
            }
        }
    }

    std::vector<uint64_t> mask_of(const std::vector<uint32_t>& members) const {
        std::vector<uint64_t> m(p_.words, 0);
        for (uint32_t item : members) mask_or(m.data(), p_.mask(p_.items[item]), p_.words);
        return m;
    }
    bool fits_with(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) const {
        std::vector<uint64_t> m = mask_of(a);
        mask_or(m.data(), mask_of(b).data(), p_.words);
        return mask_count(m.data(), p_.words) <= kBankColours;
    }

    // Banks still overloaded are emptied; their sets, largest first, go to the
    // first bank that takes them.
    void refit_overloaded() {
        std::vector<uint32_t> loose;
        for (Bank& bank : banks_) {
            if (bank.colour.size() <= kBankColours) continue;
            loose.insert(loose.end(), bank.members.begin(), bank.members.end());
            bank = Bank{};
        }
        std::sort(loose.begin(), loose.end());  // items are largest first
        for (uint32_t item : loose) {
            size_t b = 0;
            while (b < banks_.size() &&
                   (banks_[b].members.empty() || !fits_with(banks_[b].members, {item})))
                ++b;
            if (b == banks_.size()) banks_.emplace_back();
            add(item, banks_[b]);
        }
    }

    // Moves what fits into earlier banks: whole banks, then groups of sets
    // linked by shared colours, then single sets. Emptied banks are dropped.
    void decant() {
        for (int pass = 0; pass < 3; ++pass) {
            for (size_t from = banks_.size(); from-- > 1;) {
                for (size_t to = 0; to < from; ++to) {
                    for (const std::vector<uint32_t>& group : groups(banks_[from], pass)) {
                        if (banks_[to].members.empty() || !fits_with(banks_[to].members, group))
                            continue;
                        for (uint32_t item : group) {
                            remove(item, banks_[from]);
                            add(item, banks_[to]);
                        }
                    }
                }
                if (banks_[from].members.empty())
                    banks_.erase(banks_.begin() + static_cast<ptrdiff_t>(from));
            }
        }
    }
    std::vector<std::vector<uint32_t>> groups(const Bank& bank, int pass) const {
        std::vector<std::vector<uint32_t>> out;
        if (pass == 0) {
            if (!bank.members.empty()) out.push_back(bank.members);
        } else if (pass == 2) {
            for (uint32_t item : bank.members) out.push_back({item});
        } else {
            std::vector<bool> taken(bank.members.size());
            for (size_t first = 0; first < bank.members.size(); ++first) {
                if (taken[first]) continue;
                taken[first] = true;
                std::vector<uint32_t> group{bank.members[first]};
                std::vector<uint64_t> m = mask_of(group);
                for (bool grew = true; grew;) {
                    grew = false;
                    for (size_t k = first + 1; k < bank.members.size(); ++k) {
                        const uint64_t* mk = p_.mask(p_.items[bank.members[k]]);
                        if (taken[k] ||
                            mask_count_new(mk, m.data(), p_.words) == size(bank.members[k]))
                            continue;
                        taken[k] = grew = true;
                        group.push_back(bank.members[k]);
                        mask_or(m.data(), mk, p_.words);
                    }
                }
                out.push_back(group);
            }
        }
        return out;
    }

    const PackProblem& p_;
    std::vector<std::vector<uint32_t>> colours_of_;
    std::vector<Bank> banks_;
};

}  // namespace

std::vector<uint32_t> overload_and_remove_items(const PackProblem& p) {
    return Overload(p).run();
}

std::vector<uint32_t> random_first_fit(const PackProblem& p, uint64_t effort, uint64_t& steps) {
    const auto n = static_cast<uint32_t>(p.items.size());
    std::vector<uint32_t> best(n, 0);
    uint32_t best_count = UINT32_MAX;
    uint64_t random = 1;
    const auto next = [&random] {
        random = random * 6364136223846793005u + 1442695040888963407u;
        return static_cast<uint32_t>(random >> 33);
    };
    std::vector<uint32_t> order(p.items), key(p.sizes.size(), 0);
    for (uint64_t used = 0, round = 0; n > 0 && used + n <= effort; used += n, ++round) {
        for (uint32_t s : order) key[s] = next();
        if (round % 2 == 0)
            for (uint32_t s : order) key[s] = (p.sizes[s] << 24) | (key[s] >> 8);
        std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
            return key[a] != key[b] ? key[a] > key[b] : a < b;
        });
        std::vector<uint32_t> bank_of_set = first_fit(p, order);
        std::vector<uint32_t> bank_of_item(n);
        for (uint32_t i = 0; i < n; ++i) bank_of_item[i] = bank_of_set[p.items[i]];
        const uint32_t count = compact_banks(bank_of_item);
        if (count < best_count) best_count = count, best.swap(bank_of_item);
        steps += n;
    }
    return best;
}

}  // namespace tw::pack

namespace tw {

// First-fit decreasing keeps the textbook order of the sets as given: repeats
// and subsets take part, as they would in any plain implementation.
Packing first_fit_decreasing(const std::vector<ColourSet>& sets) {
    const pack::PackProblem p = pack::make_pack_problem(sets);
    std::vector<uint32_t> order;
    for (uint32_t i = 0; i < sets.size(); ++i)
        if (p.valid(i)) order.push_back(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](uint32_t a, uint32_t b) { return p.sizes[a] > p.sizes[b]; });
    Packing out;
    out.bank_of_set = pack::first_fit(p, order);
    out.bank_count = pack::compact_banks(out.bank_of_set);
    return out;
}

Packing overload_and_remove(const std::vector<ColourSet>& sets) {
    const pack::PackProblem p = pack::make_pack_problem(sets);
    const std::vector<uint32_t> bank_of_item = pack::overload_and_remove_items(p);
    Packing out;
    out.bank_of_set.assign(sets.size(), kNoBank);
    for (uint32_t i = 0; i < sets.size(); ++i)
        if (p.valid(i)) out.bank_of_set[i] = bank_of_item[p.item_of_set[i]];
    out.bank_count = pack::compact_banks(out.bank_of_set);
    return out;
}

}  // namespace tw
