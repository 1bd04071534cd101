#pragma once
// The command line's commands. Each returns the process exit status.

namespace tw::cli {

// tilewright [OPTIONS] FILE...: converts as a drop of the files would.
int run_convert(int argc, char** argv);

inline constexpr const char* kVersion = "tilewright v2.00 r2";

}  // namespace tw::cli
