#pragma once
// The --help text of a command, made from its rows of the option table.

#include <string>

#include "cli/option_table.h"

namespace tw::cli {

// The synopsis, one entry per option, for the command without a word the list
// of every command, and the exit status; in the language in force.
std::string usage_text(const Command& command);

}  // namespace tw::cli
