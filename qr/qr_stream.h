#pragma once
// QR sets: a PTC file compressed into one stream and cut into numbered codes,
// the way the handheld's camera takes files in.
//
// The stream: the 8-byte internal name, the 4-byte type suffix ("RPRG"...),
// the compressed length and the plain length (u32 each, little-endian), then a
// zlib stream of the PTC file from its type string on. A code: "PT", its index
// (from 1) and the count of codes in a byte each, the MD5 of its data part, the
// MD5 of the whole stream, then the data part: 630 bytes of the stream in every
// code but the last.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"

namespace tw {

inline constexpr size_t kQrChunkLength = 630;
inline constexpr size_t kQrCodeHeaderLength = 36;  // "PT", index, count, two digests
inline constexpr size_t kQrStreamHeaderLength = 20;
inline constexpr size_t kQrMaxCodes = 255;

struct QrSet {
    std::string name;                         // the internal name, trailing NULs cut
    std::string type;                         // PRG, MEM, GRP, CHR, SCR or COL
    std::vector<std::vector<uint8_t>> codes;  // each code whole: "PT", index, count, MD5 of its
                                              // data, MD5 of the stream, data
};

// The QR set of a PTC file's bytes (zlib level 9, default window and memory
// level, so the codes carry the bytes the common generator makes). False, with
// the reason recorded, when the file is not well formed (magic, length, MD5, a
// known type string), its name would be refused when read back, or it needs
// more than 255 codes.
bool make_qr_set(const uint8_t* ptc, size_t size, QrSet& out);

// Why an internal name cannot name the file a set is read back into, or nullptr
// when it can. One rule on every platform, so that a set reads back the same
// everywhere and never names a file outside the output folder: not empty, "."
// or ".."; printable ASCII only, without / \ : < > " | ? *; no trailing dot or
// space; not a device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9 in any case,
// also before a dot, as Windows reads them).
const Text* qr_name_fault(std::string_view name);

}  // namespace tw
