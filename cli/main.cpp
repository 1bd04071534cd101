// tilewright: the command line over the conversion core.

#include "cli/command_line.h"

int main(int argc, char** argv) {
    return tw::cli::run_command_line(argc, argv);
}
