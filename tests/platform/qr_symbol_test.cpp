#include "platform/qr_symbol.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/md5.h"

namespace tw {
namespace {

std::vector<uint8_t> payload(size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 131 + 7);
    return bytes;
}

std::string modules_md5(const QrSymbol& symbol) {
    uint8_t d[16];
    EXPECT_TRUE(md5_digest(symbol.dark.data(), symbol.dark.size(), d));
    char out[33];
    for (int i = 0; i < 16; ++i) std::snprintf(out + 2 * i, 3, "%02x", d[i]);
    return out;
}

}  // namespace

// The digests are of python3-qrcode's module matrices (one byte a module, 1
// dark) of the same bytes at version 20, level M, one byte segment. Run
// natively and under Wine, the test also holds the two platforms to one matrix.
TEST(QrSymbol, ModulesAsAnIndependentEncoderMakesThem) {
    const struct {
        size_t size;
        int mask;
        const char* digest;
    } cases[] = {
        {666, 0, "e674f4d8d9a8d2d4ae31d48f10417fd5"},
        // The generator's choice among the eight: mask 2 by its penalty rules.
        {100, kQrMaskChosen, "fe6e62c46ed87255dbac9111dad8a943"},
    };
    for (const auto& c : cases) {
        QrSymbol symbol;
        ASSERT_TRUE(qr_encode_v20m(payload(c.size).data(), c.size, c.mask, symbol)) << c.size;
        EXPECT_EQ(symbol.size, 97u);
        EXPECT_EQ(symbol.dark.size(), 97u * 97u);
        EXPECT_EQ(modules_md5(symbol), c.digest) << c.size;
    }
}

TEST(QrSymbol, RefusesWhatDoesNotFitWithoutThrowing) {
    QrSymbol symbol;
    EXPECT_FALSE(qr_encode_v20m(payload(667).data(), 667, 0, symbol));
    EXPECT_EQ(symbol.size, 0u);
    EXPECT_TRUE(symbol.dark.empty());
    EXPECT_FALSE(qr_encode_v20m(payload(10).data(), 10, 8, symbol));
    EXPECT_TRUE(qr_encode_v20m(nullptr, 0, 0, symbol));
}

}  // namespace tw
