// tilewright: the command line over the conversion core.

#include <cstring>
#include <string>

#include "cli/cli_options.h"
#include "cli/commands.h"

int main(int argc, char** argv) {
    std::string error;
    if (!tw::cli::take_language_option(argc, argv, error))
        return tw::cli::usage_error("tilewright", error);
    if (argc > 1 && std::strcmp(argv[1], "info") == 0) return tw::cli::run_info(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "package") == 0) return tw::cli::run_package(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "map") == 0) return tw::cli::run_map(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "render") == 0) return tw::cli::run_render(argc, argv);
    return tw::cli::run_convert(argc, argv);
}
