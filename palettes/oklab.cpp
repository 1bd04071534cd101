#include "palettes/oklab.h"

#include <algorithm>
#include <array>
#include <vector>

#include "extract/bmp_output.h"

namespace tw {
namespace {

// sRGB to linear light (IEC 61966-2-1) in units of 2^-24, rounded from the
// exact formula once, so that no platform's pow decides a value.
constexpr std::array<int32_t, 256> kLinear{
    0,        5092,     10185,    15277,    20369,    25462,    30554,    35646,    40739,
    45831,    50923,    56146,    61682,    67524,    73676,    80144,    86931,    94043,
    101483,   109255,   117364,   125813,   134607,   143749,   153244,   163095,   173306,
    183880,   194821,   206133,   217819,   229883,   242327,   255157,   268373,   281981,
    295983,   310382,   325182,   340386,   355996,   372016,   388449,   405298,   422565,
    440255,   458369,   476910,   495881,   515286,   535127,   555406,   576126,   597291,
    618902,   640963,   663476,   686443,   709868,   733752,   758099,   782910,   808189,
    833938,   860159,   886854,   914027,   941680,   969814,   998433,   1027538,  1057133,
    1087218,  1117798,  1148873,  1180447,  1212520,  1245097,  1278179,  1311767,  1345865,
    1380475,  1415598,  1451237,  1487394,  1524071,  1561270,  1598994,  1637244,  1676023,
    1715332,  1755173,  1795550,  1836463,  1877915,  1919907,  1962442,  2005522,  2049149,
    2093324,  2138049,  2183328,  2229161,  2275550,  2322497,  2370005,  2418074,  2466708,
    2515908,  2565675,  2616012,  2666920,  2718402,  2770458,  2823092,  2876304,  2930097,
    2984472,  3039432,  3094977,  3151110,  3207832,  3265145,  3323052,  3381553,  3440650,
    3500346,  3560641,  3621538,  3683038,  3745144,  3807855,  3871176,  3935106,  3999648,
    4064803,  4130573,  4196960,  4263965,  4331589,  4399836,  4468706,  4538200,  4608321,
    4679069,  4750448,  4822457,  4895099,  4968376,  5042288,  5116838,  5192027,  5267856,
    5344328,  5421443,  5499204,  5577611,  5656667,  5736372,  5816729,  5897738,  5979402,
    6061722,  6144699,  6228335,  6312631,  6397589,  6483210,  6569496,  6656448,  6744068,
    6832357,  6921317,  7010948,  7101253,  7192233,  7283889,  7376223,  7469237,  7562930,
    7657306,  7752366,  7848110,  7944540,  8041658,  8139465,  8237963,  8337152,  8437035,
    8537612,  8638885,  8740855,  8843524,  8946893,  9050964,  9155737,  9261215,  9367397,
    9474287,  9581885,  9690192,  9799210,  9908940,  10019383, 10130542, 10242416, 10355008,
    10468318, 10582349, 10697100, 10812575, 10928773, 11045697, 11163346, 11281724, 11400831,
    11520668, 11641236, 11762538, 11884573, 12007344, 12130852, 12255098, 12380082, 12505807,
    12632274, 12759484, 12887438, 13016137, 13145583, 13275776, 13406719, 13538412, 13670857,
    13804054, 13938006, 14072712, 14208175, 14344396, 14481375, 14619114, 14757615, 14896878,
    15036905, 15177696, 15319253, 15461578, 15604671, 15748533, 15893166, 16038571, 16184750,
    16331702, 16479430, 16627934, 16777216,
};
constexpr int kLinearShift = 24;

// The matrices of Oklab, rounded; rows that sum to 1 (or 0) in exact
// arithmetic are kept so, so that white maps to L = 1 and greys to a = b = 0.
constexpr int kM1Shift = 20;  // linear sRGB to LMS
constexpr int64_t kM1[3][3] = {
    {432246, 562385, 53945}, {222197, 713765, 112614}, {92592, 295404, 660580}};
constexpr int kM2Shift = 16;  // cube roots of LMS to Lab
constexpr int64_t kM2[3][3] = {
    {13792, 52011, -267}, {129630, -159160, 29530}, {1698, 51300, -52998}};
constexpr int kM2InvShift = 16;  // Lab to cube roots of LMS
constexpr int64_t kM2Inv[3][3] = {
    {65536, 25974, 14143}, {65536, -6918, -4185}, {65536, -5864, -84639}};
constexpr int kM1InvShift = 16;  // LMS to linear sRGB
constexpr int64_t kM1Inv[3][3] = {
    {267173, -216774, 15137}, {-83128, 171033, -22369}, {-275, -46099, 111910}};

// n >> shift, rounded to nearest (halves away from zero), for either sign.
int64_t shift_round(int64_t n, int shift) {
    const int64_t half = int64_t{1} << (shift - 1);
    return n >= 0 ? (n + half) >> shift : -((-n + half) >> shift);
}

// The cube root of n (n < 2^51), rounded to nearest, bit by bit.
int64_t cube_root(int64_t n) {
    int64_t y = 0;
    for (int bit = 16; bit >= 0; --bit) {
        const int64_t t = y | int64_t{1} << bit;
        if (t * t * t <= n) y = t;
    }
    // Round up when n lies above (y + 1/2)^3, that is 8n > (2y + 1)^3.
    const int64_t h = 2 * y + 1;
    return 8 * n > h * h * h ? y + 1 : y;
}

Oklab oklab_from_linear(int64_t r, int64_t g, int64_t b) {
    int64_t root[3];
    for (int i = 0; i < 3; ++i) {
        const int64_t lms = shift_round(kM1[i][0] * r + kM1[i][1] * g + kM1[i][2] * b, kM1Shift);
        // LMS in units of 2^-24; its cube root scaled to 2^16 is cbrt(lms * 2^24).
        root[i] = cube_root(std::max<int64_t>(lms, 0) << 24);
    }
    int32_t lab[3];
    for (int i = 0; i < 3; ++i)
        lab[i] = static_cast<int32_t>(
            shift_round(kM2[i][0] * root[0] + kM2[i][1] * root[1] + kM2[i][2] * root[2], kM2Shift));
    return Oklab{lab[0], lab[1], lab[2]};
}

uint16_t target_from_levels(uint32_t r5, uint32_t g6, uint32_t b5) {
    return static_cast<uint16_t>(r5 | (g6 >> 1) << 5 | b5 << 10 | (g6 & 1) << 15);
}

struct TargetTables {
    std::vector<Oklab> lab;  // by target colour
    // The linear value of each level of each channel as widened (32 red, 64
    // green, 32 blue), ascending.
    std::vector<int32_t> levels[3];
};

const TargetTables& target_tables() {
    static const TargetTables tables = [] {
        TargetTables t;
        t.lab.resize(65536);
        for (uint32_t c = 0; c < 65536; ++c) {
            const Rgb8 w = widen_target_colour(static_cast<uint16_t>(c));
            t.lab[c] = oklab_from_rgb(w.r, w.g, w.b);
        }
        for (uint32_t k = 0; k < 32; ++k) {
            t.levels[0].push_back(kLinear[widen_target_colour(target_from_levels(k, 0, 0)).r]);
            t.levels[2].push_back(kLinear[widen_target_colour(target_from_levels(0, 0, k)).b]);
        }
        for (uint32_t k = 0; k < 64; ++k)
            t.levels[1].push_back(kLinear[widen_target_colour(target_from_levels(0, k, 0)).g]);
        return t;
    }();
    return tables;
}

// The level whose linear value is nearest to v.
uint32_t nearest_level(const std::vector<int32_t>& levels, int64_t v) {
    const auto it = std::lower_bound(levels.begin(), levels.end(), v);
    if (it == levels.begin()) return 0;
    if (it == levels.end()) return static_cast<uint32_t>(levels.size() - 1);
    const auto k = static_cast<uint32_t>(it - levels.begin());
    return v - *(it - 1) <= *it - v ? k - 1 : k;
}

}  // namespace

Oklab oklab_from_rgb(uint8_t r, uint8_t g, uint8_t b) {
    return oklab_from_linear(kLinear[r], kLinear[g], kLinear[b]);
}

Rgb8 widen_target_colour(uint16_t colour) {
    const uint32_t bgr = col_to_bgr0(colour);
    return Rgb8{static_cast<uint8_t>(bgr >> 16), static_cast<uint8_t>(bgr >> 8),
                static_cast<uint8_t>(bgr)};
}

const Oklab& target_oklab(uint16_t colour) {
    return target_tables().lab[colour];
}

uint16_t nearest_target_colour(const Oklab& lab) {
    const TargetTables& t = target_tables();
    // Back to linear sRGB: the inverse matrices, and cubes in place of roots.
    const int64_t in[3] = {lab.L, lab.a, lab.b};
    int64_t lms[3];
    for (int i = 0; i < 3; ++i) {
        const int64_t root = std::clamp<int64_t>(
            shift_round(kM2Inv[i][0] * in[0] + kM2Inv[i][1] * in[1] + kM2Inv[i][2] * in[2],
                        kM2InvShift),
            -2 * kOklabOne, 2 * kOklabOne);
        lms[i] = shift_round(root * root * root, 48 - kLinearShift);
    }
    uint32_t level[3];
    for (int i = 0; i < 3; ++i)
        level[i] = nearest_level(
            t.levels[i],
            shift_round(kM1Inv[i][0] * lms[0] + kM1Inv[i][1] * lms[1] + kM1Inv[i][2] * lms[2],
                        kM1InvShift));
    // The levels nearest in linear light are nearly always nearest in Oklab
    // too; their neighbours settle the rest.
    uint16_t best = 0;
    int64_t best_distance = INT64_MAX;
    const auto span = [](uint32_t v, uint32_t top) {
        return std::pair<uint32_t, uint32_t>{v ? v - 1 : 0, std::min(v + 1, top)};
    };
    const auto [r0, r1] = span(level[0], 31);
    const auto [g0, g1] = span(level[1], 63);
    const auto [b0, b1] = span(level[2], 31);
    for (uint32_t r = r0; r <= r1; ++r)
        for (uint32_t g = g0; g <= g1; ++g)
            for (uint32_t b = b0; b <= b1; ++b) {
                const uint16_t c = target_from_levels(r, g, b);
                const int64_t d = oklab_distance2(t.lab[c], lab);
                if (d < best_distance || (d == best_distance && c < best)) {
                    best = c;
                    best_distance = d;
                }
            }
    return best;
}

}  // namespace tw
