#pragma once
// The command line's commands. Each returns the process exit status.

namespace tw::cli {

// tilewright [OPTIONS] FILE...: converts as a drop of the files would.
int run_convert(int argc, char** argv);

// tilewright info FILE...: describes PTC files (argv[1] is "info").
int run_info(int argc, char** argv);

// tilewright package ...: builds a package from slots (argv[1] is "package").
int run_package(int argc, char** argv);

// tilewright map ...: pictures to tiles, a palette and a BG screen (argv[1] is "map").
int run_map(int argc, char** argv);

// tilewright render ...: a BG screen drawn as a picture (argv[1] is "render").
int run_render(int argc, char** argv);

// tilewright sprites ...: sprite sheets to sprites and palettes (argv[1] is "sprites").
int run_sprites(int argc, char** argv);

// tilewright tiled ...: BG screens as a Tiled level (argv[1] is "tiled").
int run_tiled(int argc, char** argv);

// tilewright unqr ...: QR sets in pictures back into PTC files (argv[1] is "unqr").
int run_unqr(int argc, char** argv);

// tilewright qr ...: PTC files to QR sets (argv[1] is "qr").
int run_qr(int argc, char** argv);

inline constexpr const char* kVersion = "tilewright v2.00 r2";

}  // namespace tw::cli
