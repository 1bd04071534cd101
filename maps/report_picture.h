#pragma once
// The report of `map` and `sprites`: the picture at twice its size with each
// unit's bank number in it, a frame around each unit that was refused, and the
// banks' colours as a legend below. Drawn as RGBA, so that any PNG encoder can
// write it; tests read its pixels.

#include <string>

#include "convert/convert_job.h"
#include "palettes/picture_options.h"
#include "palettes/unit_banks.h"
#include "picture/picture.h"

namespace tw {

inline constexpr uint32_t kReportScale = 2;
inline constexpr Rgba kReportFrame{255, 0, 0, 255};
inline constexpr Rgba kReportDigit{255, 255, 255, 255};
inline constexpr Rgba kReportDigitBack{0, 0, 0, 255};
inline constexpr Rgba kReportLegendBack{64, 64, 64, 255};
// A digit is 3 x 5 pixels, drawn at (1, 1) of a dark box 1 pixel wider each side.
inline constexpr uint32_t kDigitWidth = 3, kDigitHeight = 5;
// With reduced colours, the difference from the original beside the picture,
// kReportDiffGap pixels to its right, each channel's difference amplified.
inline constexpr uint32_t kReportDiffGap = 8, kReportDiffGain = 4;
// Legend rows: the bank number, then 16 swatches of 8 x 8 pixels, 9 apart.
inline constexpr uint32_t kLegendRow = 10, kLegendSwatchX = 12, kLegendSwatchStep = 9;

// Whether pixel (x, y) of digit d (0-9) is set in the built-in font.
bool digit_pixel(uint32_t d, uint32_t x, uint32_t y);

// The report of one picture. `units` gives each unit's bank (drawn units that
// were not refused show it) and the refused ones; the legend shows the banks
// in palette.used with all 16 colours of each. When units.reduced, the
// difference picture is drawn to the right.
Picture render_report(const Picture& picture, const UnitBanks& units, const BankPalette& palette);

// Writes NAME_report.png into job.out_dir through `encode`; `path` gets its
// name. False with the reason recorded.
bool write_report(const ConvertJob& job, const Picture& report, const ReportEncoder& encode,
                  std::string& path);

// The report of screen `part` of `parts` that job writes: NAME_report.png for
// one, NAME_SCR<part>_report.png of several. Its name is added to `paths`
// (", " between names). False with the reason recorded.
bool write_part_report(const ConvertJob& job, uint32_t parts, uint32_t part, const Picture& report,
                       const ReportEncoder& encode, std::string& paths);

}  // namespace tw
