#pragma once
// One parser for every command: reads a command line by the command's rows of
// the option table.

#include <span>
#include <string>
#include <vector>

#include "cli/option_table.h"

namespace tw::cli {

// One option as given.
struct GivenOption {
    const OptionRow* row;  // nullptr for an unknown option
    std::string value;
    std::string error;  // not empty: a usage error, in the language in force
};

struct ParsedArgs {
    std::vector<GivenOption> options;  // in the order given
    std::vector<std::string> operands;
};

// Reads argv from after the command's word: "--name VALUE", "--name=VALUE",
// "-x VALUE", flags, and "--" after which every argument is an operand. The
// argument after an option that takes a value is its value, even when empty or
// starting with "-"; any other empty argument, and "-", is an operand.
ParsedArgs parse_args(const Command& command, std::span<const OptionRow> rows, int argc,
                      char** argv);
ParsedArgs parse_args(const Command& command, int argc, char** argv);

// What every command does with an option: a usage error stops it with 2, --help
// prints its usage and stops it with 0. -1 when the command goes on.
int common_option(const Command& command, const GivenOption& option);

}  // namespace tw::cli
