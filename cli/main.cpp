// tilewright: the command line over the conversion core.

#include "cli/commands.h"

int main(int argc, char** argv) { return tw::cli::run_convert(argc, argv); }
