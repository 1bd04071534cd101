// The colour reducer on real pictures: time, and PSNR beside plain baselines
// (one median-cut palette for the whole picture; units grouped by mean colour,
// a median cut per group; and, for a picture of at most 16 units, each unit's
// own k-means palette). Pictures are raw 8-bit RGBA files named
// NAME_WxH.rgba: the small ones in bench/data, a 512 x 512 picture made from
// the cat, and any in the folder named by TW_REDUCE_PICTURES
// (bench/data/fetch_pictures.sh makes a set from Debian packages).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "palettes/colour_reduce.h"
#include "reduce_baselines.h"

namespace {

struct RawPicture {
    std::string name;
    uint32_t width = 0, height = 0;
    std::vector<tw::Rgba> pixels;
};

bool load_raw(const std::filesystem::path& path, RawPicture& out) {
    const std::string stem = path.stem().string();
    const size_t cut = stem.rfind('_'), x = stem.rfind('x');
    if (cut == std::string::npos || x == std::string::npos || x < cut) return false;
    out.name = stem.substr(0, cut);
    out.width = static_cast<uint32_t>(std::stoul(stem.substr(cut + 1, x - cut - 1)));
    out.height = static_cast<uint32_t>(std::stoul(stem.substr(x + 1)));
    out.pixels.resize(size_t{out.width} * out.height);
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(out.pixels.data()),
            static_cast<std::streamsize>(out.pixels.size() * sizeof(tw::Rgba)));
    return in.gcount() == static_cast<std::streamsize>(out.pixels.size() * sizeof(tw::Rgba));
}

// Four times as wide and high, by bilinear interpolation.
RawPicture enlarged(const RawPicture& p) {
    RawPicture big{p.name + "_x4", p.width * 4, p.height * 4, {}};
    big.pixels.resize(size_t{big.width} * big.height);
    for (uint32_t y = 0; y < big.height; ++y)
        for (uint32_t x = 0; x < big.width; ++x) {
            const uint32_t fx = x * 4 + 2 >= 8 ? x * 4 + 2 - 8 : 0,
                           fy = y * 4 + 2 >= 8 ? y * 4 + 2 - 8 : 0;
            const uint32_t x0 = std::min(fx / 16, p.width - 1),
                           y0 = std::min(fy / 16, p.height - 1);
            const uint32_t x1 = std::min(x0 + 1, p.width - 1), y1 = std::min(y0 + 1, p.height - 1);
            const uint32_t wx = fx % 16, wy = fy % 16;
            const auto at = [&](uint32_t px, uint32_t py) {
                return p.pixels[size_t{py} * p.width + px];
            };
            const auto mix = [&](uint8_t tw::Rgba::*c) {
                const uint32_t top = (at(x0, y0).*c) * (16 - wx) + (at(x1, y0).*c) * wx;
                const uint32_t bottom = (at(x0, y1).*c) * (16 - wx) + (at(x1, y1).*c) * wx;
                return static_cast<uint8_t>((top * (16 - wy) + bottom * wy + 128) / 256);
            };
            big.pixels[size_t{y} * big.width + x] =
                tw::Rgba{mix(&tw::Rgba::r), mix(&tw::Rgba::g), mix(&tw::Rgba::b), 255};
        }
    return big;
}

void run(benchmark::State& state, const RawPicture* p, bool dither) {
    tw::ReduceRequest rq;
    rq.width = p->width;
    rq.height = p->height;
    rq.pixels = p->pixels.data();
    rq.dither = dither;
    tw::ReducedPicture out;
    for (auto _ : state) {
        if (!tw::reduce_colours(rq, out)) return state.SkipWithError("reduce failed");
        benchmark::DoNotOptimize(out.numbers.data());
    }
    const double single = tw::bench::single_palette_psnr(rq.pixels, rq.width, rq.height);
    const double two_step = tw::bench::two_step_psnr(rq.pixels, rq.width, rq.height, 8, 8);
    state.counters["psnr"] = out.psnr;
    state.counters["psnr_ceiling"] = tw::bench::ceiling_psnr(rq.pixels, rq.width, rq.height);
    state.counters["psnr_single"] = single;
    state.counters["psnr_two_step"] = two_step;
    state.counters["gain_single"] = out.psnr - single;
    state.counters["gain_two_step"] = out.psnr - two_step;
    if (size_t{out.units_across} * out.units_down <= 16) {
        const double per_unit = tw::bench::per_unit_psnr(rq.pixels, rq.width, rq.height, 8, 8);
        state.counters["psnr_per_unit"] = per_unit;
        state.counters["gain_per_unit"] = out.psnr - per_unit;
    }
    state.counters["max_oklab"] = out.max_error;
    state.counters["banks"] = static_cast<double>(out.banks.size());
}

const bool registered = [] {
    static std::vector<RawPicture> pictures;
    const std::filesystem::path data(TW_BENCH_DATA_DIR);
    std::vector<std::filesystem::path> files{data / "chelsea_128x128.rgba",
                                             data / "fruitcake_40x24.rgba"};
    if (const char* dir = std::getenv("TW_REDUCE_PICTURES")) {
        std::vector<std::filesystem::path> more;
        for (const auto& e : std::filesystem::directory_iterator(dir))
            if (e.path().extension() == ".rgba") more.push_back(e.path());
        std::sort(more.begin(), more.end());
        files.insert(files.end(), more.begin(), more.end());
    }
    pictures.reserve(files.size() + 1);
    for (const auto& f : files) {
        RawPicture p;
        if (load_raw(f, p)) pictures.push_back(std::move(p));
    }
    if (!pictures.empty() && pictures[0].width == 128) pictures.push_back(enlarged(pictures[0]));
    for (const RawPicture& p : pictures) {
        const std::string size = std::to_string(p.width) + "x" + std::to_string(p.height);
        benchmark::RegisterBenchmark(("BM_Reduce/" + p.name + "/" + size).c_str(), run, &p, false)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_ReduceDither/" + p.name + "/" + size).c_str(), run, &p,
                                     true)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace
