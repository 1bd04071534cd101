#pragma once
// The whole command line: which command it names, the language of the
// messages, and the run of that command.

#include <string>
#include <vector>

#include "cli/option_table.h"

namespace tw::cli {

// The command `args` (argv with its terminating nullptr) names by the word
// after "tilewright", a --lang before the word allowed; the command without a
// word when there is none. Moves the word to args[1], as the commands read it.
const Command& arrange_command_line(std::vector<char*>& args);

// Sets the language of the messages: that of --lang (before any "--"), else
// the environment's. False for a bad --lang, its message in `error`.
bool choose_language(const Command& command, int argc, char** argv, std::string& error);

// What main does; the process exit status.
int run_command_line(int argc, char** argv);

}  // namespace tw::cli
