#include "cli/option_table.h"

#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>

#include "cli/commands.h"
#include "convert/resource_types.h"
#include "maps/screen_sources.h"
#include "resources/texts.h"

// A table of our own rather than CLI11 or cxxopts: both report a bad command
// line by exceptions carrying fixed English texts, while ours must answer in
// Japanese or English, with each option's own message, our usage hint and exit
// status 2.

namespace tw::cli {
namespace {

const char* resource_type_choice(size_t i) {
    return i < std::size(kResourceTypes) ? kResourceTypes[i].name : nullptr;
}
const char* screen_choice(size_t i) {
    return i < std::size(kScreenSlots) ? kScreenSlots[i] : nullptr;
}
const char* sprite_size_choice(size_t i) {
    size_t k = 0;
    for (const ResourceType& t : kResourceTypes)
        if (is_sprite_type(t) && k++ == i) return t.name;
    return nullptr;
}
const char* yes_no_choice(size_t i) {
    static const char* const kChoices[] = {"yes", "no"};
    return i < std::size(kChoices) ? kChoices[i] : nullptr;
}
const char* language_choice(size_t i) {
    static const char* const kChoices[] = {"ja", "en"};
    return i < std::size(kChoices) ? kChoices[i] : nullptr;
}

constexpr Text kNone{"", ""};

// Each command's rows first, in the order of its usage, then those of every command.
const OptionRow kOptions[] = {
    // tilewright [OPTIONS] FILE...
    {"convert", OPT_TYPE, "--type", "-t", VALUE_ENUM, "TYPE", resource_type_choice, true,
     kCliNeedsType, kCliUnknownType, kOptTypeHelp},
    {"convert", OPT_SET, "--set", "-s", VALUE_TEXT, "KEY=VALUE", nullptr, false, kCliNeedsSetting,
     kNone, kOptConvertSetHelp},
    {"convert", OPT_PALETTE_FIX, "--palette-fix", nullptr, VALUE_ENUM, "yes|no", yes_no_choice,
     false, kCliPaletteFixValue, kNone, kOptConvertPaletteFixHelp},
    {"convert", OPT_VERSION, "--version", nullptr, VALUE_NONE, nullptr, nullptr, false, kNone,
     kNone, kOptVersionHelp},
    // tilewright map
    {"map", OPT_OUTPUT, "--output", "-o", VALUE_FOLDER, "DIR", nullptr, false, kMapNeedsFolder,
     kNone, kOptMapOutputHelp},
    {"map", OPT_PALETTE, "--palette", nullptr, VALUE_TEXT, "auto|keep|generate|FILE", nullptr,
     false, kOptPaletteValue, kNone, kOptPaletteHelp},
    {"map", OPT_TRANSPARENT, "--transparent", nullptr, VALUE_TEXT, "RRGGBB|none", nullptr, false,
     kOptTransparentValue, kNone, kOptTransparentHelp},
    {"map", OPT_PACK_EFFORT, "--pack-effort", nullptr, VALUE_INTEGER, "N", nullptr, false,
     kOptPackEffortValue, kNone, kOptPackEffortHelp},
    {"map", OPT_SHARED, "--shared", nullptr, VALUE_TEXT, "NAME", nullptr, false, kSharedNeedsName,
     kNone, kOptSharedHelp},
    {"map", OPT_REPORT, "--report", nullptr, VALUE_NONE, nullptr, nullptr, false, kNone, kNone,
     kOptReportHelp},
    {"map", OPT_REDUCE, "--reduce", nullptr, VALUE_NONE, nullptr, nullptr, false, kNone, kNone,
     kOptReduceHelp},
    {"map", OPT_DITHER, "--dither", nullptr, VALUE_NONE, nullptr, nullptr, false, kNone, kNone,
     kOptDitherHelp},
    {"map", OPT_NO_FLIP, "--no-flip", nullptr, VALUE_NONE, nullptr, nullptr, false, kNone, kNone,
     kOptNoFlipHelp},
    {"map", OPT_PALETTE_FIX, "--palette-fix", nullptr, VALUE_ENUM, "yes|no", yes_no_choice, false,
     kCliPaletteFixValue, kNone, kOptMapPaletteFixHelp},
    {"map", OPT_SET, "--set", "-s", VALUE_TEXT, "KEY=VALUE", nullptr, false, kCliNeedsSetting,
     kNone, kOptMapSetHelp},
    // tilewright sprites
    {"sprites", OPT_TYPE, "--type", "-t", VALUE_ENUM, "WxH", sprite_size_choice, true,
     kSpritesNeedsSize, kSpritesNeedsSize, kOptSpriteSizeHelp},
    {"sprites", OPT_OUTPUT, "--output", "-o", VALUE_FOLDER, "DIR", nullptr, false, kMapNeedsFolder,
     kNone, kOptPictureOutputHelp},
    {"sprites", OPT_PALETTE, "--palette", nullptr, VALUE_TEXT, "auto|keep|generate|FILE", nullptr,
     false, kOptPaletteValue, kNone, kOptPaletteHelp},
    {"sprites", OPT_TRANSPARENT, "--transparent", nullptr, VALUE_TEXT, "RRGGBB|none", nullptr,
     false, kOptTransparentValue, kNone, kOptTransparentHelp},
    {"sprites", OPT_PACK_EFFORT, "--pack-effort", nullptr, VALUE_INTEGER, "N", nullptr, false,
     kOptPackEffortValue, kNone, kOptPackEffortHelp},
    {"sprites", OPT_REPORT, "--report", nullptr, VALUE_NONE, nullptr, nullptr, false, kNone, kNone,
     kOptReportHelp},
    {"sprites", OPT_REDUCE, "--reduce", nullptr, VALUE_NONE, nullptr, nullptr, false, kNone, kNone,
     kOptReduceHelp},
    {"sprites", OPT_DITHER, "--dither", nullptr, VALUE_NONE, nullptr, nullptr, false, kNone, kNone,
     kOptDitherHelp},
    {"sprites", OPT_PALETTE_FIX, "--palette-fix", nullptr, VALUE_ENUM, "yes|no", yes_no_choice,
     false, kCliPaletteFixValue, kNone, kOptMapPaletteFixHelp},
    // tilewright render
    {"render", OPT_OUTPUT, "--output", "-o", VALUE_FILE, "FILE", nullptr, false, kRenderOutputKind,
     kNone, kOptRenderOutputHelp},
    {"render", OPT_SCREEN, "--screen", nullptr, VALUE_ENUM, "SLOT", screen_choice, true,
     kRenderScreenName, kNone, kOptScreenHelp},
    {"render", OPT_CROP, "--crop", nullptr, VALUE_TEXT, "X,Y,W,H", nullptr, false, kRenderCrop,
     kNone, kOptCropHelp},
    // tilewright tiled
    {"tiled", OPT_OUTPUT, "--output", "-o", VALUE_FOLDER, "DIR", nullptr, false, kTiledNeedsFolder,
     kNone, kOptTiledOutputHelp},
    {"tiled", OPT_LOWER, "--lower", nullptr, VALUE_NONE, nullptr, nullptr, false, kNone, kNone,
     kOptLowerHelp},
    // tilewright unqr
    {"unqr", OPT_OUTPUT, "--output", "-o", VALUE_FOLDER, "DIR", nullptr, false, kMapNeedsFolder,
     kNone, kOptUnqrOutputHelp},
    // tilewright package
    {"package", OPT_OUTPUT, "--output", "-o", VALUE_FILE, "FILE", nullptr, false,
     kPackageNeedsOutput, kNone, kOptPackageOutputHelp},
    {"package", OPT_NAME, "--name", nullptr, VALUE_TEXT, "NAME", nullptr, false, kPackageNeedsName,
     kNone, kOptNameHelp},
    {"package", OPT_SET, "--set", "-s", VALUE_TEXT, "KEY=VALUE", nullptr, false, kCliNeedsSetting,
     kNone, kOptPackageSetHelp},
    // tilewright qr
    {"qr", OPT_OUTPUT, "--output", "-o", VALUE_FOLDER, "DIR", nullptr, false, kMapNeedsFolder,
     kNone, kOptMapOutputHelp},
    {"qr", OPT_SCALE, "--scale", nullptr, VALUE_INTEGER, "N", nullptr, false, kQrScaleValue,
     kQrScaleValue, kOptQrScaleHelp},
    // Every command.
    {nullptr, OPT_LANG, "--lang", nullptr, VALUE_ENUM, "ja|en", language_choice, false,
     kCliLangValue, kNone, kOptLangHelp},
    {nullptr, OPT_HELP, "--help", "-h", VALUE_NONE, nullptr, nullptr, false, kNone, kNone,
     kOptHelpHelp},
    {nullptr, OPT_END, "--", nullptr, VALUE_NONE, nullptr, nullptr, false, kNone, kNone,
     kOptEndHelp},
};

// The command without a word comes first: tilewright --help lists them in this order.
const Command kCommands[] = {
    {"convert", false, kCliConvertSynopsis, kConvertSummary, kCliConvertExit, run_convert},
    {"info", true, kInfoSynopsis, kInfoSummary, kInfoExit, run_info},
    {"package", true, kCliPackageSynopsis, kPackageSummary, kCliPackageExit, run_package},
    {"map", true, kCliMapSynopsis, kMapSummary, kCliMapExit, run_map},
    {"sprites", true, kCliSpritesSynopsis, kSpritesSummary, kCliMapExit, run_sprites},
    {"render", true, kCliRenderSynopsis, kRenderSummary, kCliRenderExit, run_render},
    {"tiled", true, kTiledSynopsis, kTiledSummary, kTiledExit, run_tiled},
    {"unqr", true, kUnqrSynopsis, kUnqrSummary, kUnqrExit, run_unqr},
    {"qr", true, kQrSynopsis, kQrSummary, kQrExit, run_qr},
};

}  // namespace

std::span<const OptionRow> option_table() {
    return kOptions;
}

std::span<const Command> command_table() {
    return kCommands;
}

const Command& command_named(const char* name) {
    for (const Command& c : kCommands)
        if (std::strcmp(c.name, name) == 0) return c;
    std::abort();  // a command the table lacks: a fault of this program, not of its user
}

std::string program_name(const Command& command) {
    return command.by_word ? std::string("tilewright ") + command.name : "tilewright";
}

bool row_belongs(const OptionRow& row, const Command& command) {
    return row.command == nullptr || std::strcmp(row.command, command.name) == 0;
}

}  // namespace tw::cli
