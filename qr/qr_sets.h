#pragma once
// QR sets read back: the payloads of symbols found in pictures, checked code by
// code, gathered into sets, and each complete set checked whole and rebuilt
// into its PTC file. Every byte here comes from a picture anyone may publish:
// lengths are checked before anything is allocated, and a set is rebuilt whole
// or not at all.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/text.h"
#include "image/resource_kinds.h"

namespace tw {

using QrDigest = std::array<uint8_t, 16>;

// The codes of one set seen so far: those with one stream digest and one count.
struct QrGathered {
    QrDigest stream_digest{};
    uint8_t count = 0;
    std::vector<std::vector<uint8_t>> chunks;  // by index - 1; empty while missing
    std::vector<uint8_t> disagreeing;          // indices seen with two different intact data parts
};

class QrGatherer {
  public:
    enum Taken { CODE_NEW, CODE_REPEATED, CODE_IGNORED };
    // Takes one symbol's payload. A code whose own digest fails, whose index is
    // 0 or above its count, or that is not a code at all, is ignored and counted.
    Taken add(const uint8_t* payload, size_t size);
    const std::vector<QrGathered>& sets() const { return sets_; }
    size_t ignored() const { return ignored_; }

  private:
    std::vector<QrGathered> sets_;  // in the order first seen
    size_t ignored_ = 0;
};

// A set read back.
struct QrReadSet {
    std::string name;  // the internal name, trailing NULs cut
    const ResourceKind* kind = nullptr;
    std::vector<uint8_t> ptc;  // the PTC file, byte for byte
};

// The largest plain length a set may state: a bigger one is refused before inflating.
inline constexpr uint32_t kQrMaxPlainLength = 16u << 20;

// Rebuilds a gathered set. False with the reason recorded when codes are
// missing (naming them), two copies of a code disagree, the stream's digest or
// header is wrong, it does not inflate to exactly its plain length, the
// inflated data is not the resource the header says, or the name is refused.
// The name and kind are filled as far as they could be read, for the summary.
bool read_qr_set(const QrGathered& gathered, QrReadSet& out);

// The internal name in the first code of a gathered set, trailing NULs cut;
// empty while the first code is missing. For the summary of a failed set.
std::string qr_gathered_name(const QrGathered& gathered);

// The file names of the sets of one run, in their order: NAME.ptc, or
// NAME_TYPE.ptc for every set whose name another set shares (ignoring case).
// An empty name where two different sets share a name and type: both fail.
std::vector<std::string> qr_output_names(const std::vector<QrReadSet>& sets);

}  // namespace tw
