#include "maps/picture_map.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <string>

#include "common/failure.h"
#include "common/fixed_text.h"
#include "common/text.h"
#include "extract/bmp_output.h"
#include "maps/map_convert.h"
#include "maps/report_picture.h"
#include "palettes/palette_rules.h"
#include "picture/bmp_image.h"
#include "resources/texts.h"
#include "support/image_fixtures.h"
#include "support/map_render.h"
#include "support/png_writer.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

const std::string kExamples = std::string(TW_TEST_DATA_DIR) + "/../../examples/";

Rgba rgb(uint32_t c) {
    return Rgba{static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                static_cast<uint8_t>(c), 255};
}

uint16_t target(const Rgba& p) {
    return rgb_to_col(p.r, p.g, p.b);
}

// A true-colour picture whose cells draw from a few of `kinds` hidden sets of
// up to 6 colours each, so that it needs several banks; some pixels
// transparent by alpha when `alpha`.
Picture random_picture(std::mt19937& rng, uint32_t width, uint32_t height, bool alpha) {
    const uint32_t kinds = 12;
    std::vector<std::vector<Rgba>> sets(kinds);
    for (auto& s : sets)
        for (uint32_t k = 0; k < 6; ++k) s.push_back(rgb(rng() & 0xFFFFFF));
    Picture p;
    p.width = width;
    p.height = height;
    std::vector<uint32_t> kind_of((width / 8 + 1) * (height / 8 + 1));
    for (auto& k : kind_of) k = static_cast<uint32_t>(rng() % kinds);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            const auto& s = sets[kind_of[y / 8 * (width / 8 + 1) + x / 8]];
            Rgba c = s[rng() % s.size()];
            if (alpha && rng() % 7 == 0) c.a = static_cast<uint8_t>(rng() % 128);
            p.pixels.push_back(c);
        }
    return p;
}

// The screen drawn back from what map_pictures built, as target colours.
std::vector<uint16_t> drawn_back(const MapScreens& m, size_t screen) {
    std::vector<uint16_t> out;
    for (uint8_t p : test::render_mapped(m, screen)) out.push_back(m.palette.colours[p]);
    return out;
}

uint32_t luma(uint16_t c) {
    const uint32_t bgr = col_to_bgr0(c);
    return 299 * (bgr >> 16) + 587 * (bgr >> 8 & 0xFF) + 114 * (bgr & 0xFF);
}

TEST(PictureMap, RenderAfterMapGivesEveryColourBack) {
    std::mt19937 rng(5);
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE(round);
        const auto w = static_cast<uint32_t>(8 + rng() % 200),
                   h = static_cast<uint32_t>(8 + rng() % 150);
        const bool alpha = round % 2 == 0;
        const Picture picture = random_picture(rng, w, h, alpha);
        PictureOptions options;
        options.flips = round % 3 != 0;
        MapScreens m;
        ASSERT_TRUE(map_pictures({&picture}, {}, options, m)) << last_failure();
        const PictureSummary& s = m.summaries[0];
        EXPECT_EQ(s.rule, PaletteRule::GENERATE);
        EXPECT_EQ(s.reason, RuleReason::NOT_INDEXED);
        EXPECT_EQ(s.key_source, alpha ? KeySource::ALPHA : KeySource::TOP_LEFT);
        EXPECT_EQ(s.padded_width, (w + 7) / 8 * 8);
        EXPECT_EQ(s.padded(), w % 8 != 0 || h % 8 != 0);
        const uint16_t key = alpha ? 0 : target(picture.pixels[0]);
        const std::vector<uint16_t> back = drawn_back(m, 0);
        for (uint32_t y = 0; y < 512; ++y)
            for (uint32_t x = 0; x < 512; ++x) {
                uint16_t want = key;
                if (x < w && y < h) {
                    const Rgba& p = picture.pixels[y * w + x];
                    if (p.a >= 128) want = target(p);
                }
                ASSERT_EQ(back[y * 512 + x], want) << x << "," << y;
            }
        // Banks are numbered by their first cell; inside one, darkest first.
        EXPECT_EQ(m.screens[0]->cells[0][0] >> 12, 0);
        for (uint32_t b = 0; b < s.bank_count; ++b) {
            EXPECT_EQ(m.palette.colours[16 * b], key);
            for (uint32_t i = 2; i < 16 && m.palette.colours[16 * b + i]; ++i) {
                const uint16_t a = m.palette.colours[16 * b + i - 1],
                               c = m.palette.colours[16 * b + i];
                EXPECT_TRUE(luma(a) < luma(c) || (luma(a) == luma(c) && a < c)) << b << " " << i;
            }
        }
        // The same input gives the same bytes.
        MapScreens again;
        ASSERT_TRUE(map_pictures({&picture}, {}, options, again));
        EXPECT_EQ(std::memcmp(m.palette.colours, again.palette.colours, 512), 0);
        EXPECT_EQ(m.tiles, again.tiles);
        EXPECT_EQ(std::memcmp(m.screens[0]->cells, again.screens[0]->cells, sizeof(ScreenCells)),
                  0);
    }
}

ConvertJob job_in(const std::string& path, const std::string& out_dir) {
    ConvertJob job = make_convert_job(path.c_str(), false);
    copy_text(job.out_dir, sizeof job.out_dir, out_dir + "/");
    return job;
}

std::vector<std::string> outputs(const std::string& dir, const std::string& name) {
    std::vector<std::string> found;
    for (const char* s : {"_COL.ptc", "_CHR.ptc", "_CHR0.ptc", "_CHR1.ptc", "_SCR.ptc",
                          "_report.png", "_PAL_DATA.txt"})
        if (test::file_exists(dir + "/" + name + s)) found.push_back(name + s);
    return found;
}

TEST(PictureMap, KeepGivesTheBytesOfToday) {
    test::TempDir tmp;
    test::reset_settings(tmp.path());
    for (const char* file : {"level.png", "tiles.bmp"}) {
        SCOPED_TRACE(file);
        const std::string name = std::string(file).substr(0, std::string(file).find('.'));
        const std::string today = tmp.file(std::string("today_") + name);
        const std::string now = tmp.file(std::string("keep_") + name);
        std::filesystem::create_directories(today);
        std::filesystem::create_directories(now);
        TileMap map;
        ASSERT_TRUE(convert_map(job_in(kExamples + file, today), true, map)) << last_failure();
        PictureOptions options;
        options.palette = PaletteRule::KEEP;
        PictureSummary summary;
        ASSERT_TRUE(convert_picture_map(job_in(kExamples + file, now), options, summary))
            << last_failure();
        EXPECT_EQ(summary.rule, PaletteRule::KEEP);
        EXPECT_EQ(summary.tiles, map.tiles.size());
        const auto made = outputs(today, name);
        ASSERT_EQ(outputs(now, name), made);
        for (const std::string& out : made)
            EXPECT_EQ(test::read_file(today + "/" + out), test::read_file(now + "/" + out)) << out;
    }
    // An indexed picture in one bank a cell keeps by AUTO, and the in-memory
    // rule builds the same tiles and cells.
    Picture level;
    ASSERT_TRUE(read_picture_file((kExamples + "level.png").c_str(), level));
    PictureSummary decided;
    EXPECT_EQ(decide_rule(level, PictureOptions{}, kUnitCell, decided), PaletteRule::KEEP);
    EXPECT_EQ(decided.reason, RuleReason::ONE_BANK_UNITS);
    TileMap map;
    ASSERT_TRUE(convert_map(job_in(kExamples + "level.png", tmp.path()), true, map));
    PictureOptions keep;
    keep.palette = PaletteRule::KEEP;
    MapScreens m;
    ASSERT_TRUE(map_pictures({&level}, {}, keep, m)) << last_failure();
    EXPECT_EQ(m.tiles, map.tiles);
    EXPECT_EQ(std::memcmp(m.screens[0]->cells, map.cells, sizeof map.cells), 0);
}

Picture indexed(uint32_t w, uint32_t h, const std::vector<uint32_t>& palette,
                const std::function<uint8_t(uint32_t, uint32_t)>& index) {
    Picture p;
    p.width = w;
    p.height = h;
    p.indexed = true;
    for (uint32_t c : palette) p.palette.push_back(rgb(c));
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) {
            p.indices.push_back(index(x, y));
            p.pixels.push_back(p.palette[p.indices.back()]);
        }
    return p;
}

TEST(PictureMap, AutoKeepsOrArrangesAndSaysWhy) {
    std::vector<uint32_t> palette(32);
    // Later entries are darker, so that palette order and luma order differ.
    for (uint32_t i = 0; i < 32; ++i) palette[i] = 0x0F0F0F * (15 - i % 16) + (i / 16) * 8;
    const Picture one_bank = indexed(16, 8, palette, [](uint32_t x, uint32_t) {
        return static_cast<uint8_t>(x < 8 ? 0x13 : 0x02);
    });
    const Picture mixed = indexed(24, 16, palette, [](uint32_t x, uint32_t y) {
        return static_cast<uint8_t>(x == 17 && y == 9 ? 0x14 : 0x03);
    });
    const Picture padded = indexed(12, 8, palette, [](uint32_t, uint32_t) { return uint8_t{1}; });
    Picture true_colour = one_bank;
    true_colour.indexed = false;
    struct Case {
        const char* name;
        const Picture* picture;
        PaletteRule rule;
        RuleReason reason;
        uint32_t x, y;
    } cases[] = {
        {"one bank a cell", &one_bank, PaletteRule::KEEP, RuleReason::ONE_BANK_UNITS, 0, 0},
        {"a cell mixing banks", &mixed, PaletteRule::GENERATE, RuleReason::MIXED_UNIT, 16, 8},
        {"not whole cells", &padded, PaletteRule::GENERATE, RuleReason::NOT_WHOLE_UNITS, 0, 0},
        {"true colour", &true_colour, PaletteRule::GENERATE, RuleReason::NOT_INDEXED, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MapScreens m;
        ASSERT_TRUE(map_pictures({c.picture}, {}, PictureOptions{}, m)) << last_failure();
        const PictureSummary& s = m.summaries[0];
        EXPECT_EQ(s.rule, c.rule);
        EXPECT_EQ(s.reason, c.reason);
        EXPECT_EQ(s.mixed_x, c.x);
        EXPECT_EQ(s.mixed_y, c.y);
    }
    // Arranged from an indexed picture, a bank keeps the palette's order:
    // entry 2 before the darker entry 19.
    MapScreens m;
    PictureOptions generate;
    generate.palette = PaletteRule::GENERATE;
    generate.transparent = TransparentRule::NONE;
    ASSERT_TRUE(map_pictures({&one_bank}, {}, generate, m));
    EXPECT_EQ(m.palette.colours[0], 0);
    EXPECT_EQ(m.palette.colours[1], target(rgb(palette[2])));
    EXPECT_EQ(m.palette.colours[2], target(rgb(palette[19])));
}

TEST(PictureMap, PaletteFileAndItsRefusal) {
    test::TempDir tmp;
    test::reset_settings(tmp.path());
    // Bank 0 holds red and green, bank 1 green and blue.
    test::PngFixture f;
    f.pixels.assign(64, 0);
    f.palette.assign(32, 0);
    f.palette[1] = 0xF80000;
    f.palette[2] = 0x00F800;
    f.palette[17] = 0x00F800;
    f.palette[18] = 0x0000F8;
    const std::string palette = tmp.file("palette.png");
    test::write_file(palette, test::make_png(f));

    auto picture_of = [](std::vector<uint32_t> cell_colours) {
        Picture p;
        p.width = static_cast<uint32_t>(8 * cell_colours.size());
        p.height = 8;
        for (uint32_t y = 0; y < 8; ++y)
            for (uint32_t x = 0; x < p.width; ++x)
                p.pixels.push_back(rgb(x % 8 == 0 && y == 0   ? 0x000000
                                       : x % 8 == 1 && y == 0 ? 0x00F800
                                                              : cell_colours[x / 8]));
        return p;
    };
    PictureOptions options;
    options.palette = PaletteRule::FILE;
    options.palette_file = palette;
    MapScreens m;
    // Cell 0: red and green (bank 0); cell 1: blue and green (bank 1). The key is black.
    const Picture fits = picture_of({0xF80000, 0x0000F8});
    ASSERT_TRUE(map_pictures({&fits}, {}, options, m)) << last_failure();
    EXPECT_EQ(m.screens[0]->cells[0][0] >> 12, 0);
    EXPECT_EQ(m.screens[0]->cells[0][1] >> 12, 1);
    EXPECT_EQ(m.palette.colours[18], rgb_to_col(0, 0, 0xF8));
    EXPECT_EQ(m.palette.colours[16], 0);
    EXPECT_EQ(m.summaries[0].bank_count, 2u);
    // A colour no bank holds is named as the picture has it.
    const Picture misses = picture_of({0xF80000, 0x0A0B0C});
    clear_failure();
    EXPECT_FALSE(map_pictures({&misses}, {}, options, m));
    const std::string reason = last_failure();
    EXPECT_NE(reason.find("8,0"), std::string::npos) << reason;
    EXPECT_NE(reason.find("#0A0B0C"), std::string::npos) << reason;
    EXPECT_EQ(m.units[0].failing, (std::vector<uint8_t>{0, 1}));

    // A pixel that the target draws as the key is drawn with an entry 1-15 of
    // its bank holding that value (near-black: entry 3, a zero), or its cell is
    // refused (blue is the key, and no bank holds red, green and blue).
    Picture dark = picture_of({0xF80000});
    dark.pixels[2] = rgb(0x030303);
    ASSERT_TRUE(map_pictures({&dark}, {}, options, m)) << last_failure();
    EXPECT_EQ(test::render_mapped(m, 0)[2], 3);
    PictureOptions blue_key = options;
    blue_key.transparent = TransparentRule::COLOUR;
    blue_key.transparent_colour = rgb(0x0000F8);
    Picture blue = picture_of({0xF80000});
    blue.pixels[0] = rgb(0x0000F8);
    blue.pixels[2] = rgb(0x0000FC);
    clear_failure();
    EXPECT_FALSE(map_pictures({&blue}, {}, blue_key, m));
    EXPECT_EQ(last_failure_reason(), &kReasonNoBankHolds);
    EXPECT_EQ(std::string(last_failure()),
              say(kReasonNoBankHolds, kUnitCell.get(), 0u, 0u, 0u, "#0000FC"));
}

TEST(PictureMap, CellsOfMoreThan15ColoursAreNamed) {
    // Cells 1, 3 and 4 of the row use 16, 17 and 16 colours besides the key.
    const uint32_t counts[] = {3, 16, 15, 17, 16};
    Picture p;
    p.width = 40;
    p.height = 8;
    for (uint32_t y = 0; y < 8; ++y)
        for (uint32_t x = 0; x < 40; ++x) {
            const uint32_t i = y * 8 + x % 8;
            p.pixels.push_back(x == 0 && y == 0 ? rgb(0)
                                                : rgb(i < counts[x / 8] ? 0x0F0F0F * (i + 1) : 0));
        }
    MapScreens m;
    clear_failure();
    ASSERT_FALSE(map_pictures({&p}, {}, PictureOptions{}, m));
    const std::string reason = last_failure();
    EXPECT_NE(reason.find("8,0"), std::string::npos) << reason;
    EXPECT_NE(reason.substr(0, reason.find("24,0")).find("16"), std::string::npos) << reason;
    EXPECT_NE(reason.find("24,0 (17), 32,0 (16)"), std::string::npos) << reason;
    EXPECT_EQ(m.units[0].failing, (std::vector<uint8_t>{0, 1, 0, 1, 1}));

    // The report frames them and numbers the others.
    const Picture r = render_report(p, m.units[0], m.palette);
    ASSERT_EQ(r.width, 80u);
    auto at = [&](uint32_t x, uint32_t y) { return r.pixels[y * r.width + x]; };
    for (uint32_t k = 0; k < 16; ++k) {
        EXPECT_EQ(at(16 + k, 0), kReportFrame);
        EXPECT_EQ(at(31, k), kReportFrame);
        EXPECT_NE(at(k, 0), kReportFrame);
    }
    EXPECT_EQ(at(18, 14), p.pixels[7 * 40 + 9]);  // inside the frame, the picture
}

TEST(PictureMap, TooManyBanksSaysWhetherProven) {
    // A row of cells of 9 colours each, the key at the top left. 17 cells of
    // distinct colours: no two share a bank, which proves 17. Six rings of
    // five cells, where only a cell's two neighbours in its ring share no
    // colour with it: no three share a bank, so 18 are needed, which the
    // bounds do not see and a short search does not prove.
    const std::vector<std::vector<uint32_t>> ring = {{0, 1, 2, 9, 10, 11, 15, 16, 17},
                                                     {3, 4, 5, 12, 13, 14, 18, 19, 20},
                                                     {0, 1, 2, 6, 7, 8, 21, 22, 23},
                                                     {3, 4, 5, 9, 10, 11, 24, 25, 26},
                                                     {6, 7, 8, 12, 13, 14, 27, 28, 29}};
    const auto cell_picture = [](const std::vector<std::vector<uint32_t>>& cells) {
        Picture p;
        p.width = static_cast<uint32_t>(8 * cells.size());
        p.height = 8;
        for (uint32_t y = 0; y < 8; ++y)
            for (uint32_t x = 0; x < p.width; ++x) {
                const uint32_t n = cells[x / 8][(y * 8 + x % 8) % 9] + 1;
                p.pixels.push_back(x == 0 && y == 0 ? rgb(0)
                                                    : rgb((n & 31) << 19 | (n >> 5) << 11 | 0x80));
            }
        return p;
    };
    std::vector<std::vector<uint32_t>> apart, rings;
    for (uint32_t c = 0; c < 17; ++c)
        apart.push_back({9 * c, 9 * c + 1, 9 * c + 2, 9 * c + 3, 9 * c + 4, 9 * c + 5, 9 * c + 6,
                         9 * c + 7, 9 * c + 8});
    for (uint32_t r = 0; r < 6; ++r)
        for (const std::vector<uint32_t>& cell : ring) {
            rings.push_back(cell);
            for (uint32_t& n : rings.back()) n += 30 * r;
        }
    struct Case {
        const std::vector<std::vector<uint32_t>>* cells;
        uint64_t effort;
        const char* says;
    };
    for (const Case c :
         {Case{&apart, kDefaultPackEffort,
               "at least 17 are needed, proven by 17 colour sets no two of which fit one palette; "
               "cells left over: 128,0"},
          Case{&rings, 1000,
               "18 at best (at least 12); none found within 1000 steps; a larger --pack-effort may "
               "find one; cells left over: "}}) {
        const Picture p = cell_picture(*c.cells);
        set_language(LANGUAGE_EN);
        PictureOptions options;
        options.pack_effort = c.effort;
        MapScreens m;
        clear_failure();
        const bool mapped = map_pictures({&p}, {}, options, m);
        set_language(LANGUAGE_JA);
        ASSERT_FALSE(mapped);
        EXPECT_NE(std::string(last_failure()).find(c.says), std::string::npos) << last_failure();
        EXPECT_EQ(last_failure_reason(),
                  c.effort == 1000 ? &kReasonTooManyBanks : &kReasonTooManyBanksProven);
    }
}

TEST(PictureMap, ReportNumbersCellsAndShowsTheBanks) {
    std::mt19937 rng(9);
    Picture p = random_picture(rng, 64, 32, false);
    MapScreens m;
    ASSERT_TRUE(map_pictures({&p}, {}, PictureOptions{}, m)) << last_failure();
    ASSERT_GE(m.summaries[0].bank_count, 2u);
    const Picture r = render_report(p, m.units[0], m.palette);
    ASSERT_EQ(r.width, std::max(128u, kLegendSwatchX + 16 * kLegendSwatchStep));
    ASSERT_EQ(r.height, 64 + m.summaries[0].bank_count * kLegendRow);
    auto at = [&](uint32_t x, uint32_t y) { return r.pixels[y * r.width + x]; };
    const UnitBanks& u = m.units[0];
    for (uint32_t k = 0; k < u.grid.count(); ++k) {
        const uint32_t x0 = 2 * u.grid.x_of(k) + 1, y0 = 2 * u.grid.y_of(k) + 1;
        const uint32_t bank = u.bank[k];
        ASSERT_LT(bank, 10u);
        for (uint32_t y = 0; y < kDigitHeight; ++y)
            for (uint32_t x = 0; x < kDigitWidth; ++x)
                ASSERT_EQ(at(x0 + 1 + x, y0 + 1 + y),
                          digit_pixel(bank, x, y) ? kReportDigit : kReportDigitBack)
                    << k;
        // Outside the number, the picture at twice its size.
        const uint32_t px = u.grid.x_of(k) + 7, py = u.grid.y_of(k) + 7;
        EXPECT_EQ(at(2 * px + 1, 2 * py), p.pixels[py * 64 + px]);
    }
    // Legend row b: its number, then its colours.
    for (uint32_t b = 0; b < m.summaries[0].bank_count; ++b) {
        const uint32_t y = 64 + b * kLegendRow;
        EXPECT_EQ(at(2, y + 2), digit_pixel(b, 0, 0) ? kReportDigit : kReportDigitBack);
        const uint32_t bgr = col_to_bgr0(m.palette.colours[16 * b + 1]);
        EXPECT_EQ(at(kLegendSwatchX + kLegendSwatchStep + 3, y + 4),
                  (Rgba{static_cast<uint8_t>(bgr >> 16), static_cast<uint8_t>(bgr >> 8),
                        static_cast<uint8_t>(bgr), 255}));
    }
}

// Writes an indexed PNG of two 8 x 8 cells, each one colour index of `pixels`.
std::string cells_png(const test::TempDir& tmp, const std::string& name, uint8_t left,
                      uint8_t right) {
    test::PngFixture f;
    f.width = 16;
    f.pixels.resize(16 * 8);
    for (uint32_t i = 0; i < f.pixels.size(); ++i) f.pixels[i] = i % 16 < 8 ? left : right;
    f.pixels[0] = 0;  // the key: index 0, black
    f.palette = {0x000000, 0xF80000, 0x00F800, 0x0000F8, 0xF8F800};
    const std::string path = tmp.file(name + ".png");
    test::write_file(path, test::make_png(f));
    return path;
}

TEST(PictureMap, SharedSetAndTheReportOnFailure) {
    test::TempDir tmp;
    test::reset_settings(tmp.path());
    const std::string a = cells_png(tmp, "a", 1, 2), b = cells_png(tmp, "b", 3, 2);
    ConvertJob set = job_in(a, tmp.path());
    copy_text(set.name, sizeof set.name, "area");
    PictureOptions options;
    options.palette = PaletteRule::GENERATE;
    options.report = true;
    int encoded = 0;
    options.report_encoder = [&](const Picture& p, std::vector<uint8_t>& out) {
        ++encoded;
        out.assign(4, static_cast<uint8_t>(p.width));
        return true;
    };
    std::vector<PictureSummary> summaries;
    ASSERT_TRUE(convert_shared_maps(set, {job_in(a, tmp.path()), job_in(b, tmp.path())}, options,
                                    summaries))
        << last_failure();
    EXPECT_EQ(encoded, 2);
    EXPECT_EQ(outputs(tmp.path(), "area"),
              (std::vector<std::string>{"area_COL.ptc", "area_CHR.ptc"}));
    EXPECT_EQ(outputs(tmp.path(), "a"), (std::vector<std::string>{"a_SCR.ptc", "a_report.png"}));
    EXPECT_EQ(outputs(tmp.path(), "b"), (std::vector<std::string>{"b_SCR.ptc", "b_report.png"}));
    // Green is one tile in both pictures; red, green and blue fit one bank.
    ASSERT_EQ(summaries.size(), 2u);
    EXPECT_EQ(summaries[0].tiles, 4u);  // blank, red with the key, green, blue with the key
    EXPECT_EQ(summaries[1].bank_count, 1u);
    for (const char* screen : {"a_SCR.ptc", "b_SCR.ptc"}) {
        SCOPED_TRACE(screen);
        const test::PtcFile scr = test::read_ptc(tmp.file(screen));
        ASSERT_TRUE(scr.valid);
        ScreenCells cells;
        cells_from_scr_body(scr.body.data(), cells);
        EXPECT_EQ(cells[0][0], screen[0] == 'a' ? 1 : 3);
        EXPECT_EQ(cells[0][1], 2);
    }

    // A failing picture leaves only its report.
    test::TempDir other;
    const std::string c = cells_png(other, "c", 1, 2);
    options.palette = PaletteRule::FILE;
    options.palette_file = tmp.file("area_COL.ptc");
    test::PngFixture yellow;
    yellow.pixels.assign(64, 4);
    yellow.pixels[0] = 0;
    yellow.palette = {0x000000, 0, 0, 0, 0xF8F800};
    test::write_file(other.file("y.png"), test::make_png(yellow));
    PictureSummary summary;
    clear_failure();
    EXPECT_FALSE(convert_picture_map(job_in(other.file("y.png"), other.path()), options, summary));
    EXPECT_NE(std::string(last_failure()).find("#F8F800"), std::string::npos) << last_failure();
    EXPECT_EQ(outputs(other.path(), "y"), (std::vector<std::string>{"y_report.png"}));
    EXPECT_TRUE(convert_picture_map(job_in(c, other.path()), options, summary)) << last_failure();
    EXPECT_EQ(summary.rule, PaletteRule::FILE);
}

Picture decoded(const test::PngFixture& f) {
    const std::vector<uint8_t> bytes = test::make_png(f);
    Picture p;
    EXPECT_TRUE(decode_picture(bytes.data(), bytes.size(), p)) << last_failure();
    return p;
}

// An RGB PNG of `depth` bits a sample, each pixel of `colours` given as
// 16-bit samples (the high byte alone for 8 bits).
Picture rgb_png(uint32_t w, uint32_t h, uint8_t depth,
                const std::function<std::array<uint16_t, 3>(uint32_t, uint32_t)>& colour) {
    test::PngFixture f;
    f.width = w;
    f.height = h;
    f.depth = depth;
    f.colour_type = 2;
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x)
            for (uint16_t v : colour(x, y))
                f.samples.push_back(depth == 16 ? v : static_cast<uint16_t>(v >> 8));
    return decoded(f);
}

bool same_rgb(const Rgba& a, const Rgba& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

TEST(PictureMap, OnlyTheKeyColourItselfIsTransparent) {
    // Black with outlines of near-black (the target draws 2,2,2 and 7,7,7 as black).
    const Picture outlined = rgb_png(16, 8, 8, [](uint32_t x, uint32_t y) {
        const uint16_t v = x == 3 || x == 12 ? 0x0200 : y == 2 ? 0x0700 : 0;
        return std::array<uint16_t, 3>{x > 5 && x < 10 ? uint16_t{0xF800} : v, v, v};
    });
    // 16 bits a sample: the key by its high bytes, a pixel of other high bytes
    // that the target draws alike, and one whose low bytes alone differ.
    const Picture deep = rgb_png(8, 8, 16, [](uint32_t x, uint32_t y) {
        if (y == 4) return std::array<uint16_t, 3>{0x1300, 0x3400, 0x5600};
        if (x == 5) return std::array<uint16_t, 3>{0x1200, 0x34FF, 0x5601};
        if (y == 6) return std::array<uint16_t, 3>{0xF800, 0x8000, 0x4000};
        return std::array<uint16_t, 3>{0x12FF, 0x3400, 0x56AA};
    });
    // An indexed picture with the key in entries 0 and 3 and a near colour in 4.
    test::PngFixture f;
    f.palette = {0x102030, 0xF80000, 0x00F800, 0x102030, 0x112131};
    for (uint32_t i = 0; i < 64; ++i) f.pixels.push_back(static_cast<uint8_t>(i % 5));
    const Picture two_keys = decoded(f);
    // A colour given whose target value some pixels have, none exactly.
    const Picture magenta = rgb_png(8, 8, 8, [](uint32_t x, uint32_t) {
        return std::array<uint16_t, 3>{0xF800, 0, x < 3 ? uint16_t{0xF800} : uint16_t{0x8000}};
    });
    // Pictures sharing banks: each its own top-left key, entry 0 the first's.
    const Picture black_key = rgb_png(8, 8, 8, [](uint32_t x, uint32_t) {
        return std::array<uint16_t, 3>{x % 2 ? uint16_t{0xFF00} : uint16_t{0}, 0, 0};
    });
    const Picture red_key = rgb_png(8, 8, 8, [](uint32_t x, uint32_t) {
        return std::array<uint16_t, 3>{x % 2 ? uint16_t{0} : uint16_t{0xFF00}, 0, 0};
    });
    // A level's layer drawn opaque everywhere: no key at all; an opaque pixel
    // of colour number 0 keeps AUTO from keeping its indices.
    Picture level = indexed(16, 8, {0x000000, 0xF80000, 0x00F800}, [](uint32_t x, uint32_t y) {
        return static_cast<uint8_t>(x == 9 && y == 2 ? 0 : 1 + (x + y) % 2);
    });

    PictureOptions generate;
    generate.palette = PaletteRule::GENERATE;
    PictureOptions given;
    given.transparent = TransparentRule::COLOUR;
    given.transparent_colour = Rgba{0xFF, 0, 0xFF, 255};
    const Rgba black{0, 0, 0, 255};
    struct Case {
        const char* name;
        std::vector<const Picture*> pictures;
        PictureOptions options;
        std::vector<std::optional<Rgba>> keys;
        uint16_t entry_0;
        std::vector<uint8_t> levels;
    } cases[] = {
        {"near-black outlines", {&outlined}, {}, {black}, 0, {}},
        {"16-bit PNG", {&deep}, {}, {deep.pixels[0]}, rgb_to_col(0x12, 0x34, 0x56), {}},
        {"two palette entries of the key",
         {&two_keys},
         generate,
         {two_keys.pixels[0]},
         rgb_to_col(0x10, 0x20, 0x30),
         {}},
        {"a key given loosely",
         {&magenta},
         given,
         {given.transparent_colour},
         rgb_to_col(0xFF, 0, 0xFF),
         {}},
        {"a set of pictures", {&black_key, &red_key}, {}, {black, red_key.pixels[0]}, 0, {}},
        {"an opaque level", {&level}, {}, {std::nullopt}, 0, {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MapScreens m;
        ASSERT_TRUE(map_pictures(c.pictures, {}, c.options, m, c.levels)) << last_failure();
        for (uint32_t b = 0; b < m.summaries[0].bank_count; ++b)
            EXPECT_EQ(m.palette.colours[16 * b], c.entry_0) << b;
        for (size_t p = 0; p < c.pictures.size(); ++p) {
            const Picture& pic = *c.pictures[p];
            const std::vector<uint8_t> back = test::render_mapped(m, p);
            for (uint32_t y = 0; y < pic.height; ++y)
                for (uint32_t x = 0; x < pic.width; ++x) {
                    const Rgba& px = pic.pixels[y * pic.width + x];
                    const uint8_t index = back[y * 512 + x];
                    if (px.a < 128 || (c.keys[p] && same_rgb(px, *c.keys[p]))) {
                        ASSERT_EQ(index & 15, 0) << p << " " << x << "," << y;
                        continue;
                    }
                    ASSERT_NE(index & 15, 0) << p << " " << x << "," << y;
                    ASSERT_EQ(m.palette.colours[index], target(px)) << p << " " << x << "," << y;
                }
        }
    }
    // What the summary tells: the colour given matched no pixel, 24 stay opaque;
    // the level was arranged for its pixel at 9,2.
    MapScreens m;
    ASSERT_TRUE(map_pictures({&magenta}, {}, given, m));
    EXPECT_EQ(m.summaries[0].key_pixels, 0u);
    EXPECT_EQ(m.summaries[0].near_key_pixels, 24u);
    ASSERT_TRUE(map_pictures({&level}, {}, PictureOptions{}, m, {1}));
    EXPECT_EQ(m.summaries[0].rule, PaletteRule::GENERATE);
    EXPECT_EQ(m.summaries[0].reason, RuleReason::OPAQUE_COLOUR_0);
    EXPECT_EQ(m.summaries[0].mixed_x, 9u);
    EXPECT_EQ(m.summaries[0].mixed_y, 2u);
    // Asked to keep, the level says how many opaque pixels colour number 0 hides.
    PictureOptions keep;
    keep.palette = PaletteRule::KEEP;
    ASSERT_TRUE(map_pictures({&level}, {}, keep, m, {1}));
    EXPECT_EQ(m.summaries[0].hidden_by_keep, 1u);
    // The same picture, not a level, keeps by AUTO, as it always did.
    ASSERT_TRUE(map_pictures({&level}, {}, PictureOptions{}, m));
    EXPECT_EQ(m.summaries[0].rule, PaletteRule::KEEP);
}

TEST(PictureMap, ANearKeyColourCountsInItsCell) {
    // Cell 0,0: the key (black), 15 colours and near-black: 16 colours to draw.
    Picture p;
    p.width = 16;
    p.height = 8;
    p.pixels.assign(128, Rgba{0, 0, 0, 255});
    p.pixels[1] = Rgba{3, 3, 3, 255};
    for (uint32_t k = 1; k <= 15; ++k) p.pixels[k / 7 * 16 + 1 + k % 7] = rgb(0x0F0F0F * k);
    MapScreens m;
    clear_failure();
    ASSERT_FALSE(map_pictures({&p}, {}, PictureOptions{}, m));
    EXPECT_EQ(last_failure_reason(), &kReasonUnitColours);
    EXPECT_EQ(std::string(last_failure()),
              say(kReasonUnitColours, kUnitCell.get(), 0u, 0u, 16u, ""));
    EXPECT_EQ(m.units[0].failing, (std::vector<uint8_t>{1, 0}));
}

}  // namespace
}  // namespace tw
