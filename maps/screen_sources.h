#pragma once
// The inputs of a render: one package, or a screen file with its character
// banks and palette.

#include <string>
#include <vector>

#include "maps/screen_render.h"

namespace tw {

// The screen slots of a package, by the names extraction gives them.
inline constexpr const char* kScreenSlots[] = {"SCR0", "SCR1", "SCR2", "SCR3"};

// files is either one package, whose screen slot `screen` (0-3, or -1 for SCR0; 0 and 1 on the
// upper screen with BGU0-BGU3 and COL0, 2 and 3 on the lower with BGS0-BGS3 and
// COL0_S) is read, or a screen (a SCR PTC file, a .rscr file or a BGPUT .txt),
// one to four CHR PTC files (banks 0-3 in order) and one COL PTC file, in any
// order, when screen is -1. False with the reason recorded.
bool load_screen_sources(const std::vector<std::string>& files, int screen, ScreenSources& out);

// The screens of `tiled`, the bottom one first: both of a package's upper
// screen (SCR0, SCR1) or with `lower` its lower one (SCR2, SCR3); or one or two
// screens with their CHR banks and COL as above, sharing those. False with the
// reason recorded.
bool load_screen_layers(const std::vector<std::string>& files, bool lower,
                        std::vector<ScreenSources>& out);

}  // namespace tw
