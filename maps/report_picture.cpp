#include "maps/report_picture.h"

#include <algorithm>

#include "common/failure.h"
#include "common/fixed_text.h"
#include "extract/bmp_output.h"
#include "image/resource_kinds.h"
#include "platform/files.h"
#include "resources/texts.h"

namespace tw {
namespace {

// Rows of 3 bits, the left pixel the highest bit.
constexpr uint8_t kDigits[10][kDigitHeight] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};

void put(Picture& p, uint32_t x, uint32_t y, Rgba c) {
    if (x < p.width && y < p.height) p.pixels[size_t{y} * p.width + x] = c;
}

void fill(Picture& p, uint32_t x0, uint32_t y0, uint32_t w, uint32_t h, Rgba c) {
    for (uint32_t y = y0; y < y0 + h; ++y)
        for (uint32_t x = x0; x < x0 + w; ++x) put(p, x, y, c);
}

// A number in white on a dark box whose top-left corner is (x0, y0).
void draw_number(Picture& p, uint32_t x0, uint32_t y0, uint32_t n) {
    const std::string text = std::to_string(n);
    const auto count = static_cast<uint32_t>(text.size());
    fill(p, x0, y0, count * (kDigitWidth + 1) + 1, kDigitHeight + 2, kReportDigitBack);
    for (uint32_t i = 0; i < count; ++i)
        for (uint32_t y = 0; y < kDigitHeight; ++y)
            for (uint32_t x = 0; x < kDigitWidth; ++x)
                if (digit_pixel(static_cast<uint32_t>(text[i] - '0'), x, y))
                    put(p, x0 + 1 + i * (kDigitWidth + 1) + x, y0 + 1 + y, kReportDigit);
}

void draw_frame(Picture& p, uint32_t x0, uint32_t y0, uint32_t w, uint32_t h) {
    fill(p, x0, y0, w, 1, kReportFrame);
    fill(p, x0, y0 + h - 1, w, 1, kReportFrame);
    fill(p, x0, y0, 1, h, kReportFrame);
    fill(p, x0 + w - 1, y0, 1, h, kReportFrame);
}

Rgba widened(uint16_t colour) {
    const uint32_t bgr = col_to_bgr0(colour);
    return Rgba{static_cast<uint8_t>(bgr >> 16), static_cast<uint8_t>(bgr >> 8),
                static_cast<uint8_t>(bgr), 255};
}

// The difference of each opaque pixel from what the reduced banks draw there,
// each channel's magnitude times kReportDiffGain, to the right of the picture.
void draw_difference(Picture& r, uint32_t x0, const Picture& picture, const UnitBanks& units,
                     const BankPalette& palette) {
    const UnitGrid& g = units.grid;
    for (uint32_t y = 0; y < picture.height; ++y)
        for (uint32_t x = 0; x < picture.width; ++x) {
            const uint8_t n = units.numbers[size_t{y} * units.width + x];
            if (n == 0) continue;
            const uint32_t u = y / g.unit_height * g.across + x / g.unit_width;
            const Rgba drawn = widened(palette.colours[16 * units.bank[u] + n]);
            const Rgba& own = picture.pixels[size_t{y} * picture.width + x];
            auto channel = [](uint8_t a, uint8_t b) {
                const int d = (a > b ? a - b : b - a) * static_cast<int>(kReportDiffGain);
                return static_cast<uint8_t>(std::min(d, 255));
            };
            fill(r, x0 + kReportScale * x, kReportScale * y, kReportScale, kReportScale,
                 Rgba{channel(own.r, drawn.r), channel(own.g, drawn.g), channel(own.b, drawn.b),
                      255});
        }
}

}  // namespace

bool digit_pixel(uint32_t d, uint32_t x, uint32_t y) {
    return d < 10 && x < kDigitWidth && y < kDigitHeight &&
           (kDigits[d][y] >> (kDigitWidth - 1 - x) & 1) != 0;
}

Picture render_report(const Picture& picture, const UnitBanks& units, const BankPalette& palette) {
    uint32_t legend_rows = 0;
    for (uint32_t b = 0; b < 16; ++b) legend_rows += palette.used >> b & 1;
    const uint32_t legend_width = kLegendSwatchX + 16 * kLegendSwatchStep;
    const uint32_t area_width = kReportScale * units.width;
    const uint32_t area_height = kReportScale * units.height;

    const uint32_t diff_x = area_width + kReportDiffGap;

    Picture r;
    r.width =
        std::max(units.reduced ? diff_x + area_width : area_width, legend_rows ? legend_width : 0u);
    r.height = area_height + legend_rows * kLegendRow;
    r.pixels.assign(size_t{r.width} * r.height, Rgba{0, 0, 0, 0});
    for (uint32_t y = 0; y < area_height; ++y)
        for (uint32_t x = 0; x < area_width; ++x) {
            const uint32_t sx = x / kReportScale, sy = y / kReportScale;
            if (sx < picture.width && sy < picture.height)
                put(r, x, y, picture.pixels[size_t{sy} * picture.width + sx]);
        }
    if (units.reduced) draw_difference(r, diff_x, picture, units, palette);
    const UnitGrid& g = units.grid;
    for (uint32_t u = 0; u < g.count(); ++u) {
        const uint32_t x = kReportScale * g.x_of(u), y = kReportScale * g.y_of(u);
        if (units.failing[u])
            draw_frame(r, x, y, kReportScale * g.unit_width, kReportScale * g.unit_height);
        else if (units.drawn[u])
            draw_number(r, x + 1, y + 1, units.bank[u]);
    }
    uint32_t y = area_height;
    for (uint32_t b = 0; b < 16; ++b) {
        if (!(palette.used >> b & 1)) continue;
        fill(r, 0, y, r.width, kLegendRow, kReportLegendBack);
        draw_number(r, 1, y + 1, b);
        for (uint32_t k = 0; k < 16; ++k)
            fill(r, kLegendSwatchX + k * kLegendSwatchStep, y + 1, 8, 8,
                 widened(palette.colours[16 * b + k]));
        y += kLegendRow;
    }
    return r;
}

bool write_report(const ConvertJob& job, const Picture& report, const ReportEncoder& encode,
                  std::string& path) {
    char name[260];
    if (!format_text(name, sizeof name, "%s%s_report.png", job.out_dir, job.name)) {
        set_failure(kReasonPathTooLong, job.path);
        return false;
    }
    std::vector<uint8_t> bytes;
    if (!encode || !encode(report, bytes) || !write_whole_file(name, bytes.data(), bytes.size())) {
        set_failure(kReasonReportWrite, name);
        return false;
    }
    path = name;
    return true;
}

bool write_part_report(const ConvertJob& job, uint32_t parts, uint32_t part, const Picture& report,
                       const ReportEncoder& encode, std::string& paths) {
    ConvertJob named = job;
    if (parts > 1 &&
        !format_text(named.name, sizeof named.name, "%s_%s%u", job.name, kScrKind.tag(), part)) {
        set_failure(kReasonPathTooLong, job.path);
        return false;
    }
    std::string path;
    if (!write_report(named, report, encode, path)) return false;
    paths += (paths.empty() ? "" : ", ") + path;
    return true;
}

}  // namespace tw
