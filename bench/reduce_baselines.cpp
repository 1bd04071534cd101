#include "reduce_baselines.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "palettes/oklab.h"
#include "picture/bmp_image.h"

namespace tw::bench {
namespace {

struct Sample {
    int32_t c[3];
};

Sample sample_of(const Rgba& p) {
    return Sample{{p.r, p.g, p.b}};
}

// The target colour nearest an 8-bit RGB mean, channel by channel, widened.
Sample quantise(const double mean[3]) {
    const auto level = [](double v, double step, int top) {
        return static_cast<uint8_t>(std::clamp(static_cast<int>(v / step + 0.5), 0, top) * step);
    };
    const Rgb8 w = widen_target_colour(
        rgb_to_col(level(mean[0], 8, 31), level(mean[1], 4, 63), level(mean[2], 8, 31)));
    return Sample{{w.r, w.g, w.b}};
}

// Classic median cut: the box with the longest side is split at its median.
std::vector<Sample> median_cut(std::vector<Sample> samples, size_t size) {
    struct Box {
        size_t begin, end;
    };
    std::vector<Box> boxes{{0, samples.size()}};
    const auto side = [&](const Box& b, int* axis) {
        int best = -1;
        for (int a = 0; a < 3; ++a) {
            int lo = 255, hi = 0;
            for (size_t k = b.begin; k < b.end; ++k) {
                lo = std::min(lo, samples[k].c[a]);
                hi = std::max(hi, samples[k].c[a]);
            }
            if (hi - lo > best) {
                best = hi - lo;
                *axis = a;
            }
        }
        return best;
    };
    while (boxes.size() < size) {
        size_t pick = boxes.size();
        int pick_side = 0, pick_axis = 0;
        for (size_t k = 0; k < boxes.size(); ++k) {
            int axis = 0;
            const int s = side(boxes[k], &axis);
            if (s > pick_side) {
                pick = k;
                pick_side = s;
                pick_axis = axis;
            }
        }
        if (pick == boxes.size()) break;
        const Box b = boxes[pick];
        const auto first = samples.begin() + static_cast<std::ptrdiff_t>(b.begin);
        const auto mid = first + static_cast<std::ptrdiff_t>((b.end - b.begin) / 2);
        std::nth_element(
            first, mid, samples.begin() + static_cast<std::ptrdiff_t>(b.end),
            [&](const Sample& x, const Sample& y) { return x.c[pick_axis] < y.c[pick_axis]; });
        const size_t split = static_cast<size_t>(mid - samples.begin());
        boxes[pick] = Box{b.begin, split};
        boxes.push_back(Box{split, b.end});
    }
    std::vector<Sample> palette;
    for (const Box& b : boxes) {
        if (b.begin == b.end) continue;
        double mean[3] = {0, 0, 0};
        for (size_t k = b.begin; k < b.end; ++k)
            for (int a = 0; a < 3; ++a) mean[a] += samples[k].c[a];
        for (double& m : mean) m /= static_cast<double>(b.end - b.begin);
        palette.push_back(quantise(mean));
    }
    return palette;
}

const Sample& nearest(const Sample& s, const std::vector<Sample>& palette) {
    size_t best = 0;
    int32_t best_d = INT32_MAX;
    for (size_t k = 0; k < palette.size(); ++k) {
        int32_t d = 0;
        for (int a = 0; a < 3; ++a) d += (s.c[a] - palette[k].c[a]) * (s.c[a] - palette[k].c[a]);
        if (d < best_d) {
            best = k;
            best_d = d;
        }
    }
    return palette[best];
}

// k-means from a starting palette: samples to their nearest colour, each
// colour to its samples' mean (as a target colour), until nothing moves or
// 32 steps; the palette of least error seen.
std::vector<Sample> k_means(const std::vector<Sample>& samples, std::vector<Sample> palette) {
    const auto distance = [](const Sample& x, const Sample& y) {
        int32_t d = 0;
        for (int a = 0; a < 3; ++a) d += (x.c[a] - y.c[a]) * (x.c[a] - y.c[a]);
        return d;
    };
    std::vector<Sample> best = palette;
    int64_t best_error = INT64_MAX;
    for (int step = 0; step < 32; ++step) {
        std::vector<std::array<double, 4>> sum(palette.size(), {0, 0, 0, 0});
        int64_t error = 0;
        for (const Sample& s : samples) {
            const Sample& near = nearest(s, palette);
            error += distance(s, near);
            auto& m = sum[static_cast<size_t>(&near - palette.data())];
            for (size_t a = 0; a < 3; ++a) m[a] += s.c[a];
            m[3] += 1;
        }
        if (error < best_error) {
            best = palette;
            best_error = error;
        }
        std::vector<Sample> next = palette;
        for (size_t k = 0; k < palette.size(); ++k)
            if (sum[k][3] > 0) {
                const double mean[3] = {sum[k][0] / sum[k][3], sum[k][1] / sum[k][3],
                                        sum[k][2] / sum[k][3]};
                next[k] = quantise(mean);
            }
        if (std::equal(next.begin(), next.end(), palette.begin(),
                       [&](const Sample& x, const Sample& y) { return distance(x, y) == 0; }))
            break;
        palette = std::move(next);
    }
    return best;
}

struct Error {
    double square_sum = 0;
    double samples = 0;
    void add(const Rgba& p, const Sample& drawn) {
        const int32_t o[3] = {p.r, p.g, p.b};
        for (int a = 0; a < 3; ++a) square_sum += (o[a] - drawn.c[a]) * (o[a] - drawn.c[a]);
        samples += 3;
    }
    double psnr() const {
        return square_sum == 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 * samples / square_sum);
    }
};

}  // namespace

double ceiling_psnr(const Rgba* pixels, uint32_t width, uint32_t height) {
    Error error;
    const size_t n = size_t{width} * height;
    for (size_t i = 0; i < n; ++i)
        if (pixels[i].a) {
            const double mean[3] = {static_cast<double>(pixels[i].r),
                                    static_cast<double>(pixels[i].g),
                                    static_cast<double>(pixels[i].b)};
            error.add(pixels[i], quantise(mean));
        }
    return error.psnr();
}

double single_palette_psnr(const Rgba* pixels, uint32_t width, uint32_t height) {
    std::vector<Sample> samples;
    const size_t n = size_t{width} * height;
    for (size_t i = 0; i < n; ++i)
        if (pixels[i].a) samples.push_back(sample_of(pixels[i]));
    const std::vector<Sample> palette = median_cut(samples, 15);
    Error error;
    for (size_t i = 0; i < n; ++i)
        if (pixels[i].a) error.add(pixels[i], nearest(sample_of(pixels[i]), palette));
    return error.psnr();
}

double two_step_psnr(const Rgba* pixels, uint32_t width, uint32_t height, uint32_t unit_width,
                     uint32_t unit_height) {
    const uint32_t across = (width + unit_width - 1) / unit_width;
    const uint32_t down = (height + unit_height - 1) / unit_height;
    const size_t units = size_t{across} * down;
    const auto unit_of = [&](size_t i) {
        return i / width / unit_height * across + i % width / unit_width;
    };
    const size_t n = size_t{width} * height;
    // Mean colour of each unit that has an opaque pixel.
    std::vector<std::array<double, 4>> mean(units, {0, 0, 0, 0});
    for (size_t i = 0; i < n; ++i) {
        if (!pixels[i].a) continue;
        const Sample s = sample_of(pixels[i]);
        auto& m = mean[unit_of(i)];
        for (int a = 0; a < 3; ++a) m[static_cast<size_t>(a)] += s.c[a];
        m[3] += 1;
    }
    std::vector<size_t> used;
    for (size_t u = 0; u < units; ++u)
        if (mean[u][3] > 0) {
            for (size_t a = 0; a < 3; ++a) mean[u][a] /= mean[u][3];
            used.push_back(u);
        }
    // k-means of the means, started from units spread evenly through the
    // units sorted by brightness.
    std::vector<size_t> by_light = used;
    std::sort(by_light.begin(), by_light.end(), [&](size_t x, size_t y) {
        return mean[x][0] + mean[x][1] + mean[x][2] < mean[y][0] + mean[y][1] + mean[y][2];
    });
    const size_t k = std::min<size_t>(16, used.size());
    std::vector<std::array<double, 3>> centre(k);
    for (size_t c = 0; c < k; ++c) {
        const auto& m = mean[by_light[(2 * c + 1) * by_light.size() / (2 * k)]];
        centre[c] = {m[0], m[1], m[2]};
    }
    std::vector<size_t> group(units, 0);
    for (int step = 0; step < 20; ++step) {
        std::vector<std::array<double, 4>> sum(k, {0, 0, 0, 0});
        for (size_t u : used) {
            double best = 1e30;
            for (size_t c = 0; c < k; ++c) {
                double d = 0;
                for (size_t a = 0; a < 3; ++a)
                    d += (mean[u][a] - centre[c][a]) * (mean[u][a] - centre[c][a]);
                if (d < best) {
                    best = d;
                    group[u] = c;
                }
            }
            for (size_t a = 0; a < 3; ++a) sum[group[u]][a] += mean[u][a];
            sum[group[u]][3] += 1;
        }
        for (size_t c = 0; c < k; ++c)
            if (sum[c][3] > 0)
                for (size_t a = 0; a < 3; ++a) centre[c][a] = sum[c][a] / sum[c][3];
    }
    std::vector<std::vector<Sample>> samples(k);
    for (size_t i = 0; i < n; ++i)
        if (pixels[i].a) samples[group[unit_of(i)]].push_back(sample_of(pixels[i]));
    std::vector<std::vector<Sample>> palettes(k);
    for (size_t c = 0; c < k; ++c)
        if (!samples[c].empty()) palettes[c] = median_cut(samples[c], 15);
    Error error;
    for (size_t i = 0; i < n; ++i)
        if (pixels[i].a)
            error.add(pixels[i], nearest(sample_of(pixels[i]), palettes[group[unit_of(i)]]));
    return error.psnr();
}

double per_unit_psnr(const Rgba* pixels, uint32_t width, uint32_t height, uint32_t unit_width,
                     uint32_t unit_height) {
    Error error;
    for (uint32_t y0 = 0; y0 < height; y0 += unit_height)
        for (uint32_t x0 = 0; x0 < width; x0 += unit_width) {
            std::vector<Sample> samples;
            for (uint32_t y = y0; y < std::min(y0 + unit_height, height); ++y)
                for (uint32_t x = x0; x < std::min(x0 + unit_width, width); ++x)
                    if (pixels[size_t{y} * width + x].a)
                        samples.push_back(sample_of(pixels[size_t{y} * width + x]));
            if (samples.empty()) continue;
            const std::vector<Sample> palette = k_means(samples, median_cut(samples, 15));
            for (uint32_t y = y0; y < std::min(y0 + unit_height, height); ++y)
                for (uint32_t x = x0; x < std::min(x0 + unit_width, width); ++x) {
                    const Rgba& p = pixels[size_t{y} * width + x];
                    if (p.a) error.add(p, nearest(sample_of(p), palette));
                }
        }
    return error.psnr();
}

}  // namespace tw::bench
